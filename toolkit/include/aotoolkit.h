// The toolkit's public interface: the only header the quiz, catalog,
// illustrations and media include. C-style functions named ao<module>_<verb>
// plus a few class-shaped objects with explicit create.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#if defined(__MINGW32__)
// The Windows build formats with mingw-w64's C99 printf (%zu and all).
#define AO_PRINTF(f, a) __attribute__((format(gnu_printf, f, a)))
#elif defined(__GNUC__)
#define AO_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define AO_PRINTF(f, a)
#endif

// ---------------------------------------------------------------- basics

int aoround(double v);                  // half away from zero
int aographic_rgb(int r, int g, int b); // 0x00RRGGBB, each component as a byte

// Text inside the program is Windows-1252; these convert at the boundary.
std::string ao_utf8_to_cp1252(std::string_view utf8);
std::string ao_cp1252_to_utf8(std::string_view cp1252);

// The runtime's random generator: state = state * 22695477 + 1, result bits 16..30.
void aosrand(unsigned int seed);
int aorand();
// Seeds from the clock, or from --seed when one was given.
void aosrand_time();
// The generator's state now: aosrand(state) repeats what follows.
unsigned int aorand_state();

// Unique ids for event codes: the first of `count` consecutive ids.
int aonewid(int count = 1);

// ---------------------------------------------------------------- option strings

// '%' followed by a character below '0' or by '>' is doubled, so that
// "x=50%" survives printf formatting.
std::string aooption_protect(const char* format);
// Protect, then format with the arguments.
std::string aooption_vformat(const char* format, va_list args);
std::string aooption_format(const char* format, ...) AO_PRINTF(1, 2);

struct aoSize {
    double value = 0;
    bool percent = false;
    bool given = false;
};

// Reads a size or position value ("50%", "12pix", " 5 0 % ").
aoSize aooption_readsize(std::string_view value);
// Reads a colour value; returns `previous` when the text says nothing usable.
int aooption_readcolor(std::string_view value, int previous);

// A formatted option string cut at ','. Readers blank the tokens they claim.
class aoOptions {
public:
    aoOptions() = default;
    explicit aoOptions(std::string formatted);
    static aoOptions format(const char* fmt, ...) AO_PRINTF(1, 2);
    static aoOptions vformat(const char* fmt, va_list args);

    const std::string& whole() const { return whole_; }
    std::vector<std::string> tokens;

    // Token lookup: index of the last token matching key (prefix when the
    // key ends in '='), spaces ignored, case-insensitive; -1 when none.
    int find(std::string_view key, int start = 0) const;
    // Value after the first '=' of the matched token.
    bool value(std::string_view key, std::string& out, int start = 0, bool consume = true);
    bool flag(std::string_view word, int start = 0, bool consume = true);
    bool getint(std::string_view key, int& out, int start = 0, bool consume = true);
    bool getsize(std::string_view key, aoSize& out, int start = 0, bool consume = true);
    // Colour key: "0x..", a name, or bare hex; an empty value leaves out unchanged.
    bool getcolor(std::string_view key, int& out, int start = 0, bool consume = true);
    // Tries each of the synonyms; the last matching token in the string wins.
    bool getcolorany(std::initializer_list<std::string_view> keys, int& out, int start = 0);
    bool flagany(std::initializer_list<std::string_view> words, int start = 0);
    // Boolean keys with values: "cursor=on", "focus=no" ... ; returns -1 absent, 0 or 1.
    int getbool(std::string_view key, int start = 0);
    // Unclaimed tokens joined by ','.
    std::string leftover(int start = 0) const;

    // Whole-string lookup (found anywhere, even inside the title token).
    bool wholeflag(std::string_view word) const;
    int wholeint(std::string_view key, int def) const;

private:
    std::string whole_;
};

// Geometry of an object as written and as resolved.
struct aoGeometry {
    aoSize x, y, w, h;
    int minw = 0, minh = 0, maxw = 0, maxh = 0;
    int parentw = 0, parenth = 0;
    int rx = 0, ry = 0, rw = 0, rh = 0; // resolved
    // Sizes larger than the parent shrink to it; a top-level window's picture
    // keeps its size, the platform fits it into the screen.
    bool fitParent = true;

    void read(aoOptions& opts, int start = 0);
    // Resolves against the parent; defw/defh for sizes not given.
    void resolve(int parentWidth, int parentHeight, int defw, int defh);
};

