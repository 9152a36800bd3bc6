// Typed answers: what a field reads, that typing and clicking are judged
// alike over every task type, and whole headless games in typed mode.
#include "quiz_fixture.h"

#include "catalog/catalog_test_util.h"
#include "typed_entry.h"

#include <map>

using quiztest::count;
using quiztest::Quiz;
namespace fs = std::filesystem;

TEST(TypedNumber, ReadsCommaOrPointAndRefusesWhatCannotBeANumber)
{
    struct Case {
        const char* text;
        const char* atTwoPlaces; // nullptr: refused
    };
    for (const Case& c : std::vector<Case>{{"3,8", "3.80"},
                                           {"3.80", "3.80"},
                                           {"003,800", "3.80"},
                                           {"-12", "-12.00"},
                                           {",5", "0.50"},
                                           {"7,", "7.00"},
                                           {"-0", "0.00"},
                                           {"-0,00", "0.00"},
                                           {"", nullptr},
                                           {"-", nullptr},
                                           {",", nullptr},
                                           {"3,,4", nullptr},
                                           {"3,4.5", nullptr},
                                           {"--2", nullptr},
                                           {"1-2", nullptr},
                                           {"2a", nullptr},
                                           {" 2", nullptr}}) {
        std::optional<TypedNumber> n = readTypedNumber(c.text);
        EXPECT_EQ(n.has_value(), c.atTwoPlaces != nullptr) << c.text;
        EXPECT_EQ(typedHint(c.text).empty(), c.atTwoPlaces != nullptr) << c.text;
        if (n && c.atTwoPlaces) {
            EXPECT_EQ(typedAtPlaces(*n, 2).value_or("?"), c.atTwoPlaces) << c.text;
        }
    }
    // More decimals than printed are no square's text, and no whole number.
    EXPECT_FALSE(typedAtPlaces(*readTypedNumber("3,85"), 1));
    EXPECT_EQ(typedAtPlaces(*readTypedNumber("3,850"), 2), "3.85");
    EXPECT_FALSE(typedWhole(*readTypedNumber("3,5")));
    EXPECT_EQ(typedWhole(*readTypedNumber("-3,0")), -3);
    EXPECT_FALSE(typedWhole(*readTypedNumber("12345678901234567890"))) << "too long for any solution";
}

namespace {

// runTask takes the catalog's printer; the game's is put back afterwards.
struct KeepGamePrinter {
    TaskPrinter game = catalog_setprinter(nullptr);
    KeepGamePrinter() { catalog_setprinter(game); }
    ~KeepGamePrinter() { catalog_setprinter(game); }
};

std::string trimmedComma(std::string s)
{
    s.erase(0, s.find_first_not_of(' '));
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

} // namespace

// Every task type, a few seeds: a task that asks to choose among the squares
// keeps them; every other one takes the right typed answer and refuses a
// wrong one, and each square's text, typed, gets the square's verdict.
TEST_F(Quiz, TypedAndClickedAnswersAreJudgedAlikeForEveryTaskType)
{
    start("");
    KeepGamePrinter printer;
    answerInput = AnswerInput::Typed;
    int typedTasks = 0, squareChecks = 0;
    for (int n : allTaskNumbers()) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            taskArea.select();
            GeneratedTask g = runTask(n, seed);
            level = taskLevel(n);
            difficulty = taskDifficulty(n);
            lastTaskNumber = n;
            AnswerRows rows = buildAnswerRows(level, difficulty, n);
            if (rows == AnswerRows::None) break;
            SquareLayout layout = SquareLayout::current(rows);
            bool choose = has(g.text, "Welche der Zahlen") || has(g.text, "Wähle aus");
            ASSERT_EQ(answerPicksFromSquares(n), choose) << n << ": " << g.text;
            if (!typedFieldFor(rows, n)) continue;
            ++typedTasks;
            std::vector<std::string> right = typedAnswerTexts(layout, true);
            std::vector<std::string> wrong = typedAnswerTexts(layout, false);
            ASSERT_EQ(judgeTyped(layout, right).outcome, TypedJudgement::Right) << n << " seed " << seed;
            ASSERT_EQ(judgeTyped(layout, wrong).outcome, TypedJudgement::Wrong) << n << " seed " << seed;
            ASSERT_EQ(right.size(), rows == AnswerRows::TwoRows ? 2u : 1u);
            if (rows == AnswerRows::TwoRows) {
                for (int a = 0; a < layout.columns(); ++a) {
                    std::vector<std::string> pick{trimmedComma(squareText(layout, {1, a})),
                                                  trimmedComma(squareText(layout, {2, a}))};
                    bool clicked = pairAnswerRight(squareValue(layout, {1, a}), squareValue(layout, {2, a}));
                    TypedJudgement::Outcome typed = judgeTyped(layout, pick).outcome;
                    ASSERT_EQ(typed == TypedJudgement::Right, clicked) << n << " seed " << seed << " pair " << a;
                    ++squareChecks;
                }
                continue;
            }
            for (int c = 0; c < layout.columns(); ++c) {
                std::string text = squareText(layout, {1, c});
                bool clicked = rows == AnswerRows::Decimal ? decimalAnswerRight(text)
                                                           : wholeAnswerRight(squareValue(layout, {1, c}));
                TypedJudgement::Outcome typed = judgeTyped(layout, {trimmedComma(text)}).outcome;
                ASSERT_EQ(typed == TypedJudgement::Right, clicked) << n << " seed " << seed << ": " << text;
                ++squareChecks;
            }
        }
    }
    EXPECT_GT(typedTasks, 1000);
    EXPECT_GT(squareChecks, 5000);
    answerInput = AnswerInput::Squares;
}

