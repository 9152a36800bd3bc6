#include "quiz_fixture.h"
#include "squares.h"

using quiztest::Quiz;

namespace {

// A task record with hand-made rows in slot 1.
void record(int kind, std::array<int, 7> row1, std::array<int, 7> row2 = {})
{
    level = 1;
    difficulty = 1;
    taskIndex = 1;
    taskCount = 4;
    optionCount = 6;
    choiceMode = 0;
    answerKind = kind;
    correctCount = wrongCount = 0;
    for (int k = 0; k < 7; ++k) {
        options[1][k] = row1[k];
        options2[1][k] = row2[k];
    }
}

} // namespace

TEST_F(Quiz, BorderBetweenColumnsPicksTheLeftOne)
{
    start("wait 1\nclick 130 200\n");
    record(0, {0, 7, 3, 9, 12, 15, 20});
    solution[1] = 7;
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(correctCount, 1);
    EXPECT_EQ(wrongCount, 0);

    start("wait 1\nclick 131 200\n");
    record(0, {0, 7, 3, 9, 12, 15, 20});
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(wrongCount, 1) << "x = 121 is column 1";
}

TEST_F(Quiz, ClicksOutsideTheSquaresAreIgnored)
{
    start("wait 1\nclick 130 240\nwait 1\nclick 740 200\nwait 1\nclick 70 200\n");
    record(0, {0, 7, 3, 9, 12, 15, 20});
    solution[1] = 7;
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(correctCount, 1) << "only the click inside a square counts";
}

TEST_F(Quiz, ChoiceModeTwoPicksTheSquareNumber)
{
    start("wait 1\nclick 310 200\n");
    record(0, {0, 40, 50, 60, 70, 80, 90});
    choiceMode = 2;
    solution[1] = 3;
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(correctCount, 1);

    // Columns 4 to 6 hold no square in compare mode: a click there is beside
    // the squares, and the later click answers.
    start("wait 1\nclick 550 200\nwait 1\nclick 70 200\n");
    record(0, {0, 40, 50, 60, 70, 80, 90});
    choiceMode = 2;
    solution[1] = 1;
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(wrongCount, 0);
    EXPECT_EQ(correctCount, 1);
    EXPECT_EQ(taskOutcome.answer, "<");
}

TEST_F(Quiz, DecimalsAreJudgedByTheirPrintedText)
{
    start("wait 1\nclick 85 200\n");
    record(4, {});
    decimalPlaces = 1;
    decimalSolution[1] = 2.54;
    decimalOptions[1] = {0, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5};
    showAndJudge(AnswerRows::Decimal);
    EXPECT_EQ(correctCount, 1) << "2.5 prints as the solution does: the pupil sees the solution";

    start("wait 1\nclick 235 200\n");
    record(4, {});
    decimalPlaces = 2;
    decimalSolution[1] = 2.54;
    decimalOptions[1] = {0, 2.54, 3.5, 4.5, 5.5, 6.5, 7.5};
    showAndJudge(AnswerRows::Decimal);
    EXPECT_EQ(wrongCount, 1);
    EXPECT_NE(transcript().find("!! Lösung war : 2,54  !!"), std::string::npos) << "as the square shows it";
}

TEST_F(Quiz, PickTwoIsJudgedByItsRelation)
{
    start("wait 1\nclick 70 207\nwait 1\nclick 70 255\n");
    record(1, {0, 3, 4, 5, 6, 8, 9}, {0, 7, 1, 2, 11, 12, 13});
    relationOp = 1;
    target[1] = 10;
    clickCount = pickedValue = pickedValue2 = 0;
    showAndJudge(AnswerRows::TwoRows);
    EXPECT_EQ(correctCount, 1);
    EXPECT_NE(transcript().find("\n 1. Reihe:  3  "), std::string::npos);
    EXPECT_NE(transcript().find("\n 2. Reihe:  7  "), std::string::npos);
    EXPECT_EQ(taskOutcome.answer, "3 und 7") << "two numbers picked, not a fraction";
}

TEST_F(Quiz, ClickingTheSameRowTwiceReplacesItsValue)
{
    start("wait 1\nclick 70 207\nwait 1\nclick 190 207\n");
    record(1, {0, 3, 4, 5, 6, 8, 9}, {0, 7, 1, 2, 11, 12, 13});
    relationOp = 1;
    target[1] = 4;
    showAndJudge(AnswerRows::TwoRows);
    EXPECT_EQ(pickedValue, 4);
    EXPECT_EQ(pickedValue2, 0);
    EXPECT_EQ(correctCount, 1) << "4 + 0 = 4: the other part stays 0";
}

TEST_F(Quiz, AnswerCommandClicksTheRightOrAWrongSquare)
{
    start("wait 1\nanswer right\n");
    record(3, {0, 5, 6, 7, 8, 9, 10}, {0, 11, 12, 13, 14, 15, 16});
    relationOp = 5;
    solution[1] = 8;
    solution2[1] = 15;
    showAndJudge(AnswerRows::TwoRows);
    EXPECT_EQ(correctCount, 1);

    start("wait 1\nanswer wrong\n");
    record(3, {0, 5, 6, 7, 8, 9, 10}, {0, 11, 12, 13, 14, 15, 16});
    relationOp = 5;
    showAndJudge(AnswerRows::TwoRows);
    EXPECT_EQ(wrongCount, 1);
    EXPECT_NE(transcript().find("!! Lösung war : 8 / 15  !!"), std::string::npos) << "a pair too\n" << transcript();
    EXPECT_LT(transcript().find("Nenner:"), transcript().find("!! Lösung war")) << "the second pick before the verdict";

    start("wait 1\nanswer wrong\n");
    record(0, {0, 5, 6, 7, 8, 9, 10});
    solution[1] = 9;
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(wrongCount, 1);
}

