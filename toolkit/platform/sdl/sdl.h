#pragma once

#include "platform/fit.h"
#include "platform/platform.h"

#include <SDL.h>

#include <vector>

namespace sdl {

class SdlPlatform : public platform::Platform {
public:
    SdlPlatform();
    ~SdlPlatform() override;
    bool ok() const { return ok_; }

    bool openWindow(const std::string& title, int x, int y, int w, int h, bool fullscreen) override;
    void closeWindow() override;
    void present(const uint32_t* pixels, int w, int h, const platform::Rect& changed) override;
    // The two halves of present: the changed rectangle into the texture, and
    // the texture onto the window.
    void upload(const uint32_t* pixels, int w, int h, const platform::Rect& changed);
    void show();
    bool pollInput(platform::Input& out, bool wait, int timeoutMs) override;
    int64_t millis() override;
    int takeTicks() override;
    void startTicks() override;
    void sleep10() override;
    bool playSound(const std::string& path) override;
    void stopSound() override;
    void say(const std::string& utf8) override;
    void stopSpeaking() override;
    int screenWidth() override;
    int screenHeight() override;
    platform::Rect workArea() override;
    void transcript(const std::string& utf8) override;

private:
    bool translate(const SDL_Event& e, platform::Input& out);
    bool openAudio();
    // Converts samples to the device's format and queues them after what plays.
    bool queueConverted(SDL_AudioFormat format, Uint8 channels, int freq, const void* data, int len);
    // Fits the picture to the window's current size and picks the filtering.
    void refit();
    void toPicture(int wx, int wy, int& px, int& py) const;
    static std::string utf8Title(const std::string& cp1252);

    bool ok_ = false;
    Uint64 start_ = 0;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int texw_ = 0, texh_ = 0;
    int winw_ = 0, winh_ = 0, outw_ = 0, outh_ = 0;
    platform::Fit fit_;
    bool shown_ = false; // the texture holds a picture
    Uint64 tickStart_ = 0;
    Uint64 ticksDelivered_ = 0;
    bool ticking_ = false;
    SDL_AudioDeviceID audio_ = 0;
    SDL_AudioSpec device_{};
    bool audioFailed_ = false;
    bool speaking_ = false, speechWarned_ = false;
    std::vector<platform::Input> extra_;
};

} // namespace sdl
