#include "speech_text.h"

#include <cctype>
#include <vector>

namespace {

enum class Kind { Number, Word, Unknown, Symbol };

struct Token {
    Kind kind = Kind::Symbol;
    std::string text;
    bool spaceBefore = false; // blank or line break before it on screen
};

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isAsciiLetter(unsigned char c) { return std::isalpha(c) != 0; }

// Letters include the UTF-8 bytes of umlauts and ß, but not the degree sign.
bool isLetterAt(std::string_view s, size_t i)
{
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (isAsciiLetter(c)) return true;
    if (c < 0x80) return false;
    if (c == 0xC2 && i + 1 < s.size()) return false; // °, ², ³ and other signs
    if (c == 0xB0 && i > 0 && static_cast<unsigned char>(s[i - 1]) == 0xC2) return false;
    return true;
}

bool isVariableText(const std::string& w) { return w.size() == 1 && isAsciiLetter(static_cast<unsigned char>(w[0])); }

bool isUnitText(const std::string& w);

std::vector<Token> tokenize(std::string_view s)
{
    std::vector<Token> out;
    bool space = false;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            space = true;
            ++i;
            continue;
        }
        Token t;
        t.spaceBefore = space || out.empty();
        space = false;
        size_t b = i;
        if (isDigit(c)) {
            while (i < s.size() && isDigit(static_cast<unsigned char>(s[i]))) ++i;
            if (i + 1 < s.size() && (s[i] == '.' || s[i] == ',') && isDigit(static_cast<unsigned char>(s[i + 1]))) {
                ++i;
                while (i < s.size() && isDigit(static_cast<unsigned char>(s[i]))) ++i;
            }
            t.kind = Kind::Number;
        } else if (isLetterAt(s, i)) {
            while (i < s.size() && isLetterAt(s, i)) ++i;
            t.kind = Kind::Word;
        } else if (c == '?' && i + 1 < s.size() && s[i + 1] == '?') {
            i += 2;
            t.kind = Kind::Unknown;
        } else if (c == 0xC2 && i + 1 < s.size()) {
            i += 2; // °
        } else {
            ++i;
        }
        t.text = std::string(s.substr(b, i - b));
        // "5x", "48ab", "??ab": one or two letters stuck to a number are variables.
        if (t.kind == Kind::Word && !t.spaceBefore && !out.empty() && t.text.size() <= 2 &&
            (out.back().kind == Kind::Number || out.back().kind == Kind::Unknown || out.back().text == ")") &&
            isAsciiLetter(static_cast<unsigned char>(t.text[0])) && !(t.text.size() == 2 && isUnitText(t.text)) &&
            std::islower(static_cast<unsigned char>(t.text[0]))) {
            for (char v : t.text) out.push_back(Token{Kind::Word, std::string(1, v), false});
            continue;
        }
        out.push_back(t);
    }
    return out;
}

struct Unit {
    const char* abbreviation;
    const char* name;
    const char* perName; // after "pro"
    const char* squared; // with ^2, or nullptr
};

const Unit kUnits[] = {
    {"km", "Kilometer", "Kilometer", "Quadratkilometer"},
    {"m", "Meter", "Meter", "Quadratmeter"},
    {"dm", "Dezimeter", "Dezimeter", "Quadratdezimeter"},
    {"cm", "Zentimeter", "Zentimeter", "Quadratzentimeter"},
    {"mm", "Millimeter", "Millimeter", "Quadratmillimeter"},
    {"qcm", "Quadratzentimeter", "Quadratzentimeter", nullptr},
    {"a", "Ar", "Ar", nullptr},
    {"ha", "Hektar", "Hektar", nullptr},
    {"t", "Tonnen", "Tonne", nullptr},
    {"dz", "Doppelzentner", "Doppelzentner", nullptr},
    {"kg", "Kilogramm", "Kilogramm", nullptr},
    {"g", "Gramm", "Gramm", nullptr},
    {"mg", "Milligramm", "Milligramm", nullptr},
    {"l", "Liter", "Liter", nullptr},
    {"hl", "Hektoliter", "Hektoliter", nullptr},
    {"ml", "Milliliter", "Milliliter", nullptr},
    {"h", "Stunden", "Stunde", nullptr},
    {"min", "Minuten", "Minute", nullptr},
    {"s", "Sekunden", "Sekunde", nullptr},
    {"oz", "Unzen", "Unze", nullptr},
};

const Unit* findUnit(const std::string& w)
{
    for (const Unit& u : kUnits)
        if (w == u.abbreviation) return &u;
    return nullptr;
}

bool isUnitText(const std::string& w) { return findUnit(w) != nullptr; }

bool isInteger(const Token& t)
{
    return t.kind == Kind::Number && t.text.find_first_of(".,") == std::string::npos && t.text.size() <= 6;
}

