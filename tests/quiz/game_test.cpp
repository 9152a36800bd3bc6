#include "quiz_fixture.h"
#include "squares.h"

using quiztest::count;
using quiztest::Quiz;

TEST_F(Quiz, MainScreenStartsWithItsControlsAndIndicator)
{
    start("");
    const FirstShown& shown = firstShown();
    EXPECT_EQ(shown.level, 1);
    EXPECT_EQ(shown.tasks, 12);
    EXPECT_EQ(shown.soundPixel, aographic_rgb(100, 255, 100));
    EXPECT_EQ(shown.gradePixel, 0xFFFF00);
    EXPECT_EQ(shown.progressPixel, aographic_rgb(250, 250, 255));
    EXPECT_EQ(shown.avatarPixel, 0x0000FF) << "the logo";
    EXPECT_EQ(secondsPerTask[11 * 3 + 3], 300);
    EXPECT_EQ(secondsPerTask[1 * 3 + 1], 10);
}

TEST(MainScreen, ClassByLevel)
{
    EXPECT_EQ(classForLevel(3), 5);
    EXPECT_EQ(classForLevel(4), 6);
    EXPECT_EQ(classForLevel(9), 7);
    EXPECT_EQ(classForLevel(10), 8);
}

TEST_F(Quiz, TimeAllowanceComesFromTheLevelTable)
{
    start("wait 20\nkey Escape\n");
    fillSecondsPerTask();
    EXPECT_EQ(secondsPerTask[11 * 3 + 3] * 24, 7200);
    play(1, 1, 1);
    EXPECT_EQ(timeAllowance, 10);
    EXPECT_EQ(schoolClass, 5);
}

TEST_F(Quiz, TonTwiceReturnsToAnAndEndeWithSoundOffEndsAtOnce)
{
    start("wait 1\nclick btton\nwait 1\nclick btton\nwait 1\nclick btton\nwait 1\nclick btEnde\nwait 100\nclose\n");
    int t0 = aogettime();
    serveMainScreen();
    EXPECT_EQ(soundOn, -1);
    EXPECT_EQ(aopxmap_getpixel(soundIndicator.pixmap(), 1, 1), aographic_rgb(255, 100, 100));
    EXPECT_LT(aogettime() - t0, 10000) << "no end sequence with sound off";
    EXPECT_EQ(count(transcript(), "[sound]"), 0);
}

TEST_F(Quiz, EarlyEndAfterHalfTheTasksAreWrong)
{
    start(answers("ww"));
    play(1, 1, 4);
    EXPECT_EQ(count(transcript(), " LSG = "), 2);
    EXPECT_EQ(taskIndex, 3) << "ends before the third task";
    EXPECT_NE(transcript().find("GAME OVER"), std::string::npos);
    EXPECT_NE(transcript().find("neu starten ?"), std::string::npos);
}

TEST_F(Quiz, OddTaskCountEndsAfterThreeWrongButGoesOnWithTwo)
{
    start(answers("www"));
    play(1, 2, 5);
    EXPECT_EQ(count(transcript(), " LSG = "), 3);
    EXPECT_EQ(wrongCount, 3);

    start(answers("wwrrr"));
    play(1, 2, 5);
    EXPECT_EQ(count(transcript(), " LSG = "), 5);
    EXPECT_EQ(transcript().find("GAME OVER"), std::string::npos);
}

TEST_F(Quiz, OneTaskWithOneWrongAnswerEndsNormally)
{
    start(answers("w"));
    play(2, 1, 1);
    EXPECT_EQ(taskIndex, 2);
    EXPECT_EQ(wrongCount, 1);
    EXPECT_NE(transcript().find(ao_cp1252_to_utf8(ao_utf8_to_cp1252("!! Lösung war : "))), std::string::npos);
    EXPECT_EQ(transcript().find("GAME OVER"), std::string::npos);
    EXPECT_EQ(aopxmap_getpixel(correctBar.pixmap(), 1, 1), aographic_rgb(240, 240, 255))
        << "one task draws no bars";
}

TEST_F(Quiz, TwentyRightIsChampionNineteenToo)
{
    start(answers(std::string(20, 'r'), 30));
    play(1, 1, 20);
    EXPECT_EQ(count(transcript(), "YOU ARE THE CHAMPION"), 1);
    EXPECT_EQ(mediaChoice.rewardIndex, -1);
    EXPECT_EQ(count(transcript(), "geschafft"), 0);

    start(answers(std::string(19, 'r'), 30));
    play(1, 1, 19);
    EXPECT_EQ(count(transcript(), "YOU ARE THE CHAMPION"), 1);
}

