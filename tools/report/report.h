// ziffron-report: a teacher's report over the pupils' history, as text
// tables, a self-contained HTML page with a chart, or CSV for a spreadsheet.
#pragma once

#include "history.h"
#include "settings.h"

#include <climits>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

struct ReportArgs {
    std::string history; // empty: the per-user default
    std::string pupil;   // empty: every pupil
    std::string since;   // YYYY-MM-DD as given
    long long sinceEpoch = LLONG_MIN; // local midnight of since
    std::string html, csv;
    // German spreadsheets: ';' between fields, a decimal comma and a byte
    // order mark; international: ',' and a decimal point, no mark.
    enum class CsvFormat { German, International };
    CsvFormat csvFormat = CsvFormat::German;
    std::string className;  // --class: only this class
    bool sync = false;      // --sync: send the local file to the school server
    std::string server;     // --server URI for --sync (default: ziffron.conf's)
    std::string initServer; // --init-server URI
    bool help = false;
};

extern const char* const kReportUsage;

// False with err for anything malformed (the caller prints the usage, exit 2).
bool parseReportArgs(const std::vector<std::string>& args, ReportArgs& out, std::string& err);

// The three renderings of the games loaded (ordered by start time).
std::string reportText(const std::vector<StoredGame>& games);
std::string reportCsv(const std::vector<StoredGame>& games,
                      ReportArgs::CsvFormat format = ReportArgs::CsvFormat::German);
std::string reportHtml(const std::vector<StoredGame>& games);

// The games of one pupil, the name matched without regard to case
// ("anna" finds "Anna"); false with a German reason naming the pupils there
// are when none matches.
bool selectPupil(std::vector<StoredGame>& games, const std::string& pupil, std::string& err);

// The whole program: 0, 1 for an unreadable database or an unwritable output,
// 2 for bad arguments. in gives --init-server its passwords.
int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runReport(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// --init-server and --sync (server_commands.cpp); the same exit codes.
int runServerCommand(const ReportArgs& args, const Settings& conf, std::istream& in, std::ostream& out,
                     std::ostream& err);
