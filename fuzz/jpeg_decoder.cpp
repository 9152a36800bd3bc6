// libFuzzer entry: the JPEG decoder behind the JPEG to BMP converter. The
// decoder reads files, so each input goes through a scratch file.
#include "platform/platform.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/ziffron_fuzz_jpeg_" + std::to_string(getpid()) + ".jpg";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    int w = 0, h = 0;
    std::vector<uint32_t> rgb;
    std::string err;
    if (platform::decodeJpeg(path, w, h, rgb, err) && rgb.size() != static_cast<size_t>(w) * h)
        __builtin_trap();
    return 0;
}
