// The catalog tool as a function, so it can be tested and fuzzed in process:
// lists the task numbers, generates one task from a seed and reports the task
// record and the answer rows as one JSON object, or puts together the tasks
// of a worksheet (the PDF itself is drawn in tools/, the only place with cairo).
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "answer_rows.h"
#include "aotoolkit.h"

struct CatalogToolArgs {
    bool help = false;
    bool list = false;
    bool titles = false; // with list: each number followed by its title
    bool haveTask = false;
    bool explain = false; // --explain N: the task and its Lösungsweg as plain text
    long long task = 0;
    unsigned int seed = 1; // the runtime generator's state before any seeding
    bool seedGiven = false; // a worksheet without --seed draws a fresh one
    std::string picture;   // empty: no picture
    bool squares = false;  // the answer squares on top of the picture
    // A worksheet: level and difficulty, how many tasks, the task numbers it
    // may draw from (empty: every task of the level and difficulty) and the
    // date printed in its header as YYYY-MM-DD (empty: today).
    std::string worksheet;
    int level = 0;
    int difficulty = 0;
    int count = 12;
    std::vector<int> tasks;
    std::string date;
    // The answer key: the solutions only, or each with its worked solution.
    enum class Key { Solutions, Steps };
    Key key = Key::Solutions;
};

// Parses the arguments after the program name; nullopt with a reason in
// `error` when they make no sense.
std::optional<CatalogToolArgs> parseCatalogArgs(const std::vector<std::string>& args,
                                                std::string& error);

// One generated task as a reader sees it: the text, the task area with what
// the task drew, the answer squares' labels and the solution as they show it.
struct ToolTask {
    int number = 0;
    std::string text; // UTF-8, as the terminal shows it
    AnswerRows rows = AnswerRows::None;
    aoPixmap area;     // 1280 x 720, white where the task drew nothing
    bool drew = false; // the task drew into the area
    // What it drew, as drawing commands (for printing at any size); when
    // `drawingStandsAlone` is false only `area` shows it right.
    std::vector<aoRecordedCommand> drawing;
    bool drawingStandsAlone = true;
    // The squares: one or two rows of labels, each with its caption ("Zähler").
    struct SquareRow {
        std::string caption;
        std::vector<std::string> labels;
    };
    std::vector<SquareRow> squares;
    std::string key; // the solution as the squares show it, UTF-8: "Zähler gekürzt 6, Nenner gekürzt 5"
    // The same as a teacher writes it (the worksheet's key, --explain): "6/5",
    // "(3 | -4)", "18 und 37"; several right pairs joined by " oder ".
    std::string keyText;
    std::vector<std::string> steps; // the Lösungsweg, UTF-8 lines
};

// Fills the squares' labels and the key of `task` from the record at
// taskIndex, right after the rows are built.
void describeSquares(AnswerRows rows, ToolTask& task);

constexpr int kAreaWidth = 1280;
constexpr int kAreaHeight = 720;

// Generates task `taskNumber` as task `index` of a game of `count` tasks, in
// which every earlier task was answered right: the generator draws from its
// current state. False with a reason for numbers outside the catalog.
bool generateToolTask(int taskNumber, int index, int count, ToolTask& task, std::string& error);

// The tasks of a worksheet: the generator seeded once with the seed, then for
// each task an entry drawn as the game draws it from the selection and the
// task generated in its place. The same arguments give the same tasks.
bool worksheetTasks(const CatalogToolArgs& args, std::vector<ToolTask>& tasks, std::string& error);

// Writes the worksheet file; supplied by the program that has a PDF library.
// Returns the exit status and reports on `err`.
using WorksheetWriter = std::function<int(const CatalogToolArgs& args, std::ostream& out, std::ostream& err)>;

// Runs the tool; returns the exit status (0 fine, 1 a file that cannot be
// written, 2 bad arguments or a number outside the catalog, 3 family not
// built yet).
int runCatalogTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const WorksheetWriter& worksheet = nullptr);

// A JSON string literal for UTF-8 text.
std::string jsonString(const std::string& utf8);
