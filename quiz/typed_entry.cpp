// Answering by typing: one field, or two stacked fields for a two-part
// answer (a fraction reads as numerator over denominator), drawn where the
// squares would be. The text typed is judged by the squares' judges.
#include "typed_entry.h"

#include "answer_keys.h"
#include "catalog.h"
#include "pictures.h"
#include "quiz.h"
#include "sounds.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int kWhite = 0xFFFFFF;
constexpr int kBlack = 0x000000;
constexpr int kBlue = 0x0000FF;
constexpr int kGrey = 0x808080;
constexpr int kHintRed = 0xC80000;
constexpr int kFieldWidth = 240;
constexpr int kLabelGap = 12;   // between a label and its field
constexpr int kHintRight = 960; // where hints and the right answer beside a field end
constexpr int kBlinkMs = 500;
constexpr const char* kHintFont = "arial20";

struct Field {
    std::string text;  // as typed: digits, '-', ',' or '.'
    SquareRect box;    // task-area pixels
    std::string label; // UTF-8, empty for none
    std::vector<int> underHint; // the task's pixels where hints go
};

struct Entry {
    bool active = false;
    bool fraction = false; // the two fields are numerator over denominator
    bool reduceTold = false;  // "noch kürzen" was said: the next answer is judged
    std::vector<Field> fields;
    int focus = 0;
    bool cursorOn = true;
    std::string hint; // UTF-8, beside the focused field
    int hintField = 0;
    SquareLayout layout;
} entry;

// Two rows of the fraction kinds stand as numerator over denominator.
bool fractionFields(const SquareLayout& layout)
{
    return layout.kind() == AnswerRows::TwoRows && (answerKind == 3 || answerKind >= 7);
}

int fontHeight(const char* font)
{
    int h = aofont_find(font);
    return h >= 0 ? aofont_height(h) : 32;
}

int textWidth(const char* font, const std::string& cp1252)
{
    int h = aofont_find(font);
    return h >= 0 ? aofont_textwidth(h, cp1252.c_str()) : static_cast<int>(cp1252.size()) * 16;
}

SquareRect hintRect(const Field& f)
{
    return {f.box.x + f.box.w + 16, f.box.y, kHintRight - (f.box.x + f.box.w + 16), f.box.h};
}

void drawField(int i)
{
    const Field& f = entry.fields[i];
    const SquareRect& b = f.box;
    bool focused = i == entry.focus;
    aographic_fillrect(b.x - 3, b.y - 3, b.w + 6, b.h + 6, kWhite);
    aographic_fillrect(b.x, b.y, b.w, b.h, kWhite);
    int edge = focused ? kBlue : kGrey;
    for (int t = 0; t < (focused ? 3 : 1); ++t) aographic_rect(b.x - t, b.y - t, b.w + 2 * t, b.h + 2 * t, edge);
    aographic_setfont(kSquareFont);
    int ty = b.y + (b.h - fontHeight(kSquareFont)) / 2;
    aographic_text(b.x + 10, ty, kBlack, f.text.c_str());
    if (focused && entry.cursorOn) {
        int cx = b.x + 11 + textWidth(kSquareFont, f.text);
        aographic_fillrect(cx, b.y + 6, 2, b.h - 12, kBlack);
    }
}

// Puts the task's own pixels back where a hint or the right answer stood.
void clearHint(const Field& f)
{
    SquareRect r = hintRect(f);
    size_t i = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w && i < f.underHint.size(); ++x) aographic_setpixel(x, y, f.underHint[i++]);
}

void drawHint()
{
    for (const Field& f : entry.fields) clearHint(f);
    if (entry.hint.empty()) return;
    const Field& f = entry.fields[entry.hintField];
    SquareRect r = hintRect(f);
    aographic_setfont(kHintFont);
    aographic_text(r.x, r.y + (r.h - fontHeight(kHintFont)) / 2, kHintRed, ao_utf8_to_cp1252(entry.hint).c_str());
}

void drawEntry()
{
    taskArea.select();
    for (size_t i = 0; i < entry.fields.size(); ++i) drawField(static_cast<int>(i));
    drawHint();
    taskArea.flush();
}

