// libFuzzer entry: the BMP reader, then writing back what it read.
#include "aotoolkit.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    aoPixmap p;
    std::string err;
    if (aobmp_decode(data, size, &p, err)) {
        const std::vector<uint8_t> again = aobmp_encode(p.pixels.data(), p.width, p.height);
        aoPixmap q;
        if (!aobmp_decode(again.data(), again.size(), &q, err) || q.pixels != p.pixels) __builtin_trap();
    }
    return 0;
}
