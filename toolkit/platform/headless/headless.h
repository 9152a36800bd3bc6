// The headless backend: a virtual clock, input from a script, no display
// and no sound device; the transcript goes to standard output.
#pragma once

#include "platform/platform.h"
#include "script.h"

#include <deque>
#include <functional>
#include <set>
#include <span>
#include <string>

namespace headless {

class HeadlessPlatform : public platform::Platform {
public:
    HeadlessPlatform(Script script, std::string baseDir);

    bool openWindow(const std::string& title, int x, int y, int w, int h, bool fullscreen) override;
    void closeWindow() override;
    void present(const uint32_t* pixels, int w, int h, const platform::Rect& changed) override;
    bool pollInput(platform::Input& out, bool wait, int timeoutMs) override;
    int64_t millis() override { return now_; }
    int takeTicks() override;
    void startTicks() override {}
    void sleep10() override { now_ += 10; }
    bool playSound(const std::string& path) override;
    void stopSound() override {}
    void say(const std::string& utf8) override;
    bool speechReady(std::string& why) override;
    int screenWidth() override { return 1920; }
    int screenHeight() override { return 1080; }
    platform::Rect workArea() override { return {0, 0, 1920, 1040}; }
    void transcript(const std::string& utf8) override;
    bool wantsTranscript() const override { return true; }

    // For tests: where the transcript goes (standard output by default).
    std::function<void(const std::string&)> sink;
    // The picture shown last; it belongs to the window and is not copied.
    std::span<const uint32_t> picture() const { return {shown_, static_cast<size_t>(pw_) * ph_}; }
    int pictureWidth() const { return pw_; }
    int pictureHeight() const { return ph_; }
    const std::string& windowTitle() const { return title_; }
    bool windowOpen() const { return open_; }
    // A failure while running the script (a shot that could not be written).
    int errors = 0;
    // For tests: a machine without the German voice data.
    bool voiceMissing = false;

private:
    void runLine(const ScriptLine& l);
    std::string resolve(const std::string& path) const;

    Script script_;
    size_t next_ = 0;
    std::string base_;
    long long now_ = 0;
    long long ticksDelivered_ = 0;
    std::deque<platform::Input> pending_;
    const uint32_t* shown_ = nullptr;
    int pw_ = 0, ph_ = 0;
    std::string title_;
    bool open_ = false;
    bool closeSent_ = false;
    bool atLineStart_ = true;
    std::set<std::string> warned_;
};

} // namespace headless
