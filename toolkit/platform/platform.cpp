#include "platform.h"
#include "speech.h"

#include <chrono>
#include <thread>

namespace platform {

namespace {

// Used before any backend is installed (and by tests that need no display):
// a real clock, no window, no sound.
class NullPlatform : public Platform {
public:
    bool openWindow(const std::string&, int, int, int, int, bool) override { return true; }
    void closeWindow() override {}
    void present(const uint32_t*, int, int, const Rect&) override {}
    bool pollInput(Input&, bool wait, int timeoutMs) override
    {
        // Nothing can come; a wait without a limit still returns now and then.
        if (wait) std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs < 0 ? 10 : timeoutMs));
        return false;
    }
    int64_t millis() override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_)
            .count();
    }
    int takeTicks() override
    {
        int64_t due = millis() / 10;
        int n = static_cast<int>(due - delivered_);
        delivered_ = due;
        return n;
    }
    void startTicks() override {}
    void sleep10() override { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }
    bool playSound(const std::string&) override { return false; }
    void stopSound() override {}
    int screenWidth() override { return 1920; }
    int screenHeight() override { return 1080; }
    Rect workArea() override { return {0, 0, 1920, 1040}; }
    void transcript(const std::string&) override {}

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    int64_t delivered_ = 0;
};

Platform* installed = nullptr;

// Never destroyed: windows that outlive the backend still close against it.
Platform& nullPlatform()
{
    static Platform* p = new NullPlatform;
    return *p;
}

} // namespace

bool Platform::speechReady(std::string& why)
{
    return germanVoiceReady(why);
}

Platform& current()
{
    return installed ? *installed : nullPlatform();
}

void install(Platform* p)
{
    installed = p;
}

} // namespace platform
