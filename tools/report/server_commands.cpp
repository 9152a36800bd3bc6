// ziffron-report's school-server commands: --init-server sets up the schema
// and the two roles, --sync sends a local file's rows. Passwords are read from
// standard input, without echo on a terminal, and never printed.
#include "report.h"

#include "aotoolkit.h"

#include <iostream>

#ifndef _WIN32
#include <termios.h>
#include <unistd.h>
#endif

namespace {

// One line from in; on a terminal the typing is not shown.
std::string readSecret(std::istream& in, std::ostream& prompt, const std::string& question)
{
    prompt << question << std::flush;
    std::string line;
#ifndef _WIN32
    bool terminal = &in == &std::cin && ::isatty(STDIN_FILENO);
    termios saved{};
    if (terminal && ::tcgetattr(STDIN_FILENO, &saved) == 0) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
        std::getline(in, line);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        prompt << "\n";
    } else {
        std::getline(in, line);
    }
#else
    std::getline(in, line);
#endif
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

} // namespace

int runServerCommand(const ReportArgs& a, const Settings& conf, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string why;
    if (!a.initServer.empty()) {
        if (!isServerUri(a.initServer)) {
            err << "ziffron-report: --init-server needs a postgresql:// URI\n" << kReportUsage;
            return 2;
        }
        std::string pupil = readSecret(in, err, "Passwort für ziffron_pupil (leer: unverändert): ");
        std::string teacher = readSecret(in, err, "Passwort für ziffron_teacher (leer: unverändert): ");
        std::string log;
        bool ok = historyInitServer(a.initServer, pupil, teacher, log, why);
        out << log;
        if (!ok) {
            err << "ziffron-report: " << redactedUri(a.initServer) << ": " << why << "\n";
            return 1;
        }
        out << "Schulserver eingerichtet: " << redactedUri(a.initServer) << "\n";
        return 0;
    }
    // --sync: the local file to the server.
    std::string server = !a.server.empty() ? a.server
                         : isServerUri(a.history) ? a.history
                         : isServerUri(conf.history) ? conf.history
                                                     : "";
    if (server.empty()) {
        err << "ziffron-report: --sync needs a school server: --server URI or history = postgresql://... in "
               "ziffron.conf\n";
        return 2;
    }
    std::string path = !a.history.empty() && !isServerUri(a.history) ? a.history
                       : !conf.history.empty() && !isServerUri(conf.history)
                           ? conf.history
                           : aopath_datadir() + "/history.sqlite3";
    int sent = 0;
    if (!historySync(path, server, sent, why)) {
        err << "ziffron-report: " << redactedUri(server) << ": " << why << "\n";
        return 1;
    }
    out << sent << (sent == 1 ? " Aufgabe" : " Aufgaben") << " an " << redactedUri(server) << " übertragen.\n";
    return 0;
}