std::string cardinal(int n)
{
    static const char* const ones[] = {"",     "ein",   "zwei",   "drei",     "vier",
                                       "fünf", "sechs", "sieben", "acht",     "neun",
                                       "zehn", "elf",   "zwölf",  "dreizehn", "vierzehn",
                                       "fünfzehn", "sechzehn", "siebzehn", "achtzehn", "neunzehn"};
    static const char* const tens[] = {"", "", "zwanzig", "dreißig", "vierzig", "fünfzig", "sechzig", "siebzig",
                                       "achtzig", "neunzig"};
    std::string out;
    if (n >= 100) {
        out = std::string(n / 100 == 1 ? "" : ones[n / 100]) + "hundert";
        n %= 100;
    }
    if (n >= 20) out += std::string(n % 10 ? ones[n % 10] : "") + (n % 10 ? "und" : "") + tens[n / 10];
    else out += ones[n];
    return out;
}

// Output pieces joined by blanks; punctuation sticks to the piece before it.
class Speech {
public:
    void say(const std::string& words)
    {
        if (words.empty()) return;
        if (!text_.empty() && !glue_) text_ += ' ';
        text_ += words;
        glue_ = false;
        last_ = words;
    }
    void punctuate(char c)
    {
        if (text_.empty() || text_.back() == ',' || text_.back() == '.' || text_.back() == '?') return;
        text_ += c;
        last_.clear();
    }
    // The next piece follows without a blank ("Klassensprecher-Wahl").
    void hyphen()
    {
        text_ += '-';
        glue_ = true;
    }
    const std::string& last() const { return last_; }
    std::string take() { return text_; }

private:
    std::string text_, last_;
    bool glue_ = false;
};

bool isOperatorSymbol(const Token& t)
{
    return t.kind == Kind::Symbol && t.text.size() == 1 && std::string("=+-*:/<>(,;[").find(t.text[0]) != std::string::npos;
}

bool isOperand(const Token& t)
{
    return t.kind == Kind::Number || t.kind == Kind::Unknown || (t.kind == Kind::Word && isVariableText(t.text)) ||
           t.text == ")" || t.text == "]";
}

bool startsOperand(const Token& t)
{
    return t.kind == Kind::Number || t.kind == Kind::Unknown || (t.kind == Kind::Word && isVariableText(t.text)) ||
           t.text == "(" || t.text == "[" || t.text == "-";
}

size_t matchingClose(const std::vector<Token>& t, size_t open)
{
    int depth = 0;
    for (size_t j = open; j < t.size(); ++j) {
        if (t[j].text == "(" || t[j].text == "[") ++depth;
        if (t[j].text == ")" || t[j].text == "]") {
            if (--depth == 0) return j;
        }
    }
    return std::string::npos;
}

// "(x/y)", "(-1/y?)": a point's coordinates, read "x Strich y".
// "(5|8)", "(x|y)", "(8 | 8)", and the older "(x?/-8)": a point, read "5 Strich 8".
bool isCoordinatePair(const std::vector<Token>& t, size_t open, size_t close)
{
    int bars = 0;
    for (size_t j = open + 1; j < close; ++j) {
        const bool bar = t[j].text == "/" || t[j].text == "|";
        if (t[j].spaceBefore && !bar && t[j - 1].text != "|") return false;
        if (bar) ++bars;
        else if (!(t[j].kind == Kind::Number || isVariableText(t[j].text) || t[j].text == "-" || t[j].text == "?"))
            return false;
    }
    return bars == 1;
}

// Brackets around a calculation are read; around words or a lone number not.
bool isCalculation(const std::vector<Token>& t, size_t open, size_t close)
{
    bool op = false;
    // A leading sign alone ("( -26 )") is no calculation.
    for (size_t j = open + 1 + (t[open + 1].text == "-"); j < close; ++j) {
        if (t[j].kind == Kind::Word && t[j].text.size() >= 3) return false;
        if (t[j].kind == Kind::Symbol && std::string("+-*:/^=").find(t[j].text) != std::string::npos) op = true;
    }
    return op;
}

const char* const kOrdinals[] = {"", "erste", "zweite", "dritte", "vierte", "fünfte", "sechste", "siebte", "achte",
                                 "neunte"};

} // namespace

std::string fractionDenominatorWord(int d, bool plural)
{
    if (d == 1000) return "Tausendstel";
    if (d < 2 || d > 999) return {};
    std::string w;
    if (d == 2) return plural ? "Halbe" : "halb";
    if (d == 3) w = "drittel";
    else if (d == 7) w = "siebtel";
    else if (d == 8) w = "achtel";
    else if (d < 20) w = cardinal(d) + "tel";
    else if (d % 100 >= 3 && d % 100 < 20) w = cardinal(d - d % 100) + fractionDenominatorWord(d % 100, plural);
    else w = cardinal(d) + "stel";
    for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    w[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(w[0])));
    return w;
}

