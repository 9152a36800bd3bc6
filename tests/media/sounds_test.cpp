// The sound parameter file, the clip choice and the feedback clips.
#include "media_test_util.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <set>

using namespace mediatest;

namespace {

void writeParameters(const std::string& text)
{
    writeText("sound/soundparameter.txt", text);
}

// Empty stand-ins for every video folder and clip the counts point to (at least one each).
void writeClips(const SoundParameters& p)
{
    auto clips = [](const char* format, int count) {
        for (int k = 0; k < std::max(count, 1); ++k) {
            char name[100];
            std::snprintf(name, sizeof name, format, k);
            writeText(name, "");
        }
    };
    for (int n = 1; n <= std::max(p.soundvideo, 1); ++n) fs::create_directories("video_" + std::to_string(n));
    clips("sound/CHAMPION/champion-%d.wav", p.soundchampion);
    clips("sound/OVER/over-%d.wav", p.soundover);
    clips("sound/RIGHT/right-%d.wav", p.soundright);
    clips("sound/WRONG/wrong-%d.wav", p.soundwrong);
}

} // namespace

TEST(SoundParameterFile, TwelveLinesInOrder)
{
    Stage s;
    writeParameters("30\n30\n6\n6\n19\n5\n17\n16\n5\n5\n26\n124\n");
    loadSoundParameters();
    const SoundParameters& p = soundParameters;
    EXPECT_EQ(p.soundvideo, 30);
    EXPECT_EQ(p.soundchampion, 6);
    EXPECT_EQ(p.soundgeschafft, 19);
    EXPECT_EQ(p.soundover, 17);
    EXPECT_EQ(p.soundright, 16);
    EXPECT_EQ(p.soundwait, 5);
    EXPECT_EQ(p.soundwrong, 26);
    EXPECT_EQ(p.bilderspiel, 124);
    writeClips(p);

    // Every pick stays in the range of its count, and the ranges are used.
    std::set<int> rewards, rights, wrongs, overs;
    aosrand(12345);
    for (int i = 0; i < 3000; ++i) {
        drawMediaChoice();
        const MediaChoice& c = mediaChoice;
        ASSERT_GE(c.rewardIndex, 1);
        ASSERT_LE(c.rewardIndex, 30);
        ASSERT_GE(c.rightPick, 0);
        ASSERT_LE(c.rightPick, 15);
        ASSERT_GE(c.wrongPick, 0);
        ASSERT_LE(c.wrongPick, 25);
        ASSERT_LE(c.championPick, 5);
        ASSERT_LE(c.gameOverPick, 16);
        ASSERT_LE(c.waitingVoice, 4);
        rewards.insert(c.rewardIndex);
        rights.insert(c.rightPick);
        wrongs.insert(c.wrongPick);
    }
    EXPECT_EQ(rewards.size(), 30u);
    EXPECT_EQ(rights.size(), 16u);
    EXPECT_EQ(wrongs.size(), 26u);
    EXPECT_TRUE(s.term.empty()) << s.term;
}

TEST(SoundParameterFile, DrawsInTheStatedOrder)
{
    Stage s;
    soundParameters.soundvideo = 7;
    soundParameters.soundchampion = 5;
    soundParameters.soundover = 4;
    soundParameters.soundright = 3;
    soundParameters.soundwait = 9;
    soundParameters.soundwrong = 11;
    writeClips(soundParameters);
    aosrand(99);
    drawMediaChoice();
    aosrand(99);
    const int r1 = aorand(), r2 = aorand(), r3 = aorand(), r4 = aorand(), r5 = aorand(), r6 = aorand();
    EXPECT_EQ(mediaChoice.rewardIndex, r1 % 7 + 1);
    EXPECT_EQ(mediaChoice.championPick, r2 % 5);
    EXPECT_EQ(mediaChoice.gameOverPick, r3 % 4);
    EXPECT_EQ(mediaChoice.rightPick, r4 % 3);
    EXPECT_EQ(mediaChoice.waitingVoice, r5 % 9);
    EXPECT_EQ(mediaChoice.wrongPick, r6 % 11);
}

TEST(SoundParameterFile, LinesAreTruncatedNumbers)
{
    EXPECT_EQ(soundParameterFromText("7.9\n"), 7);
    EXPECT_EQ(soundParameterFromText("-3\n"), -3);
    EXPECT_EQ(soundParameterFromText("-3.7"), -3);
    EXPECT_EQ(soundParameterFromText("  12  "), 12);
    EXPECT_EQ(soundParameterFromText("abc"), 0);
    EXPECT_EQ(soundParameterFromText(""), 0);
    EXPECT_EQ(soundParameterFromText("1e300"), INT_MAX);
    EXPECT_EQ(soundParameterFromText("-1e300"), INT_MIN);
    EXPECT_EQ(soundParameterFromText("nan"), 0);
    EXPECT_EQ(soundParameterFromText("inf"), INT_MAX);
    EXPECT_EQ(soundParameterFromText("0x10"), 16); // strtod reads hexadecimal too
}