// Theme colours by index: grey, light, dark, white, black, text-selection,
// text, grey text, dark face, selection blue, very light.
extern const int aotheme[11];
int aotheme_color(int index);

// A font description ("Courier New,points=20,bold").
struct aoFontDescription {
    std::string face;
    bool bold = false, italic = false, underlined = false;
    int xs = 0, ys = 0, ascent = 0, descent = 0, points = 0, xsextra = 0;
};
aoFontDescription aooption_fontdescription(std::string_view text);
// "font=" value: handle or -1 (prints "font not loaded/found: %s\n").
int aooption_fontkey(std::string_view value);

// ---------------------------------------------------------------- events, time, sound

// Keys as the event queue and onkey() see them. Keys with a Windows-1252 byte
// (digits, letters, '<', '=', '>', blank) arrive as that byte; keys without
// one get codes above the byte range and below the ids of aonewid().
enum aoKey {
    AOKEY_BACKSPACE = 8,
    AOKEY_TAB = 9,
    AOKEY_ENTER = 10,
    AOKEY_ESCAPE = 27,
    AOKEY_SPACE = 32,
    AOKEY_LEFT = 0x1000,
    AOKEY_RIGHT,
    AOKEY_UP,
    AOKEY_DOWN,
    AOKEY_HOME,
    AOKEY_END,
    AOKEY_PAGEUP,
    AOKEY_PAGEDOWN,
};
// True for the codes above that have no byte.
inline bool aokey_isspecial(int code) { return code >= AOKEY_LEFT && code <= AOKEY_PAGEDOWN; }

bool aoisrunning();
void aoquit();
int aogetevent();
int aogetevent_nowait();
int aowaitforevents(int count, ...);
void aoputevent(int code);
// Forgets the events already queued (input made before something was shown).
void aodropevents();
int aopendingevents();

void aowait(double seconds);
int aogettime(); // milliseconds since start

using aoTimerCallback = void (*)(void* context, int message, int id);
bool aosettimer(aoTimerCallback callback, void* context, int intervalMs, int id);
void aokilltimer(void* context, int id);

class aoTimer {
public:
    explicit aoTimer(int intervalMs);
    ~aoTimer();
    aoTimer(const aoTimer&) = delete;
    aoTimer& operator=(const aoTimer&) = delete;
    int code[16];
    int interval;
};

bool aoplaysound(const char* path);
void aostopsound();

// Reading aloud: while on (--read-aloud, or aospeech_enable), aospeech_say
// reads German text (UTF-8) after what plays; a new sound or aospeech_stop
// ends it. Where no speech engine or German voice exists it stays silent.
void aospeech_enable(bool on);
bool aospeech_enabled();
// False in a build without a speech engine (the Windows build): nothing is read aloud.
bool aospeech_available();
void aospeech_say(const std::string& utf8);
void aospeech_stop();

// Sees every key and typed character that no focused widget takes, before
// the event queue does; returns true when it used the key. Lets a program
// answer a key at any time, also during waits.
void aokey_sethandler(std::function<bool(int key)> handler);
int aogetsetting(const char* name);

// ---------------------------------------------------------------- console and files

// Where aoprintf writes and aoinputint reads: the console until a terminal
// takes over.
class aoStdio {
public:
    virtual ~aoStdio() = default;
    virtual void stdwrite(const char* text) = 0;
    // False when no line was given (Escape, or the application stops).
    virtual bool stdreadline(char* buffer, int limit) = 0;
};
void aosetstdio(aoStdio* target);
aoStdio* aogetstdio();

void aoprintf(const char* format, ...) AO_PRINTF(1, 2);
int aoinputint(const char* prompt, int def);
// Like aoinputint, but no value when no line was read: Escape was pressed or
// the window closed. An empty line gives def.
std::optional<int> aoinputnumber(const char* prompt, int def);

struct aoFile {
    FILE* f = nullptr;
};
aoFile* aofile_open(const char* path, const char* mode = "r");
void aofile_close(aoFile* file);
// Reads one line into buffer, ending in "\n"; "\r\n", "\n" and a lone "\r"
// each end a line. Returns its length, 0 at the end of the file.
int aofile_getline(char* buffer, int size, aoFile* file);
// The lines of text, with the same line ends as aofile_getline and without
// them; a last line without an end counts, an empty text has no lines.
std::vector<std::string_view> aotext_lines(std::string_view text);
void aofile_printf(aoFile* file, const char* format, ...) AO_PRINTF(2, 3);
bool aofileexists(const char* path);