// The first draw: fields, their labels and a fraction's bar.
void drawWhole()
{
    taskArea.select();
    for (Field& f : entry.fields) {
        SquareRect r = hintRect(f);
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) f.underHint.push_back(aographic_getpixel(x, y));
    }
    aographic_setfont(kSquareFont);
    for (const Field& f : entry.fields)
        if (!f.label.empty()) {
            const std::string label = ao_utf8_to_cp1252(f.label);
            aographic_text(f.box.x - kLabelGap - textWidth(kSquareFont, label),
                           f.box.y + (f.box.h - fontHeight(kSquareFont)) / 2, kBlue, label.c_str());
        }
    if (entry.fraction) {
        const SquareRect& a = entry.fields[0].box;
        const SquareRect& b = entry.fields[1].box;
        int y = (a.y + a.h + b.y) / 2;
        aographic_fillrect(a.x - 4, y - 1, a.w + 8, 3, kBlack);
    }
    drawEntry();
}

// The labels before two fields, as a pupil names what goes into them.
std::pair<const char*, const char*> fieldLabels()
{
    switch (answerKind) {
    case 2: return {"x =", "y ="};
    case 3:
    case 9: return {"Zähler", "Nenner"};
    case 7:
    case 8: return {"günstige", "mögliche"};
    default: return {"1. Zahl", "2. Zahl"};
    }
}

void setupFields(const SquareLayout& layout)
{
    entry = Entry{};
    entry.layout = layout;
    int rows = layout.kind() == AnswerRows::TwoRows ? 2 : 1;
    // Two fields are labelled right before them, the fields moved right to make room.
    const auto [first, second] = fieldLabels();
    const int labelRoom = rows == 2 ? std::max(textWidth(kSquareFont, ao_utf8_to_cp1252(first)),
                                               textWidth(kSquareFont, ao_utf8_to_cp1252(second))) + kLabelGap
                                    : 0;
    for (int row = 1; row <= rows; ++row) {
        SquareRect square = layout.drawn({row, 0});
        Field f;
        f.box = {square.x + 2 + labelRoom, square.y, kFieldWidth, square.h};
        if (rows == 2) f.label = row == 1 ? first : second;
        entry.fields.push_back(f);
    }
    entry.fraction = fractionFields(layout);
    if (rows == 2 && !entry.fraction) {
        // Coordinates: the second field further down, clear of the first's frame.
        entry.fields[1].box.y = std::max(entry.fields[1].box.y, entry.fields[0].box.y + entry.fields[0].box.h + 14);
    }
}

void setHint(const std::string& hint, int field)
{
    entry.hint = hint;
    entry.hintField = field;
}

// The text with a decimal comma, as a German reader writes it.
void frameFields(bool right)
{
    taskArea.select();
    int colour = right ? kRightColour : kWrongColour;
    for (const Field& f : entry.fields) {
        int out = kFrameThickness + 1;
        SquareRect r{f.box.x - out, f.box.y - out, f.box.w + 2 * out, f.box.h + 2 * out};
        for (int t = 0; t < kFrameThickness; ++t) aographic_rect(r.x + t, r.y + t, r.w - 2 * t, r.h - 2 * t, colour);
    }
    taskArea.flush();
}

// After a wrong answer the right one beside each field, in green.
void showRightAnswer()
{
    std::vector<std::string> parts = typedAnswerTexts(entry.layout, true);
    taskArea.select();
    aographic_setfont(kSquareFont);
    for (size_t i = 0; i < entry.fields.size() && i < parts.size(); ++i) {
        SquareRect r = hintRect(entry.fields[i]);
        clearHint(entry.fields[i]);
        aographic_text(r.x, r.y + (r.h - fontHeight(kSquareFont)) / 2, kRightColour,
                       ao_utf8_to_cp1252("richtig: " + parts[i]).c_str());
    }
    taskArea.flush();
}

void showRewardFaded()
{
    aographic_clear(kWhite);
    drawStoredPictureFaded();
    taskArea.flush();
}

