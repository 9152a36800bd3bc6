// Option strings: tokens, sizes, colours, geometry, font descriptions.
#include "aotoolkit.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    aoOptions o(text);
    aoGeometry g;
    g.read(o, 1);
    g.resolve(1320, 920, 100, 100);
    int c = 0;
    o.getcolorany({"bgcol=", "bgcolor=", "backgroundcolor=", "background="}, c);
    o.getbool("cursor");
    o.wholeint("maxxs", 0);
    (void)o.leftover(0);
    aooption_fontdescription(text);
    (void)aooption_protect(text.c_str());
    return 0;
}
