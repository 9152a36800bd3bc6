// The application frame: event queue, message processing, waits, timers,
// sound, settings, console and small file helpers.
#include "internal.h"
#include "platform/platform.h"
#include "platform/speech.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <climits>
#include <cstring>
#include <ctime>
#include <map>
#include <set>

namespace {

// ---- the one event queue: a ring of 64 codes
constexpr int kQueueSize = 64;
// Mouse codes carry the position they happened at: a click read later (after
// a wait) still reports its own position, not that of a later click.
struct Queued {
    int code = 0;
    aoWindow* window = nullptr;
    int wx = 0, wy = 0;
    aoView* view = nullptr;
    int vx = 0, vy = 0;
};
Queued queue[kQueueSize];
int queueRead = 0, queueWrite = 0, queueCount = 0;

bool running = true;
bool fetching = false;
int waitingForEvents = 0;

int nextId = 1000000;

// ---- timers: 100 slots
struct TimerSlot {
    aoTimerCallback callback = nullptr;
    void* context = nullptr;
    int interval = 0;
    int elapsed = 0;
    int id = 0;
};
constexpr int kTimerSlots = 100;
TimerSlot timers[kTimerSlots];
int timerHighWater = 0;
bool timersStarted = false;

unsigned int randState = 1;

aoStdio* stdioTarget = nullptr;

bool speechOn = false;
std::function<bool(int)> keyHandler;
// aowait_unlessescape: the waits running, and the Escape keys they took.
int escapeWaits = 0;
unsigned escapesSeen = 0;

std::map<std::string, aoScriptHandler>& scriptHandlers()
{
    static std::map<std::string, aoScriptHandler> h;
    return h;
}

// Milliseconds until the next timer is due (counted in whole ticks), -1
// when no timer runs: how long an idle wait may sleep.
int untilNextTimer()
{
    if (!timersStarted) return -1;
    int ticks = -1;
    for (int i = 0; i < timerHighWater; ++i) {
        const TimerSlot& s = timers[i];
        if (!s.context) continue;
        const int left = std::max((s.interval - s.elapsed + 9) / 10, 1);
        ticks = ticks < 0 ? left : std::min(ticks, left);
    }
    return ticks < 0 ? -1 : ticks * 10;
}

void deliverTicks()
{
    int ticks = platform::current().takeTicks();
    if (!timersStarted) return;
    for (int t = 0; t < ticks; ++t) {
        for (int i = 0; i < timerHighWater; ++i) {
            TimerSlot& s = timers[i];
            if (!s.context) continue;
            s.elapsed += 10;
            // A callback may free or replace its own slot; recheck each round.
            while (s.context && s.elapsed >= s.interval) {
                s.elapsed -= std::max(s.interval, 1);
                s.callback(s.context, 2029, s.id);
            }
        }
    }
}

} // namespace

// ---------------------------------------------------------------- basics

int aoround(double v)
{
    return v < 0 ? -static_cast<int>(-v + 0.5) : static_cast<int>(v + 0.5);
}

int aographic_rgb(int r, int g, int b)
{
    return (r & 255) * 65536 + (g & 255) * 256 + (b & 255);
}

int aonewid(int count)
{
    int first = nextId;
    nextId += std::max(count, 1);
    return first;
}

void aosrand(unsigned int seed)
{
    randState = seed;
}

unsigned int aorand_state()
{
    return randState;
}

int aorand()
{
    randState = randState * 22695477u + 1u;
    return static_cast<int>((randState >> 16) & 0x7FFF);
}

void aosrand_time()
{
    long long s = aoi::settings().seed;
    aosrand(s >= 0 ? static_cast<unsigned int>(s) : static_cast<unsigned int>(std::time(nullptr)));
}

// ---------------------------------------------------------------- queue

bool aoisrunning()
{
    return running;
}

void aoquit()
{
    running = false;
}

void aoputevent(int code)
{
    if (queueCount >= kQueueSize) return; // a full queue drops the event
    queue[queueWrite] = Queued{code};
    queueWrite = (queueWrite + 1) % kQueueSize;
    ++queueCount;
}

int aopendingevents()
{
    return queueCount;
}

void aoi::putmouse(int code, aoWindow* w, int wx, int wy, aoView* v, int vx, int vy)
{
    if (queueCount >= kQueueSize) return;
    queue[queueWrite] = Queued{code, w, wx, wy, v, vx, vy};
    queueWrite = (queueWrite + 1) % kQueueSize;
    ++queueCount;
}

void aoi::forget(const void* object)
{
    for (Queued& q : queue) {
        if (q.window == object) q.window = nullptr;
        if (q.view == object) q.view = nullptr;
    }
}