std::string answerText()
{
    if (entry.fields.size() == 1) return entry.fields[0].text;
    // Pairs as the review writes them: "(3 | 4)", "3 / 4", "18 und 37".
    const std::optional<TypedNumber> na = readTypedNumber(entry.fields[0].text),
                                     nb = readTypedNumber(entry.fields[1].text);
    const std::optional<long long> a = na ? typedWhole(*na) : std::nullopt, b = nb ? typedWhole(*nb) : std::nullopt;
    if (a && b && *a >= INT_MIN && *a <= INT_MAX && *b >= INT_MIN && *b <= INT_MAX)
        return pairText(static_cast<int>(*a), static_cast<int>(*b));
    return entry.fields[0].text + " / " + entry.fields[1].text;
}

// The lowest task-area row of the fields, their frames and labels.
int fieldsBottom()
{
    int bottom = entry.layout.bottom();
    for (const Field& f : entry.fields) bottom = std::max(bottom, f.box.y + f.box.h + kFrameThickness + 1);
    return bottom;
}

bool isFieldChar(int key)
{
    return (key >= '0' && key <= '9') || key == '-' || key == ',' || key == '.';
}

int fieldAt(int x, int y)
{
    for (size_t i = 0; i < entry.fields.size(); ++i) {
        const SquareRect& b = entry.fields[i].box;
        if (SquareRect{b.x - 4, b.y - 4, b.w + 8, b.h + 8}.contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

void moveFocus(int to)
{
    entry.focus = std::clamp(to, 0, static_cast<int>(entry.fields.size()) - 1);
    entry.cursorOn = true;
}

} // namespace

std::optional<TypedNumber> readTypedNumber(std::string_view text)
{
    TypedNumber n;
    size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        n.negative = true;
        ++i;
    }
    std::string whole, decimals;
    bool separator = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') (separator ? decimals : whole) += c;
        else if ((c == ',' || c == '.') && !separator) separator = true;
        else return std::nullopt;
    }
    if (whole.empty() && decimals.empty()) return std::nullopt;
    size_t lead = whole.find_first_not_of('0');
    n.whole = lead == std::string::npos ? "0" : whole.substr(lead);
    size_t trail = decimals.find_last_not_of('0');
    n.decimals = trail == std::string::npos ? "" : decimals.substr(0, trail + 1);
    if (n.whole == "0" && n.decimals.empty()) n.negative = false; // "-0" is 0
    return n;
}

std::string typedHint(std::string_view text)
{
    if (text.empty()) return "Bitte eine Zahl eintippen.";
    if (readTypedNumber(text)) return "";
    return "Keine Zahl: Ziffern, vorn ein Minus, ein Komma.";
}

std::optional<long long> typedWhole(const TypedNumber& n)
{
    if (!n.decimals.empty() || n.whole.size() > 15) return std::nullopt;
    long long v = std::stoll(n.whole);
    return n.negative ? -v : v;
}

std::optional<std::string> typedAtPlaces(const TypedNumber& n, int places)
{
    if (static_cast<int>(n.decimals.size()) > places) return std::nullopt;
    std::string s = (n.negative ? "-" : "") + n.whole;
    if (places > 0) s += "." + n.decimals + std::string(places - n.decimals.size(), '0');
    return s;
}

