// Keys on the main screen and reading tasks aloud, as a pupil uses them.
#include "answer_keys.h"
#include "keyboard.h"
#include "quiz_fixture.h"
#include "speech_text.h"

using quiztest::count;
using quiztest::Quiz;

TEST_F(Quiz, MainScreenKeysSwitchTheSoundStartAGameAndEnd)
{
    // t: TON off; Enter: START (one task); e: ENDE, at once with sound off.
    start("wait 1\nkey 116\nwait 1\nkey Enter\nwait 20\nanswer right\nwait 12\nkey 101\nwait 100\nclose\n");
    screen.setvalue("udAnzahlAufgaben", 1);
    int t0 = aogettime();
    serveMainScreen();
    EXPECT_EQ(soundOn, -1);
    EXPECT_EQ(count(transcript(), " LSG = "), 1) << transcript();
    EXPECT_LT(aogettime() - t0, 60000) << "ENDE by key, not by the script's close";
    EXPECT_EQ(mainScreenKey('\n'), MainScreenKey::Start);
    EXPECT_EQ(mainScreenKey('O'), MainScreenKey::Options);
    EXPECT_EQ(mainScreenKey('a'), MainScreenKey::Selection);
    EXPECT_EQ(mainScreenKey('1'), MainScreenKey::None);
    EXPECT_EQ(mainScreenKey(1000001), MainScreenKey::None) << "event codes of buttons are no keys";
}

TEST_F(Quiz, EachTaskIsReadAloudUntilVTurnsReadingOff)
{
    start("wait 20\nkey 118\nanswer right\nwait 12\nanswer right\nwait 12\n");
    aospeech_enable(true);
    play(1, 1, 2);
    EXPECT_EQ(count(transcript(), "[say] "), 1) << transcript();
    EXPECT_NE(transcript().find("Vorlesen aus"), std::string::npos);
    size_t said = transcript().find("[say] ");
    ASSERT_NE(said, std::string::npos);
    std::string line = transcript().substr(said, transcript().find('\n', said) - said);
    EXPECT_NE(line.find(" gleich wie viel"), std::string::npos) << line;
    EXPECT_EQ(line.find("??"), std::string::npos) << line;
    EXPECT_FALSE(aospeech_enabled());
}

namespace {

// Six squares 7 3 9 12 15 20 in one row (3 is right), or two rows.
void sixSquares(int kind = 0, std::array<int, 7> row2 = {})
{
    level = difficulty = taskIndex = 1;
    taskCount = 4;
    optionCount = 6;
    choiceMode = 0;
    answerKind = kind;
    correctCount = wrongCount = 0;
    const std::array<int, 7> row1 = {0, 7, 3, 9, 12, 15, 20};
    for (int k = 0; k < 7; ++k) {
        options[1][k] = row1[k];
        options2[1][k] = row2[k];
    }
    solution[1] = 3;
}

// Two rows whose picks must add up to sum: row 1 as above, row 2 7 1 2 11 12 13.
void twoRowSum(int sum)
{
    sixSquares(1, {0, 7, 1, 2, 11, 12, 13});
    relationOp = 1;
    target[1] = sum;
    clickCount = pickedValue = pickedValue2 = 0;
}

// The colour of a shot's pixel just inside the frame around a square.
int frameColour(const std::string& bmp, Square s)
{
    aoPixmap shot;
    shot.width = 1320;
    shot.height = 920;
    shot.format = AOPX_TRUECOLOR;
    if (!aopxmap_allocate(&shot) || !aopxmap_loadfromfile_bmp(&shot, bmp.c_str(), "", 0, 0, -1, -1)) return -1;
    SquareRect r = frameRect(SquareLayout::current(AnswerRows::Integer), s);
    return aopxmap_getpixel(&shot, taskArea.wx + r.x + 1, taskArea.wy + r.y + 1) & 0xFFFFFF;
}

std::string shotPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

} // namespace

