// The real backend on SDL's dummy video and audio drivers.
#include "platform/sdl/sdl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

void put16(std::ofstream& o, uint16_t v) { o.put(char(v & 255)).put(char(v >> 8)); }
void put32(std::ofstream& o, uint32_t v)
{
    for (int i = 0; i < 4; ++i) o.put(char((v >> (8 * i)) & 255));
}

std::string writeTone(const std::string& name)
{
    auto p = std::filesystem::temp_directory_path() / name;
    std::ofstream o(p, std::ios::binary);
    const uint32_t rate = 22050, samples = rate / 5;
    o.write("RIFF", 4);
    put32(o, 36 + samples * 2);
    o.write("WAVEfmt ", 8);
    put32(o, 16);
    put16(o, 1);
    put16(o, 1);
    put32(o, rate);
    put32(o, rate * 2);
    put16(o, 2);
    put16(o, 16);
    o.write("data", 4);
    put32(o, samples * 2);
    for (uint32_t i = 0; i < samples; ++i) put16(o, uint16_t(int16_t(8000 * std::sin(i * 0.1))));
    return p.string();
}

} // namespace

TEST(SdlBackend, OpensTheWindowPlaysAWavAndCloses)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    sdl::SdlPlatform p;
    ASSERT_TRUE(p.ok());
    ASSERT_TRUE(p.openWindow("ZIFFRON-ZOVIZ-5-8: ", 10, 10, 1320, 920, false));
    std::vector<uint32_t> picture(1320 * 920, 0xE0E0E0);
    p.present(picture.data(), 1320, 920, {0, 0, 1320, 920});
    picture[5 * 1320 + 7] = 0x123456;
    p.present(picture.data(), 1320, 920, {7, 5, 1, 1});
    EXPECT_GT(p.screenWidth(), 0);
    EXPECT_GT(p.workArea().w, 0);

    std::string tone = writeTone("ziffron_tone.wav");
    EXPECT_TRUE(p.playSound(tone));
    EXPECT_TRUE(p.playSound(tone)) << "a new clip replaces the playing one";
    EXPECT_FALSE(p.playSound("/no/such/file.wav"));
    auto broken = std::filesystem::temp_directory_path() / "ziffron_broken.wav";
    std::ofstream(broken, std::ios::binary) << "RIFF\x10\0\0\0WAVEjunkjunk";
    EXPECT_FALSE(p.playSound(broken.string()));
    p.stopSound();

    p.startTicks();
    int64_t t0 = p.millis();
    int ticks = 0;
    // Generous under a loaded machine: a few ticks within two seconds.
    while (p.millis() - t0 < 2000 && ticks < 10) {
        platform::Input in;
        p.pollInput(in, true, 10);
        ticks += p.takeTicks();
    }
    EXPECT_GT(ticks, 5) << "the 10 ms tick is counted and delivered";
    p.closeWindow();
}
