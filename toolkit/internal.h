// Toolkit-internal state shared between its modules (not for the quiz).
#pragma once

#include "aotoolkit.h"

namespace aoi {

// The Unicode character of a screen byte (Windows-1252, with the minus sign
// and "almost equal" in two of its holes); 0 where the byte has none.
unsigned cp1252Code(unsigned char byte);

// Processes pending platform messages: ticks to timers, input to the event
// queue or widgets, repaints. With wait, blocks briefly for new input.
void process(bool wait);

// Posts a mouse code together with the positions it happened at; reading it
// with aogetevent sets the window's and the area's last mouse position.
void putmouse(int code, aoWindow* w, int wx, int wy, aoView* v, int vx, int vy);
// A window or area that goes away is dropped from queued events.
void forget(const void* object);

// True once the program fetched events itself (so no fallback loop runs).
bool fetchedEvents();

// Window bookkeeping.
void windowDestroyed(aoWindow* w);
aoWindow* mainWindow(); // the window on the platform screen
int openedWindows();
void presentDirty();

// Posting from timers honours the 33-event rule and aowaitforevents.
bool timersMayPost();

// Headless script handlers (see aoscript_sethandler).
aoScriptHandler* findScriptHandler(const std::string& command);

// Command-line settings.
struct Settings {
    std::string mediaDir;
    long long seed = -1;
    bool headless = false;
    bool fullscreen = false;
    bool readAloud = false;
    std::string scriptPath;
};
Settings& settings();

// The plain rule of straight lines, per pixel in double precision: the
// reference the fast stepping in graphic.cpp is tested against.
void drawLinePlain(aoPixmap& p, long long x1, long long y1, long long x2, long long y2, int colour);

// Resets queue, timers and running state (tests run several programs in one process).
void resetForTest();

} // namespace aoi