TypedJudgement judgeTyped(const SquareLayout& layout, const std::vector<std::string>& texts)
{
    TypedJudgement j;
    auto refuse = [&j](const std::string& hint, int field) {
        j.outcome = TypedJudgement::Refused;
        j.hint = hint;
        j.field = field;
        return j;
    };
    std::vector<TypedNumber> numbers;
    for (size_t i = 0; i < texts.size(); ++i) {
        std::string hint = typedHint(texts[i]);
        if (!hint.empty()) return refuse(hint, static_cast<int>(i));
        numbers.push_back(*readTypedNumber(texts[i]));
    }
    auto verdict = [&j](bool right) {
        j.outcome = right ? TypedJudgement::Right : TypedJudgement::Wrong;
        return j;
    };
    if (numbers.empty()) return refuse(typedHint(""), 0);
    if (layout.kind() == AnswerRows::Decimal) {
        // At the places the solution is printed with: "3,8" and "3,80" alike.
        std::string solutionText = decimalSquareText(decimalSolution[taskIndex], decimalPlaces);
        size_t point = solutionText.find_first_of(".,");
        int places = point == std::string::npos ? 0 : static_cast<int>(solutionText.size() - point - 1);
        std::optional<std::string> printed = typedAtPlaces(numbers[0], places);
        return verdict(printed && decimalAnswerRight(*printed));
    }
    if (numbers.size() == 1 || layout.kind() != AnswerRows::TwoRows) {
        std::optional<long long> v = typedWhole(numbers[0]);
        return verdict(v && wholeAnswerRight(*v));
    }
    std::optional<long long> a = typedWhole(numbers[0]), b = typedWhole(numbers[1]);
    bool fraction = fractionFields(layout);
    if (fraction && b && *b == 0) return refuse("Der Nenner darf nicht 0 sein.", 1);
    if (!a || !b || *a <= INT_MIN || *a > INT_MAX || *b <= INT_MIN || *b > INT_MAX) return verdict(false);
    int x = static_cast<int>(*a), y = static_cast<int>(*b);
    if (fraction && y < 0) { // "3 / -4" is "-3 / 4"
        x = -x;
        y = -y;
    }
    if (pairAnswerRight(x, y)) return verdict(true);
    if (needsReducing(x, y)) {
        j.outcome = TypedJudgement::Reduce;
        j.hint = "richtig, aber noch kürzen";
        return j;
    }
    return verdict(false);
}

bool typedFieldFor(AnswerRows rows, int taskNumber)
{
    return answerInput == AnswerInput::Typed && rows != AnswerRows::None && choiceMode != 2 &&
           !answerPicksFromSquares(taskNumber);
}

bool typedEntryActive()
{
    return entry.active;
}

std::vector<std::string> typedAnswerTexts(const SquareLayout& layout, bool right)
{
    if (layout.kind() == AnswerRows::Decimal) {
        double v = decimalSolution[taskIndex] + (right ? 0.0 : 1.0);
        std::string s = decimalSquareText(v, decimalPlaces);
        return {s.substr(s.find_first_not_of(' '))}; // the square's text has its comma
    }
    if (layout.kind() == AnswerRows::TwoRows) {
        int a = solution[taskIndex], b = solution2[taskIndex];
        if (!right) {
            // A numerator one further never gives an equal fraction.
            do ++a;
            while (pairAnswerRight(a, b) || needsReducing(a, b));
        }
        return {std::to_string(a), std::to_string(b)};
    }
    long long v = solution[taskIndex];
    if (!right)
        do ++v;
        while (wholeAnswerRight(v));
    return {std::to_string(v)};
}

namespace {

// Events of the "answer" command: they queue behind keys typed before it.
int answerEventCode(bool right)
{
    static const int first = aonewid(2);
    return first + (right ? 0 : 1);
}

} // namespace

void typeAnswer(bool right)
{
    aoputevent(answerEventCode(right));
}

