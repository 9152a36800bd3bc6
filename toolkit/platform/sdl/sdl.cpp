// The real backend: one SDL2 window showing the toolkit's picture through a
// streaming texture, the 10 ms tick read off SDL's clock, SDL audio for WAV
// clips.
#include "sdl.h"

#include "aotoolkit.h"
#include "platform/speech.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace sdl {

namespace {

// Windows-1252 byte of a Unicode code point, or -1.
// The keys without a byte; printable keys come as text input instead.
int keyCode(SDL_Keycode k)
{
    switch (k) {
    case SDLK_ESCAPE: return AOKEY_ESCAPE;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return AOKEY_ENTER;
    case SDLK_BACKSPACE: return AOKEY_BACKSPACE;
    case SDLK_TAB: return AOKEY_TAB;
    case SDLK_LEFT: return AOKEY_LEFT;
    case SDLK_RIGHT: return AOKEY_RIGHT;
    case SDLK_UP: return AOKEY_UP;
    case SDLK_DOWN: return AOKEY_DOWN;
    case SDLK_HOME: return AOKEY_HOME;
    case SDLK_END: return AOKEY_END;
    case SDLK_PAGEUP: return AOKEY_PAGEUP;
    case SDLK_PAGEDOWN: return AOKEY_PAGEDOWN;
    default: return 0;
    }
}

} // namespace

SdlPlatform::SdlPlatform()
{
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return;
    }
    ok_ = true;
    start_ = SDL_GetTicks64();
}

SdlPlatform::~SdlPlatform()
{
    if (audio_) SDL_CloseAudioDevice(audio_);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    if (ok_) SDL_Quit();
}

bool SdlPlatform::openWindow(const std::string& title, int x, int y, int w, int h, bool fullscreen)
{
    if (!ok_) return false;
    // Smooth when shrunk or scaled by a fraction; refit() picks nearest at
    // whole-number factors.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    // One streaming texture a frame needs no graphics driver: SDL's software
    // renderer on the window's own framebuffer starts in a third of the time
    // (no GL context, no shader compiling on machines without a graphics
    // card) and shows a frame in about a millisecond. SDL_RENDER_DRIVER and
    // SDL_FRAMEBUFFER_ACCELERATION in the environment still choose otherwise.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A small screen (a 1366 x 768 laptop) gets a smaller window showing the
    // whole picture, scaled with its aspect kept. Where the picture does not
    // fit as drawn, the window also starts maximized: the window manager knows
    // its decorations, which we only guess (30 pixels) for the plain size.
    SDL_Rect usable{0, 0, w, h};
    int winw = w, winh = h;
    bool shrunk = false;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        double scale = std::min({1.0, usable.w / static_cast<double>(w), (usable.h - 30) / static_cast<double>(h)});
        shrunk = scale < 1.0;
        winw = static_cast<int>(w * scale);
        winh = static_cast<int>(h * scale);
        x = std::clamp(x, usable.x, std::max(usable.x, usable.x + usable.w - winw));
        y = std::clamp(y, usable.y + 30, std::max(usable.y + 30, usable.y + usable.h - winh));
    }
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    else if (shrunk) flags |= SDL_WINDOW_MAXIMIZED;
    std::string utf8 = utf8Title(title);
    window_ = SDL_CreateWindow(utf8.c_str(), x, y, winw, winh, flags);
    if (!window_) {
        std::fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());
        return false;
    }
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        std::fprintf(stderr, "SDL_CreateRenderer: %s\n", SDL_GetError());
        return false;
    }
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (!texture_) {
        std::fprintf(stderr, "SDL_CreateTexture: %s\n", SDL_GetError());
        return false;
    }
    texw_ = w;
    texh_ = h;
    refit();
    SDL_StartTextInput();
    return true;
}

