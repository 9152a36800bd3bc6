// The options editor: the dialogue in the terminal, the limits, and the
// parameter file it writes.
#include "media_test_util.h"
#include "options_editor.h"

#include <sstream>
#include <vector>

using namespace mediatest;

namespace {

// Answers typed one by one: the first when its prompt is up (6 s into the
// dialogue), each later one after the previous answer's waits (at most 5 s).
std::string answerScript(const std::vector<std::string>& answers, const std::string& ending = "wait 60\nclose\n")
{
    std::string s = "wait 7\n";
    for (size_t i = 0; i < answers.size(); ++i) {
        if (i > 0) s += "wait 6\n";
        if (!answers[i].empty()) s += "type " + answers[i] + "\n";
        s += "key Enter\n";
    }
    return s + ending;
}

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::vector<int> counts(SoundParameters p)
{
    std::vector<int> v;
    for (int i = 0; i < kSoundParameterCount; ++i) v.push_back(soundParameter(p, i));
    return v;
}

// The main window's terminal, which the answers are typed into. Standard
// input is taken away from it first: the editor must claim it back.
struct Terminal {
    Terminal()
    {
        term.create("x=10,y=60,xs=927,lines=4,scrollback=1000,font=12x24");
        aosetstdio(nullptr);
    }
    aoTerminal term;
};

const SoundParameters kOld{3, 4, 2, 4, 4, 1, 2, 3, 2, 1, 3, 9};

} // namespace

TEST(OptionsEditor, DialogueClampsToTheLimitsAndSavesWhatIsReadBack)
{
    Stage s(answerScript({"40", "30", "6", "7", "19", "5", "17", "16", "5", "5", "26", "124"}));
    Terminal t;
    writeText("sound/soundparameter.txt", "3\n4\n2\n4\n4\n1\n2\n3\n2\n1\n3\n9\n");
    soundParameters = kOld;
    runOptionsEditor();

    const std::string expected =
        "\n Parameter: soundvideo: 3  soundanfang: 4 soundchampion 2 soundende:  4"
        "\n soundgeschafft 4 soundkeepitup:  1 soundover 2 soundright:  3"
        "\n soundwait 2 soundwell:  1 soundwrong 3 "
        "\n\n ACHTUNG! \n Änderung der Systemparameter"
        "\n Anzahl der Videos 3"
        "\n Neuen Wert eingeben (mit Maus das Quadrat anklicken)\n Zahl eintippen und mit Taste ENTER bestätigen "
        "\n Neuer Wert: 40\n\n Fehler! 40 Wert wird auf 30 gesetzt"
        "\n\n Anzahl Sounds am Anfang 4\n Neuen Wert eingeben :\n Neuer Wert: 30"
        "\n\n Anzahl Sounds für Champion 2\n Neuen Wert eingeben :\n Neuer Wert: 6"
        "\n\n Anzahl Sounds am Ende 4\n Neuen Wert eingeben :\n Neuer Wert: 7\n\n Fehler! 7 Wert wird auf 6 gesetzt"
        "\n\n Anzahl Sounds Levelende 4\n Neuen Wert eingeben :\n Neuer Wert: 19"
        "\n\n Anzahl Sounds keepitup 1\n Neuen Wert eingeben :\n Neuer Wert: 5"
        "\n\n Anzahl Sounds Game over 2\n Neuen Wert eingeben :\n Neuer Wert: 17"
        "\n\n Anzahl Sounds for right 3\n Neuen Wert eingeben :\n Neuer Wert: 16"
        "\n\n Anzahl Sounds for wait 2\n Neuen Wert eingeben :\n Neuer Wert: 5"
        "\n\n Anzahl Sounds for well 1\n Neuen Wert eingeben :\n Neuer Wert: 5"
        "\n\n Anzahl Sounds for wrong 3\n Neuen Wert eingeben :\n Neuer Wert: 26"
        "\n\n Anzahl Bilder für Spiel 9\n Neuen Wert eingeben :\n Neuer Wert: 124"
        "\n 11 Parameters are saved !";
    EXPECT_EQ(ao_cp1252_to_utf8(s.term), expected);

    // Twelve lines although the message speaks of 11; the limits themselves pass.
    EXPECT_EQ(readFile("sound/soundparameter.txt"), "30\n30\n6\n6\n19\n5\n17\n16\n5\n5\n26\n124\n");
    const std::vector<int> edited = counts(soundParameters);
    EXPECT_EQ(edited, (std::vector<int>{30, 30, 6, 6, 19, 5, 17, 16, 5, 5, 26, 124}));
    soundParameters = SoundParameters{};
    loadSoundParameters();
    EXPECT_EQ(counts(soundParameters), edited);

    // The answers were typed into (and echoed by) the terminal itself.
    EXPECT_NE(t.term.dump().find("40\n30\n6\n7\n19\n"), std::string::npos) << t.term.dump();
}

