// What the toolkit needs from the operating system. Each backend fills this
// table in its own folder (sdl/, headless/); nothing outside toolkit/ sees it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Script: a headless script command for the toolkit (text = "command args").
enum class InputKind { MouseDown, MouseUp, MouseDouble, MouseMove, Wheel, Key, Char, Close, Script };

struct Input {
    InputKind kind = InputKind::MouseMove;
    int x = 0, y = 0;  // client pixels
    int button = 1;    // 1 left, 2 middle, 3 right
    int value = 0;     // key code, Windows-1252 byte, wheel steps, or script line number
    std::string command, args; // Script only
};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

// A font rendered by the platform's font engine: one byte per pixel, 1 = ink.
struct RenderedFont {
    int height = 0, ascent = 0, descent = 0;
    int widths[224] = {};
    std::vector<uint8_t> glyphs;
    std::vector<int> offsets;
};

class Platform {
public:
    virtual ~Platform() = default;

    // One window of the given client size; closing it ends the running state.
    virtual bool openWindow(const std::string& titleCp1252, int x, int y, int w, int h,
                            bool fullscreen) = 0;
    virtual void closeWindow() = 0;
    // Shows the window picture (0x00RRGGBB rows, w*h), of which only the
    // changed rectangle differs from the picture shown before.
    virtual void present(const uint32_t* pixels, int w, int h, const Rect& changed) = 0;

    // Takes one pending input; with wait, blocks until input comes or
    // timeoutMs have passed (negative: no limit, as no timer is due).
    // Returns false when nothing came.
    virtual bool pollInput(Input& out, bool wait, int timeoutMs) = 0;

    // Milliseconds since the platform started.
    virtual int64_t millis() = 0;
    // 10 ms ticks counted since the last call (counted on the timer thread).
    virtual int takeTicks() = 0;
    virtual void startTicks() = 0;
    virtual void sleep10() = 0;

    virtual bool playSound(const std::string& path) = 0; // stops what plays first
    virtual void stopSound() = 0;
    // Reads German text (UTF-8) aloud after what plays; a backend without
    // speech stays silent.
    virtual void say(const std::string& utf8) { (void)utf8; }
    virtual void stopSpeaking() {}
    // True when say() can be heard; else false with the reason, in German.
    virtual bool speechReady(std::string& why);

    virtual int screenWidth() = 0;
    virtual int screenHeight() = 0;
    virtual Rect workArea() = 0;
    virtual int borderSize() { return 1; }
    virtual int captionHeight() { return 24; }

    // Something the program wrote to its console or terminal, for the transcript.
    virtual void transcript(const std::string& utf8) = 0;
    // True when terminal writes should also reach the transcript.
    virtual bool wantsTranscript() const { return false; }
};

Platform& current();
void install(Platform* p); // not owned

// Shared services that do not depend on the backend.
bool decodeJpeg(const std::string& path, int& width, int& height, std::vector<uint32_t>& rgb,
                std::string& err);
bool renderFont(const std::string& face, int points, bool bold, bool italic, RenderedFont& out);

} // namespace platform