TEST_F(Quiz, KeysOneToSixPickTheColumnOfTheWaitingRow)
{
    start("wait 1\nkey 7\nkey 2\n");
    sixSquares();
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(correctCount, 1) << "7 has no column; 2 picks the 3";

    start("wait 1\nkey 6\n");
    sixSquares();
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(wrongCount, 1);
    EXPECT_NE(transcript().find("Lösung war : 3"), std::string::npos);

    // Two rows: row 1 waits, then row 2 (3 + 7 = 10).
    start("wait 1\nkey 1\nwait 1\nkey 1\n");
    twoRowSum(10);
    showAndJudge(AnswerRows::TwoRows);
    EXPECT_EQ(pickedValue, 7);
    EXPECT_EQ(pickedValue2, 7);
    EXPECT_EQ(wrongCount, 1) << "7 + 7";

    start("wait 1\nkey 2\nwait 1\nkey 1\n");
    twoRowSum(10);
    showAndJudge(AnswerRows::TwoRows);
    EXPECT_EQ(correctCount, 1) << "3 + 7";
}

TEST_F(Quiz, CompareModeTakesTheSigns)
{
    for (auto [key, sol] : {std::pair{"<", 1}, {"=", 2}, {">", 3}}) {
        start(std::string("wait 1\nkey ") + key + "\n");
        sixSquares();
        choiceMode = 2;
        solution[1] = sol;
        showAndJudge(AnswerRows::Integer);
        EXPECT_EQ(correctCount, 1) << key;
        EXPECT_EQ(taskOutcome.answer, key);
    }
}

TEST_F(Quiz, ArrowsMoveAVisibleFocusFrameAndEnterOrSpacePicks)
{
    std::string a = shotPath("ziffron_focus_a.bmp"), b = shotPath("ziffron_focus_b.bmp");
    start("wait 1\nkey Down\nwait 0.1\nshot " + a + "\nkey Right\nkey Right\nkey Left\nwait 0.1\nshot " + b +
          "\nkey Space\n");
    sixSquares();
    int before = aopxmap_getpixel(taskArea.pixmap(), frameRect(SquareLayout::current(AnswerRows::Integer), {1, 0}).x + 1,
                                  1);
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(frameColour(a, {1, 0}), kFocusColour) << "the first arrow shows the focus where it is";
    EXPECT_EQ(frameColour(b, {1, 1}), kFocusColour);
    EXPECT_EQ(frameColour(b, {1, 0}), before & 0xFFFFFF) << "the old place is as before";
    EXPECT_EQ(correctCount, 1) << "Space picked the focused 3";

    // Up and Down move between two rows; Enter picks; the frame follows to row 2.
    start("wait 1\nkey Right\nkey Right\nkey Enter\nwait 1\nkey Enter\n");
    twoRowSum(14);
    showAndJudge(AnswerRows::TwoRows);
    EXPECT_EQ(pickedValue, 3);
    EXPECT_EQ(pickedValue2, 1) << "row 2 waits, in the same column";
}

TEST_F(Quiz, VerdictFramesShowRightGreenAndWrongRed)
{
    std::string wrong = shotPath("ziffron_verdict_wrong.bmp");
    start("wait 1\nkey 1\nwait 2.5\nshot " + wrong + "\n");
    sixSquares();
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(frameColour(wrong, {1, 0}), aographic_rgb(200, 0, 0)) << "the picked 7";
    EXPECT_EQ(frameColour(wrong, {1, 1}), aographic_rgb(0, 160, 0)) << "the right 3";

    std::string shown = shotPath("ziffron_verdict_right.bmp"), later = shotPath("ziffron_verdict_later.bmp");
    start("wait 1\nkey 2\nwait 0.3\nshot " + shown + "\nwait 0.3\nshot " + later + "\n");
    sixSquares();
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(frameColour(shown, {1, 1}), aographic_rgb(0, 160, 0));
    EXPECT_NE(frameColour(later, {1, 1}), aographic_rgb(0, 160, 0)) << "cleared after 0.4 s";
}
