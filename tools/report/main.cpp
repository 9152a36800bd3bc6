// ziffron-report: see report.h.
#include "report.h"
#include "server_commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    // The copies keep the password; the process list loses it.
    for (int i = 1; i < argc; ++i)
        if (hidePasswordInArgument(argv[i]))
            std::cerr << "ziffron-report: ein Passwort auf der Befehlszeile ist für andere sichtbar; besser in "
                         "~/.pgpass\n";
    int machine = runMachineCommand(args, std::cin, std::cout, std::cerr);
    if (machine >= 0) return machine;
    return runReport(args, std::cout, std::cerr);
}
