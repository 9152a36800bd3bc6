// ziffron-report: see report.h.
#include "report.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return runReport(args, std::cout, std::cerr);
}
