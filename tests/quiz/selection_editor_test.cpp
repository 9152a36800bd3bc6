// The task selection editor: squares of the current group, switching entries
// off and on, the ENDE field and Escape, and what a game makes of the result.
#include "quiz_fixture.h"

#include <fstream>
#include <iterator>
#include <map>

using quiztest::count;
using quiztest::Quiz;

namespace {

namespace fs = std::filesystem;

// Window coordinates of the middle of entry k's square and of the ENDE field.
std::string square(int k)
{
    return std::to_string(35 * k + 30 + 12 + 10) + " " + std::to_string(50 + 8 + 180);
}
const char* const kEnde = "140 290";

// Shots are named after the test, so a name is written once per process.
fs::path shotPath(const std::string& name)
{
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return fs::temp_directory_path() /
           ("ziffron_selection_" + std::to_string(::getpid()) + "_" + test + "_" + name + ".bmp");
}

const aoPixmap& loadShot(const std::string& name)
{
    static std::map<fs::path, aoPixmap> decoded;
    const fs::path path = shotPath(name);
    auto it = decoded.find(path);
    if (it != decoded.end()) return it->second;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    aoPixmap& p = decoded[path];
    std::string err;
    EXPECT_TRUE(aobmp_decode(bytes.data(), bytes.size(), &p, err)) << name << ": " << err;
    std::error_code ec;
    fs::remove(path, ec);
    return p;
}

// A pixel of taskArea in a window shot.
int areaPixel(const std::string& name, int x, int y)
{
    const aoPixmap& p = loadShot(name);
    return aopxmap_getpixel(&p, x + 10, y + 180);
}

// Black pixels in a rectangle of taskArea in a window shot.
int inkIn(const std::string& name, int x, int y, int w, int h)
{
    const aoPixmap& p = loadShot(name);
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) n += aopxmap_getpixel(&p, i + 10, j + 180) == 0;
    return n;
}

// Top-left inside entry k's square.
int squarePixel(const std::string& shot, int k)
{
    return areaPixel(shot, 35 * k + 31, 51);
}

const int kYellow = aographic_rgb(255, 255, 0);
const int kGrey = aographic_rgb(95, 95, 95);
const int kLightYellow = aographic_rgb(255, 255, 95);

class SelectionEditor : public Quiz {
protected:
    // The editor draws over what the area holds; earlier games leave pictures there.
    void open(int lvl, int diff)
    {
        taskArea.select();
        aographic_clear(0xFFFFFF);
        level = lvl;
        difficulty = diff;
        runSelectionEditor();
    }
    std::string shot(const std::string& name) { return "shot " + shotPath(name).string() + "\n"; }
};

} // namespace

TEST_F(SelectionEditor, ClickingTwiceSwitchesAnEntryOffAndOnAgain)
{
    start("wait 1\n" + shot("open") + "click " + square(2) + "\nwait 1\n" + shot("off") + "click " + square(2) +
          "\nwait 1\n" + shot("on") + "click " + square(4) + "\nkey Escape\nwait 5\nclose\n");
    open(1, 1);
    EXPECT_EQ(selection[1][1][2], 2);
    EXPECT_EQ(selection[1][1][4], 0);
    for (int k : {1, 3, 5}) EXPECT_EQ(selection[1][1][k], k);
    EXPECT_EQ(count(transcript(), "\n Ende Editor \n"), 1);

    EXPECT_EQ(squarePixel("open", 2), kYellow);
    EXPECT_EQ(squarePixel("open", 5), kYellow);
    EXPECT_EQ(squarePixel("open", 6), 0xFFFFFF) << "level 1, difficulty 1 has five entries";
    EXPECT_EQ(areaPixel("open", 101, 101), aographic_rgb(255, 0, 0)) << "the ENDE field";
    EXPECT_EQ(squarePixel("off", 2), kGrey);
    EXPECT_EQ(squarePixel("on", 2), kLightYellow);
    EXPECT_EQ(squarePixel("on", 1), kYellow);
    // Leaving clears the area.
    EXPECT_EQ(aopxmap_getpixel(taskArea.pixmap(), 35 * 4 + 31, 51), 0xFFFFFF);
}

