// The Lösungsweg of every task type: present, short, arithmetically true and
// ending in the solution as its square shows it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <regex>
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

// Units a step may attach to a number, with their size in the base unit of
// their kind. Several units of one kind in a statement are converted; one unit
// alone is a label ("10 + 9,82 = 19,91 km").
struct UnitSize {
    const char* name;
    char kind;
    double size;
};
constexpr UnitSize kUnits[] = {
    {"mm²", 'A', 1e-6}, {"cm²", 'A', 1e-4}, {"dm²", 'A', 1e-2}, {"m²", 'A', 1}, {"km²", 'A', 1e6},
    {"ha", 'A', 1e4},   {"mm³", 'V', 1e-9}, {"cm³", 'V', 1e-6}, {"dm³", 'V', 1e-3}, {"m³", 'V', 1},
    {"mm", 'L', 1e-3},  {"cm", 'L', 1e-2},  {"dm", 'L', 0.1},   {"km", 'L', 1000},  {"m", 'L', 1},
    {"mg", 'M', 1e-3},  {"kg", 'M', 1000},  {"t", 'M', 1e6},    {"g", 'M', 1},      {"ml", 'V', 1e-6},
    {"hl", 'V', 0.1},   {"l", 'V', 1e-3},   {"min", 'T', 60},   {"h", 'T', 3600},   {"s", 'T', 1},
    {"ct", 'E', 0.01},  {"Cent", 'E', 0.01}, {"EUR", 'E', 1},   {"Euro", 'E', 1},   {"€", 'E', 1},
    {"Gramm", 'M', 1},  {"Liter", 'V', 1e-3}, {"Meter", 'L', 1}, {"Grad", 'W', 1},  {"°", 'W', 1},
    {"%", '%', 0.01},
};

bool letterAt(const std::string& s, size_t i)
{
    if (i >= s.size()) return false;
    const unsigned char c = static_cast<unsigned char>(s[i]);
    return std::isalpha(c) || c >= 0x80;
}

// An expression in school notation: numbers with a decimal comma, each
// optionally with a unit, + − - · : / ( ) and the powers ² ³; "..." after a
// number marks it as cut off. Anything else (words, "x", "??") makes it a
// statement the checker does not evaluate. With `convert`, numbers with a
// unit count in the base unit of its kind.
class Expression {
public:
    Expression(const std::string& text, bool convert) : s_(text), convert_(convert) {}

    std::optional<double> value()
    {
        std::optional<double> v = sum();
        skipBlanks();
        if (!v || pos_ != s_.size()) return std::nullopt;
        return v;
    }

