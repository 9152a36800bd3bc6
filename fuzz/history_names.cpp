// Fuzzes the check that pupils' names and classes pass on their way into the
// history and to the school server: any bytes in, valid UTF-8 of bounded
// length out, and a second pass changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "history.h"

namespace {

bool validUtf8(const std::string& s)
{
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        for (size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string in(reinterpret_cast<const char*>(data), size);
    std::string note, again;
    const std::string out = historyCleanName(in, kMaxPupilChars, note);
    if (!validUtf8(out) || out.size() > 4 * kMaxPupilChars) std::abort();
    if (historyCleanName(out, kMaxPupilChars, again) != out || !again.empty()) std::abort();
    return 0;
}
