// The Lösungsweg of every task type: present, short, arithmetically true and
// ending in the solution as its square shows it.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "catalog_test_util.h"
#include "catalog_tool.h"
#include "notation.h"
#include "squares.h"

namespace {

constexpr unsigned int kSeeds = 200;
constexpr size_t kMaxLines = 5;
constexpr size_t kMaxChars = 60;

size_t utf8Length(const std::string& s)
{
    size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

// A plain arithmetic expression in school notation: numbers with a decimal
// comma, + - · : / ( ) and the powers ² ³. Anything else (words, units, "x",
// "??") makes it a statement the test does not evaluate.
class Expression {
public:
    explicit Expression(const std::string& text) : s_(text) {}

    std::optional<double> value()
    {
        std::optional<double> v = sum();
        skipBlanks();
        if (!v || pos_ != s_.size()) return std::nullopt;
        return v;
    }

    // Digits after the comma of the most precise number seen; a rounded part is
// allowed half a unit of that place, whole numbers must agree exactly.
    int places() const { return places_; }

private:
    void skipBlanks()
    {
        while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
    }
    bool eat(const char* token)
    {
        skipBlanks();
        const std::string t(token);
        if (s_.compare(pos_, t.size(), t) != 0) return false;
        pos_ += t.size();
        return true;
    }
    std::optional<double> sum()
    {
        std::optional<double> v = product();
        while (v) {
            if (eat("+")) {
                std::optional<double> r = product();
                if (!r) return std::nullopt;
                *v += *r;
            } else if (eat("-")) {
                std::optional<double> r = product();
                if (!r) return std::nullopt;
                *v -= *r;
            } else {
                break;
            }
        }
        return v;
    }
    std::optional<double> product()
    {
        std::optional<double> v = power();
        while (v) {
            if (eat("·")) {
                std::optional<double> r = power();
                if (!r) return std::nullopt;
                *v *= *r;
            } else if (eat(":") || eat("/")) {
                std::optional<double> r = power();
                if (!r || *r == 0) return std::nullopt;
                *v /= *r;
            } else {
                break;
            }
        }
        return v;
    }
    std::optional<double> power()
    {
        std::optional<double> v = unary();
        if (!v) return v;
        if (eat("²")) return *v * *v;
        if (eat("³")) return *v * *v * *v;
        return v;
    }
    std::optional<double> unary()
    {
        if (eat("-")) {
            std::optional<double> v = unary();
            return v ? std::optional<double>(-*v) : std::nullopt;
        }
        if (eat("(")) {
            std::optional<double> v = sum();
            if (!v || !eat(")")) return std::nullopt;
            return v;
        }
        return number();
    }
    std::optional<double> number()
    {
        skipBlanks();
        const size_t start = pos_;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        if (pos_ == start) return std::nullopt;
        std::string digits = s_.substr(start, pos_ - start);
        if (pos_ + 1 < s_.size() && s_[pos_] == ',' && std::isdigit(static_cast<unsigned char>(s_[pos_ + 1]))) {
            const size_t frac = ++pos_;
            while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
            places_ = std::max(places_, static_cast<int>(pos_ - frac));
            digits += "." + s_.substr(frac, pos_ - frac);
        }
        return std::stod(digits);
    }

    std::string s_;
    size_t pos_ = 0;
    int places_ = 0;
};

std::vector<std::string> split(const std::string& s, const std::string& by)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = s.find(by, start)) != std::string::npos; start = at + by.size())
        parts.push_back(s.substr(start, at - start));
    parts.push_back(s.substr(start));
    return parts;
}

// Statements of a line: parted at "; ", ", " and a label's ": " (a colon with
// no blank before it; division is " : ").
std::vector<std::string> statements(const std::string& line)
{
    std::vector<std::string> out;
    for (const std::string& a : split(line, "; "))
        for (const std::string& b : split(a, ", ")) {
            std::string rest = b;
            for (size_t at = rest.find(": "); at != std::string::npos; at = rest.find(": ", at + 1))
                if (at > 0 && rest[at - 1] != ' ') {
                    rest = rest.substr(at + 2);
                    at = 0;
                }
            out.push_back(rest);
        }
    return out;
}

// Empty when every plain-arithmetic part of every statement agrees, else why not.
std::string falseStatement(const std::string& line)
{
    for (const std::string& statement : statements(line)) {
        std::optional<double> first;
        int places = 0;
        for (const std::string& part : split(statement, "=")) {
            Expression e(part);
            const std::optional<double> v = e.value();
            if (!v) continue;
            places = std::max(places, e.places());
            if (!first) {
                first = v;
            } else if (std::fabs(*first - *v) > (places > 0 ? 0.5 * std::pow(10.0, -places) : 0) + 1e-9 * std::fabs(*v)) {
                return "\"" + statement + "\" does not hold";
            }
        }
    }
    return {};
}