TEST_F(Quiz, EighteenRightIsLevelDoneAndOneWrongInTwentyIsNeither)
{
    start(answers(std::string(18, 'r'), 30));
    play(1, 1, 18);
    EXPECT_EQ(count(transcript(), "YOU ARE THE CHAMPION"), 0);
    EXPECT_EQ(count(transcript(), "[sound] sound/GESCHAFFT/geschafft1.wav"), 1);

    start(answers("w" + std::string(19, 'r'), 30));
    play(1, 1, 20);
    EXPECT_EQ(count(transcript(), "YOU ARE THE CHAMPION"), 0);
    EXPECT_EQ(count(transcript(), "geschafft"), 0);
}

TEST_F(Quiz, EscapeIsNeitherRightNorWrong)
{
    start(answers("eewr"));
    play(1, 1, 4);
    EXPECT_EQ(taskIndex, 5) << "two escapes and a wrong answer do not end a game of 4";
    EXPECT_EQ(wrongCount, 1);
    EXPECT_EQ(correctCount, 1);

    // Skipping everything earns neither a reward nor a good grade.
    start(answers(std::string(20, 'e'), 30));
    play(1, 1, 20);
    EXPECT_EQ(taskIndex, 21);
    EXPECT_EQ(count(transcript(), "YOU ARE THE CHAMPION"), 0);
    EXPECT_EQ(count(transcript(), "SUPER"), 0);
    EXPECT_TRUE(gradeStrokes(progressRatio).empty());

    start(answers("rrrrrrrrrrre", 30));
    play(1, 1, 12);
    EXPECT_EQ(count(transcript(), "geschafft"), 0) << "a level is done only with every task answered right";
}

TEST_F(Quiz, AGameStoppedForWantOfTasksEarnsNothing)
{
    start("wait 1\n");
    for (int e = 1; e <= 5; ++e) selection[1][1][e] = 0;
    play(1, 1, 3);
    EXPECT_EQ(count(transcript(), "geschafft"), 0);
    EXPECT_EQ(count(transcript(), "Fehler Auswahl!"), 1);
}

TEST(Grade, EveryGradeFitsItsBoxInAReadableFont)
{
    setupGameFonts();
    for (double r : {0.6, 0.7, 0.8, 0.9, 0.95, 1.0}) {
        std::vector<const char*> strokes = gradeStrokes(r);
        const char* font = gradeFont(strokes);
        int h = aofont_find(font);
        ASSERT_GE(h, 0) << font;
        EXPECT_GE(aofont_height(h), 16) << font << " is too small to read at a glance";
        // Drawn into a larger picture, all ink stays inside the 40 x 24 box.
        aoPixmap p;
        p.width = 80;
        p.height = 60;
        aopxmap_allocate(&p);
        aopxmap_clear(&p, 0xFFFFFF);
        for (const char* s : strokes) aofont_drawtext(&p, h, 10, 5, 0, s);
        int inside = 0, outside = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (aopxmap_getpixel(&p, x, y) == 0) ++(x < 40 && y < 24 ? inside : outside);
        EXPECT_GT(inside, 20) << r;
        EXPECT_EQ(outside, 0) << r << " in " << font;
    }
}

TEST_F(Quiz, SecondGameUsesTheRewrittenSecondsPerTask)
{
    start(answers("r") + answers("r", 30));
    play(2, 1, 1);
    EXPECT_EQ(timeAllowance, 15);
    EXPECT_EQ(secondsPerTask[2 * 3 + 1], 10);
    play(2, 1, 1);
    EXPECT_EQ(timeAllowance, 10);
}

TEST_F(Quiz, OneSelectedEntryIsPlayedEveryTimeAndNoneEndsTheGame)
{
    start(answers("rrr"));
    for (int e = 1; e <= 5; ++e) selection[1][1][e] = e == 3 ? 3 : 0;
    play(1, 1, 3);
    EXPECT_EQ(count(transcript(), " LSG = "), 3);
    EXPECT_EQ(lastTaskNumber, 1103);

    start("wait 1\n");
    for (int e = 1; e <= 5; ++e) selection[1][1][e] = 0;
    play(1, 1, 3);
    EXPECT_NE(transcript().find("Fehler Auswahl!\n Es wurden keine Aufgaben im Bereich bis 5"), std::string::npos);
    EXPECT_EQ(taskIndex, 1);
    EXPECT_EQ(count(transcript(), " LSG = "), 0);
}

