// Fuzzes the trainer's history options (--history, --no-history, --pupil):
// the input is split into arguments at newlines and taken as aoentry would.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "quiz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(1, "ziffron");
    args.emplace_back();
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') args.emplace_back();
        else args.back() += static_cast<char>(data[i]);
    }
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    HistorySettings settings;
    std::string error;
    for (int i = 1; i < static_cast<int>(argv.size());) {
        int used = takeHistoryOption(static_cast<int>(argv.size()), argv.data(), i, settings, error);
        if (used <= 0) break;
        i += used;
    }
    return 0;
}