TEST(SoundParameterFile, BrokenAndShortFiles)
{
    Stage s;
    // CR LF endings, a fraction, a negative count, garbage, and an overlong line.
    writeParameters("4\r\n7.9\r\n-3\nxyz\n" + std::string(5000, '9') + "\n6\n");
    loadSoundParameters();
    EXPECT_EQ(soundParameters.soundvideo, 4);
    EXPECT_EQ(soundParameters.soundanfang, 7);
    EXPECT_EQ(soundParameters.soundchampion, -3);
    EXPECT_EQ(soundParameters.soundende, 0);
    EXPECT_EQ(soundParameters.soundgeschafft, INT_MAX); // the first 1000 digits
    EXPECT_EQ(soundParameters.soundkeepitup, 6);        // the rest of the long line was dropped
    // Lines the file does not have keep their initial values.
    EXPECT_EQ(soundParameters.soundover, 1);
    EXPECT_EQ(soundParameters.soundright, 1);
    EXPECT_EQ(soundParameters.soundwrong, 0);
    EXPECT_EQ(soundParameters.bilderspiel, 1);
    EXPECT_TRUE(s.term.empty());
}

TEST(SoundParameterFile, AnyLineEndsGiveTwelveCounts)
{
    Stage s;
    SoundParameters want{4, 4, 2, 4, 4, 1, 2, 3, 2, 1, 3, 9};
    for (const char* end : {"\n", "\r\n", "\r"}) {
        std::string text;
        for (int v : {4, 4, 2, 4, 4, 1, 2, 3, 2, 1, 3, 9}) text += std::to_string(v) + end;
        writeParameters(text);
        soundParameters = SoundParameters{};
        loadSoundParameters();
        SoundParameters parsed;
        EXPECT_EQ(parseSoundParameters(text.data(), text.size(), parsed), 12);
        for (int i = 0; i < kSoundParameterCount; ++i) {
            EXPECT_EQ(soundParameter(soundParameters, i), soundParameter(want, i)) << i;
            EXPECT_EQ(soundParameter(parsed, i), soundParameter(soundParameters, i)) << i;
        }
    }
}

TEST(SoundParameterFile, MemoryParserMatchesTheFileReader)
{
    SoundParameters p;
    const std::string text = "2\n3\n\n5";
    EXPECT_EQ(parseSoundParameters(text.data(), text.size(), p), 4);
    EXPECT_EQ(p.soundvideo, 2);
    EXPECT_EQ(p.soundanfang, 3);
    EXPECT_EQ(p.soundchampion, 0);
    EXPECT_EQ(p.soundende, 5);
    EXPECT_EQ(p.soundgeschafft, 1);
    const std::string nul("1\0002\n", 4);
    EXPECT_EQ(parseSoundParameters(nul.data(), nul.size(), p), 1);
    EXPECT_EQ(p.soundvideo, 1); // the number ends at the NUL byte, as in the file reader
}

TEST(SoundParameterFile, MissingFileIsReportedWithAFiveSecondWait)
{
    Stage s;
    const int before = aogettime();
    loadSoundParameters();
    EXPECT_GE(aogettime() - before, 5000);
    EXPECT_EQ(s.term, "Datei soundparameter fehlt! ");
    EXPECT_EQ(soundParameters.soundvideo, 0);
    EXPECT_EQ(soundParameters.soundright, 1);
}

TEST(MediaChoice, CountsBelowOneActAsOneAndAreNamedOnce)
{
    Stage s;
    loadSoundParameters(); // missing: soundvideo, soundwait, soundwrong stay 0
    writeClips(soundParameters);
    s.term.clear();
    soundParameters.soundover = -3;
    drawMediaChoice();
    EXPECT_EQ(mediaChoice.rewardIndex, 1);
    EXPECT_EQ(mediaChoice.gameOverPick, 0);
    EXPECT_EQ(mediaChoice.waitingVoice, 0);
    EXPECT_EQ(mediaChoice.wrongPick, 0);
    EXPECT_EQ(s.term, "\n Anzahl unter 1 gilt als 1: soundvideo=0 soundover=-3 soundwait=0 soundwrong=0 \n");
    // The stored counts are not changed, and the next game says nothing new.
    EXPECT_EQ(soundParameters.soundover, -3);
    drawMediaChoice();
    EXPECT_EQ(std::count(s.term.begin(), s.term.end(), 'A'), 1);
    // A different misconfiguration is named again.
    soundParameters.soundover = 2;
    drawMediaChoice();
    EXPECT_NE(s.term.find("\n Anzahl unter 1 gilt als 1: soundvideo=0 soundwait=0 soundwrong=0 \n"), std::string::npos);
}