    // Digits after the comma of the most precise number seen.
    int places() const { return places_; }
    bool cutOff() const { return cutOff_; }
    // The units met, in order.
    const std::vector<const UnitSize*>& units() const { return units_; }

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
    bool minus() { return eat("−") || eat("-"); }
    std::optional<double> sum()
    {
        std::optional<double> v = product();
        while (v) {
            if (eat("+")) {
                std::optional<double> r = product();
                if (!r) return std::nullopt;
                *v += *r;
            } else if (minus()) {
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
        if (minus()) {
            std::optional<double> v = unary();
            return v ? std::optional<double>(-*v) : std::nullopt;
        }
        if (eat("(")) {
            std::optional<double> v = sum();
            if (!v || !eat(")")) return std::nullopt;
            return unit(*v);
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
        if (s_.compare(pos_, 3, "...") == 0) {
            pos_ += 3;
            cutOff_ = true;
        }
        return unit(std::stod(digits));
    }
    // A unit right after a number or bracket: a whole word, or a symbol.
    double unit(double v)
    {
        const size_t save = pos_;
        skipBlanks();
        for (const UnitSize& u : kUnits) {
            const size_t n = std::strlen(u.name);
            if (s_.compare(pos_, n, u.name) == 0 && (!letterAt(s_, pos_) || !letterAt(s_, pos_ + n))) {
                pos_ += n;
                units_.push_back(&u);
                return convert_ ? v * u.size : v;
            }
        }
        pos_ = save;
        return v;
    }

    std::string s_;
    bool convert_;
    size_t pos_ = 0;
    int places_ = 0;
    bool cutOff_ = false;
    std::vector<const UnitSize*> units_;
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
// no blank before it; division is " : "). Each keeps its label.
struct Statement {
    std::string label, text;
};
std::vector<Statement> statements(const std::string& line)
{
    std::vector<Statement> out;
    for (const std::string& a : split(line, "; "))
        for (const std::string& b : split(a, ", ")) {
            Statement st{{}, b};
            for (size_t at = st.text.find(": "); at != std::string::npos; at = st.text.find(": ", at + 1))
                if (at > 0 && st.text[at - 1] != ' ') {
                    st.label += st.text.substr(0, at) + ": ";
                    st.text = st.text.substr(at + 2);
                    at = 0;
                }
            out.push_back(st);
        }
    return out;
}

// Half away from zero, as at school.
double schoolRound(double v, int places)
{
    const double scale = std::pow(10.0, places);
    return std::copysign(std::floor(std::fabs(v) * scale + 0.5 + 1e-9), v) / scale;
}

bool same(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)}); }

struct Value {
    double v;
    int places;
    bool cutOff;
};

// The value of one part, with units converted where the statement mixes units
// of one kind and read as labels where it has one unit only; a percent is
// also allowed to stand as a label ("17 : 33 · 100 = 51,5 %").
std::vector<std::optional<Value>> partValues(const std::vector<std::string>& parts, bool percentAsLabel)
{
    std::vector<std::string> names;
    for (const std::string& p : parts) {
        Expression probe(p, false);
        if (probe.value())
            for (const UnitSize* u : probe.units())
                if (std::find(names.begin(), names.end(), u->name) == names.end()) names.push_back(u->name);
    }
    const bool percentOnly = names.size() == 1 && names[0] == std::string("%");
    const bool convert = names.size() > 1 || (percentOnly && !percentAsLabel);
    std::vector<std::optional<Value>> out;
    for (const std::string& p : parts) {
        Expression e(p, convert);
        const std::optional<double> v = e.value();
        out.push_back(v ? std::optional<Value>(Value{*v, e.places(), e.cutOff()}) : std::nullopt);
    }
    return out;
}

// Whether a chain "a = b ≈ c = d" holds: "=" exactly, "≈" the school rounding
// to the places of its right side (of any value a cut-off figure stands for).
bool chainHolds(const std::string& statement, bool percentAsLabel)
{
    std::vector<std::string> parts;
    std::vector<bool> rounded; // before part i: "≈"
    for (const std::string& approx : split(statement, "≈")) {
        bool first = true;
        for (const std::string& p : split(approx, "=")) {
            parts.push_back(p);
            rounded.push_back(first && !parts.empty() && parts.size() > 1);
            first = false;
        }
    }
    const std::vector<std::optional<Value>> values = partValues(parts, percentAsLabel);
    std::optional<Value> last;
    bool roundedSinceLast = false;
    for (size_t i = 0; i < values.size(); ++i) {
        roundedSinceLast = roundedSinceLast || rounded[i];
        if (!values[i]) continue;
        const Value& v = *values[i];
        if (last) {
            if (roundedSinceLast) {
                // A cut-off figure stands for any value up to one unit of its last place beyond it.
                const double ulp = last->cutOff ? std::pow(10.0, -last->places) : 0;
                const double a = schoolRound(last->v, v.places), b = schoolRound(last->v + std::copysign(ulp * 0.999, last->v), v.places);
                if (!(same(v.v, a) || same(v.v, b) || (v.v > std::min(a, b) && v.v < std::max(a, b)))) return false;
            } else if (last->cutOff || v.cutOff) {
                const double ulp = std::pow(10.0, -std::max(last->places, v.places));
                if (std::fabs(last->v - v.v) >= ulp) return false;
            } else if (!same(last->v, v.v)) {
                return false;
            }
        }
        last = v;
        roundedSinceLast = false;
    }
    return true;
}

// "Erweitern mit 4: 3/25 = 12/100" and "Kürzen mit 4: 188/400 = 47/100" say
// what they do: the numbers must follow from the factor.
std::string falseFactor(const std::string& label, const std::string& text)
{
    static const std::regex kRule("(Erweitern|Kürzen) mit (\\d+)");
    static const std::regex kFractions("^\\s*(\\d+)/(\\d+) = (\\d+)/(\\d+)");
    std::smatch rule, f;
    if (!std::regex_search(label, rule, kRule) || !std::regex_search(text, f, kFractions)) return {};
    const long k = std::stol(rule[2]), a = std::stol(f[1]), b = std::stol(f[2]), c = std::stol(f[3]), d = std::stol(f[4]);
    const bool expand = rule[1] == "Erweitern";
    const bool holds = k >= 2 && (expand ? (c == a * k && d == b * k) : (a == c * k && b == d * k));
    return holds ? std::string() : "\"" + label + text + "\" does not hold";
}

// Empty when every statement of the line that the checker can read holds,
// else why not.
std::string falseStatement(const std::string& line)
{
    if (line.find("gerundet") != std::string::npos) return "\"gerundet\" where \"≈\" belongs: " + line;
    for (const Statement& st : statements(line)) {
        if (std::string why = falseFactor(st.label, st.text); !why.empty()) return why;
        if (!chainHolds(st.text, false) && !chainHolds(st.text, true)) return "\"" + st.text + "\" does not hold";
    }
    return {};
}

// A line with its minus signs as the squares write them.
std::string plainMinus(std::string s)
{
    for (size_t at; (at = s.find("−")) != std::string::npos;) s.replace(at, std::string("−").size(), "-");
    return s;
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
    const std::string last = plainMinus(steps.back());
    if (task.rows == AnswerRows::None || task.squares.empty()) return {};
    const SquareLayout layout = SquareLayout::current(task.rows);
    if (layout.compareMode()) {
        return last.find(task.key) != std::string::npos ? std::string() : "no \"" + task.key + "\" in: " + last;
    }
    if (task.rows == AnswerRows::TwoRows) {
        // Every number of one right pair of the key appears in the last line:
        // pick-two rows may hold several right pairs, the steps show one.
        // ("1. Reihe 5" is no part of "1. Reihe 55, ...": containsNumber
        // looks at both ends.)
        std::string why;
        for (const std::string& pair : split(task.key, " oder ")) {
            why.clear();
            for (const ToolTask::SquareRow& row : task.squares)
                for (const std::string& label : row.labels)
                    if (containsNumber(pair, row.caption + " " + label) && !containsNumber(last, label))
                        why = "no " + label + " in: " + last;
            if (why.empty()) return {};
        }
        return why;
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
    const char* const holds[] = {
        "?? = 96 − 49 = 47",
        "Hauptnenner 12: 3/4 = 9/12, 1/6 = 2/12",
        "10000 m = 10 km; 10 + 9,82 + 0,09 = 19,91 km",
        "5 · (−3) + 2² = −11",
        "2 : 3 = 0,666... ≈ 0,67",
        "Kürzen mit 4: 188/400 = 47/100",
        "Erweitern mit 4: 3/25 = 12/100 = 12 %",
        "17 : 33 · 100 = 51,515... ≈ 51,52 %",
        "900 g sind 3-mal 300 g; 3 · 3 EUR = 9 EUR",
        "A = 2,598 · 5² = 64,950 ≈ 65,0",
        "−0,4848... ≈ −0,48",
    };
    for (const char* line : holds) EXPECT_EQ(falseStatement(line), "") << line;
    const char* const fails[] = {
        "?? = 96 − 49 = 48",
        "a: 3/4 = 8/12",
        "2 : 3 = 0,67",                       // rounded, but "="
        "Erweitern mit 0: 188/400 = 47/100",  // today's 7103
        "A = 2,598 · 5² = 64,950, gerundet 64,9",
        "A = 2,598 · 5² = 64,950 ≈ 64,9",
        "51,515 % − 52 % = −0,485 ≈ −0,48",
        "10000 m = 1 km",
    };
    for (const char* line : fails) EXPECT_NE(falseStatement(line), "") << line;
    EXPECT_EQ(lastNumber(plainMinus("x = −17")), "-17");
    EXPECT_EQ(lastNumber("10 + 9,82 = 19,91 km"), "19,91");
    EXPECT_EQ(lastNumber("96 - 47"), "47");
}

} // namespace
