// The trainer's executable: the toolkit owns the process entry and calls the
// quiz; the history options are the program's own.
#include "aotoolkit.h"
#include "quiz.h"

#include <cstdio>

int main(int argc, char** argv)
{
    historySettings.enabled = true;
    // ziffron.conf first (the machine's, then the user's), the command line over it.
    std::vector<std::string> faults;
    takeSettings(loadSettings(faults), historySettings);
    for (const std::string& f : faults) {
        std::fprintf(stderr, "ziffron: %s\n", f.c_str());
        historySettings.notes.push_back(f);
    }
    aoProgramOptions options;
    options.help = "  --history FILE         keep the pupil's history in FILE (default:\n"
                   "                         history.sqlite3 in the per-user data folder)\n"
                   "  --history postgresql://...  also send it to the school server (password in\n"
                   "                         ~/.pgpass; settings in /etc/ziffron/ziffron.conf)\n"
                   "  --class NAME           the pupil's class, stored with each game\n"
                   "  --no-history           keep no history\n"
                   "  --pupil NAME           the pupil's name in the history (default: the login name,\n"
                   "                         or a pick at START with pupil = ask in ziffron.conf)\n"
                   "  --selection FILE       keep the task selection in FILE (a class file) instead of\n"
                   "                         auswahl.txt in the per-user settings folder\n"
                   "  --typed                answers are typed instead of clicked on squares (the\n"
                   "                         EINGABE switch, key I, on the main screen)\n";
    options.take = [](int n, char** args, int i) {
        std::string err;
        int used = takeSelectionOption(n, args, i, err);
        if (used == 0) used = takeTypedOption(n, args, i);
        if (used == 0) used = takeHistoryOption(n, args, i, historySettings, err);
        if (used < 0) std::fprintf(stderr, "ziffron: %s\n", err.c_str());
        return used;
    };
    return aoentry(argc, argv, quiz_main, options);
}