// Replaces the file at path with bytes: written to a temporary file in the
// same folder, synced and renamed over the old one, so the file is always
// either the old or the new one. On failure the old file stays and err says
// "path: reason" with the reason in German.
bool aofile_replace(const std::string& path, std::string_view bytes, std::string& err);
// The same, also giving the errno of a failure, for callers that choose
// another place when the folder is not writable.
bool aofile_replace(const std::string& path, std::string_view bytes, std::string& err, int& errnum);
// The German reason for an errno ("Datenträger voll", "keine Schreibrechte").
std::string aofile_reason(int errnum);
// Tests only: the next write inside aofile_replace fails with errnum.
void aofile_injectwriteerror(int errnum);

// Per-user folders of the program: settings ($XDG_CONFIG_HOME/ziffron, else
// ~/.config/ziffron) and data ($XDG_DATA_HOME/ziffron, else
// ~/.local/share/ziffron); under %APPDATA%/ziffron on Windows. Not created.
std::string aopath_configdir();
std::string aopath_datadir();
// Creates dir and its parents; false with "dir: reason" in err.
bool aopath_makedirs(const std::string& dir, std::string& err);

// ---------------------------------------------------------------- drawing targets

enum {
    AOCMD_SETPIXEL = 1001,
    AOCMD_CIRCLE = 1002,
    AOCMD_FILLCIRCLE = 1003,
    AOCMD_RECT = 1004,
    AOCMD_RAISEDRECT = 1005,
    AOCMD_FILLRECT = 1006,
    AOCMD_SHADOWRECT = 1008,
    AOCMD_LINE = 1009,
    AOCMD_LINETO = 1010,
    AOCMD_MOVETO = 1011,
    AOCMD_FLOODFILL = 1013,
    AOCMD_ARC = 1014,
    AOCMD_ELLIPSE = 1015,
    AOCMD_FILLELLIPSE = 1016,
    AOCMD_FLUSH = 1017,
    AOCMD_CLEAR = 1018,
    AOCMD_TEXT = 1019,
    AOCMD_CENTERTEXT = 1021,
    AOCMD_GETPIXEL = 1026,
    AOCMD_SETFONT = 1027,
    AOCMD_SETFONTNAME = 1029,
    AOCMD_GETPIXMAP = 1041,
    AOCMD_GETWIDTH = 1043,
    AOCMD_GETHEIGHT = 1044,
    AOCMD_CHAR = 1048,
    AOCMD_UPRIGHTLINES = 1049,
};

struct aoCommand {
    int code = 0;
    int a[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    const char* text = nullptr;
    const int* list = nullptr;
};

// Anything drawing commands can be sent to: a pixmap, a drawing area, a terminal.
class aoDrawTarget {
public:
    virtual ~aoDrawTarget();
    virtual intptr_t command(const aoCommand& c) = 0;
};

void aographic_settarget(aoDrawTarget* target);
aoDrawTarget* aographic_gettarget();
intptr_t aographic_send(const aoCommand& c);

// ---------------------------------------------------------------- pixmaps and pictures

enum {
    AOPX_PALETTE8 = 1,
    AOPX_PALETTE16 = 2,
    AOPX_TRUECOLOR = 3,
    AOPX_SERVER = 4,
    AOPX_SCREEN = 5,
    AOPX_DIRECTX = 6,
};

// The in-memory picture. Truecolor pixels are 0x00RRGGBB, rows top to bottom.
struct aoPixmap : public aoDrawTarget {
    int width = 0, height = 0;
    int format = AOPX_TRUECOLOR;
    std::vector<uint32_t> pixels; // width*height words (palette formats pack bytes)
    std::vector<int> palette;     // 256 entries; 255 holds the transparent colour
    int penx = 0, peny = 0;
    int font = -1;
    bool loaded = false;