void SdlPlatform::refit()
{
    if (!renderer_ || !window_) return;
    SDL_GetWindowSize(window_, &winw_, &winh_);
    if (SDL_GetRendererOutputSize(renderer_, &outw_, &outh_) != 0) {
        outw_ = winw_;
        outh_ = winh_;
    }
    fit_ = platform::fitPicture(texw_, texh_, outw_, outh_);
    if (texture_) SDL_SetTextureScaleMode(texture_, fit_.smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
}

void SdlPlatform::toPicture(int wx, int wy, int& px, int& py) const
{
    platform::windowToPicture(fit_, texw_, texh_, winw_, winh_, outw_, outh_, wx, wy, px, py);
}

std::string SdlPlatform::utf8Title(const std::string& cp1252)
{
    std::string out;
    for (unsigned char c : cp1252) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void SdlPlatform::closeWindow()
{
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
}

void SdlPlatform::present(const uint32_t* pixels, int w, int h, const platform::Rect& changed)
{
    upload(pixels, w, h, changed);
    show();
}

void SdlPlatform::upload(const uint32_t* pixels, int w, int h, const platform::Rect& changed)
{
    if (!renderer_ || !texture_ || w != texw_ || h != texh_) return;
    // The first picture goes in whole; after that only what changed.
    SDL_Rect r{0, 0, w, h};
    if (shown_) {
        r.x = std::clamp(changed.x, 0, w);
        r.y = std::clamp(changed.y, 0, h);
        r.w = std::clamp(changed.x + changed.w, r.x, w) - r.x;
        r.h = std::clamp(changed.y + changed.h, r.y, h) - r.y;
        if (r.w <= 0 || r.h <= 0) return;
    }
    SDL_UpdateTexture(texture_, &r, pixels + static_cast<size_t>(r.y) * w + r.x, w * 4);
    shown_ = true;
}

void SdlPlatform::show()
{
    if (!renderer_ || !texture_ || !shown_) return;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_Rect dst{fit_.x, fit_.y, fit_.w, fit_.h};
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    SDL_RenderPresent(renderer_);
}

bool SdlPlatform::translate(const SDL_Event& e, platform::Input& out)
{
    using platform::InputKind;
    switch (e.type) {
    case SDL_QUIT:
        out.kind = InputKind::Close;
        return true;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
            out.kind = InputKind::Close;
            return true;
        }
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            // Repaint from the texture, which holds the last picture shown,
            // fitted to the new size.
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) refit();
            show();
        }
        return false;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        toPicture(e.button.x, e.button.y, out.x, out.y);
        out.button = e.button.button == SDL_BUTTON_LEFT ? 1 : e.button.button == SDL_BUTTON_MIDDLE ? 2 : 3;
        if (e.type == SDL_MOUSEBUTTONUP) {
            out.kind = InputKind::MouseUp;
        } else if (e.button.clicks == 2) {
            // The press itself is reported first; the double-click follows.
            out.kind = InputKind::MouseDown;
            platform::Input d = out;
            d.kind = InputKind::MouseDouble;
            extra_.push_back(d);
        } else {
            out.kind = InputKind::MouseDown;
        }
        return true;
    }
    case SDL_MOUSEMOTION:
        out.kind = InputKind::MouseMove;
        toPicture(e.motion.x, e.motion.y, out.x, out.y);
        return true;
    case SDL_MOUSEWHEEL: {
        out.kind = InputKind::Wheel;
        int mx = 0, my = 0;
        SDL_GetMouseState(&mx, &my);
        toPicture(mx, my, out.x, out.y);
        out.value = e.wheel.y;
        return e.wheel.y != 0;
    }
    case SDL_KEYDOWN: {
        int code = keyCode(e.key.keysym.sym);
        if (!code) return false; // printable keys arrive as text input
        out.kind = InputKind::Key;
        out.value = code;
        return true;
    }
    case SDL_TEXTINPUT: {
        // UTF-8 text becomes Windows-1252 bytes, one input each.
        bool first = true;
        for (char ch : ao_utf8_to_cp1252(e.text.text)) {
            int b = static_cast<unsigned char>(ch);
            if (b < 32) continue;
            platform::Input c;
            c.kind = InputKind::Char;
            c.value = b;
            if (first) {
                out = c;
                first = false;
            } else {
                extra_.push_back(c);
            }
        }
        return !first;
    }
    default:
        return false;
    }
}

bool SdlPlatform::pollInput(platform::Input& out, bool wait, int timeoutMs)
{
    if (!extra_.empty()) {
        out = extra_.front();
        extra_.erase(extra_.begin());
        return true;
    }
    if (!ok_) return false;
    SDL_Event e;
    // Blocks in the window system until input comes or the next timer is due.
    bool got = !wait ? SDL_PollEvent(&e) != 0 : timeoutMs < 0 ? SDL_WaitEvent(&e) != 0
                                                              : SDL_WaitEventTimeout(&e, timeoutMs) != 0;
    while (got) {
        if (translate(e, out)) return true;
        got = SDL_PollEvent(&e) != 0;
    }
    return false;
}

