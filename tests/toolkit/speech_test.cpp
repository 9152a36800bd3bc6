// Reading aloud: the toolkit's switch, the headless transcript, and real
// German speech from libespeak-ng where its voice is installed.
#include "harness.h"
#include "platform/speech.h"

#include <gtest/gtest.h>

TEST(Speech, OnlyWhileSwitchedOnAndEachTextOnItsOwnLine)
{
    HeadlessRun run;
    aospeech_say("nicht gesagt");
    aospeech_enable(true);
    run.platform().transcript("Aufgabe");
    aospeech_say("22 plus 16 gleich wie viel");
    aospeech_say("");
    aospeech_enable(false);
    aospeech_say("auch nicht");
    EXPECT_EQ(run.transcript, "Aufgabe\n[say] 22 plus 16 gleich wie viel\n");
}

TEST(Speech, GermanVoiceGivesSecondsOfSamplesLongerForLongerText)
{
    std::vector<int16_t> shortText, longText;
    int rate = 0;
    std::string err;
    if (!platform::synthesizeGerman("22 plus 16 plus 11 gleich wie viel", shortText, rate, err))
        GTEST_SKIP() << "no German voice here: " << err;
    ASSERT_GT(rate, 8000);
    double seconds = static_cast<double>(shortText.size()) / rate;
    EXPECT_GT(seconds, 1.5);
    EXPECT_LT(seconds, 8.0);
    ASSERT_TRUE(platform::synthesizeGerman("Auf dem Spielplatz sind 16 Personen, davon sind 7 Kinder, 4 sind Mädchen. "
                                           "Wie viele Jungen sind auf dem Spielplatz?",
                                           longText, rate, err));
    EXPECT_GT(longText.size(), 2 * shortText.size());
}