    intptr_t command(const aoCommand& c) override; // draws into the pixmap
    uint32_t* row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
    const uint32_t* row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
};

// A drawing target that draws into a pixmap as usual and keeps every drawing
// command in a form that stands alone: a line to the pen becomes a line from
// where the pen was, centred text and single characters become text at their
// place, and each text keeps the font it was drawn in. What was recorded can
// be drawn again at any size (the worksheets draw task pictures as vectors).
struct aoRecordedCommand {
    int code = 0;          // AOCMD_*; LINETO arrives as LINE, CENTERTEXT and CHAR as TEXT
    int a[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    std::string text;      // TEXT: Windows-1252
    std::vector<int> list; // UPRIGHTLINES: the columns
    int font = -1;         // TEXT: the font handle
};

class aoRecorder : public aoDrawTarget {
public:
    explicit aoRecorder(aoPixmap& pixmap) : pixmap_(pixmap) {}
    intptr_t command(const aoCommand& c) override;
    const std::vector<aoRecordedCommand>& commands() const { return commands_; }
    // False once a command was drawn that depends on the pixels already there
    // (a flood fill): then only the pixmap shows the picture as it is.
    bool standsAlone() const { return standsAlone_; }

private:
    aoPixmap& pixmap_;
    std::vector<aoRecordedCommand> commands_;
    bool standsAlone_ = true;
};

bool aopxmap_allocate(aoPixmap* p);
void aopxmap_setpixel(aoPixmap* p, int x, int y, int colour);
int aopxmap_getpixel(const aoPixmap* p, int x, int y);
void aopxmap_clear(aoPixmap* p, int colour);
void aopxmap_fillrect(aoPixmap* p, int x, int y, int w, int h, int colour);
void aopxmap_merge4(aoPixmap* dst, const aoPixmap* src, int x, int y, int sx, int sy, int w, int h,
                    int flag1, int flag2);

// Largest picture the readers accept; anything bigger is refused.
constexpr int AOPX_MAX_SIDE = 16384;

int aopicture_kind(const char* path); // by extension: bmp 2, png 1, ...
bool aobmp_readsize(const char* path, int& width, int& height);
bool aopxmap_loadfromfile_bmp(aoPixmap* p, const char* path, const char* options, int x, int y,
                              int w, int h);
bool aopxmap_savetofile_bmp(const aoPixmap* p, const char* path);
// A truecolor picture as a baseline JPEG of the given quality (1..100).
bool aopxmap_savetofile_jpg(const aoPixmap* p, const char* path, int quality);
// The BMP bytes of a truecolor picture (24-bit, bottom-up).
std::vector<uint8_t> aobmp_encode(const uint32_t* pixels, int width, int height);
// Decodes BMP bytes into a truecolor pixmap; false with a message in err.
bool aobmp_decode(const uint8_t* data, size_t size, aoPixmap* out, std::string& err);

class aoImage : public aoPixmap {
public:
    aoImage();
    ~aoImage() override;
    bool load(const char* format, ...) AO_PRINTF(2, 3);
    int code[16];
};

bool aofindfile(std::string& found, const char* format, ...) AO_PRINTF(2, 3);
int aojpg2bmp(const char* path);

// ---------------------------------------------------------------- drawing primitives

void aographic_setpixel(int x, int y, int colour);
int aographic_getpixel(int x, int y);
void aographic_line(int x1, int y1, int x2, int y2, int colour);
// One aographic_line(x, y1, x, y2, colour) for each x of columns[0..count),
// drawn row by row: a grid of upright lines costs one pass over its rows.
void aographic_uprightlines(const int* columns, int count, int y1, int y2, int colour);
void aographic_moveto(int x, int y);
void aographic_lineto(int x, int y, int colour);
void aographic_rect(int x, int y, int w, int h, int colour);
void aographic_raisedrect(int x, int y, int w, int h, int light, int dark);
void aographic_shadowrect(int x, int y, int w, int h, int colour);
void aographic_fillrect(int x, int y, int w, int h, int colour);
void aographic_clear(int colour);
void aographic_circle(int x, int y, int radius, int colour);
void aographic_fillcircle(int x, int y, int radius, int colour);
void aographic_arc(int x, int y, int rx, int ry, int startDeg, int endDeg, int colour);
void aographic_ellipse(int x, int y, int rx, int ry, int colour);
void aographic_fillellipse(int x, int y, int rx, int ry, int colour);
void aographic_floodfill(int x, int y, int colour);
void aographic_text(int x, int y, int colour, const char* text);
void aographic_printf(int x, int y, int colour, const char* format, ...) AO_PRINTF(4, 5);
void aographic_centertext(int y, int colour, const char* text);
void aographic_char(int x, int y, int colour, int character);
void aographic_setfont(const char* nameOrDescription);
void aographic_setfonthandle(int handle);
void aographic_flush();
int aographic_getwidth();
int aographic_getheight();
aoPixmap* aographic_getpixmap();

// ---------------------------------------------------------------- fonts

struct aoFont {
    bool used = false;
    std::string key;
    std::string name;
    int xsize = 0, ysize = 0;
    int widths[224] = {};
    int ascent = 0, descent = 0, slant = 0, weight = 0, width = 0, points = 0;
    std::string foundry;
    int handle = 0;
    int kind = 1; // 1 monospace, 2 proportional
    std::vector<uint8_t> glyphs; // one byte per pixel, 1 = ink
    std::vector<int> offsets;    // per glyph into glyphs
    int chars = 0;
    bool underline = false;
    // A stored font is registered by name and parsed from this text when it
    // is first used; empty once parsed.
    std::string_view source;
    // Per glyph and row (glyph i's rows from i * ysize): bit c set where
    // column c has ink. Built on the first drawing, for glyphs up to 64 wide.
    std::vector<uint64_t> inkRows;
};

int aofont_get(const char* format, ...) AO_PRINTF(1, 2);
int aofont_find(std::string_view name); // registered name, case-insensitive; -1
int aofont_load(const std::vector<std::string>& lines);
int aofont_loadtext(std::string_view text, std::string* err = nullptr);
const aoFont* aofont_record(int handle);
int aofont_textwidth(int handle, const char* text);
int aofont_charwidth(int handle, int character);
int aofont_height(int handle);
void aofont_loadbuiltins();
void aofont_loadarial();
void aofont_loadcouriernew();
// Draws text into a pixmap at (x, y), top-left of the first cell.
void aofont_drawtext(aoPixmap* p, int handle, int x, int y, int colour, const char* text);

// ---------------------------------------------------------------- windows and areas

class aoWindow;

// Something in a window that takes mouse or keys: areas and widgets.
class aoWidget {
public:
    aoWidget();
    virtual ~aoWidget();
    aoWidget(const aoWidget&) = delete;
    aoWidget& operator=(const aoWidget&) = delete;
    int code[16];
    // Window client rectangle.
    int wx = 0, wy = 0, ww = 0, wh = 0;
    bool visible = true;
    virtual bool takesmouse() const { return true; }
    // kind: position among the sixteen codes (1 press, 2 release, ...); x, y in client pixels.
    virtual void onmouse(int kind, int x, int y);
    virtual void onkey(int key);
    aoWindow* window = nullptr;
};

class aoView : public aoWidget, public aoDrawTarget {
public:
    aoView();
    ~aoView() override;
    bool create(const char* format, ...) AO_PRINTF(2, 3);
    bool vcreate(aoWindow* win, const char* format, va_list args);
    void select();
    void flush();
    // Only the rectangle x, y, w, h of the view (its own coordinates) goes
    // to the window: for drawings that know what they changed.
    void flush(int x, int y, int w, int h);
    int mousex() const { return mx; }
    int mousey() const { return my; }
    aoPixmap* pixmap() { return pix; }