static int popEvent()
{
    Queued q = queue[queueRead];
    queueRead = (queueRead + 1) % kQueueSize;
    --queueCount;
    if (q.window) {
        q.window->mx = q.wx;
        q.window->my = q.wy;
    }
    if (q.view) {
        q.view->mx = q.vx;
        q.view->my = q.vy;
    }
    return q.code;
}

int aogetevent()
{
    fetching = true;
    while (queueCount == 0) {
        if (!running) return 0;
        aoi::process(true);
    }
    return popEvent();
}

int aogetevent_nowait()
{
    fetching = true;
    if (queueCount == 0) aoi::process(false);
    if (queueCount == 0) return 0;
    return popEvent();
}

void aodropevents()
{
    queueRead = queueWrite = queueCount = 0;
}

int aowaitforevents(int count, ...)
{
    std::vector<int> codes;
    va_list ap;
    va_start(ap, count);
    for (int i = 0; i < count; ++i) codes.push_back(va_arg(ap, int));
    va_end(ap);
    ++waitingForEvents;
    int found = 0;
    while (running) {
        int e = aogetevent();
        if (std::find(codes.begin(), codes.end(), e) != codes.end()) {
            found = e;
            break;
        }
    }
    --waitingForEvents;
    return found;
}

// ---------------------------------------------------------------- timers

bool aosettimer(aoTimerCallback callback, void* context, int intervalMs, int id)
{
    if (!context || !callback) return false;
    if (!timersStarted) {
        for (TimerSlot& s : timers) s = TimerSlot{};
        timerHighWater = 0;
        timersStarted = true;
        platform::current().startTicks();
        platform::current().takeTicks(); // ticks before the first timer mean nothing
    }
    for (int i = 0; i < timerHighWater; ++i) {
        TimerSlot& s = timers[i];
        if (s.context == context && s.id == id) {
            s.callback = callback;
            s.interval = intervalMs;
            s.elapsed = 0;
            return true;
        }
    }
    for (int i = 0; i < kTimerSlots; ++i) {
        TimerSlot& s = timers[i];
        if (!s.context) {
            s = TimerSlot{callback, context, intervalMs, 0, id};
            timerHighWater = std::max(timerHighWater, i + 1);
            return true;
        }
    }
    aoprintf("too many timers !\n");
    return false;
}

void aokilltimer(void* context, int id)
{
    for (int i = 0; i < timerHighWater; ++i)
        if (timers[i].context == context && timers[i].id == id) timers[i] = TimerSlot{};
}

static void timerObjectTick(void* context, int, int)
{
    auto* t = static_cast<aoTimer*>(context);
    if (aoi::timersMayPost()) aoputevent(t->code[1]);
}

aoTimer::aoTimer(int intervalMs) : interval(intervalMs)
{
    int first = aonewid(16);
    for (int i = 0; i < 16; ++i) code[i] = first + i;
    aosettimer(timerObjectTick, this, intervalMs, 0);
}

aoTimer::~aoTimer()
{
    aokilltimer(this, 0);
}

bool aoi::timersMayPost()
{
    return queueCount < 33 && waitingForEvents == 0;
}

// ---------------------------------------------------------------- waiting

static void waitDone(void* context, int, int)
{
    *static_cast<bool*>(context) = false;
    aokilltimer(context, 0);
}

void aowait(double seconds)
{
    if (seconds == 0) return;
    if (!(seconds > 0)) return;
    // Each wait owns its flag, so nested waits (from a timer callback) stay apart.
    auto* waiting = new bool(true);
    int ms = static_cast<int>(seconds * 1000);
    if (!aosettimer(waitDone, waiting, std::max(ms, 1), 0)) {
        delete waiting;
        return;
    }
    while (*waiting && running) {
        aoi::process(false);
        if (!*waiting) break;
        platform::current().sleep10();
    }
    aokilltimer(waiting, 0);
    delete waiting;
}

bool aowait_unlessescape(double seconds)
{
    const unsigned before = escapesSeen;
    auto waiting = std::make_unique<bool>(true);
    int ms = static_cast<int>(std::max(seconds, 0.0) * 1000);
    if (!aosettimer(waitDone, waiting.get(), std::max(ms, 1), 0)) return true;
    ++escapeWaits;
    while (*waiting && running && escapesSeen == before) {
        aoi::process(false);
        if (!*waiting || escapesSeen != before) break;
        platform::current().sleep10();
    }
    --escapeWaits;
    aokilltimer(waiting.get(), 0);
    return escapesSeen == before;
}

int aogettime()
{
    return static_cast<int>(platform::current().millis());
}

// ---------------------------------------------------------------- sound and settings

void aospeech_enable(bool on)
{
    speechOn = on;
    if (!on) platform::current().stopSpeaking();
}

bool aospeech_enabled()
{
    return speechOn;
}

bool aospeech_available()
{
    return aospeech_problem().empty();
}