std::string spokenTaskText(std::string_view shown)
{
    // A Lösungsweg writes the minus sign and "≈"; both are read as a teacher says them.
    std::string plain(shown);
    for (size_t at; (at = plain.find("−")) != std::string::npos;) plain.replace(at, std::string("−").size(), "-");
    for (size_t at; (at = plain.find("≈")) != std::string::npos;) plain.replace(at, std::string("≈").size(), "ungefähr =");
    std::vector<Token> t = tokenize(plain);
    Speech out;
    std::vector<int> brackets; // per open bracket: 0 silent, 1 read, 2 coordinates
    bool inCoordinates = false;
    auto at = [&](size_t j) -> const Token& {
        static const Token none{Kind::Symbol, "", true};
        return j < t.size() ? t[j] : none;
    };
    auto attached = [&](size_t j) { return j < t.size() && !t[j].spaceBefore; };

    for (size_t i = 0; i < t.size(); ++i) {
        const Token& k = t[i];
        const Token& next = at(i + 1);
        const Token* prev = i > 0 ? &t[i - 1] : nullptr;
        switch (k.kind) {
        case Kind::Number: {
            // "3/4": a fraction when both sides are whole numbers standing alone.
            if (isInteger(k) && next.text == "/" && attached(i + 1) && isInteger(at(i + 2)) && attached(i + 2) &&
                !(attached(i + 3) && (at(i + 3).kind == Kind::Word || at(i + 3).text == "(" || at(i + 3).text == "^")) &&
                !(prev && attached(i) && (prev->kind == Kind::Word || prev->text == ")" || prev->text == "^"))) {
                int numerator = std::stoi(k.text), denominator = std::stoi(at(i + 2).text);
                std::string word = fractionDenominatorWord(denominator, numerator != 1);
                if (word.empty()) out.say(k.text + " durch " + at(i + 2).text);
                else out.say((numerator == 1 ? std::string("ein") : k.text) + " " + word);
                i += 2;
                break;
            }
            // "2.Binomische Formel"
            if (next.text == "." && attached(i + 1) && at(i + 2).kind == Kind::Word && attached(i + 2) &&
                k.text.size() == 1 && k.text[0] != '0') {
                out.say(kOrdinals[k.text[0] - '0']);
                ++i;
                break;
            }
            std::string n = k.text;
            for (char& c : n)
                if (c == '.') c = ',';
            out.say(n);
            break;
        }
        case Kind::Unknown:
            out.say("wie viel");
            break;
        case Kind::Word: {
            const Unit* unit = findUnit(k.text);
            // Units follow a number ("50 mm", "30cm"), "in" or "viel"; a single
            // letter stuck to a number stays a variable ("4a").
            // A line's first word has nothing before it: "t = 12 - ..." is a variable.
            bool afterNumber = prev && prev->kind == Kind::Number;
            bool afterAsk = prev && (prev->text == "in" || prev->text == "In" || prev->text == "viel");
            bool named = unit && ((k.spaceBefore && (afterNumber || afterAsk)) ||
                                  (!k.spaceBefore && afterNumber && k.text.size() >= 2));
            if (named) {
                if (next.text == "^" && attached(i + 1) && at(i + 2).text == "2" && unit->squared) {
                    out.say(unit->squared);
                    i += 2;
                } else if (next.text == "²" && attached(i + 1) && unit->squared) {
                    out.say(unit->squared);
                    i += 1;
                } else if (next.text == "/" && attached(i + 1) && attached(i + 2) && findUnit(at(i + 2).text)) {
                    out.say(std::string(unit->name) + " pro " + findUnit(at(i + 2).text)->perName);
                    i += 2;
                } else {
                    out.say(unit->name);
                }
            } else if (k.text == "EUR") {
                out.say("Euro");
            } else if (isVariableText(k.text) && next.text == "(" && attached(i + 1) && isVariableText(at(i + 2).text) &&
                       at(i + 3).text == ")") {
                out.say(k.text + " von " + at(i + 2).text); // f(x)
                i += 3;
            } else {
                out.say(k.text);
            }
            break;
        }
        case Kind::Symbol: {
            const std::string& s = k.text;
            if (s == "+") {
                out.say("plus");
            } else if (s == "-") {
                bool word = attached(i) && prev && prev->kind != Kind::Symbol && attached(i + 1) &&
                            next.kind == Kind::Word && next.text.size() >= 2;
                if (word) out.hyphen();
                else out.say("minus");
            } else if (s == "*" || s == "·") {
                out.say("mal");
            } else if (s == "²") {
                out.say("Quadrat");
            } else if (s == "³") {
                out.say("hoch drei");
            } else if (s == ":") {
                // "x und y:  2/4" and "Kürzen: 20/24" end a phrase; "74 : 2" divides.
                bool phraseEnd = attached(i) && !attached(i + 1);
                if (prev && isOperand(*prev) && startsOperand(next) && !phraseEnd) out.say("geteilt durch");
                else out.punctuate(',');
            } else if (s == "/") {
                out.say(inCoordinates ? "Strich" : "durch");
            } else if (s == "|") {
                // "2x + 2 = 8   | − 2": the operation applies to the equation.
                if (inCoordinates) {
                    out.say("Strich");
                } else {
                    out.punctuate(',');
                    out.say("auf beiden Seiten");
                }
            } else if (s == "^") {
                if (next.text == "2") {
                    out.say("Quadrat");
                    ++i;
                } else {
                    out.say("hoch");
                }
            } else if (s == "=") {
                if (out.last() != "gleich") out.say("gleich");
            } else if (s == "<") {
                out.say("kleiner als");
            } else if (s == ">") {
                out.say("größer als");
            } else if (s == "%") {
                out.say("Prozent");
            } else if (s == "°") {
                out.say("Grad");
            } else if (s == "(" || s == "[") {
                size_t close = matchingClose(t, i);
                int kind = 0;
                if (close != std::string::npos && isCoordinatePair(t, i, close)) kind = 2;
                else if (close != std::string::npos && isCalculation(t, i, close)) kind = 1;
                brackets.push_back(kind);
                if (kind == 1) out.say("Klammer auf");
                inCoordinates = kind == 2;
            } else if (s == ")" || s == "]") {
                if (!brackets.empty()) {
                    if (brackets.back() == 1) out.say("Klammer zu");
                    brackets.pop_back();
                }
                inCoordinates = false;
            } else if (s == "?") {
                if (inCoordinates) break; // "(-1/y?)": the y is the unknown
                bool afterWord = prev && prev->kind == Kind::Word && !isVariableText(prev->text);
                bool placeholder = !afterWord && ((prev && isOperatorSymbol(*prev)) ||
                                                  (next.kind == Kind::Symbol && isOperatorSymbol(next) &&
                                                   std::string(":,(<>").find(next.text) == std::string::npos));
                if (placeholder) out.say("wie viel");
                else out.punctuate('?');
            } else if (s == ";" || s == ",") {
                out.punctuate(',');
            } else if (s == "." || s == "!") {
                out.punctuate(s[0]);
            }
            break;
        }
        }
    }
    return out.take();
}