void runTypedEntry(const SquareLayout& layout)
{
    setupFields(layout);
    drawWhole();
    entry.active = true;
    waitingStage = 0;
    std::optional<aoTimer> prompt;
    prompt.emplace((100 + 10 * waitingStage) * 1000);
    aoTimer blink(kBlinkMs);
    bool judged = false, right = false;
    while (aoisrunning()) {
        int e = aogetevent();
        if (e == blink.code[1]) {
            entry.cursorOn = !entry.cursorOn;
            drawEntry();
            continue;
        }
        if (e == prompt->code[1]) {
            if (soundOn == 1) playWaitingPrompt();
            prompt.emplace((100 + 10 * waitingStage) * 1000);
            continue;
        }
        if (e <= 0) continue;
        prompt.emplace((100 + 10 * waitingStage) * 1000);
        if (e == answerEventCode(true) || e == answerEventCode(false)) {
            std::vector<std::string> texts = typedAnswerTexts(entry.layout, e == answerEventCode(true));
            for (size_t i = 0; i < entry.fields.size() && i < texts.size(); ++i) entry.fields[i].text = texts[i];
            entry.focus = static_cast<int>(entry.fields.size()) - 1;
            e = AOKEY_ENTER;
        }
        Field& f = entry.fields[entry.focus];
        int two = static_cast<int>(entry.fields.size()) - 1;
        if (e == AOKEY_ESCAPE) {
            taskOutcome.verdict = Verdict::Skipped;
            break;
        }
        if (e == mainWindow.code[1]) {
            int i = fieldAt(mainWindow.mousex() - taskArea.wx, mainWindow.mousey() - taskArea.wy);
            if (i >= 0) moveFocus(i);
        } else if (isFieldChar(e)) {
            if (f.text.size() < kFieldChars) f.text += static_cast<char>(e);
            if (!entry.reduceTold) entry.hint.clear();
        } else if (e == AOKEY_BACKSPACE) {
            if (!f.text.empty()) f.text.pop_back();
            if (!entry.reduceTold) entry.hint.clear();
        } else if (e == AOKEY_TAB || e == AOKEY_DOWN || e == AOKEY_RIGHT) {
            moveFocus(e == AOKEY_TAB && entry.focus == two ? 0 : entry.focus + 1);
        } else if (e == AOKEY_UP || e == AOKEY_LEFT) {
            moveFocus(entry.focus - 1);
        } else if (e == AOKEY_ENTER || e == '\r') {
            // Enter in the first of two fields goes on to the second while it is empty.
            if (entry.focus < two && entry.fields[two].text.empty() && !f.text.empty()) {
                moveFocus(two);
            } else {
                std::vector<std::string> texts;
                for (const Field& field : entry.fields) texts.push_back(field.text);
                TypedJudgement j = judgeTyped(entry.layout, texts);
                // One more try for a pupil who only forgot to reduce.
                if (j.outcome == TypedJudgement::Reduce && entry.reduceTold) j.outcome = TypedJudgement::Wrong;
                if (j.outcome == TypedJudgement::Right || j.outcome == TypedJudgement::Wrong) {
                    judged = true;
                    right = j.outcome == TypedJudgement::Right;
                    break;
                }
                if (j.outcome == TypedJudgement::Reduce) {
                    // The second try starts with empty fields: typed on after
                    // "12", a "6" would make "126". The hint keeps what was typed.
                    entry.reduceTold = true;
                    j.hint += " (" + entry.fields[0].text + "/" + entry.fields[1].text + ")";
                    for (Field& field : entry.fields) field.text.clear();
                }
                setHint(j.hint, j.field);
                entry.focus = j.field;
            }
        } else if (e < 256 && e > ' ') {
            setHint("Nur Ziffern, Minus und Komma.", entry.focus);
        } else {
            continue;
        }
        entry.cursorOn = true;
        drawEntry();
    }
    entry.active = false;
    if (!aoisrunning()) return;
    if (!judged) {
        // Skipped: the Lösungsweg, as with squares; then the area goes as after a verdict.
        showSolutionSteps(0, fieldsBottom());
        if (!aoisrunning()) return;
        saveAreaRect(10, 1000, 100, 700);
        taskArea.select();
        showRewardFaded();
        return;
    }
    taskOutcome.answer = answerText();
    answerVerdict(right);
    aospeech_stop();
    entry.hint.clear();
    entry.cursorOn = false;
    entry.focus = -1; // no field waits any more
    drawEntry();
    frameFields(right);
    if (right) {
        aowait(kRightFrameSeconds);
    } else {
        showRightAnswer();
        termPrintf(ao_utf8_to_cp1252("\n!! Lösung war : %s  !!").c_str(),
                   ao_utf8_to_cp1252(taskOutcome.rightAnswer).c_str());
        showSolutionSteps(4, fieldsBottom());
    }
    if (!aoisrunning()) return;
    saveAreaRect(10, 1000, 100, 700);
    taskArea.select();
    showRewardFaded();
}
