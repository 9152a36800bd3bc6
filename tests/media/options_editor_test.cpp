// The options editor: the dialogue in the terminal, the limits, and the
// parameter file it writes.
#include "media_test_util.h"
#include "options_editor.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sstream>
#include <sys/wait.h>
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
        "\n soundwait 2 soundwell:  1 soundwrong 3  bilderspiel 9 "
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
        "\n Parameter: soundvideo: 30  soundanfang: 30 soundchampion 6 soundende:  6"
        "\n soundgeschafft 19 soundkeepitup:  5 soundover 17 soundright:  16"
        "\n soundwait 5 soundwell:  5 soundwrong 26  bilderspiel 124 "
        "\n 12 Parameters are saved !";
    EXPECT_EQ(ao_cp1252_to_utf8(s.term), expected);

    // Twelve lines; the limits themselves pass.
    EXPECT_EQ(readFile("sound/soundparameter.txt"), "30\n30\n6\n6\n19\n5\n17\n16\n5\n5\n26\n124\n");
    const std::vector<int> edited = counts(soundParameters);
    EXPECT_EQ(edited, (std::vector<int>{30, 30, 6, 6, 19, 5, 17, 16, 5, 5, 26, 124}));
    soundParameters = SoundParameters{};
    loadSoundParameters();
    EXPECT_EQ(counts(soundParameters), edited);

    // The answers were typed into (and echoed by) the terminal itself.
    EXPECT_NE(t.term.dump().find("40\n30\n6\n7\n19\n"), std::string::npos) << t.term.dump();
}

TEST(OptionsEditor, EnterAloneKeepsTheValueShownAndTextIsConvertedWithoutComplaint)
{
    Stage s(answerScript({"", "abc", "3x", "-2", "", "", "", "", "", "", "", ""}));
    Terminal t;
    soundParameters = kOld;
    fs::create_directories("sound");
    runOptionsEditor();

    EXPECT_EQ(counts(soundParameters), (std::vector<int>{3, 0, 3, -2, 4, 1, 2, 3, 2, 1, 3, 9}));
    EXPECT_EQ(readFile("sound/soundparameter.txt"), "3\n0\n3\n-2\n4\n1\n2\n3\n2\n1\n3\n9\n");
    EXPECT_EQ(s.term.find("Fehler!"), std::string::npos);
    EXPECT_NE(s.term.find("Videos 3\n Neuen Wert eingeben (mit Maus"), std::string::npos);
    EXPECT_NE(s.term.find("\n Neuer Wert: 3\n\n Anzahl Sounds am Anfang"), std::string::npos);
    EXPECT_NE(s.term.find("\n Neuer Wert: -2"), std::string::npos);
    EXPECT_NE(s.term.find("\n 12 Parameters are saved !"), std::string::npos);
}

TEST(OptionsEditor, EscapeCancelsNothingIsSavedAndTheOldCountsStay)
{
    const std::string old = "3\n4\n2\n4\n4\n1\n2\n3\n2\n1\n3\n9\n";
    for (const char* ending : {"wait 6\nkey Escape\nwait 60\nclose\n", "wait 6\ntype 12\nkey Escape\nwait 60\nclose\n"}) {
        Stage s(answerScript({"7", "8"}, ending));
        Terminal t;
        writeText("sound/soundparameter.txt", old);
        soundParameters = kOld;
        runOptionsEditor();

        EXPECT_EQ(counts(soundParameters), counts(kOld));
        EXPECT_EQ(readFile("sound/soundparameter.txt"), old);
        EXPECT_EQ(s.term.find("Anzahl Sounds Levelende"), std::string::npos) << "no further question";
        EXPECT_TRUE(s.term.ends_with("\n Abgebrochen (Escape): nichts gespeichert, die alten Werte bleiben")) << s.term;
    }
}

