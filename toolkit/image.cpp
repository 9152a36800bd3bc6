// Picture objects (aoImage), picture kinds, file lookup and the JPEG to BMP
// converter that lets the BMP reader load JPEG pictures.
#include "aotoolkit.h"
#include "platform/platform.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Extension after the last '.' of the last path component, lower-cased.
std::string extension(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return lower(path.substr(dot + 1));
}

// Pixel format flags of an option string; truecolor when none is given.
int readFormat(aoOptions& opts, int start)
{
    int format = AOPX_TRUECOLOR;
    if (opts.flagany({"palette", "palette8", "palette_8", "indexed"}, start)) format = AOPX_PALETTE8;
    if (opts.flagany({"palette16", "palette_16"}, start)) format = AOPX_PALETTE16;
    if (opts.flagany({"truecolor"}, start)) format = AOPX_TRUECOLOR;
    if (opts.flagany({"server"}, start)) format = AOPX_SERVER;
    if (opts.flagany({"screen"}, start)) format = AOPX_SCREEN;
    if (opts.flagany({"directx"}, start)) format = AOPX_DIRECTX;
    return format;
}

// On a case-sensitive file system the media tree may spell a name with other
// capitals than the program; look each component up without regard to case.
bool findIgnoringCase(const std::string& name, std::string& found)
{
    fs::path wanted(name);
    fs::path at = wanted.is_absolute() ? wanted.root_path() : fs::path(".");
    fs::path result = wanted.is_absolute() ? wanted.root_path() : fs::path();
    std::error_code ec;
    for (const fs::path& part : wanted.relative_path()) {
        const std::string p = part.string();
        if (p == "." || p == "..") {
            at /= part;
            result /= part;
            continue;
        }
        fs::path next = at / part;
        if (!fs::exists(next, ec)) {
            bool hit = false;
            for (const auto& entry : fs::directory_iterator(at, ec)) {
                if (lower(entry.path().filename().string()) == lower(p)) {
                    next = entry.path();
                    hit = true;
                    break;
                }
            }
            if (!hit) return false;
        }
        at = next;
        result /= next.filename();
    }
    if (!aofileexists(at.string().c_str())) return false;
    found = result.string();
    return true;
}

bool convertOne(const std::string& jpg)
{
    int w = 0, h = 0;
    std::vector<uint32_t> rgb;
    std::string err;
    if (!platform::decodeJpeg(jpg, w, h, rgb, err) || w <= 0 || h <= 0) {
        aoprintf("aojpg2bmp: %s: %s\n", jpg.c_str(), err.empty() ? "not converted" : err.c_str());
        return false;
    }
    if (!err.empty()) aoprintf("aojpg2bmp: %s: %s\n", jpg.c_str(), err.c_str());
    const size_t slash = jpg.find_last_of('/');
    size_t dot = jpg.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = jpg.size();
    const std::string bmp = jpg.substr(0, dot) + ".bmp";
    const std::vector<uint8_t> bytes = aobmp_encode(rgb.data(), w, h);
    // Replaced whole: another run reading the picture never sees half of it.
    std::string writeError = bmp + ": empty picture";
    if (bytes.empty() ||
        !aofile_replace(bmp, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), writeError)) {
        aoprintf("aojpg2bmp: cannot write %s\n", writeError.c_str());
        return false;
    }
    return true;
}

// Every "*.jp*" picture of a folder (extension starting with "jp", any
// case), in name order.
int convertFolder(const std::string& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir.empty() ? "." : dir, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        const std::string name = entry.path().filename().string();
        if (extension(name).rfind("jp", 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    int converted = 0;
    std::string prefix = dir.empty() ? "./" : dir;
    if (prefix.back() != '/') prefix += '/';
    for (const std::string& n : names)
        if (convertOne(prefix + n)) converted++;
    return converted;
}

} // namespace

int aopicture_kind(const char* path)
{
    if (!path) return 0;
    const std::string ext = extension(path);
    if (ext == "png") return 1;
    if (ext == "bmp") return 2;
    if (ext == "xpm") return 3;
    if (ext == "ppm") return 4;
    if (ext == "pcx") return 5;
    if (ext == "htm" || ext == "html") return 6;
    if (ext == "wmf") return 7;
    if (ext == "ps") return 8;
    if (ext == "pdf") return 9;
    return 0;
}

aoImage::aoImage()
{
    const int first = aonewid(16);
    for (int i = 0; i < 16; i++) code[i] = first + i;
    font = -1;
}

aoImage::~aoImage() = default;

bool aoImage::load(const char* format, ...)
{
    pixels.clear();
    loaded = false;

    va_list args;
    va_start(args, format);
    aoOptions opts = aoOptions::vformat(format ? format : "", args);
    va_end(args);
    // The first token is a label ("ausgabegrafik1") unless it already is an
    // option, as in "load=%s".
    const int start = opts.tokens.empty() || opts.tokens[0].find('=') != std::string::npos ? 0 : 1;

    std::string path;
    if (!opts.value("load=", path, start) && !opts.value("image=", path, start))
        opts.value("img=", path, start);
    const int pixelFormat = readFormat(opts, start);
    int x = -1, y = -1, xs = -1, ys = -1;
    opts.getint("x=", x, start);
    opts.getint("y=", y, start);
    opts.getint("xs=", xs, start);
    opts.getint("ys=", ys, start);
    x = std::max(x, 0);
    y = std::max(y, 0);
    int background = -1;
    opts.getcolorany({"bgcol=", "bgcolor=", "backgroundcolor=", "background="}, background, start);

    const int kind = path.empty() ? 0 : aopicture_kind(path.c_str());
    const bool exists = !path.empty() && aofileexists(path.c_str());
    int fileW = -1, fileH = -1;
    const bool sized = exists && kind == 2 && aobmp_readsize(path.c_str(), fileW, fileH);
    if (sized) {
        if (xs < 0) xs = fileW;
        if (ys < 0) ys = fileH;
    }

    this->format = pixelFormat;
    width = xs;
    height = ys;
    if (!aopxmap_allocate(this)) return false;
    if (background != -1) aopxmap_clear(this, background);

    if (!opts.wholeflag("nostdout") && !opts.wholeflag("nostandardout")) aographic_settarget(this);

    bool ok = true;
    if (sized) {
        ok = aopxmap_loadfromfile_bmp(this, path.c_str(), opts.whole().c_str(), x, y, -1, -1);
    } else if (exists && kind == 2) {
        // The file is there but its header is broken: let the reader say why.
        aoPixmap probe;
        ok = aopxmap_loadfromfile_bmp(&probe, path.c_str(), "", 0, 0, -1, -1);
        if (ok) {
            aoprintf("aoImage::load: %s: size unreadable\n", path.c_str());
            ok = false;
        }
    } else if (exists) {
        aoprintf("aoImage::load: %s: no reader for this kind of picture\n", path.c_str());
        ok = false;
    }
    loaded = true;
    return ok;
}

bool aofindfile(std::string& found, const char* format, ...)
{
    if (!format) return false;
    char name[4096];
    va_list args;
    va_start(args, format);
    vsnprintf(name, sizeof name, format, args);
    va_end(args);
    if (aofileexists(name)) {
        found = name;
        return true;
    }
    return findIgnoringCase(name, found);
}

int aojpg2bmp(const char* path)
{
    if (!path || !*path) return convertFolder("");
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    const std::string l = lower(p);
    if (l.find(".jpg") != std::string::npos || l.find(".jpeg") != std::string::npos)
        return convertOne(p) ? 1 : 0;
    return convertFolder(p);
}