namespace {

std::string trimmedText(std::string_view s)
{
    size_t a = s.find_first_not_of(" \t\r\n"), b = s.find_last_not_of(" \t\r\n");
    return a == std::string_view::npos ? std::string() : std::string(s.substr(a, b - a + 1));
}

// "1. Wurf" is read "Wurf 1": the ordinal alone would need the right ending.
std::string spokenOperand(const std::string& operand)
{
    size_t dot = operand.find(". ");
    if (dot != std::string::npos && dot > 0 && operand.find_first_not_of("0123456789") == dot &&
        operand.find(' ', dot + 2) == std::string::npos)
        return operand.substr(dot + 2) + " " + operand.substr(0, dot);
    return spokenTaskText(operand);
}

} // namespace

std::string spokenComparison(std::string_view shown, std::string_view pictureText)
{
    const std::string_view compared = pictureText.empty() ? shown : pictureText;
    const size_t gap = compared.rfind("??");
    if (gap == std::string_view::npos) return spokenTaskText(shown);
    // The left operand starts after a line break or a wide gap (three blanks).
    size_t left = 0;
    for (size_t i = gap; i-- > 0;) {
        if (compared[i] == '\n' || (i >= 2 && compared.substr(i - 2, 3) == "   ")) {
            left = i + 1;
            break;
        }
    }
    std::string first = trimmedText(compared.substr(left, gap - left));
    std::string_view after = compared.substr(gap + 2);
    std::string second = trimmedText(after.substr(0, after.find('\n')));
    if (first.empty() || second.empty()) return spokenTaskText(shown);
    // Before the comparison: the text's own question, without the row of signs.
    std::string_view intro = pictureText.empty() ? shown.substr(0, left) : shown.substr(0, shown.find('<'));
    std::string said = spokenTaskText(intro);
    if (!said.empty() && said.back() != '?' && said.back() != '.') said += '.';
    if (!said.empty()) said += ' ';
    return said + "Was gehört zwischen " + spokenOperand(first) + " und " + spokenOperand(second) +
           ": kleiner, gleich oder größer?";
}