TEST(OptionsEditor, NoWritablePlaceIsReportedWithTheReasonAndTheEditsStayInForce)
{
    // No sound/ folder: the file cannot be created.
    Stage s(answerScript({"50", "2", "2", "2", "2", "2", "2", "2", "2", "2", "2", "2"}));
    Terminal t;
    soundParameters = kOld;
    runOptionsEditor();

    EXPECT_EQ(s.term.find("saved"), std::string::npos);
    const std::string error = "\n ERROR! parameter.txt used by another program\n or not available"
                              "\n sound/soundparameter.txt: Ordner fehlt";
    EXPECT_TRUE(s.term.ends_with(error)) << s.term;
    EXPECT_EQ(counts(soundParameters), (std::vector<int>{30, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}));
    EXPECT_FALSE(fs::exists("sound/soundparameter.txt"));
    EXPECT_FALSE(fs::exists(userParameterFile()));

    // A read-only media file and a read-only user folder: both reasons are named.
    const std::string old = "3\n4\n2\n4\n4\n1\n2\n3\n2\n1\n3\n9\n";
    writeText("sound/soundparameter.txt", old);
    fs::permissions("sound/soundparameter.txt", fs::perms::owner_read);
    const fs::path userFolder = fs::path(userParameterFile()).parent_path();
    fs::create_directories(userFolder);
    fs::permissions(userFolder, fs::perms::owner_read | fs::perms::owner_exec);
    const ParameterSave saved = saveSoundParameters(soundParameters);
    fs::permissions(userFolder, fs::perms::owner_all);
    EXPECT_FALSE(saved.saved);
    EXPECT_TRUE(saved.unavailable);
    EXPECT_EQ(saved.sharedError, "sound/soundparameter.txt: keine Schreibrechte");
    EXPECT_EQ(saved.error, userParameterFile() + ": keine Schreibrechte");
    EXPECT_EQ(readFile("sound/soundparameter.txt"), old);
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

TEST(OptionsEditor, ReadOnlyMediaFileGoesToTheUsersCopyWhichTheNextStartReads)
{
    Stage s(answerScript({"1", "2", "3", "4", "5", "1", "2", "3", "4", "5", "6", "7"}));
    Terminal t;
    const std::string old = "3\n4\n2\n4\n4\n1\n2\n3\n2\n1\n3\n9\n";
    writeText("sound/soundparameter.txt", old);
    fs::permissions("sound/soundparameter.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    soundParameters = kOld;
    runOptionsEditor();

    const std::string user = userParameterFile();
    EXPECT_EQ(readFile("sound/soundparameter.txt"), old);
    EXPECT_EQ(readFile(user), "1\n2\n3\n4\n5\n1\n2\n3\n4\n5\n6\n7\n");
    const std::string said = "\n 12 Parameters are saved !\n sound/soundparameter.txt: keine Schreibrechte"
                             "\n gespeichert für diesen Benutzer in " + user;
    EXPECT_NE(ao_cp1252_to_utf8(s.term).find(said), std::string::npos) << ao_cp1252_to_utf8(s.term);

    soundParameters = SoundParameters{};
    loadSoundParameters();
    EXPECT_EQ(counts(soundParameters), (std::vector<int>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 6, 7}));
    // Once there is a user's copy, saves go there, even if the media file becomes writable.
    fs::permissions("sound/soundparameter.txt", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(saveSoundParameters(kOld).path, user);
    EXPECT_EQ(readFile("sound/soundparameter.txt"), old);
}

TEST(SaveSoundParameters, CreatesOrCutsTheFileToTwelveLines)
{
    Stage s;
    fs::create_directories("sound");
    SoundParameters p{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -12};
    ASSERT_TRUE(saveSoundParameters(p).saved);
    EXPECT_EQ(readFile("sound/soundparameter.txt"), "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n-12\n");

    // A longer old file leaves no tail behind.
    std::string longer;
    for (int i = 0; i < 20; ++i) longer += "123456789\n";
    writeText("sound/soundparameter.txt", longer);
    p = SoundParameters{};
    ASSERT_TRUE(saveSoundParameters(p).saved);
    EXPECT_EQ(readFile("sound/soundparameter.txt"), "0\n1\n1\n1\n1\n1\n1\n1\n0\n0\n0\n1\n");
}

TEST(SaveSoundParameters, AFullDiskKeepsTheOldFileAndSaysSo)
{
    Stage s(answerScript({"1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"}));
    Terminal t;
    const std::string old = "3\n4\n2\n4\n4\n1\n2\n3\n2\n1\n3\n9\n";
    writeText("sound/soundparameter.txt", old);
    aofile_injectwriteerror(ENOSPC);
    runOptionsEditor();

    EXPECT_EQ(readFile("sound/soundparameter.txt"), old);
    const std::string said = "\n ERROR! Parameter nicht gespeichert\n sound/soundparameter.txt: Datenträger voll";
    EXPECT_TRUE(ao_cp1252_to_utf8(s.term).ends_with(said)) << ao_cp1252_to_utf8(s.term);
    EXPECT_FALSE(fs::exists(userParameterFile())) << "a full disk is not a reason for another place";
}

TEST(SaveSoundParameters, KilledAtRandomMomentsTheFileIsAlwaysOldOrNew)
{
    Stage s;
    fs::create_directories("sound");
    const SoundParameters a{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const SoundParameters b{30, 30, 6, 6, 19, 5, 17, 16, 5, 5, 26, 124};
    ASSERT_TRUE(saveSoundParameters(a).saved);
    const std::string textA = readFile("sound/soundparameter.txt");
    ASSERT_TRUE(saveSoundParameters(b).saved);
    const std::string textB = readFile("sound/soundparameter.txt");

    std::srand(20261207);
    for (int kill = 0; kill < 50; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (unsigned i = 0;; ++i) saveSoundParameters(i % 2 ? a : b);
        }
        usleep(static_cast<useconds_t>(std::rand() % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const std::string now = readFile("sound/soundparameter.txt");
        ASSERT_TRUE(now == textA || now == textB) << "kill " << kill << ": \"" << now << "\"";
    }
}

TEST(OptionsEditor, EscapeDuringItsPausesCancelsAtOnce)
{
    // During the first pauses (before any prompt), and in the pause after an answer.
    struct Case {
        std::string script;
        int escapeMs;
    };
    const std::vector<Case> cases = {
        {"wait 1\nkey Escape\nwait 60\nclose\n", 1000},
        {"wait 5\nkey Escape\nwait 60\nclose\n", 5000},
        {answerScript({"7"}, "wait 1\nkey Escape\nwait 60\nclose\n"), 8000},
    };
    const std::string old = "3\n4\n2\n4\n4\n1\n2\n3\n2\n1\n3\n9\n";
    for (const Case& c : cases) {
        Stage s(c.script);
        Terminal t;
        writeText("sound/soundparameter.txt", old);
        soundParameters = kOld;
        const int t0 = aogettime();
        runOptionsEditor();
        // The cancel message stays up for 2 s; nothing waits for the pause to end.
        EXPECT_LE(aogettime() - t0, c.escapeMs + 2100) << c.script;
        EXPECT_EQ(counts(soundParameters), counts(kOld));
        EXPECT_EQ(readFile("sound/soundparameter.txt"), old);
        EXPECT_TRUE(s.term.ends_with("\n Abgebrochen (Escape): nichts gespeichert, die alten Werte bleiben")) << s.term;
    }
}