    intptr_t command(const aoCommand& c) override;
    void onmouse(int kind, int x, int y) override;

    aoGeometry geo;
    int bgcolor = 0xFFFFFF;
    bool created = false, border = false, server = false;
    int scrollx = 0, scrolly = 0;
    int mx = 0, my = 0;

private:
    std::unique_ptr<aoPixmap> own;
    aoPixmap* pix = nullptr;
    friend class aoWindow;
};

class aoWindow {
public:
    aoWindow();
    ~aoWindow();
    aoWindow(const aoWindow&) = delete;
    aoWindow& operator=(const aoWindow&) = delete;
    bool create(const char* format, ...) AO_PRINTF(2, 3);
    int mousex() const { return mx; }
    int mousey() const { return my; }
    void redraw();

    int code[16];
    std::string title;
    aoGeometry geo;
    aoView client;
    aoPixmap picture; // the window's client picture
    int mx = 0, my = 0;
    bool created = false;
    std::vector<aoWidget*> children; // not owned; topmost last
    aoWidget* focus = nullptr;       // gets key presses when set

    // Widgets join the window they are created in and leave it when destroyed.
    void addchild(aoWidget* w);
    void removechild(aoWidget* w);

    // Marks a client rectangle for showing on screen; the marked rectangles
    // gather into one bounding box until the next showing.
    void invalidate(int x, int y, int w, int h);
    bool dirty = false;
    int dirtyx0 = 0, dirtyy0 = 0, dirtyx1 = 0, dirtyy1 = 0; // the box, ends excluded
};

aoWindow* aowindow_current();

// ---------------------------------------------------------------- headless script hooks

// Script commands whose meaning belongs to higher layers ("answer", "spin",
// "term", "click NAME") are handed to a registered handler. The handler gets
// the rest of the line and may return client points to click.
struct aoScriptResult {
    bool ok = true;
    std::string error;
    std::vector<std::pair<int, int>> clicks;
};
using aoScriptHandler = std::function<aoScriptResult(const std::string& args)>;
void aoscript_sethandler(const std::string& command, aoScriptHandler handler);

// ---------------------------------------------------------------- process entry

using aoMainFunction = void (*)();
// The program's own options. `take` is offered every argument the toolkit does
// not know, at position i; it returns how many arguments it used (0: not its
// own) or -1 after printing why they are wrong (the program then exits with 2).
struct aoProgramOptions {
    const char* help = ""; // lines added to --help
    std::function<int(int argc, char** argv, int i)> take;
};
// Parses the command line, initialises the platform and the toolkit, runs main.
int aoentry(int argc, char** argv, aoMainFunction main, const aoProgramOptions& options = {});

// ---- terminal, layout markup and widgets

// Every terminal write goes to the run transcript when the platform keeps one.
void aotranscript_terminal(std::string_view text);

// Turns the bytes written to a terminal into actions. Plain bytes pass
// through as output actions; ESC '[' ... sequences give colour, cursor and
// clear actions; shift-out and shift-in switch the line-drawing set.
class aoAnsiDecoder {
public:
    enum Kind {
        Output,
        Foreground,      // value: colour index 1..16
        Background,      // value: colour index 1..16
        ResetForeground,
        ResetBackground,
        Clear,
        Column,          // value: 1-based
        Row,             // value: 1-based
    };
    struct Action {
        Kind kind = Output;
        int value = 0;
    };
    // Decodes one byte; its actions are queued in the ring.
    void put(unsigned char b);
    // Takes the oldest queued action; false when none is left.
    bool next(Action& out);

private:
    void emit(Kind kind, int value);
    void finish(unsigned char final);
    static constexpr int RingSize = 48;
    Action ring_[RingSize];
    int head_ = 0, count_ = 0;
    int state_ = 0; // 0 plain, 1 after ESC, 2 inside ESC '['
    std::string params_;
    bool lineset_ = false;
};

// A character-cell text pane with scroll-back. Becomes the standard input
// and output target when created.
class aoTerminal : public aoWidget, public aoDrawTarget, public aoStdio {
public:
    aoTerminal();
    ~aoTerminal() override;
    bool create(const char* format, ...) AO_PRINTF(2, 3);
    // Options already formatted (no printf pass over them).
    bool createfrom(const std::string& options);

