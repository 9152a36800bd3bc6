// Fuzzes the ziffron.conf reader with whatever a file may hold.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Settings s;
    std::vector<std::string> faults;
    parseSettings(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.conf", s, faults);
    return 0;
}