TEST_F(SelectionEditor, EntryOffFromAnEarlierEditingTurnsGreyFirstAndOnSecond)
{
    start("wait 1\n" + shot("before") + "click " + square(3) + "\nwait 1\n" + shot("grey") + "key Escape\n" +
          "wait 1\nclick " + square(3) + "\nwait 1\nclick " + square(3) + "\nwait 1\n" + shot("back") +
          "click " + std::string(kEnde) + "\nwait 5\nclose\n");
    selection[1][1][3] = 0;
    open(1, 1);
    EXPECT_EQ(selection[1][1][3], 0) << "the first click keeps it off";
    EXPECT_EQ(squarePixel("before", 3), kYellow) << "shown as 0 on yellow";
    EXPECT_EQ(squarePixel("grey", 3), kGrey);

    // A new editing starts with fresh flags: two clicks bring it back.
    open(1, 1);
    EXPECT_EQ(selection[1][1][3], 3);
    EXPECT_EQ(squarePixel("back", 3), kLightYellow);
    EXPECT_EQ(count(transcript(), "\n Ende Editor \n"), 2);
}

TEST_F(SelectionEditor, TwentySevenEntriesReachXThousandAndGapsAreIgnored)
{
    // Area x 1000 is the right edge of square 27; 974 lies between 26 and 27,
    // 1010 is where a 28th square would start.
    start("wait 1\n" + shot("wide") + "click 984 235\nclick 1020 235\nclick 1010 235\nwait 1\n" + shot("after") +
          "key Escape\nwait 5\nclose\n");
    open(7, 3);
    for (int k = 1; k <= 26; ++k) EXPECT_EQ(selection[7][3][k], k) << k;
    EXPECT_EQ(selection[7][3][27], 0);
    EXPECT_EQ(squarePixel("wide", 27), kYellow);
    EXPECT_EQ(areaPixel("wide", 35 * 28 + 31, 51), 0xFFFFFF);
    EXPECT_EQ(squarePixel("after", 27), kGrey);
    EXPECT_EQ(squarePixel("after", 26), kYellow);
}

TEST_F(SelectionEditor, BeforeAnyStartOnlyTextAndEndeAndTheEndeEdgesCount)
{
    // A click just outside the ENDE field does nothing; its corner (160,120) ends.
    start("wait 1\n" + shot("empty") + "click " + square(1) + "\nclick 171 301\nwait 5\nclick 170 300\nwait 5\nclose\n");
    const int t0 = aogettime();
    open(0, 0);
    EXPECT_GE(aogettime() - t0, 5000) << "ended by the click outside the field";
    EXPECT_EQ(count(transcript(), "\n Ende Editor \n"), 1);
    EXPECT_EQ(squarePixel("empty", 1), 0xFFFFFF);
    EXPECT_EQ(areaPixel("empty", 101, 101), aographic_rgb(255, 0, 0));
    EXPECT_GT(inkIn("empty", 10, 10, 400, 25), 100) << "the instruction line";
    EXPECT_EQ(inkIn("empty", 0, 40, 1280, 40), 0) << "no squares, no numbers";
    EXPECT_GT(inkIn("empty", 200, 100, 900, 25), 300) << "one line: START first";
    EXPECT_EQ(inkIn("empty", 0, 130, 1280, 590), 0) << "no titles";
    for (int l = 1; l <= kLevels; ++l)
        for (int d = 1; d <= kDifficulties; ++d)
            for (int k = 1; k <= entryCount[l][d]; ++k) ASSERT_EQ(selection[l][d][k], k);
}