// A reduced fraction is asked for: an equal one not reduced gets a hint, a
// denominator 0 is refused, "3 / -4" is "-3 / 4"; a probability is right in
// any equal form.
TEST_F(Quiz, FractionsAreJudgedAsTheTaskAsksForThem)
{
    start("");
    KeepGamePrinter printer;
    taskArea.select();
    runTask(4301, 5);
    level = 4;
    difficulty = 3;
    SquareLayout layout = SquareLayout::current(buildAnswerRows(4, 3, 4301));
    ASSERT_EQ(answerKind, 3);
    const int a = solution[1], b = solution2[1];
    auto judge = [&layout](long long x, long long y) {
        return judgeTyped(layout, {std::to_string(x), std::to_string(y)}).outcome;
    };
    EXPECT_EQ(judge(a, b), TypedJudgement::Right);
    EXPECT_EQ(judge(3 * a, 3 * b), TypedJudgement::Reduce);
    EXPECT_EQ(judge(-a, -b), TypedJudgement::Right);
    EXPECT_EQ(judge(a + 1, b), TypedJudgement::Wrong);
    TypedJudgement zero = judgeTyped(layout, {"1", "0"});
    EXPECT_EQ(zero.outcome, TypedJudgement::Refused);
    EXPECT_EQ(zero.field, 1);
    EXPECT_EQ(judgeTyped(layout, {"1", ""}).field, 1) << "the empty field is named";

    runTask(9305, 2);
    level = 9;
    difficulty = 3;
    layout = SquareLayout::current(buildAnswerRows(9, 3, 9305));
    ASSERT_EQ(answerKind, 9);
    EXPECT_EQ(judge(solution[1], solution2[1]), TypedJudgement::Right);
    EXPECT_EQ(judge(2 * solution[1], 2 * solution2[1]), TypedJudgement::Right) << "an equal probability";
    EXPECT_EQ(judge(solution[1] + 1, solution2[1]), TypedJudgement::Wrong);
}

namespace {

class TypedGames : public Quiz {
protected:
    void TearDown() override
    {
        historyClose();
        historySettings = HistorySettings{};
        answerInput = AnswerInput::Squares;
    }
};

// One script line group per task: r right, w wrong, m refused texts then
// right, e Escape.
std::string typedScript(const std::string& pattern)
{
    std::string s = "wait 20\n";
    for (char c : pattern) {
        if (c == 'r') s += "answer right\nwait 12\n";
        if (c == 'w') s += "answer wrong\nwait 12\n";
        if (c == 'm') s += "type 3,,4\nkey Enter\nwait 1\nkey Enter\nwait 1\ntype -\nwait 1\nanswer right\nwait 12\n";
        if (c == 'e') s += "type 12\nkey Escape\nwait 12\n";
    }
    return s;
}

} // namespace

