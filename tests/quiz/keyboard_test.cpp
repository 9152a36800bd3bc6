// Keys on the main screen and reading tasks aloud, as a pupil uses them.
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