std::string aospeech_problem()
{
    if (!platform::speechBuiltIn()) return "diese Ausgabe kann nicht vorlesen";
    std::string why;
    if (platform::current().speechReady(why)) return {};
    return why.empty() ? "keine deutsche Stimme" : why;
}

void aospeech_say(const std::string& utf8)
{
    if (speechOn && !utf8.empty()) platform::current().say(utf8);
}

void aospeech_stop()
{
    platform::current().stopSpeaking();
}

void aokey_sethandler(std::function<bool(int key)> handler)
{
    keyHandler = std::move(handler);
}

bool aoplaysound(const char* path)
{
    platform::current().stopSound();
    if (!path || !*path) return false;
    return platform::current().playSound(path);
}

void aostopsound()
{
    platform::current().stopSound();
}

int aogetsetting(const char* name)
{
    platform::Platform& p = platform::current();
    std::string n = name ? name : "";
    for (char& c : n) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    platform::Rect work = p.workArea();
    if (n == "screenxs") return p.screenWidth();
    if (n == "screenys") return p.screenHeight();
    if (n == "windowbordersize") return p.borderSize();
    if (n == "windowcaptionheight") return p.captionHeight();
    if (n == "maxwindowxs") return work.w - 2 * p.borderSize();
    if (n == "maxwindowys") return work.h - 2 * p.borderSize() - p.captionHeight();
    if (n == "desktopy") return work.y;
    aoprintf("get setting: %s\n", name ? name : "");
    return 0;
}

// ---------------------------------------------------------------- console

void aosetstdio(aoStdio* target)
{
    stdioTarget = target;
}

aoStdio* aogetstdio()
{
    return stdioTarget;
}

void aoprintf(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    va_list copy;
    va_copy(copy, ap);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(n > 0 ? static_cast<size_t>(n) + 1 : 1, '\0');
    if (n > 0) std::vsnprintf(text.data(), text.size(), format, ap);
    va_end(ap);
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    if (stdioTarget) {
        stdioTarget->stdwrite(text.c_str());
    } else {
        std::string utf8 = ao_cp1252_to_utf8(text);
        std::fputs(utf8.c_str(), stdout);
        std::fflush(stdout);
    }
}

