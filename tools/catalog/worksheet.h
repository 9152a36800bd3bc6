// Printable worksheets as PDF (A4), drawn with cairo: a header line, the
// numbered tasks with their pictures and answer squares, and the answer key
// on the last page.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "catalog_tool.h"

struct WorksheetHeader {
    int level = 0;
    int difficulty = 0;
    std::string date; // YYYY-MM-DD
};

// The PDF's bytes; false with a reason when cairo fails.
bool renderWorksheet(const WorksheetHeader& header, const std::vector<ToolTask>& tasks, std::string& pdf,
                     std::string& error);

// The catalog tool's worksheet writer: generates the tasks, renders and
// writes the file (exit status 0, 1 when the file cannot be written, 2 when
// the tasks cannot be made).
int writeWorksheet(const CatalogToolArgs& args, std::ostream& out, std::ostream& err);

// Today's date as YYYY-MM-DD, local time.
std::string todayIso();