TEST(MediaChoice, CountsPastTheFilesAreNamedOnceAndPickOnlyFilesThatExist)
{
    Stage s;
    writeClips(SoundParameters{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    for (int k : {0, 2, 5, 7}) writeWav("sound/RIGHT/right-" + std::to_string(k) + ".wav");
    writeWav("sound/RIGHT/right-07.wav"); // not a name the program builds
    fs::create_directories("video_1732");
    soundParameters = SoundParameters{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    soundParameters.soundright = 26;
    soundParameters.soundvideo = INT_MAX; // what "4\r4\r..." once read as
    std::set<int> rights, videos;
    aosrand(5);
    for (int game = 0; game < 200; ++game) {
        drawMediaChoice();
        rights.insert(mediaChoice.rightPick);
        videos.insert(mediaChoice.rewardIndex);
    }
    EXPECT_EQ(rights, (std::set<int>{0, 2, 5, 7}));
    EXPECT_EQ(videos, (std::set<int>{1, 1732}));
    EXPECT_EQ(s.term, "\n Weniger Dateien als angegeben: soundvideo 2147483647, vorhanden 2; soundright 26, vorhanden 4 \n");
    s.run.transcript.clear();
    playRightSound();
    EXPECT_NE(s.sounds(), "") << "a clip plays on every answer";
}

TEST(FeedbackClips, NamesFollowTheirFormats)
{
    Stage s;
    for (const char* f : {"sound/ANFANG/ANFANG-3.wav", "sound/RIGHT/right-2.wav", "sound/WRONG/wrong-4.wav",
                          "sound/OVER/over-1.wav", "sound/CHAMPION/champion-0.wav", "sound/GESCHAFFT/geschafft3.wav"})
        writeWav(f);
    mediaChoice = MediaChoice{3, 0, 1, 2, 4, 0};
    playStartSound();
    playRightSound();
    playWrongSound();
    showGameOver();
    showChampion();
    showLevelDone();
    EXPECT_EQ(s.sounds(), "sound/ANFANG/ANFANG-3.wav\nsound/RIGHT/right-2.wav\nsound/WRONG/wrong-4.wav\n"
                          "sound/OVER/over-1.wav\nsound/CHAMPION/champion-0.wav\nsound/GESCHAFFT/geschafft3.wav\n");
    EXPECT_EQ(s.term, "\n\n\n\n GAME OVER \n Zu viele Fehler! \n  "
                      "\n\n\n\n YOU ARE THE CHAMPION \n kein Fehler! \n  ");
    EXPECT_STREQ(mediaPath, "sound/GESCHAFFT/geschafft3.wav");
}

TEST(FeedbackClips, LevelDoneClipBelongsToTheStartClipsVideo)
{
    Stage s;
    writeParameters("5\n1\n1\n1\n1\n1\n1\n1\n1\n1\n1\n1\n");
    loadSoundParameters();
    writeClips(soundParameters);
    for (int n = 1; n <= 5; ++n) {
        writeWav("sound/ANFANG/ANFANG-" + std::to_string(n) + ".wav");
        writeWav("sound/GESCHAFFT/geschafft" + std::to_string(n) + ".wav");
    }
    aosrand(4);
    for (int game = 0; game < 6; ++game) {
        s.run.transcript.clear();
        drawMediaChoice();
        playStartSound();
        showLevelDone();
        const std::string n = std::to_string(mediaChoice.rewardIndex);
        EXPECT_EQ(s.sounds(), "sound/ANFANG/ANFANG-" + n + ".wav\nsound/GESCHAFFT/geschafft" + n + ".wav\n");
    }
}

TEST(FeedbackClips, WrongAnswerWaitsOneSecondRightDoesNot)
{
    Stage s;
    writeWav("sound/RIGHT/right-0.wav");
    writeWav("sound/WRONG/wrong-0.wav");
    int t = aogettime();
    playRightSound();
    EXPECT_EQ(aogettime() - t, 0);
    t = aogettime();
    playWrongSound();
    EXPECT_GE(aogettime() - t, 1000);
    EXPECT_LT(aogettime() - t, 1100);
    EXPECT_EQ(s.sounds(), "sound/RIGHT/right-0.wav\nsound/WRONG/wrong-0.wav\n");
}

TEST(FeedbackClips, MissingAndBrokenClipsAreSilent)
{
    Stage s;
    writeText("sound/RIGHT/right-0.wav", "RIFF but not a wave at all");
    writeText("sound/WRONG/wrong-0.wav", "");
    playRightSound();
    playWrongSound();
    playStartSound();
    EXPECT_EQ(s.sounds(), "");
    EXPECT_TRUE(s.term.empty());
}

class WaitingPrompts : public ::testing::TestWithParam<std::pair<int, const char*>> {};

TEST_P(WaitingPrompts, FollowTheVoice)
{
    Stage s;
    for (int k = 1; k <= 5; ++k) writeWav("sound/warten-" + std::to_string(k) + ".wav");
    mediaChoice.waitingVoice = GetParam().first;
    waitingStage = 0;
    for (int i = 0; i < 4; ++i) playWaitingPrompt();
    EXPECT_EQ(s.sounds(), GetParam().second);
    EXPECT_EQ(waitingStage, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Voices, WaitingPrompts,
    ::testing::Values(std::make_pair(0, "sound/warten-1.wav\nsound/warten-2.wav\nsound/warten-3.wav\nsound/warten-3.wav\n"),
                      std::make_pair(1, "sound/warten-1.wav\nsound/warten-5.wav\nsound/warten-4.wav\nsound/warten-4.wav\n"),
                      std::make_pair(3, "sound/warten-1.wav\n")));