TEST(OptionsEditor, EmptyAndNonNumericAnswersAreStoredAsConvertedWithoutComplaint)
{
    Stage s(answerScript({"", "abc", "3x", "-2", "", "", "", "", "", "", "", ""}));
    Terminal t;
    soundParameters = kOld;
    fs::create_directories("sound");
    runOptionsEditor();

    EXPECT_EQ(counts(soundParameters), (std::vector<int>{0, 0, 3, -2, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(readFile("sound/soundparameter.txt"), "0\n0\n3\n-2\n0\n0\n0\n0\n0\n0\n0\n0\n");
    EXPECT_EQ(s.term.find("Fehler!"), std::string::npos);
    EXPECT_NE(s.term.find("\n Neuer Wert: -2"), std::string::npos);
    EXPECT_NE(s.term.find("\n 11 Parameters are saved !"), std::string::npos);
}

TEST(OptionsEditor, FileThatCannotBeOpenedIsReportedAndTheEditsStayInForce)
{
    // No sound/ folder: the file cannot be created.
    Stage s(answerScript({"50", "2", "2", "2", "2", "2", "2", "2", "2", "2", "2", "2"}));
    Terminal t;
    soundParameters = kOld;
    runOptionsEditor();

    EXPECT_EQ(s.term.find("saved"), std::string::npos);
    const std::string error = "\n ERROR! parameter.txt used by another program\n or not available";
    ASSERT_GE(s.term.size(), error.size());
    EXPECT_EQ(s.term.substr(s.term.size() - error.size()), error);
    EXPECT_EQ(counts(soundParameters), (std::vector<int>{30, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}));
    EXPECT_FALSE(fs::exists("sound/soundparameter.txt"));
}

TEST(OptionsEditor, ClosingTheWindowMidDialogueLeavesTheFileAsItWas)
{
    Stage s(answerScript({"7", "8"}, "wait 2\nclose\n"));
    Terminal t;
    const std::string old = "3\n4\n2\n4\n4\n1\n2\n3\n2\n1\n3\n9\n";
    writeText("sound/soundparameter.txt", old);
    soundParameters = kOld;
    runOptionsEditor();

    EXPECT_EQ(readFile("sound/soundparameter.txt"), old);
    EXPECT_EQ(s.term.find("saved"), std::string::npos);
    EXPECT_EQ(s.term.find("ERROR"), std::string::npos);
}

TEST(SaveSoundParameters, CreatesOrCutsTheFileToTwelveLines)
{
    Stage s;
    fs::create_directories("sound");
    SoundParameters p{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -12};
    ASSERT_TRUE(saveSoundParameters(p));
    EXPECT_EQ(readFile("sound/soundparameter.txt"), "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n-12\n");

    // A longer old file leaves no tail behind.
    std::string longer;
    for (int i = 0; i < 20; ++i) longer += "123456789\n";
    writeText("sound/soundparameter.txt", longer);
    p = SoundParameters{};
    ASSERT_TRUE(saveSoundParameters(p));
    EXPECT_EQ(readFile("sound/soundparameter.txt"), "0\n1\n1\n1\n1\n1\n1\n1\n0\n0\n0\n1\n");
}

TEST(SaveSoundParameters, AFullDiskIsAFailureNotASave)
{
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    Stage s;
    fs::create_directories("sound");
    fs::create_symlink("/dev/full", "sound/soundparameter.txt");
    EXPECT_FALSE(saveSoundParameters(SoundParameters{}));
}