TEST_F(SelectionEditor, DeselectingEveryEntryStopsTheNextGame)
{
    // A pupil plays one task of level 2, switches all five entries off and
    // presses START again.
    std::string script = "wait 1\nclick btton\nspin udStufe 2\nspin udSchwierigkeit 1\nspin udAnzahlAufgaben 1\n"
                         "click btStart\nwait 20\nanswer right\nwait 30\nclick btEdit\nwait 1\n";
    for (int k = 1; k <= 5; ++k) script += "click " + square(k) + "\n";
    script += "wait 1\nclick " + std::string(kEnde) + "\nwait 1\nclick btStart\nwait 30\nclick btEnde\nwait 30\nclose\n";
    start(script);
    serveMainScreen();

    for (int k = 1; k <= 5; ++k) EXPECT_EQ(selection[2][1][k], 0);
    EXPECT_EQ(count(transcript(), " LSG = "), 1) << "only the first game posed a task";
    EXPECT_NE(transcript().find(ao_cp1252_to_utf8(ao_utf8_to_cp1252(
                  "\n \n Fehler Auswahl!\n Es wurden keine Aufgaben im Bereich bis 5 ausgewählt.\n "
                  "Programm wurde abgebrochen. "))),
              std::string::npos)
        << transcript();
}

namespace {

// Window coordinates of the middle of entry k's title line (two columns above 14 entries).
std::string listLine(int k, int entries)
{
    const int rows = entries <= 14 ? entries : (entries + 1) / 2;
    const int x = 35 + (k - 1) / rows * 620 + 100, y = 140 + (k - 1) % rows * 26 + 13;
    return std::to_string(x + 10) + " " + std::to_string(y + 180);
}

// Pixels of one colour in a rectangle of taskArea in a window shot.
int colourIn(const std::string& name, int colour, int x, int y, int w, int h)
{
    const aoPixmap& p = loadShot(name);
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) n += aopxmap_getpixel(&p, i + 10, j + 180) == colour;
    return n;
}

const int kOffText = aographic_rgb(140, 140, 140);

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

fs::path savedFile()
{
    return fs::path(std::getenv("XDG_CONFIG_HOME")) / "ziffron" / "auswahl.txt";
}

// A class file of the test's own, given as with --selection.
fs::path classFile(const std::string& text)
{
    const fs::path p = fs::temp_directory_path() / ("ziffron_class_" + std::to_string(::getpid()) + ".txt");
    std::error_code ec;
    fs::permissions(p, fs::perms::owner_all, ec);
    std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
    selectionFile = p.string();
    return p;
}

} // namespace

TEST_F(SelectionEditor, HeadingAndTitlesShowTheGroupAndAClickOnATitleTogglesLikeItsSquare)
{
    // Level 5, difficulty 2 has 17 entries: two columns of titles; entry 7 is
    // off from before.
    start("wait 1\n" + shot("open") + "click " + listLine(3, 17) + "\nwait 1\n" + shot("off") + "click " +
          listLine(3, 17) + "\nclick " + listLine(10, 17) + "\nwait 1\n" + shot("on") + "key Escape\nwait 5\nclose\n");
    selection[5][2][7] = 0;
    open(5, 2);
    EXPECT_EQ(selection[5][2][3], 3) << "two clicks on the title: off and on again";
    EXPECT_EQ(selection[5][2][10], 0);
    EXPECT_EQ(selection[5][2][7], 0);

    EXPECT_GT(inkIn("open", 200, 100, 260, 25), 150) << "the heading";
    EXPECT_EQ(inkIn("open", 460, 100, 800, 25), 0) << "a short heading, no sentence";
    // Titles in black when on, grey with "(aus)" when off; the second column holds 10 to 17.
    EXPECT_GT(inkIn("open", 35, 140 + 2 * 26, 600, 26), 100);
    EXPECT_EQ(inkIn("open", 35, 140 + 6 * 26, 600, 26), 0);
    EXPECT_GT(colourIn("open", kOffText, 35, 140 + 6 * 26, 600, 26), 100);
    EXPECT_GT(inkIn("open", 655, 140, 600, 26), 100);
    EXPECT_EQ(inkIn("open", 35, 140 + 9 * 26, 1200, 26), 0) << "nine rows";

    EXPECT_EQ(squarePixel("off", 3), kGrey);
    EXPECT_EQ(inkIn("off", 35, 140 + 2 * 26, 600, 26), 0);
    EXPECT_GT(colourIn("off", kOffText, 35, 140 + 2 * 26, 600, 26), colourIn("open", kOffText, 35, 140 + 6 * 26, 600, 26) / 2);
    EXPECT_EQ(squarePixel("on", 3), kLightYellow);
    EXPECT_GT(inkIn("on", 35, 140 + 2 * 26, 600, 26), 100);
    EXPECT_EQ(squarePixel("on", 10), kGrey);
}