int64_t SdlPlatform::millis()
{
    return static_cast<int64_t>(SDL_GetTicks64() - start_);
}

// Ticks are read off the clock: a 10 ms timer thread would wake the program
// a hundred times a second even when nothing is due.
int SdlPlatform::takeTicks()
{
    if (!ticking_) return 0;
    const Uint64 due = (SDL_GetTicks64() - tickStart_) / 10;
    const int n = static_cast<int>(due - ticksDelivered_);
    ticksDelivered_ = due;
    return n;
}

void SdlPlatform::startTicks()
{
    if (ticking_ || !ok_) return;
    ticking_ = true;
    tickStart_ = SDL_GetTicks64();
    ticksDelivered_ = 0;
}

void SdlPlatform::sleep10()
{
    SDL_Delay(10);
}

bool SdlPlatform::openAudio()
{
    if (audio_) return true;
    if (audioFailed_) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        audioFailed_ = true;
        return false;
    }
    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 2048;
    audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &device_, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!audio_) {
        audioFailed_ = true;
        return false;
    }
    SDL_PauseAudioDevice(audio_, 0);
    return true;
}

bool SdlPlatform::queueConverted(SDL_AudioFormat format, Uint8 channels, int freq, const void* data, int len)
{
    SDL_AudioStream* stream =
        SDL_NewAudioStream(format, channels, freq, device_.format, device_.channels, device_.freq);
    if (!stream) return false;
    bool ok = false;
    if (SDL_AudioStreamPut(stream, data, len) == 0 && SDL_AudioStreamFlush(stream) == 0) {
        int avail = SDL_AudioStreamAvailable(stream);
        std::vector<Uint8> out(static_cast<size_t>(std::max(avail, 0)));
        int got = avail > 0 ? SDL_AudioStreamGet(stream, out.data(), avail) : 0;
        if (got > 0) ok = SDL_QueueAudio(audio_, out.data(), static_cast<Uint32>(got)) == 0;
    }
    SDL_FreeAudioStream(stream);
    return ok;
}

bool SdlPlatform::playSound(const std::string& path)
{
    stopSound();
    if (!openAudio()) return false;
    SDL_AudioSpec spec;
    Uint8* buf = nullptr;
    Uint32 len = 0;
    // SDL_LoadWAV checks the file; a missing or broken one plays nothing.
    if (!SDL_LoadWAV(path.c_str(), &spec, &buf, &len)) return false;
    bool ok = queueConverted(spec.format, spec.channels, spec.freq, buf, static_cast<int>(len));
    SDL_FreeWAV(buf);
    return ok;
}

void SdlPlatform::stopSound()
{
    if (audio_) SDL_ClearQueuedAudio(audio_);
    speaking_ = false;
}

void SdlPlatform::say(const std::string& utf8)
{
    stopSpeaking();
    std::vector<int16_t> samples;
    int rate = 0;
    std::string err;
    if (!platform::synthesizeGerman(utf8, samples, rate, err)) {
        if (!speechWarned_) std::fprintf(stderr, "ziffron: tasks are not read aloud: %s\n", err.c_str());
        speechWarned_ = true;
        return;
    }
    // Queued behind a clip that still plays, so the two never talk at once.
    if (samples.empty() || !openAudio()) return;
    speaking_ = queueConverted(AUDIO_S16SYS, 1, rate, samples.data(), static_cast<int>(samples.size() * 2));
}

void SdlPlatform::stopSpeaking()
{
    // The queue holds the speech, at most behind the rest of a clip: both end.
    if (speaking_ && audio_) SDL_ClearQueuedAudio(audio_);
    speaking_ = false;
}

int SdlPlatform::screenWidth()
{
    SDL_DisplayMode m;
    if (ok_ && SDL_GetDesktopDisplayMode(0, &m) == 0) return m.w;
    return 1920;
}

int SdlPlatform::screenHeight()
{
    SDL_DisplayMode m;
    if (ok_ && SDL_GetDesktopDisplayMode(0, &m) == 0) return m.h;
    return 1080;
}

platform::Rect SdlPlatform::workArea()
{
    SDL_Rect r;
    if (ok_ && SDL_GetDisplayUsableBounds(0, &r) == 0) return {r.x, r.y, r.w, r.h};
    return {0, 0, screenWidth(), screenHeight()};
}

void SdlPlatform::transcript(const std::string&) {}

} // namespace sdl