TEST_F(Quiz, GradeBoxAfterAFaultlessTenTaskGame)
{
    start(answers(std::string(10, 'r'), 30));
    play(1, 1, 10);
    EXPECT_EQ(count(transcript(), "Note: 1 SUPER !"), 1);
    EXPECT_NE(aopxmap_getpixel(gradeBox.pixmap(), 0, 0), -1);
}

TEST_F(Quiz, AvatarsOnlyFromTwelveTasksWithSoundOn)
{
    start(answers(std::string(11, 'r'), 30));
    showLogo(58); // the panel keeps its last picture from game to game
    play(1, 1, 11);
    EXPECT_EQ(aopxmap_getpixel(avatarArea.pixmap(), 1, 1), 0x0000FF) << "still the logo";

    start(answers(std::string(12, 'r'), 30));
    showLogo(58);
    soundOn = -1;
    play(1, 1, 12);
    EXPECT_EQ(aopxmap_getpixel(avatarArea.pixmap(), 1, 1), 0x0000FF);

    start(answers(std::string(12, 'r'), 30));
    play(1, 1, 12);
    EXPECT_EQ(aopxmap_getpixel(avatarArea.pixmap(), 1, 1), 0xFF0000);
}

TEST(Grade, StrokesByShareOfRightAnswers)
{
    using V = std::vector<std::string>;
    auto strokes = [](double r) {
        V v;
        for (const char* s : gradeStrokes(r)) v.push_back(s);
        return v;
    };
    EXPECT_EQ(strokes(0.9), (V{" 2  ", " 2 +"}));
    EXPECT_EQ(strokes(1.0), (V{" 1  "}));
    EXPECT_EQ(strokes(0.95), (V{" 1"}));
    EXPECT_EQ(strokes(0.8), (V{" 2  "}));
    EXPECT_EQ(strokes(0.75), (V{" 3  ", " 3 +"}));
    EXPECT_EQ(strokes(0.6), (V{" 3  "}));
    EXPECT_EQ(strokes(0.59), V{});
}

TEST_F(Quiz, FiveTasksShowNoGradeSixDo)
{
    const auto ink = [] {
        int n = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 40; ++x) n += aopxmap_getpixel(gradeBox.pixmap(), x, y) != 0xFFFF00;
        return n;
    };
    start(answers("rrrrrr"));
    play(1, 1, 6);
    EXPECT_GT(ink(), 0) << "a grade is written for 6 tasks";
    start(answers("rrrrr"));
    play(1, 1, 5);
    EXPECT_EQ(ink(), 0) << "the grade of the game before is gone";
}

TEST_F(Quiz, TimeBarFullAtEqualityTimeOverOneSecondLaterNotDrawnAtZero)
{
    start("");
    resetProgressPanel();
    updateTimeBar(0, 100);
    EXPECT_EQ(aopxmap_getpixel(timeBar.pixmap(), 0, 20), aographic_rgb(240, 240, 255));
    updateTimeBar(100, 100);
    EXPECT_EQ(aopxmap_getpixel(timeBar.pixmap(), 195, 20), aographic_rgb(0, 100, 0));
    updateTimeBar(101, 100);
    EXPECT_EQ(aopxmap_getpixel(timeBar.pixmap(), 195, 20), aographic_rgb(200, 0, 0));
    int black = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 196; ++x) black += aopxmap_getpixel(timeBar.pixmap(), x, y) == 0;
    EXPECT_GT(black, 0) << "the time-over text";
}

TEST_F(Quiz, TwentyTasksWaitFourSecondsAtStartEvenWithSoundOff)
{
    start("wait 30\nkey 27\n");
    soundOn = -1;
    for (int e = 1; e <= 5; ++e) selection[1][1][e] = 0;
    int t0 = aogettime();
    play(1, 1, 20);
    EXPECT_GE(aogettime() - t0, 4000);
    EXPECT_EQ(count(transcript(), "[sound]"), 0);
}

TEST_F(Quiz, EndeWithSoundOnRunsTheEndSequenceFirst)
{
    start("wait 1\nclick btEnde\n");
    drawMediaChoice(); // as a game's START would: video 1 of the one there is
    serveMainScreen();
    EXPECT_NE(transcript().find("< E N D E >"), std::string::npos);
    EXPECT_EQ(count(transcript(), "[sound] sound/ENDE/ENDE-"), 1);
}
