// ziffron-report's school-server commands: --init-server sets up the schema
// and the roles, --add-machine enrols one machine, --sync sends a local
// file's rows. Passwords are read from standard input, without echo on a
// terminal, and never printed, except a machine's new one, once.
#include "report.h"
#include "server_commands.h"

#include "aotoolkit.h"

#include <ctime>
#include <iostream>
#include <random>

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

// A password for a machine's role: 20 letters and digits, about 119 bits.
std::string newPassword()
{
    static const char kChars[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789";
    std::random_device random;
    std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
    std::string p;
    for (int i = 0; i < 20; ++i) p += kChars[pick(random)];
    return p;
}

} // namespace

int runMachineCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string name, server, host;
    bool asked = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string* into = args[i] == "--add-machine" ? &name
                             : args[i] == "--server"   ? &server
                             : args[i] == "--host"     ? &host
                                                       : nullptr;
        if (args[i] == "--add-machine") asked = true;
        if (!into || i + 1 >= args.size()) {
            if (!asked) continue;
            err << "ziffron-report: --add-machine NAME --server URI [--host HOST]\n";
            return 2;
        }
        *into = args[++i];
    }
    if (!asked) return -1;
    if (!isServerUri(server)) {
        err << "ziffron-report: --add-machine needs --server postgresql://... (as the database's owner)\n";
        return 2;
    }
    std::string password = readSecret(in, err, "Passwort für den Rechner " + name + " (leer: neu erzeugen): ");
    if (password.empty()) password = newPassword();
    std::string stanza, log, why;
    bool ok = historyAddMachine(server, name, password, host, stanza, log, why);
    out << log;
    if (!ok) {
        err << "ziffron-report: " << redactedUri(server) << ": " << why << "\n";
        return 1;
    }
    out << "Auf dem Rechner " << name
        << " in libpq's Dienstdatei (/etc/postgresql-common/pg_service.conf, Modus 0640, Gruppe der "
           "Schüler-Anmeldungen; unter Windows %ProgramData%\\Ziffron\\postgresql\\pg_service.conf):\n\n"
        << stanza << "\nund in ziffron.conf: history = postgresql:///?service=ziffron\n";
    return 0;
}

void printSetAside(const std::string& path, std::ostream& out)
{
    // What the server refused stays here, named, so that nothing goes missing unseen.
    std::vector<SetAsideRow> aside;
    std::string err;
    if (!historySetAside(path, aside, err) || aside.empty()) return;
    out << aside.size() << (aside.size() == 1 ? " Eintrag hat" : " Einträge hat")
        << " der Schulserver abgelehnt; sie bleiben in " << path << ":\n";
    for (const SetAsideRow& r : aside) {
        char day[32] = "";
        std::time_t t = static_cast<std::time_t>(r.started);
        if (std::tm* tm = std::localtime(&t)) std::strftime(day, sizeof day, "%d.%m.%Y %H:%M", tm);
        out << "  " << r.pupil << ", Spiel vom " << day
            << (r.position ? ", Aufgabe " + std::to_string(r.position) : std::string()) << ": " << r.reason << "\n";
    }
}

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
    bool ok = historySync(path, server, sent, why);
    if (ok)
        out << sent << (sent == 1 ? " Aufgabe" : " Aufgaben") << " an " << redactedUri(server) << " übertragen.\n";
    else
        err << "ziffron-report: " << redactedUri(server) << ": " << why << "\n";
    printSetAside(path, out);
    return ok ? 0 : 1;
}
