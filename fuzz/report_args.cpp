// Fuzzes ziffron-report's argument parser: the input is split into arguments
// at newlines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') args.emplace_back();
        else args.back() += static_cast<char>(data[i]);
    }
    ReportArgs parsed;
    std::string error;
    parseReportArgs(args, parsed, error);
    return 0;
}