// The last number in a line, as written ("-4", "19,91").
std::string lastNumber(const std::string& line)
{
    size_t end = line.find_last_of("0123456789");
    if (end == std::string::npos) return {};
    size_t start = end;
    while (start > 0 && (std::isdigit(static_cast<unsigned char>(line[start - 1])) ||
                         (line[start - 1] == ',' && start >= 2 && std::isdigit(static_cast<unsigned char>(line[start - 2])))))
        --start;
    if (start > 0 && line[start - 1] == '-') --start;
    return line.substr(start, end - start + 1);
}

bool containsNumber(const std::string& line, const std::string& number)
{
    for (size_t at = line.find(number); at != std::string::npos; at = line.find(number, at + 1)) {
        const bool before = at > 0 && (std::isdigit(static_cast<unsigned char>(line[at - 1])) || line[at - 1] == ',');
        const size_t after = at + number.size();
        const bool behind = after < line.size() && (std::isdigit(static_cast<unsigned char>(line[after])) ||
                                                   (line[after] == ',' && after + 1 < line.size() &&
                                                    std::isdigit(static_cast<unsigned char>(line[after + 1]))));
        if (!before && !behind) return true;
    }
    return false;
}

// What is wrong with the steps of the task just generated; empty when nothing.
std::string stepsFault(const ToolTask& task)
{
    const std::vector<std::string>& steps = task.steps;
    if (steps.empty() || steps.size() > kMaxLines) return std::to_string(steps.size()) + " lines";
    for (const std::string& line : steps) {
        if (utf8Length(line) > kMaxChars) return "too long: " + line;
        if (const std::string why = falseStatement(line); !why.empty()) return why;
    }
    const std::string& last = steps.back();
    if (task.rows == AnswerRows::None || task.squares.empty()) return {};
    const SquareLayout layout = SquareLayout::current(task.rows);
    if (layout.compareMode()) {
        return last.find(task.key) != std::string::npos ? std::string() : "no \"" + task.key + "\" in: " + last;
    }
    if (task.rows == AnswerRows::TwoRows) {
        // Every number of the key's right pair appears in the last line.
        const std::string& key = task.key;
        for (const ToolTask::SquareRow& row : task.squares)
            for (const std::string& label : row.labels)
                if (containsNumber(key.substr(0, key.find(" oder ")), row.caption + " " + label) ||
                    key.rfind(row.caption + " " + label, 0) == 0) {
                    if (!containsNumber(last, label)) return "no " + label + " in: " + last;
                }
        return {};
    }
    return lastNumber(last) == task.key ? std::string() : "ends not in " + task.key + ": " + last;
}

TEST(Steps, EveryTypeExplainsItselfTrulyAndEndsInItsSolution)
{
    aofont_loadbuiltins();
    aoPixmap area;
    area.width = kAreaWidth;
    area.height = kAreaHeight;
    ASSERT_TRUE(aopxmap_allocate(&area));
    aoDrawTarget* previous = aographic_gettarget();
    aographic_settarget(&area);
    int faulty = 0;
    for (int number : allTaskNumbers()) {
        for (unsigned int seed = 1; seed <= kSeeds; ++seed) {
            resetRecord();
            catalog_setprinter([](const std::string&) {});
            aosrand(seed);
            generateTask(number);
            ToolTask task;
            task.rows = buildAnswerRows(taskLevel(number), taskDifficulty(number), number);
            catalog_setprinter(nullptr);
            describeSquares(task.rows, task);
            task.steps = taskSteps[taskIndex];
            if (const std::string why = stepsFault(task); !why.empty()) {
                ADD_FAILURE() << number << " seed " << seed << ": " << why;
                ++faulty;
                break; // one report per type
            }
        }
    }
    aographic_settarget(previous);
    EXPECT_EQ(faulty, 0);
}

TEST(Steps, CheckerCatchesFalseAndAcceptsTrueLines)
{
    EXPECT_EQ(falseStatement("?? = 96 - 49 = 47"), "");
    EXPECT_EQ(falseStatement("Hauptnenner 12: 3/4 = 9/12, 1/6 = 2/12"), "");
    EXPECT_EQ(falseStatement("10000 m = 10 km; 10 + 9,82 + 0,09 = 19,91"), "");
    EXPECT_EQ(falseStatement("5 · (-3) + 2² = -11"), "");
    EXPECT_EQ(falseStatement("2 : 3 = 0,67"), "");
    EXPECT_NE(falseStatement("?? = 96 - 49 = 48"), "");
    EXPECT_NE(falseStatement("a: 3/4 = 8/12"), "");
    EXPECT_NE(falseStatement("2 : 3 = 0,6"), "");
    EXPECT_EQ(lastNumber("x = -17"), "-17");
    EXPECT_EQ(lastNumber("10 + 9,82 = 19,91 km"), "19,91");
    EXPECT_EQ(lastNumber("96 - 47"), "47");
}

} // namespace
