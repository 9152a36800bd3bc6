// Picture drawing, the end zoom and frame loading, each against a memcpy of
// one 1280 x 720 x 4 picture measured in the same run ("x_memcpy" column,
// see ratio.h).
#include "internal.h"
#include "pictures.h"
#include "platform/headless/headless.h"
#include "ratio.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr size_t kBytes = 1280u * 720u * 4u;

// The headless platform, a window with the task area, a reward picture and a
// folder with one 640 x 360 frame.
struct Stage {
    Stage()
    {
        headless::Script script;
        std::string err;
        headless::parseScript("", script, err);
        backend = std::make_unique<headless::HeadlessPlatform>(std::move(script), "");
        backend->sink = [](const std::string&) {};
        aoi::resetForTest();
        platform::install(backend.get());
        window.create("B: ;,x=0,y=0,xs=1320,ys=920,bgcolor=e0e0e0");
        task.create("x=10,y=180,xs=1280,ys=720,backgroundcolor=white");
        mediaAttach(&window, &task, nullptr, nullptr);
        setupPicturePlanes();
        dir = fs::temp_directory_path() / ("ziffron_bench_" + std::to_string(getpid()));
        fs::create_directories(dir / "video_1");
        fs::current_path(dir);
        writePicture("video_1/videob_0.bmp", 1280, 720);
        writePicture("video_1/videob_1.bmp", 640, 360);
        loadRewardPicture(1);
    }
    ~Stage()
    {
        fs::current_path("/");
        fs::remove_all(dir);
    }
    static void writePicture(const char* path, int w, int h)
    {
        aoPixmap p;
        p.width = w;
        p.height = h;
        aopxmap_allocate(&p);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) p.row(y)[x] = static_cast<uint32_t>(aographic_rgb(x * 7, y * 3, x ^ y));
        aopxmap_savetofile_bmp(&p, path);
    }
    std::unique_ptr<headless::HeadlessPlatform> backend;
    aoWindow window;
    aoView task;
    fs::path dir;
};

Stage& stage()
{
    static Stage s;
    return s;
}

template <typename Body>
void timed(benchmark::State& state, Body body)
{
    stage();
    benchratio::againstMemcpy(state, kBytes, 1, body);
}

void BM_Memcpy1280x720x4(benchmark::State& state)
{
    std::vector<unsigned char> a(kBytes, 1), b(kBytes, 2);
    timed(state, [&] {
        std::memcpy(b.data(), a.data(), kBytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    });
}

void BM_DrawPictureCover(benchmark::State& state)
{
    timed(state, [] { drawPictureCover(0, 0, 1280, 720); });
}

void BM_DrawPictureFaded(benchmark::State& state)
{
    timed(state, [] { drawPictureFaded(0, 0, 1280, 720); });
}

void BM_DrawPictureScaledHalf(benchmark::State& state)
{
    timed(state, [] { drawPictureScaled(320, 180, 1280, 720, 0.5, 0.5); });
}

void BM_EndZoom101StepsNoWaits(benchmark::State& state)
{
    timed(state, [] {
        for (int i = 1; i <= 101; ++i) drawEndZoomStep(i, 640, 360);
    });
}

void BM_LoadFrame640x360(benchmark::State& state)
{
    timed(state, [] {
        pictureSequence.openFolder("video_1", 1);
        benchmark::DoNotOptimize(pictureSequence.frames.data());
    });
}

} // namespace

BENCHMARK(BM_Memcpy1280x720x4)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawPictureCover)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawPictureFaded)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawPictureScaledHalf)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EndZoom101StepsNoWaits)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFrame640x360)->UseManualTime()->Unit(benchmark::kMicrosecond);


BENCHMARK_MAIN();