TEST_F(SelectionEditor, SelectionIsSavedWhenTheEditorClosesAndLoadedAtTheNextStart)
{
    start("wait 1\nclick " + square(3) + "\nclick " + square(7) + "\nclick " + listLine(12, 17) +
          "\nkey Escape\nwait 1\nkey Escape\nwait 5\nclose\n");
    EXPECT_FALSE(fs::exists(savedFile())) << "nothing written before a change";
    open(5, 2);
    const std::string text = readFile(savedFile());
    EXPECT_NE(text.find("\nLevel 5 Stufe 2 aus: 3 7 12\n"), std::string::npos) << text;
    EXPECT_EQ(count(text, "\nLevel "), 1) << text;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(savedFile().parent_path())) files.push_back(e.path());
    EXPECT_EQ(files, std::vector<fs::path>{savedFile()}) << "no temporary file left";

    // The next run.
    catalog_filltables();
    loadSelection();
    for (int k = 1; k <= 17; ++k) EXPECT_EQ(selection[5][2][k], (k == 3 || k == 7 || k == 12) ? 0 : k) << k;
    const auto written = fs::last_write_time(savedFile());
    open(5, 2);
    EXPECT_EQ(fs::last_write_time(savedFile()), written) << "an editing without change writes nothing";
    EXPECT_EQ(count(transcript(), "Auswahl"), 0) << transcript();
}

TEST_F(SelectionEditor, FaultyClassFileIsNamedLineByLineAndNeverRewritten)
{
    start("wait 1\nclick " + square(1) + "\nkey Escape\nwait 1\nclick " + square(2) + "\nkey Escape\nwait 5\nclose\n");
    const std::string text = "# 6b\nStufe 5 Schwierigkeit 2 aus: 3 40\nStufe 5 Schwirigkeit 2 aus: 4\n"
                             "Stufe 5 Schwierigkeit 2 aus: 5\r\x01\xFF\n";
    const fs::path file = classFile(text);
    catalog_filltables();
    loadSelection();
    EXPECT_NE(transcript().find(file.string() + ", Zeile 2: Level 5 Stufe 2 hat keine Aufgabe 40"),
              std::string::npos)
        << transcript();
    EXPECT_NE(transcript().find(", Zeile 3: nicht lesbar"), std::string::npos);
    EXPECT_NE(transcript().find(", Zeile 5: nicht lesbar"), std::string::npos);
    for (int k = 1; k <= 17; ++k) EXPECT_EQ(selection[5][2][k], (k == 3 || k == 5) ? 0 : k) << k;

    open(5, 2);
    open(5, 2);
    EXPECT_EQ(selection[5][2][1], 0);
    EXPECT_EQ(selection[5][2][2], 0) << "changes last for the run";
    EXPECT_EQ(readFile(file), text);
    EXPECT_EQ(count(transcript(), "Änderungen gelten nur bis zum Programmende"), 1) << transcript();
    fs::remove(file);
}

