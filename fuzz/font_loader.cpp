// libFuzzer entry: the stored-font text loader, then drawing with what loaded.
#include "aotoolkit.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string err;
    int h = aofont_loadtext(std::string_view(reinterpret_cast<const char*>(data), size), &err);
    if (h >= 0) {
        aoPixmap p;
        p.width = 16;
        p.height = 16;
        p.pixels.assign(256, 0xFFFFFF);
        aofont_drawtext(&p, h, -3, 2, 0, "Ab\n\xE4\xFF\x01z~");
        aofont_textwidth(h, "\x80\xFF xyz");
    }
    return 0;
}