std::optional<int> aoinputnumber(const char* prompt, int def)
{
    if (prompt) aoprintf("%s", prompt);
    char line[257] = {0};
    bool got;
    if (stdioTarget) {
        got = stdioTarget->stdreadline(line, 256);
    } else {
        got = std::fgets(line, sizeof line, stdin) != nullptr;
        if (got) line[std::strcspn(line, "\r\n")] = 0;
    }
    if (!got) return std::nullopt;
    if (line[0] == 0) return def;
    // Like atoi, but a number too big for an int is held at the limit
    // instead of wrapping round past the caller's range checks.
    long long v = std::strtoll(line, nullptr, 10);
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

int aoinputint(const char* prompt, int def)
{
    return aoinputnumber(prompt, def).value_or(def);
}

// ---------------------------------------------------------------- files

aoFile* aofile_open(const char* path, const char* mode)
{
    if (!path) return nullptr;
    std::string m = mode && *mode ? mode : "r";
    const char* cmode = "rb";
    if (m.find('+') != std::string::npos) cmode = "r+b";
    else if (m.find('w') != std::string::npos) cmode = "wb";
    else if (m.find('a') != std::string::npos) cmode = "ab";
    FILE* f = std::fopen(path, cmode);
    if (!f) return nullptr;
    auto* file = new aoFile;
    file->f = f;
    return file;
}

void aofile_close(aoFile* file)
{
    if (!file) return;
    if (file->f) std::fclose(file->f);
    delete file;
}

int aofile_getline(char* buffer, int size, aoFile* file)
{
    if (!buffer || size <= 0) return 0;
    buffer[0] = 0;
    if (!file || !file->f || size < 2) return 0;
    int c = std::fgetc(file->f);
    if (c == EOF) return 0;
    int n = 0;
    // The rest of an overlong line is read and dropped, so the next call
    // starts at the next line.
    while (c != EOF && c != '\n' && c != '\r') {
        if (n < size - 2) buffer[n++] = static_cast<char>(c);
        c = std::fgetc(file->f);
    }
    // "\r\n", "\n" and a lone "\r" each end one line.
    if (c == '\r') {
        int next = std::fgetc(file->f);
        if (next != '\n' && next != EOF) std::ungetc(next, file->f);
    }
    buffer[n++] = '\n';
    buffer[n] = 0;
    return n;
}

void aofile_printf(aoFile* file, const char* format, ...)
{
    if (!file || !file->f || !format) return;
    va_list ap;
    va_start(ap, format);
    std::vfprintf(file->f, format, ap);
    va_end(ap);
}

bool aofileexists(const char* path)
{
    if (!path) return false;
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

// ---------------------------------------------------------------- script hooks

void aoscript_sethandler(const std::string& command, aoScriptHandler handler)
{
    // No handler takes the command back: its lines are "not available" again.
    if (!handler) scriptHandlers().erase(command);
    else scriptHandlers()[command] = std::move(handler);
}

aoScriptHandler* aoi::findScriptHandler(const std::string& command)
{
    auto it = scriptHandlers().find(command);
    return it == scriptHandlers().end() ? nullptr : &it->second;
}

// ---------------------------------------------------------------- internals

bool aoi::fetchedEvents()
{
    return fetching;
}

aoi::Settings& aoi::settings()
{
    static Settings s;
    return s;
}

void aoi::resetForTest()
{
    queueRead = queueWrite = queueCount = 0;
    for (Queued& q : queue) q = Queued{};
    running = true;
    fetching = false;
    waitingForEvents = 0;
    for (TimerSlot& s : timers) s = TimerSlot{};
    timerHighWater = 0;
    timersStarted = false;
    stdioTarget = nullptr;
    speechOn = false;
}

namespace {

void dispatchMouse(aoWindow* w, int kind, int x, int y)
{
    aoWidget* hit = nullptr;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        aoWidget* c = *it;
        if (c->visible && c->takesmouse() && x >= c->wx && y >= c->wy && x < c->wx + c->ww && y < c->wy + c->wh) {
            hit = c;
            break;
        }
    }
    if (hit) hit->onmouse(kind, x, y);
    else w->client.onmouse(kind, x, y);
}

void runScriptCommand(const platform::Input& in)
{
    static std::set<std::string> warned;
    aoWindow* w = aoi::mainWindow();
    if (in.command == "shot") {
        if (!w || !aopxmap_savetofile_bmp(&w->picture, in.args.c_str()))
            std::fprintf(stderr, "script line %d: cannot write %s\n", in.value, in.args.c_str());
        return;
    }
    if (in.command == "type") {
        // Script text is UTF-8; typed characters are Windows-1252 bytes.
        for (unsigned char c : ao_utf8_to_cp1252(in.args)) {
            if (!w) break;
            if (w->focus) w->focus->onkey(c);
            else aoputevent(c);
        }
        return;
    }
    aoScriptHandler* h = aoi::findScriptHandler(in.command);
    if (!h) {
        std::string what = in.command == "clickname" ? "click NAME" : in.command;
        if (warned.insert(what).second) std::fprintf(stderr, "%s: not available yet\n", what.c_str());
        return;
    }
    aoScriptResult r = (*h)(in.args);
    if (!r.ok) {
        std::fprintf(stderr, "script line %d: %s\n", in.value, r.error.c_str());
        return;
    }
    for (auto [x, y] : r.clicks) {
        if (!w) break;
        w->mx = x;
        w->my = y;
        dispatchMouse(w, 1, x, y);
        dispatchMouse(w, 2, x, y);
    }
}

} // namespace

void aoi::process(bool wait)
{
    platform::Platform& p = platform::current();
    deliverTicks();
    aoi::presentDirty();
    platform::Input in;
    bool block = wait;
    // Handle everything pending; block for the first only.
    int handled = 0;
    // Waiting sleeps until input comes or the next timer is due: nothing
    // else needs the program while it is idle.
    const int timeout = untilNextTimer();
    while (handled < 1000 && p.pollInput(in, block, timeout)) {
        block = false;
        ++handled;
        if (in.kind == platform::InputKind::Close) {
            running = false;
            continue;
        }
        if (in.kind == platform::InputKind::Script) {
            runScriptCommand(in);
            continue;
        }
        aoWindow* w = aoi::mainWindow();
        if (!w) continue;
        switch (in.kind) {
        case platform::InputKind::Key:
        case platform::InputKind::Char:
            // A wait that Escape ends takes the key: nothing else acts on it later.
            if (in.value == AOKEY_ESCAPE && escapeWaits > 0) {
                ++escapesSeen;
                break;
            }
            if (w->focus) w->focus->onkey(in.value);
            else if (keyHandler && keyHandler(in.value)) break;
            else if (in.value > 0 && in.value < 1000000) aoputevent(in.value);
            break;
        default: {
            int kind = 9;
            if (in.kind == platform::InputKind::MouseDown) kind = in.button == 1 ? 1 : in.button == 2 ? 3 : 5;
            else if (in.kind == platform::InputKind::MouseUp) kind = in.button == 1 ? 2 : in.button == 2 ? 4 : 6;
            else if (in.kind == platform::InputKind::MouseDouble) kind = in.button == 1 ? 7 : 8;
            else if (in.kind == platform::InputKind::Wheel) kind = in.value > 0 ? 12 : 13;
            dispatchMouse(w, kind, in.x, in.y);
            break;
        }
        }
    }
    deliverTicks();
    aoi::presentDirty();
}
