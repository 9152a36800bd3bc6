// The process entry: command line, platform, toolkit start-up, then the
// program's own main function.
#include "internal.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "platform/sdl/sdl.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#endif

namespace fs = std::filesystem;

#ifndef ZIFFRON_VERSION
#define ZIFFRON_VERSION "0.1.0"
#endif

namespace {

const char* kHelp =
    "usage: ziffron [options]\n"
    "  --media DIR            media tree (default: the working directory when it holds sound/,\n"
    "                         else the sample tree beside the program)\n"
    "  --seed N               seed the random generator with N instead of the clock\n"
    "  --headless --script F  run without a display, input from the script F\n"
    "  --fullscreen           fill the screen (the picture keeps its aspect)\n"
    "  --read-aloud           read each task aloud (German; the key V turns it on and off)\n"
    "  --version              print the version\n"
    "  --help                 this text\n";

std::string exeDir(const char* argv0)
{
    std::error_code ec;
#ifdef _WIN32
    // Started through PATH or a shortcut, argv[0] need not name the folder.
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    fs::path p(self);
    if (self.empty()) p = fs::absolute(argv0 ? argv0 : ".", ec);
#else
    fs::path p = fs::read_symlink("/proc/self/exe", ec);
    if (ec) p = fs::absolute(argv0 ? argv0 : ".", ec);
#endif
    return p.parent_path().string();
}

std::string chooseMediaDir(const std::string& given, const std::string& programDir)
{
    std::error_code ec;
    if (!given.empty()) return given;
    if (fs::is_directory("sound", ec)) return ".";
    for (const char* rel : {"sample-media", "../share/ziffron/media"}) {
        fs::path p = fs::path(programDir) / rel;
        if (fs::is_directory(p / "sound", ec)) return p.string();
    }
    return ".";
}

} // namespace

int aoentry(int argc, char** argv, aoMainFunction mainFunction, const aoProgramOptions& options)
{
#ifdef _WIN32
    // A window program has no console of its own: --help, errors and the
    // headless transcript go to the console it was started from, unless
    // they are redirected already.
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
    aoi::Settings& s = aoi::settings();
    std::string media;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto need = [&](const char* what) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "ziffron: %s needs %s\n", a.c_str(), what);
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            std::fputs(kHelp, stdout);
            if (options.help) std::fputs(options.help, stdout);
            return 0;
        } else if (a == "--version") {
            std::printf("ziffron %s\n", ZIFFRON_VERSION);
            return 0;
        } else if (a == "--media") {
            media = need("a directory");
        } else if (a == "--seed") {
            const char* v = need("a number");
            char* end = nullptr;
            long long n = std::strtoll(v, &end, 10);
            if (*end != 0 || n < 0 || n > UINT_MAX) {
                std::fprintf(stderr, "ziffron: --seed needs a number from 0 to %u: %s\n", UINT_MAX, v);
                return 2;
            }
            s.seed = n;
        } else if (a == "--headless") {
            s.headless = true;
        } else if (a == "--script") {
            s.scriptPath = need("a file");
        } else if (a == "--fullscreen") {
            s.fullscreen = true;
        } else if (a == "--read-aloud") {
            s.readAloud = true;
        } else {
            int used = options.take ? options.take(argc, argv, i) : 0;
            if (used < 0) return 2;
            if (used == 0) {
                std::fprintf(stderr, "ziffron: unknown option %s (see --help)\n", a.c_str());
                return 2;
            }
            i += used - 1;
        }
    }
    if (!s.scriptPath.empty() && !s.headless) {
        std::fprintf(stderr, "ziffron: --script needs --headless\n");
        return 2;
    }

    std::error_code ec;
    std::string startDir = fs::current_path(ec).string();
    std::unique_ptr<platform::Platform> backend;
    if (s.headless) {
        std::string text;
        if (!s.scriptPath.empty()) {
            std::ifstream in(s.scriptPath, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "ziffron: cannot read script %s\n", s.scriptPath.c_str());
                return 2;
            }
            std::ostringstream ss;
            ss << in.rdbuf();
            text = ss.str();
        }
        headless::Script script;
        std::string err;
        if (!headless::parseScript(text, script, err)) {
            std::fprintf(stderr, "%s\n", err.c_str());
            return 2;
        }
        backend = std::make_unique<headless::HeadlessPlatform>(std::move(script), startDir);
    } else {
        auto sdlBackend = std::make_unique<sdl::SdlPlatform>();
        if (!sdlBackend->ok()) {
            std::fprintf(stderr, "ziffron: no display available (try --headless --script FILE)\n");
            return 1;
        }
        backend = std::move(sdlBackend);
    }
    platform::install(backend.get());
    aospeech_enable(s.readAloud);

    // Media paths in the program are relative to the media tree.
    s.mediaDir = chooseMediaDir(media, exeDir(argc > 0 ? argv[0] : nullptr));
    if (!fs::is_directory(s.mediaDir, ec)) {
        std::fprintf(stderr, "ziffron: media directory %s does not exist\n", s.mediaDir.c_str());
        platform::install(nullptr);
        return 2;
    }
    fs::current_path(s.mediaDir, ec);
    s.mediaDir = fs::current_path(ec).string();

    aofont_loadbuiltins();
    aostopsound();

    mainFunction();

    // A program that never fetched events still gets its window served.
    if (!aoi::fetchedEvents() && aoi::openedWindows() > 0 && aoisrunning())
        while (aoisrunning()) aogetevent();

    aostopsound();
    aoquit();
    fs::current_path(startDir, ec);
    platform::install(nullptr);
    return 0;
}
