// A stage for media tests: the headless backend, a main window with the task
// and avatar areas, a scratch media folder as working directory, and the
// terminal text collected.
#pragma once

#include "pictures.h"
#include "sounds.h"
#include "toolkit/harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <cstdlib>
#include <unistd.h>

namespace mediatest {

namespace fs = std::filesystem;

inline std::string* termSink = nullptr;

inline void collectTerm(const char* text)
{
    if (termSink) *termSink += text;
}

class Stage {
public:
    explicit Stage(const std::string& script = "") : run(script)
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("ziffron_media_" + std::to_string(getpid())) /
              (std::string(info->test_suite_name()) + "_" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
        // The user's copy of the parameter file goes to the scratch folder,
        // never into the real user's settings.
        setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        window.create("T: ;,x=0,y=0,xs=1320,ys=920,bgcolor=e0e0e0");
        task.create("x=10,y=180,xs=1280,ys=720,backgroundcolor=white");
        avatar.create("x=1160,y=7,xs=132,ys=162,backgroundcolor=white");
        termSink = &term;
        mediaAttach(&window, &task, &avatar, collectTerm);
        soundParameters = SoundParameters{};
        mediaChoice = MediaChoice{};
        waitingStage = 0;
        rewardPicture = RewardPicture{};
        pictureSequence = PictureSequence{};
        setupPicturePlanes();
        task.select();
    }
    ~Stage()
    {
        pictureSequence = PictureSequence{};
        mediaAttach(nullptr, nullptr, nullptr, nullptr);
        termSink = nullptr;
        fs::current_path(oldCwd);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // Sounds started, one path per line, in order.
    std::string sounds() const
    {
        std::string out;
        size_t at = 0;
        while ((at = run.transcript.find("[sound] ", at)) != std::string::npos) {
            const size_t end = run.transcript.find('\n', at);
            out += run.transcript.substr(at + 8, end - at - 8) + "\n";
            at = end;
        }
        return out;
    }
    aoPixmap& area() { return *task.pixmap(); }

    HeadlessRun run;
    fs::path oldCwd = fs::current_path();
    fs::path dir;
    aoWindow window;
    aoView task, avatar;
    std::string term;
};

inline void writeText(const fs::path& p, const std::string& text)
{
    fs::create_directories(p.parent_path().empty() ? fs::path(".") : p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

// A minimal valid WAV file (a few silent samples).
inline void writeWav(const fs::path& p)
{
    std::string data = std::string("RIFF") + std::string("\x2c\x00\x00\x00", 4) + "WAVEfmt " +
                       std::string("\x10\x00\x00\x00\x01\x00\x01\x00\x22\x56\x00\x00\x44\xac\x00\x00\x02\x00\x10\x00", 20) +
                       "data" + std::string("\x08\x00\x00\x00", 4) + std::string(8, '\0');
    writeText(p, data);
}

inline aoPixmap picture(int w, int h, const std::function<int(int, int)>& colour)
{
    aoPixmap p;
    p.width = w;
    p.height = h;
    aopxmap_allocate(&p);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.row(y)[x] = static_cast<uint32_t>(colour(x, y));
    return p;
}

inline void writeBmp(const fs::path& path, int w, int h, const std::function<int(int, int)>& colour)
{
    fs::create_directories(path.parent_path());
    const aoPixmap p = picture(w, h, colour);
    ASSERT_TRUE(aopxmap_savetofile_bmp(&p, path.string().c_str()));
}

inline void writeJpg(const fs::path& path, int w, int h, int colour)
{
    fs::create_directories(path.parent_path());
    const aoPixmap p = picture(w, h, [colour](int, int) { return colour; });
    ASSERT_TRUE(aopxmap_savetofile_jpg(&p, path.string().c_str(), 95));
}

// A colour that tells the source pixel: red = x mod 256, green = y mod 256, blue = (x / 256) * 16 + y / 256.
inline int coordinateColour(int x, int y)
{
    return aographic_rgb(x & 255, y & 255, ((x >> 8) << 4) | (y >> 8));
}

} // namespace mediatest
