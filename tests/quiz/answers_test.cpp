#include "quiz_fixture.h"

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

    start("wait 1\nclick 550 200\n");
    record(0, {0, 40, 50, 60, 70, 80, 5});
    choiceMode = 2;
    solution[1] = 5;
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(correctCount, 1) << "column 5 picks 5 when the solution is 5";

    start("wait 1\nclick 550 200\n");
    record(0, {0, 40, 50, 60, 70, 80, 90});
    choiceMode = 2;
    solution[1] = 1;
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(wrongCount, 1);
}

TEST_F(Quiz, DecimalsAreComparedExactly)
{
    start("wait 1\nclick 85 200\n");
    record(4, {});
    decimalPlaces = 1;
    decimalSolution[1] = 2.54;
    decimalOptions[1] = {0, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5};
    showAndJudge(AnswerRows::Decimal);
    EXPECT_EQ(wrongCount, 1) << "2.5 prints like 2.54 but is not it";
    EXPECT_NE(transcript().find(ao_cp1252_to_utf8(ao_utf8_to_cp1252("!! Lösung war : 2.540000  !!"))),
              std::string::npos);
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
    record(0, {0, 5, 6, 7, 8, 9, 10});
    solution[1] = 9;
    showAndJudge(AnswerRows::Integer);
    EXPECT_EQ(wrongCount, 1);
}