TEST_F(Quiz, EventRowsStayVisibleUntilTheSecondClick)
{
    // Answer kinds 7 to 9: after the first pick both rows are still there.
    std::string shot = (std::filesystem::temp_directory_path() / "ziffron_rows_after_first.bmp").string();
    start("wait 1\nclick 70 207\nwait 1\nshot " + shot + "\nwait 1\nclick 70 270\n");
    record(7, {0, 3, 4, 5, 6, 8, 9}, {0, 7, 1, 2, 11, 12, 13});
    relationOp = 5;
    solution[1] = 3;
    solution2[1] = 7;
    showAndJudge(AnswerRows::TwoRows);
    EXPECT_EQ(correctCount, 1);
    aoPixmap p = quiztest::readShot(shot);
    for (Square s : {Square{1, 2}, Square{2, 2}, Square{2, 5}}) {
        SquareRect r = SquareLayout::current(AnswerRows::TwoRows).drawn(s);
        EXPECT_EQ(aopxmap_getpixel(&p, taskArea.wx + r.x + 2, taskArea.wy + r.y + 2), 0xFFFF00)
            << "row " << s.row << " column " << s.column;
    }
}

TEST_F(Quiz, ASkippedTwoPartTaskLeavesNothingForTheNextTask)
{
    // Escape before any pick, and after the first: the squares (and with them
    // the task's picture) are gone, as after an answer.
    for (const char* script : {"wait 1\nkey Escape\n", "wait 1\nclick 70 207\nwait 1\nkey Escape\n"}) {
        start(script);
        taskOutcome = TaskOutcome{};
        record(7, {0, 3, 4, 5, 6, 8, 9}, {0, 7, 1, 2, 11, 12, 13});
        relationOp = 5;
        solution[1] = 3;
        solution2[1] = 7;
        showAndJudge(AnswerRows::TwoRows);
        EXPECT_EQ(taskOutcome.verdict, Verdict::Skipped) << script;
        const aoPixmap* area = taskArea.pixmap();
        ASSERT_NE(area, nullptr);
        for (Square s : {Square{1, 3}, Square{2, 3}}) {
            SquareRect r = SquareLayout::current(AnswerRows::TwoRows).drawn(s);
            EXPECT_NE(aopxmap_getpixel(area, r.x + 2, r.y + 2), 0xFFFF00) << script << " row " << s.row;
        }
    }
}

TEST_F(Quiz, ClicksDuringThePauseAfterAWrongAnswerAreDropped)
{
    // The clicks fall into the pause after the first task's wrong answer;
    // the second task, not yet seen then, stays unanswered.
    std::string clicks;
    for (int c = 0; c < 6; ++c) clicks += "click " + std::to_string(70 + 120 * c) + " 207\n";
    start("wait 20\nanswer wrong\nwait 1\n" + clicks);
    play(2, 1, 3);
    EXPECT_EQ(wrongCount, 1);
    EXPECT_EQ(correctCount, 0);
}

TEST(SquareLayoutBands, ClicksMapToDrawnColumnsAndTheRowsZones)
{
    taskIndex = 1;
    optionCount = 6;
    choiceMode = 0;
    answerKind = 0;
    SquareLayout one = SquareLayout::current(AnswerRows::Integer);
    EXPECT_EQ(one.squareAt(120, 20), (Square{1, 0})) << "a shared edge belongs to the left band";
    EXPECT_EQ(one.squareAt(121, 20), (Square{1, 1}));
    EXPECT_EQ(one.squareAt(720, 50), (Square{1, 5}));
    EXPECT_FALSE(one.squareAt(721, 20));
    EXPECT_FALSE(one.squareAt(60, 4));
    EXPECT_FALSE(one.squareAt(60, 51));

    optionCount = 3;
    EXPECT_FALSE(SquareLayout::current(AnswerRows::Integer).squareAt(400, 20)) << "no fourth square drawn";

    answerKind = 3;
    optionCount = 6;
    SquareLayout two = SquareLayout::current(AnswerRows::TwoRows);
    EXPECT_EQ(two.rowCount(), 2);
    EXPECT_EQ(two.squareAt(10, 130), (Square{1, 0}));
    EXPECT_FALSE(two.squareAt(10, 140));
    EXPECT_EQ(two.squareAt(10, 145), (Square{2, 0}));
    EXPECT_EQ(two.drawn({2, 1}).y, 145);

    choiceMode = 2;
    SquareLayout compare = SquareLayout::current(AnswerRows::Integer);
    EXPECT_EQ(compare.columns(), 3);
    EXPECT_FALSE(compare.squareAt(500, 20));

    choiceMode = 0;
    answerKind = 0;
    SquareLayout decimal = SquareLayout::current(AnswerRows::Decimal);
    EXPECT_EQ(decimal.squareAt(150, 20), (Square{1, 0}));
    EXPECT_EQ(decimal.drawn({1, 1}).x, 160);
    EXPECT_EQ(decimalSquareText(4.999999999999999, 2), " 5,00");
}