    void write(std::string_view text);
    void printf(const char* format, ...) AO_PRINTF(2, 3);
    void clear();
    // Collects typed keys until Enter; nullptr on Escape or when the
    // application stops.
    char* readline(char* buffer, int limit);
    void setasstdio();
    void redraw();

    // Row text of the grid (Windows-1252), trailing blanks trimmed.
    std::string rowtext(int row) const;
    // Rows 0 .. cursor row, one line each, as UTF-8.
    std::string dump() const;
    unsigned char cellchar(int col, int row) const;

    // aoStdio
    void stdwrite(const char* text) override;
    bool stdreadline(char* buffer, int limit) override;
    // aoDrawTarget: clear and text go through the grid; the rest draws on
    // the terminal's picture.
    intptr_t command(const aoCommand& c) override;

    void onmouse(int kind, int x, int y) override;
    void onkey(int key) override;
    void blink();

    int font = -1; // default font; the layout hands over its current one
    int cellw = 0, cellh = 0;
    int columns = 0, visiblerows = 0, bufferrows = 0;
    int curx = 0, cury = 0, top = 0;
    int fgindex = 0, bgindex = 0;
    int textcolor = 0x000000, bgcolor = 0xFFFFFF;
    bool created = false, scrollback = false, wordbreak = false, directdraw = false;
    bool cursor = false, autorefresh = true;
    std::string logname;
    // Cells drawn since creation (a write draws only the cells it changes).
    long cellsdrawn = 0;
    long fullredraws = 0;
    aoPixmap pix; // the terminal's own picture

private:
    void output(unsigned char c);
    void put(unsigned char c);
    void newline();
    void ensurerow();
    void followcursor();
    void flushword(bool space, bool lf);
    void back();
    void drawcell(int col, int row);
    void drawscrollbar();
    void show(int x, int y, int w, int h);
    bool scrollbararea(int& x, int& y, int& w, int& h) const;
    void settop(int t);
    void apply(const aoAnsiDecoder::Action& a);
    int colourof(int index, bool background) const;