// Whole games at five levels with right, wrong, refused and skipped answers:
// verdicts, score and the history's rows.
TEST_F(TypedGames, WholeGamesAtFiveLevelsCountAsTheSquaresDo)
{
    struct Game {
        int level, difficulty;
        std::vector<int> tasks;
        std::string pattern;
    };
    const std::vector<Game> games = {
        {3, 1, {3107, 3102, 3107, 3104, 3105, 3106}, "rwmerr"},
        {4, 3, {4301, 4302, 4303, 4304, 4305, 4306}, "rrwmer"},
        {6, 1, {6101, 6104, 6102, 6105, 6103, 6106}, "rmwrer"},
        {9, 3, {9302, 9303, 9305, 9306, 9309, 9310}, "rwrmer"},
        {12, 1, {12101, 12102, 12103, 12104, 12105, 12106}, "rrwmer"},
    };
    fs::path db = fs::temp_directory_path() / ("ziffron_typed_" + std::to_string(::getpid()) + ".sqlite3");
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(db.string() + suffix);
    bool negative = false, decimal = false, fraction = false, twoPart = false;
    for (const Game& game : games) {
        SCOPED_TRACE("level " + std::to_string(game.level));
        start(typedScript(game.pattern));
        historySettings = HistorySettings{true, db.string(), "Typed"};
        openHistory();
        answerInput = AnswerInput::Typed;
        soundOn = 1;
        startPractice(game.level, game.difficulty, game.tasks);
        historyClose();
        ASSERT_EQ(gameLog.tasks.size(), game.tasks.size()) << transcript();
        int right = 0, wrong = 0;
        for (size_t i = 0; i < game.pattern.size(); ++i) {
            const TaskRecord& t = gameLog.tasks[i];
            char c = game.pattern[i];
            TaskVerdict want = c == 'w' ? TaskVerdict::Wrong : c == 'e' ? TaskVerdict::Skipped : TaskVerdict::Right;
            EXPECT_EQ(t.verdict, want) << t.taskNumber << " " << c << " answer " << t.answer << "\n" << transcript();
            right += want == TaskVerdict::Right;
            wrong += want == TaskVerdict::Wrong;
            if (c == 'e') {
                EXPECT_EQ(t.answer, "–");
            }
            if (c == 'w') {
                EXPECT_NE(t.answer, t.solution);
            }
            if (want == TaskVerdict::Right) {
                negative = negative || t.answer.starts_with('-');
                decimal = decimal || t.answer.find(',') != std::string::npos;
                twoPart = twoPart || t.answer.find(" / ") != std::string::npos;
                fraction = fraction || (t.answer.find(" / ") != std::string::npos && game.level == 4);
                if (c == 'm') {
                    EXPECT_EQ(t.answer.find(",,"), std::string::npos) << "the refused text is not kept";
                }
            }
        }
        EXPECT_EQ(correctCount, right);
        EXPECT_EQ(wrongCount, wrong);
        EXPECT_EQ(count(transcript(), "\n Lösungsweg:"), 2) << "after the wrong answer and the skip\n" << transcript();
        // A refused text sounds no verdict; the hint stays in the task area.
        EXPECT_EQ(count(transcript(), "sound/RIGHT/") + count(transcript(), "sound/WRONG/"), right + wrong)
            << transcript();
    }
    EXPECT_TRUE(negative && decimal && fraction && twoPart)
        << negative << decimal << fraction << twoPart << " among the right answers";

    std::vector<StoredGame> stored;
    std::string err;
    ASSERT_TRUE(historyLoad(db, {}, stored, err)) << err;
    ASSERT_EQ(stored.size(), games.size());
    for (size_t g = 0; g < games.size(); ++g) {
        ASSERT_EQ(stored[g].taskList.size(), games[g].tasks.size());
        EXPECT_EQ(stored[g].input, "typed");
        EXPECT_EQ(stored[g].right + stored[g].wrong + stored[g].skipped, static_cast<int>(games[g].tasks.size()));
        for (size_t i = 0; i < games[g].pattern.size(); ++i) {
            const TaskRecord& t = stored[g].taskList[i];
            char c = games[g].pattern[i];
            EXPECT_STREQ(verdictName(t.verdict), c == 'w' ? "wrong" : c == 'e' ? "skipped" : "right");
            if (c == 'r' || c == 'm') {
                // The typed text is kept: a decimal comma where the solution has a point.
                std::string typed = t.solution;
                std::replace(typed.begin(), typed.end(), '.', ',');
                EXPECT_EQ(t.answer, typed) << t.taskNumber;
            }
        }
    }
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(db.string() + suffix);
}

// An unreduced fraction gets the hint and one more try in empty fields:
// typed reduced then it is right, unreduced again it is wrong; neither try
// sounds a verdict of its own.
TEST_F(TypedGames, UnreducedFractionGetsOneMoreTry)
{
    for (bool reduceOnSecondTry : {true, false}) {
        start("");
        KeepGamePrinter printer;
        taskArea.select();
        runTask(4301, 5);
        const std::string twice = std::to_string(2 * solution[1]), twiceBelow = std::to_string(2 * solution2[1]);
        auto typed = [](const std::string& a, const std::string& b) {
            return "type " + a + "\nkey Tab\ntype " + b + "\nkey Enter\nwait 1\n";
        };
        const std::string unreduced = typed(twice, twiceBelow);
        start("wait 1\n" + unreduced +
              (reduceOnSecondTry ? typed(std::to_string(solution[1]), std::to_string(solution2[1])) : unreduced) +
              "wait 10\n");
        taskArea.select();
        runTask(4301, 5);
        level = 4;
        difficulty = 3;
        lastTaskNumber = 4301;
        answerInput = AnswerInput::Typed;
        correctCount = wrongCount = 0;
        ASSERT_EQ(runAnswerEntry(4301), AnswerRows::TwoRows);
        EXPECT_EQ(taskOutcome.verdict, reduceOnSecondTry ? Verdict::Right : Verdict::Wrong);
        EXPECT_EQ(correctCount + wrongCount, 1);
        EXPECT_EQ(count(transcript(), "sound/RIGHT/") + count(transcript(), "sound/WRONG/"), 1) << transcript();
        EXPECT_EQ(taskOutcome.answer, reduceOnSecondTry ? taskOutcome.rightAnswer : twice + " / " + twiceBelow);
    }
}

