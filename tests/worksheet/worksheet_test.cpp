// Worksheets read back as a reader would: the text through pdftotext, a page
// through pdftoppm. Skipped where poppler's tools are not installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "catalog.h"
#include "titles.h"
#include "worksheet.h"

namespace fs = std::filesystem;

namespace {

bool haveTool(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs of blanks and line ends as one blank: the PDF lays lines out anew.
std::string squeezed(const std::string& text)
{
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r';
        if (blank) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

struct Sheet {
    fs::path dir = fs::temp_directory_path() / ("ziffron-worksheet-" + std::to_string(::getpid()));
    fs::path pdf = dir / "sheet.pdf";
    Sheet() { fs::create_directories(dir); }
    ~Sheet() { fs::remove_all(dir); }
};

int run(const std::vector<std::string>& args, std::string* err = nullptr)
{
    std::ostringstream out, errors;
    const int status = runCatalogTool(args, out, errors, writeWorksheet);
    if (err) *err = errors.str();
    return status;
}

} // namespace

TEST(Worksheet, HoldsEveryTaskAndTheKey)
{
    if (!haveTool("pdftotext") || !haveTool("pdftoppm")) GTEST_SKIP() << "poppler-utils not installed";
    Sheet sheet;
    const std::vector<std::string> args = {"--worksheet", sheet.pdf.string(), "--level", "4", "--difficulty", "3",
                                           "--count", "8", "--seed", "7", "--date", "2026-12-07"};
    std::string err;
    ASSERT_EQ(run(args, &err), 0) << err;

    CatalogToolArgs parsed;
    parsed.level = 4, parsed.difficulty = 3, parsed.count = 8, parsed.seed = 7;
    std::vector<ToolTask> tasks;
    ASSERT_TRUE(worksheetTasks(parsed, tasks, err)) << err;

    const fs::path text = sheet.dir / "sheet.txt";
    ASSERT_EQ(std::system(("pdftotext -layout -enc UTF-8 " + sheet.pdf.string() + " " + text.string()).c_str()), 0);
    const std::string all = squeezed(readFile(text));
    EXPECT_NE(all.find("Level 4 Stufe 3 Datum: 07.12.2026 Name:"), std::string::npos) << all.substr(0, 200);
    const size_t keyPage = all.find("Lösungen");
    ASSERT_NE(keyPage, std::string::npos);
    for (size_t i = 0; i < tasks.size(); ++i) {
        EXPECT_NE(all.find(squeezed(tasks[i].text)), std::string::npos) << "task " << tasks[i].number << ": "
                                                                       << squeezed(tasks[i].text);
        const std::string keyLine = squeezed(std::to_string(i + 1) + ". (" + std::to_string(tasks[i].number) + ") " +
                                             tasks[i].keyText);
        EXPECT_NE(all.find(keyLine, keyPage), std::string::npos) << keyLine;
    }
    // Fractions as a teacher writes them ("6/5"), not as the squares' rows are named.
    EXPECT_EQ(all.find("Nenner gekürzt", keyPage), std::string::npos) << all.substr(keyPage);
    EXPECT_NE(all.find("/", keyPage), std::string::npos) << all.substr(keyPage);

    // The first page, printed: ink on paper, not a blank page.
    ASSERT_EQ(std::system(("pdftoppm -r 40 -gray -f 1 -l 1 " + sheet.pdf.string() + " " + (sheet.dir / "p").string())
                              .c_str()),
              0);
    fs::path page;
    for (const auto& entry : fs::directory_iterator(sheet.dir))
        if (entry.path().extension() == ".pgm") page = entry.path();
    const std::string pgm = readFile(page);
    ASSERT_GT(pgm.size(), 20u);
    size_t dark = 0;
    for (size_t i = pgm.size() / 2; i < pgm.size(); ++i) dark += static_cast<unsigned char>(pgm[i]) < 128;
    EXPECT_GT(dark, 200u) << "the lower half of page 1 is blank";
}

TEST(Worksheet, SameSeedSameSheet)
{
    Sheet sheet;
    std::vector<std::string> args = {"--worksheet", sheet.pdf.string(), "--level", "3", "--difficulty", "2",
                                     "--count", "6", "--seed", "11", "--date", "2026-12-07"};
    ASSERT_EQ(run(args), 0);
    const std::string first = readFile(sheet.pdf);
    ASSERT_EQ(run(args), 0);
    EXPECT_EQ(readFile(sheet.pdf), first);
    args[9] = "12";
    ASSERT_EQ(run(args), 0);
    EXPECT_NE(readFile(sheet.pdf), first);
    EXPECT_EQ(first.substr(0, 5), "%PDF-");
}

TEST(Worksheet, UnwritableFile)
{
    std::string err;
    EXPECT_EQ(run({"--worksheet", "/nonexistent-dir/w.pdf", "--level", "4", "--difficulty", "3"}, &err), 1);
    EXPECT_NE(err.find("/nonexistent-dir/w.pdf"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

namespace {

std::string pdfText(const Sheet& sheet, const std::string& options = "")
{
    const fs::path text = sheet.dir / "sheet.txt";
    const std::string command =
        "pdftotext " + options + " -enc UTF-8 " + sheet.pdf.string() + " " + text.string() + " 2>/dev/null";
    return std::system(command.c_str()) == 0 ? readFile(text) : std::string();
}

// The words of a `pdftotext -bbox` page with their heights in points.
std::vector<std::pair<std::string, double>> wordHeights(const std::string& bbox)
{
    std::vector<std::pair<std::string, double>> words;
    size_t at = 0;
    while ((at = bbox.find("<word ", at)) != std::string::npos) {
        double yMin = 0, yMax = 0;
        const size_t close = bbox.find('>', at), end = bbox.find("</word>", close);
        if (close == std::string::npos || end == std::string::npos) break;
        const std::string tag = bbox.substr(at, close - at);
        std::sscanf(tag.c_str() + tag.find("yMin="), "yMin=\"%lf\"", &yMin);
        std::sscanf(tag.c_str() + tag.find("yMax="), "yMax=\"%lf\"", &yMax);
        words.emplace_back(bbox.substr(close + 1, end - close - 1), yMax - yMin);
        at = end;
    }
    return words;
}

} // namespace

// Graph pictures are drawn as lines and text, not as a screen raster: the
// axis numbers are words of the page, printed at a size a pupil reads.
TEST(Worksheet, PicturesAreVectorsWithReadableText)
{
    if (!haveTool("pdftotext")) GTEST_SKIP() << "poppler-utils not installed";
    Sheet sheet;
    ASSERT_EQ(run({"--worksheet", sheet.pdf.string(), "--level", "6", "--difficulty", "1", "--tasks", "6101",
                   "--seed", "3", "--date", "2026-12-07"}),
              0);
    EXPECT_EQ(readFile(sheet.pdf).find("/Subtype /Image"), std::string::npos) << "a raster picture in the sheet";
    int axisNumbers = 0;
    for (const auto& [word, height] : wordHeights(pdfText(sheet, "-bbox")))
        if (word == "-15" || word == "-20") {
            ++axisNumbers;
            EXPECT_GE(height, 7.0) << word << " prints " << height << " pt tall";
        }
    EXPECT_GE(axisNumbers, 2 * 12) << "every graph's axis is labelled";
}

// Twelve tasks of any level and difficulty take two to four pages, the key
// one more.
TEST(Worksheet, TwelveTasksFitOnAtMostFourPages)
{
    for (int level = 1; level <= kLevels; ++level)
        for (int difficulty = 1; difficulty <= kDifficulties; ++difficulty) {
            CatalogToolArgs args;
            args.level = level, args.difficulty = difficulty, args.seed = 7;
            std::vector<ToolTask> tasks;
            std::string err, pdf;
            ASSERT_TRUE(worksheetTasks(args, tasks, err)) << err;
            WorksheetPages pages;
            ASSERT_TRUE(renderWorksheet({level, difficulty, "2026-12-07", 7}, tasks, pdf, err, &pages)) << err;
            EXPECT_GE(pages.tasks, 1) << level << "/" << difficulty;
            EXPECT_LE(pages.tasks, 4) << level << "/" << difficulty;
            EXPECT_EQ(pages.key, 1) << level << "/" << difficulty;
        }
}

// Without --seed every sheet is a new one; its footer names the seed, and
// that seed makes the same sheet again.
TEST(Worksheet, FreshSeedNamedInTheFooter)
{
    if (!haveTool("pdftotext")) GTEST_SKIP() << "poppler-utils not installed";
    Sheet sheet;
    const std::vector<std::string> args = {"--worksheet", sheet.pdf.string(), "--level", "4", "--difficulty", "3",
                                           "--date", "2026-12-07"};
    auto footer = [&] {
        const std::string text = pdfText(sheet);
        const size_t at = text.find("Blatt 4-3-");
        return at == std::string::npos ? std::string() : text.substr(at, text.find_first_of(" \n\f", at + 6) - at);
    };
    ASSERT_EQ(run(args), 0);
    const std::string first = readFile(sheet.pdf), firstName = footer();
    ASSERT_FALSE(firstName.empty()) << "no \"Blatt 4-3-<seed>\" in the footer";
    ASSERT_EQ(run(args), 0);
    EXPECT_NE(footer(), firstName) << "two sheets without --seed are the same sheet";

    std::vector<std::string> again = args;
    again.insert(again.end(), {"--seed", firstName.substr(10)});
    ASSERT_EQ(run(again), 0);
    EXPECT_EQ(readFile(sheet.pdf), first);
}

// With --key steps the key gives each task's Lösungsweg under its solution,
// long lines wrapped, and still starts on a page of its own.
TEST(Worksheet, KeyWithSteps)
{
    if (!haveTool("pdftotext")) GTEST_SKIP() << "poppler-utils not installed";
    CatalogToolArgs args;
    args.level = 4, args.difficulty = 3, args.count = 12, args.seed = 5;
    std::vector<ToolTask> tasks;
    std::string err, pdf;
    ASSERT_TRUE(worksheetTasks(args, tasks, err)) << err;
    for (size_t i = 0; i < tasks.size(); ++i)
        tasks[i].steps = {"Schritt eins von Aufgabe " + std::to_string(i + 1) + ": 3/4 = 9/12",
                          "letzte Zeile " + std::string(i == 0 ? 40 : 1, 'x') + " = 2,5"};
    WorksheetPages pages;
    ASSERT_TRUE(renderWorksheet({4, 3, "2026-12-07", 5, CatalogToolArgs::Key::Steps}, tasks, pdf, err, &pages)) << err;
    Sheet sheet;
    std::string written;
    ASSERT_TRUE(aofile_replace(sheet.pdf.string(), pdf, written)) << written;
    const std::string text = squeezed(pdfText(sheet));
    const size_t key = text.find("Lösungen mit Lösungsweg");
    ASSERT_NE(key, std::string::npos);
    size_t at = key;
    for (size_t i = 0; i < tasks.size(); ++i) {
        // The solution, the type's title, then the steps.
        const std::string head = squeezed(std::to_string(i + 1) + ". (" + std::to_string(tasks[i].number) + ") " +
                                          tasks[i].keyText);
        const std::string step = "Schritt eins von Aufgabe " + std::to_string(i + 1) + ":";
        at = text.find(head, at);
        ASSERT_NE(at, std::string::npos) << head;
        const size_t title = text.find(squeezed(taskTitle(tasks[i].number)), at);
        EXPECT_LT(title, text.find(step, at)) << taskTitle(tasks[i].number);
        at = text.find(step, at);
        ASSERT_NE(at, std::string::npos) << step;
    }
    EXPECT_GE(pages.key, 1);
    EXPECT_LE(pages.tasks, 4);
}

// Every task type's picture is printed from its drawing commands: none needs
// the screen raster, and cairo takes every one of them.
TEST(Worksheet, EveryTypePrintsAsVectors)
{
    std::map<int, std::vector<ToolTask>> groups;
    catalog_filltables();
    presetGameStart();
    for (int number : allTaskNumbers()) {
        ToolTask task;
        std::string err;
        aosrand(3);
        ASSERT_TRUE(generateToolTask(number, 1, 12, task, err)) << err;
        EXPECT_TRUE(task.drawingStandsAlone) << number;
        EXPECT_EQ(task.drew, !task.drawing.empty()) << number;
        groups[number / 100].push_back(std::move(task));
    }
    for (const auto& [group, tasks] : groups) {
        std::string pdf, err;
        ASSERT_TRUE(renderWorksheet({group / 10, group % 10, "2026-12-07", 3}, tasks, pdf, err)) << group << ": " << err;
        EXPECT_EQ(pdf.find("/Subtype /Image"), std::string::npos) << group;
    }
}
