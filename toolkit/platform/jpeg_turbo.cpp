// JPEG decoding through libjpeg-turbo's TurboJPEG interface.
#include "platform/platform.h"

#include "aotoolkit.h"

#include <turbojpeg.h>

#include <fstream>
#include <memory>

namespace platform {

namespace {

// Larger files are not pictures the program could show.
constexpr long long kMaxJpegBytes = 256LL * 1024 * 1024;
// Larger pictures are decoded scaled down.
constexpr long long kMaxJpegPixels = 4096LL * 4096;

struct Handle {
    tjhandle h = tjInitDecompress();
    ~Handle()
    {
        if (h) tjDestroy(h);
    }
};

} // namespace

bool decodeJpeg(const std::string& path, int& width, int& height, std::vector<uint32_t>& rgb,
                std::string& err)
{
    width = height = 0;
    rgb.clear();
    err.clear();

    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err = "cannot open file";
        return false;
    }
    in.seekg(0, std::ios::end);
    const long long size = static_cast<long long>(in.tellg());
    if (size <= 0 || size > kMaxJpegBytes) {
        err = size <= 0 ? "empty file" : "file too large";
        return false;
    }
    std::vector<unsigned char> data(static_cast<size_t>(size));
    in.seekg(0, std::ios::beg);
    if (!in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size))) {
        err = "cannot read file";
        return false;
    }

    Handle dec;
    if (!dec.h) {
        err = "decoder unavailable";
        return false;
    }
    int w = 0, h = 0, subsamp = 0, colorspace = 0;
    if (tjDecompressHeader3(dec.h, data.data(), static_cast<unsigned long>(data.size()), &w, &h,
                            &subsamp, &colorspace) != 0) {
        err = std::string("not a readable JPEG: ") + tjGetErrorStr2(dec.h);
        return false;
    }
    if (w <= 0 || h <= 0 || w > AOPX_MAX_SIDE || h > AOPX_MAX_SIDE) {
        err = "JPEG size " + std::to_string(w) + " x " + std::to_string(h) + " not accepted";
        return false;
    }

    // A few hundred bytes can claim 16384 x 16384 pixels. Pictures are shown
    // at most screen-sized, so larger ones are decoded scaled down (by 1/2,
    // 1/4 or 1/8, in the decoder itself): a gigabyte is never allocated.
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    for (int i = 0; i < count && static_cast<long long>(w) * h > kMaxJpegPixels; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num != 1 || (f.denom != 2 && f.denom != 4 && f.denom != 8)) continue;
        const int sw = TJSCALED(w, f), sh = TJSCALED(h, f);
        if (static_cast<long long>(sw) * sh <= kMaxJpegPixels || f.denom == 8) {
            w = sw;
            h = sh;
        }
    }

    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 3);
    // LIMITSCANS stops progressive files built to take forever.
    const int flags = TJFLAG_LIMITSCANS;
    if (tjDecompress2(dec.h, data.data(), static_cast<unsigned long>(data.size()), pixels.data(), w,
                      w * 3, h, TJPF_RGB, flags) != 0) {
        if (tjGetErrorCode(dec.h) != TJERR_WARNING) {
            err = std::string("JPEG decoding failed: ") + tjGetErrorStr2(dec.h);
            return false;
        }
        // A damaged but decodable file: keep the picture, pass the warning on.
        err = std::string("JPEG damaged: ") + tjGetErrorStr2(dec.h);
    }

    rgb.resize(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < rgb.size(); i++)
        rgb[i] = (static_cast<uint32_t>(pixels[i * 3]) << 16) |
                 (static_cast<uint32_t>(pixels[i * 3 + 1]) << 8) | pixels[i * 3 + 2];
    width = w;
    height = h;
    return true;
}

} // namespace platform
