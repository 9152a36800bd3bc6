// Showing a flushed area in the real backend (SDL's dummy video driver and
// its software renderer): a flush of the task area and of a 40 x 24 box up to
// the texture, each against a memcpy of the same bytes measured in the same
// run (see ratio.h); and the cost of putting the texture on the window, which
// every showing pays whatever changed (a graphics card does it for free).
#include "internal.h"
#include "platform/sdl/sdl.h"
#include "ratio.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// Presents up to the texture only, or all the way to the window.
class Backend : public sdl::SdlPlatform {
public:
    void present(const uint32_t* pixels, int w, int h, const platform::Rect& changed) override
    {
        upload(pixels, w, h, changed);
        if (showing) show();
    }
    bool showing = false;
};

struct Screen {
    Screen()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        backend = std::make_unique<Backend>();
        aoi::resetForTest();
        platform::install(backend.get());
        window.create("B: ;,x=0,y=0,xs=1320,ys=920,bgcolor=e0e0e0");
        task.create("x=10,y=180,xs=1280,ys=720,backgroundcolor=white");
        box.create("x=680,y=7,xs=40,ys=24,backgroundcolor=white");
        aoi::presentDirty();
    }
    std::unique_ptr<Backend> backend;
    aoWindow window;
    aoView task, box;
};

Screen& screen()
{
    static Screen s;
    return s;
}

void BM_FlushTaskArea(benchmark::State& state)
{
    Screen& s = screen();
    benchratio::againstMemcpy(state, 1280u * 720u * 4u, 1, [&] {
        s.task.flush();
        aoi::presentDirty();
    });
}

void BM_FlushBox40x24(benchmark::State& state)
{
    Screen& s = screen();
    benchratio::againstMemcpy(state, 40u * 24u * 4u, 100, [&] {
        s.box.flush();
        aoi::presentDirty();
    });
}

void BM_ShowWindow(benchmark::State& state)
{
    Screen& s = screen();
    benchratio::againstMemcpy(state, 1320u * 920u * 4u, 1, [&] { s.backend->show(); });
}

} // namespace

BENCHMARK(BM_ShowWindow)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlushTaskArea)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlushBox40x24)->UseManualTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
