// JPEG writing through libjpeg-turbo's TurboJPEG interface.
#include "aotoolkit.h"

#include <turbojpeg.h>

#include <algorithm>
#include <cstdio>
#include <vector>

bool aopxmap_savetofile_jpg(const aoPixmap* p, const char* path, int quality)
{
    if (!p || !path || p->format != AOPX_TRUECOLOR || p->width < 1 || p->height < 1 ||
        p->pixels.size() < static_cast<size_t>(p->width) * p->height) {
        aoprintf("aopxmap_savetofile_jpg: no truecolor picture to write\n");
        return false;
    }
    std::vector<unsigned char> rgb(static_cast<size_t>(p->width) * p->height * 3);
    for (size_t i = 0, n = static_cast<size_t>(p->width) * p->height; i < n; ++i) {
        const uint32_t c = p->pixels[i];
        rgb[i * 3] = static_cast<unsigned char>(c >> 16);
        rgb[i * 3 + 1] = static_cast<unsigned char>(c >> 8);
        rgb[i * 3 + 2] = static_cast<unsigned char>(c);
    }
    tjhandle h = tjInitCompress();
    if (!h) {
        aoprintf("aopxmap_savetofile_jpg: encoder unavailable\n");
        return false;
    }
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int rc = tjCompress2(h, rgb.data(), p->width, p->width * 3, p->height, TJPF_RGB, &jpeg, &size,
                               TJSAMP_420, std::clamp(quality, 1, 100), 0);
    bool ok = false;
    if (rc != 0) {
        aoprintf("aopxmap_savetofile_jpg: %s: %s\n", path, tjGetErrorStr2(h));
    } else {
        std::string err;
        ok = aofile_replace(path, std::string_view(reinterpret_cast<const char*>(jpeg), size), err);
        if (!ok) aoprintf("aopxmap_savetofile_jpg: cannot write %s\n", err.c_str());
    }
    tjFree(jpeg);
    tjDestroy(h);
    return ok;
}