TEST_F(SelectionEditor, WriteProtectedClassFileIsUsedAndSaidOnceToBeKeptForTheRunOnly)
{
    start("wait 1\nclick " + square(1) + "\nkey Escape\nwait 1\nclick " + square(2) + "\nkey Escape\nwait 5\nclose\n");
    const std::string text = "Stufe 5 Schwierigkeit 2 aus: 17\n";
    const fs::path file = classFile(text);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    catalog_filltables();
    loadSelection();
    EXPECT_EQ(selection[5][2][17], 0);
    EXPECT_EQ(count(transcript(), "Auswahl"), 0) << "nothing to say before a change";
    open(5, 2);
    open(5, 2);
    EXPECT_EQ(selection[5][2][1], 0);
    EXPECT_EQ(selection[5][2][2], 0);
    EXPECT_EQ(readFile(file), text);
    EXPECT_EQ(count(transcript(), "schreibgeschützt; Änderungen gelten nur bis zum Programmende"), 1) << transcript();
    EXPECT_FALSE(fs::exists(savedFile())) << "not written elsewhere either";
    fs::permissions(file, fs::perms::owner_all);
    fs::remove(file);
}

TEST_F(SelectionEditor, FailedSaveIsNamedAndTheFileStaysAsItWas)
{
    start("wait 1\nclick " + square(1) + "\nkey Escape\nwait 5\nclose\n");
    const std::string text = "Stufe 5 Schwierigkeit 2 aus: 17\n";
    const fs::path file = classFile(text);
    catalog_filltables();
    loadSelection();
    aofile_injectwriteerror(ENOSPC);
    open(5, 2);
    EXPECT_EQ(readFile(file), text);
    EXPECT_NE(transcript().find("Auswahl nicht gespeichert: " + file.string() + ": "), std::string::npos)
        << transcript();
    fs::remove(file);
}

TEST_F(SelectionEditor, GamesAfterLoadingNeverPlayAnEntryThatIsOff)
{
    std::map<int, int> played;
    int solutions = 0;
    for (unsigned seed = 1; seed <= 5; ++seed) {
        start(answers("rrrrrrrr"));
        const fs::path file = classFile("Stufe 5 Schwierigkeit 2 aus: 3 7 12\n");
        catalog_filltables();
        loadSelection();
        // Every task prints its text; note which task it was.
        TaskPrinter game = catalog_setprinter(nullptr);
        catalog_setprinter([&played, game](const std::string& text) {
            ++played[lastTaskNumber];
            game(text);
        });
        play(5, 2, 8, seed);
        catalog_setprinter(game);
        solutions += count(transcript(), "LSG");
        fs::remove(file);
    }
    EXPECT_GE(solutions, 40);
    for (int off : {5203, 5207, 5212}) EXPECT_EQ(played.count(off), 0u) << off;
    EXPECT_GE(played.size(), 8u) << "the other entries are drawn";
}

TEST(SelectionOption, TakesAFileAndMakesItAbsolute)
{
    std::string err;
    char prog[] = "ziffron", opt[] = "--selection", file[] = "klasse6b.txt", empty[] = "", other[] = "--pupil";
    char* args[] = {prog, opt, file};
    EXPECT_EQ(takeSelectionOption(3, args, 1, err), 2);
    EXPECT_EQ(selectionFile, (fs::current_path() / "klasse6b.txt").string());
    char* missing[] = {prog, opt};
    EXPECT_EQ(takeSelectionOption(2, missing, 1, err), -1);
    EXPECT_EQ(err, "--selection needs a file");
    char* blank[] = {prog, opt, empty};
    EXPECT_EQ(takeSelectionOption(3, blank, 1, err), -1);
    char* notMine[] = {prog, other, file};
    EXPECT_EQ(takeSelectionOption(3, notMine, 1, err), 0);
    selectionFile.clear();
}

TEST_F(SelectionEditor, GroupAllOffInTheFilePlaysNothing)
{
    start("wait 30\nclose\n");
    classFile("Stufe 2 Schwierigkeit 1 aus: 1 2 3 4 5\n");
    catalog_filltables();
    loadSelection();
    play(2, 1, 3);
    EXPECT_EQ(count(transcript(), "LSG"), 0);
    EXPECT_NE(transcript().find("Fehler Auswahl!\n Es wurden keine Aufgaben im Bereich bis 5 ausgewählt."),
              std::string::npos)
        << transcript();
    fs::remove(selectionFile);
}
