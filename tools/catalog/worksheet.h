// Printable worksheets as PDF (A4), drawn with cairo: a header line, the
// numbered tasks with their pictures (drawn as vectors) and answer squares,
// and the answer key on pages of its own.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "catalog_tool.h"

struct WorksheetHeader {
    int level = 0;
    int difficulty = 0;
    std::string date;      // YYYY-MM-DD
    unsigned int seed = 0; // printed in the footer, so the sheet can be made again
    CatalogToolArgs::Key key = CatalogToolArgs::Key::Solutions;
};

// How the sheet came out: pages of tasks, pages of the answer key.
struct WorksheetPages {
    int tasks = 0, key = 0;
};

// The PDF's bytes; false with a reason when cairo fails.
bool renderWorksheet(const WorksheetHeader& header, const std::vector<ToolTask>& tasks, std::string& pdf,
                     std::string& error, WorksheetPages* pages = nullptr);

// The footer's name of a sheet: "Blatt 4-3-81723" (level, difficulty, seed).
std::string worksheetName(const WorksheetHeader& header);

// A fresh seed for a sheet made without --seed: short enough to type again.
unsigned int freshWorksheetSeed();

// The catalog tool's worksheet writer: generates the tasks, renders and
// writes the file (exit status 0, 1 when the file cannot be written, 2 when
// the tasks cannot be made).
int writeWorksheet(const CatalogToolArgs& args, std::ostream& out, std::ostream& err);

// Today's date as YYYY-MM-DD, local time.
std::string todayIso();