    std::vector<uint8_t> cells_; // 4 bytes: char, fg, bg, 0
    aoAnsiDecoder decoder_;
    std::string word_;
    FILE* log_ = nullptr;
    int keys_[32] = {};
    int keyhead_ = 0, keycount_ = 0;
    bool needfull_ = false;
    bool inwrite_ = false;
    bool blinkon_ = false;
    bool dragging_ = false;
    int dragoffset_ = 0;
    bool timer_ = false;
};

// A numeric field with up and down arrows.
class aoUpDownControl : public aoWidget {
public:
    aoUpDownControl();
    ~aoUpDownControl() override;
    bool create(const char* format, ...) AO_PRINTF(2, 3);
    bool createfrom(const std::string& options);
    // Rounds toward zero to a multiple of step, clamps, shows the value.
    void setvalue(int v);
    int getvalue() const; // the field's text read as a number
    std::string text() const { return text_; }
    void draw();
    void onmouse(int kind, int x, int y) override;
    void onkey(int key) override;
    // Ends typing: a typed number becomes the value.
    void commit();

    int font = -1;
    int minv = -100000, maxv = 100000, step = 1, value = 0;
    int digits = 0, decimal = 0;
    bool editing = false;
    std::string typed;

private:
    std::string format(int v) const;
    std::string text_;
    int arroww_ = 0;
};

// A raised push button with a label; a left click posts its first code.
class aoButton : public aoWidget {
public:
    aoButton();
    ~aoButton() override;
    bool create(const char* format, ...) AO_PRINTF(2, 3);
    bool createfrom(const std::string& options);
    void draw();
    void onmouse(int kind, int x, int y) override;

    int font = -1;
    std::string label;
    int bgcolor = 0xD0D0D0, textcolor = 0x000000, highlight = 0xF0F0F0;
    bool pressed = false; // pressed flag as the layout reports it
    bool down = false;    // drawn pushed in
};

// Reads layout markup, creates the widgets it names and finds them again.
class aoGUIScript {
public:
    aoGUIScript();
    ~aoGUIScript();
    aoGUIScript(const aoGUIScript&) = delete;
    aoGUIScript& operator=(const aoGUIScript&) = delete;

    // Builds the screen; returns the final pen y (0 for empty markup).
    int create(const char* markup, ...) AO_PRINTF(2, 3);
    // The same on markup that is already formatted.
    int build(std::string_view text);
    void destroywidgets();

    int getvalue(const char* name) const;
    bool setvalue(const char* name, int value);
    bool buttonpressed(int event, const char* name) const;
    aoWidget* getwidget(const char* name) const;
    bool printf(const char* name, const char* format, ...) AO_PRINTF(3, 4);

    struct Entry {
        bool used = false;
        std::unique_ptr<aoWidget> widget;
        int value = 0; // saved points
        std::string name, type;
    };
    std::vector<Entry> table;

    bool built = false;
    int penx = 10, peny = 10;
    int leftmargin = 10, rightmargin = 20, topy = 10;
    int curfont = -1, normalfont = -1, boldfont = -1, savedfont = -1, savedbold = -1;
    int textcolor = 0x000000, bgcolor = 0xFFFFFF;
    bool centermode = false;
    std::string centerbuffer;
    int linkcolor = 0x000080, linkbackground = 0xFFFFFF, linkhighlight = 0x0000FF,
        linkactive = 0x800080;
    int linespacing = 0;
    bool underline = false, selectable = true, doublesize = false;
    int liney = -1, lineheight = 0;
    int firsty = -1, finaly = 0;
    aoPixmap* target = nullptr;
    int originx = 0, originy = 0; // of the area in the window's client picture

private:
    void reset();
    void word(std::string_view w);
    void tag(std::string_view t);
    void widgettag(const std::string& type, std::string_view value);
    void drawtext(int x, int y, const std::string& text);
    int textwidth(const std::string& text) const;
    int areawidth() const;
    int areaheight() const;
    Entry& newentry();
    const Entry* find(const char* name, std::initializer_list<std::string_view> types) const;
};
