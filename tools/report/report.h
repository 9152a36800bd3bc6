// ziffron-report: a teacher's report over the pupils' history, as text
// tables, a self-contained HTML page with a chart, or CSV for a spreadsheet.
#pragma once

#include "history.h"

#include <climits>
#include <ostream>
#include <string>
#include <vector>

struct ReportArgs {
    std::string history; // empty: the per-user default
    std::string pupil;   // empty: every pupil
    std::string since;   // YYYY-MM-DD as given
    long long sinceEpoch = LLONG_MIN; // local midnight of since
    std::string html, csv;
    bool help = false;
};

extern const char* const kReportUsage;

// False with err for anything malformed (the caller prints the usage, exit 2).
bool parseReportArgs(const std::vector<std::string>& args, ReportArgs& out, std::string& err);

// The three renderings of the games loaded (ordered by start time).
std::string reportText(const std::vector<StoredGame>& games);
std::string reportCsv(const std::vector<StoredGame>& games);
std::string reportHtml(const std::vector<StoredGame>& games);

// The whole program: 0, 1 for an unreadable database or an unwritable output,
// 2 for bad arguments.
int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