// Two fields are labelled right before them ("x =", "Zähler"), not far off
// where the squares' row labels stand.
TEST_F(Quiz, TwoFieldsAreLabelledWhereTheyAre)
{
    const fs::path shot = fs::temp_directory_path() / ("ziffron_labels_" + std::to_string(::getpid()) + ".bmp");
    for (int task : {6101, 4301}) {
        fs::remove(shot);
        start("wait 1\nshot " + shot.string() + "\nkey Escape\nwait 12\n");
        KeepGamePrinter printer;
        taskArea.select();
        aographic_clear(0xFFFFFF); // nothing of an earlier test's screen
        runTask(task, 5);
        level = taskLevel(task);
        difficulty = taskDifficulty(task);
        lastTaskNumber = task;
        answerInput = AnswerInput::Typed;
        const AnswerRows rows = runAnswerEntry(task);
        answerInput = AnswerInput::Squares;
        ASSERT_EQ(rows, AnswerRows::TwoRows);
        const aoPixmap p = quiztest::readShot(shot.string());
        const int bottom = SquareLayout::current(rows).bottom() + 20;
        int near = 0, far = 0;
        for (int y = 180; y < 180 + bottom; ++y)
            for (int x = 10; x < 1290; ++x)
                if (aopxmap_getpixel(&p, x, y) == 0x0000FF) (x < 10 + 400 ? near : far)++;
        EXPECT_GT(near, 300) << task << ": the labels and the focused field's frame";
        EXPECT_EQ(far, 0) << task << ": a label far from its field";
    }
    fs::remove(shot);
}

TEST_F(Quiz, InputSwitchIsKeptInTheSelectionFileAndReadBack)
{
    start("wait 1\ntype i\nwait 1\nclose\n");
    EXPECT_EQ(answerInput, AnswerInput::Squares);
    serveMainScreen();
    EXPECT_EQ(answerInput, AnswerInput::Typed);
    EXPECT_NE(transcript().find("Eingabe: Antworten eintippen"), std::string::npos) << transcript();
    answerInput = AnswerInput::Squares;
    loadSelection(); // the next run
    EXPECT_EQ(answerInput, AnswerInput::Typed);

    // --typed wins over the file for the run; without it the file says.
    start("");
    char prog[] = "ziffron", typed[] = "--typed", other[] = "--seed";
    char* args[] = {prog, typed, other};
    EXPECT_EQ(takeTypedOption(3, args, 2), 0);
    EXPECT_EQ(takeTypedOption(3, args, 1), 1);
    loadSelection();
    EXPECT_EQ(answerInput, AnswerInput::Typed);
    typedOption = false;
    loadSelection();
    EXPECT_EQ(answerInput, AnswerInput::Squares);
}

TEST_F(TypedGames, ReadingAloudAsksToTypeWhereAFieldWaits)
{
    for (AnswerInput input : {AnswerInput::Typed, AnswerInput::Squares}) {
        start("wait 20\nanswer right\nwait 12\n");
        aospeech_enable(true);
        answerInput = input;
        startPractice(4, 3, {4301});
        aospeech_enable(false);
        EXPECT_EQ(count(transcript(), "Gib die Antwort ein."), input == AnswerInput::Typed ? 1 : 0) << transcript();
        EXPECT_EQ(correctCount, 1);
    }
}

TEST_F(TypedGames, CompareAndChoiceTasksKeepTheirSquares)
{
    // Three tasks: one wrong of two would end the game.
    start("wait 20\nkey <\nwait 12\nanswer right\nwait 12\nanswer right\nwait 12\n");
    answerInput = AnswerInput::Typed;
    startPractice(5, 1, {5101, 5102, 5103});
    ASSERT_EQ(gameLog.tasks.size(), 3u);
    const std::string& sign = gameLog.tasks[0].answer;
    EXPECT_EQ(sign, "<") << "the key answers the compare task at once";
    EXPECT_EQ(gameLog.tasks[0].verdict, gameLog.tasks[0].solution == "<" ? TaskVerdict::Right : TaskVerdict::Wrong);
    for (int i : {1, 2}) EXPECT_EQ(gameLog.tasks[i].verdict, TaskVerdict::Right) << "a square picked by the answer command";
}
