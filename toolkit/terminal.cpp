// The terminal widget: a character-cell text pane with scroll-back, the
// toolkit's standard input and output target once created.
#include "aotoolkit.h"
#include "internal.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kScrollBarWidth = 16;
constexpr int kMaxColumns = 2000;
constexpr int kMaxRows = 100000;
constexpr int kMaxCells = 4000000;
constexpr int kBlinkId = 1;

// Colour indexes 1..16 of the escape sequences; 0 is the terminal's own colour.
constexpr int kAnsiColours[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

void blinkCallback(void* context, int, int)
{
    static_cast<aoTerminal*>(context)->blink();
}

// Where the current drawing area sits in its window's client picture.
void targetOrigin(int& x, int& y)
{
    x = y = 0;
    if (auto* view = dynamic_cast<aoView*>(aographic_gettarget())) {
        x = view->geo.rx;
        y = view->geo.ry;
    }
}

int targetSide(bool width)
{
    int v = width ? aographic_getwidth() : aographic_getheight();
    return v > 0 ? v : 4096;
}

} // namespace

void aotranscript_terminal(std::string_view text)
{
    if (platform::current().wantsTranscript())
        platform::current().transcript(ao_cp1252_to_utf8(text));
}

// ---------------------------------------------------------------- decoder

void aoAnsiDecoder::emit(Kind kind, int value)
{
    int slot = (head_ + count_) % RingSize;
    if (count_ == RingSize) {
        // Full: the oldest action gives way.
        head_ = (head_ + 1) % RingSize;
        --count_;
        slot = (head_ + count_) % RingSize;
    }
    ring_[slot] = {kind, value};
    ++count_;
}

bool aoAnsiDecoder::next(Action& out)
{
    if (count_ == 0)
        return false;
    out = ring_[head_];
    head_ = (head_ + 1) % RingSize;
    --count_;
    return true;
}

void aoAnsiDecoder::finish(unsigned char final)
{
    std::vector<int> p;
    int cur = 0;
    bool have = false;
    for (char c : params_) {
        if (c >= '0' && c <= '9') {
            cur = std::min(cur * 10 + (c - '0'), 100000);
            have = true;
        } else if (c == ';') {
            p.push_back(have ? cur : 0);
            cur = 0;
            have = false;
        }
    }
    p.push_back(have ? cur : 0);
    auto arg = [&](size_t i, int def) { return (i < p.size() && p[i] > 0) ? p[i] : def; };

    switch (final) {
    case 'm':
        for (int v : p) {
            if (v == 0) {
                emit(ResetForeground, 0);
                emit(ResetBackground, 0);
            } else if (v >= 30 && v <= 37) {
                emit(Foreground, v - 30 + 1);
            } else if (v >= 90 && v <= 97) {
                emit(Foreground, v - 90 + 9);
            } else if (v == 39) {
                emit(ResetForeground, 0);
            } else if (v >= 40 && v <= 47) {
                emit(Background, v - 40 + 1);
            } else if (v >= 100 && v <= 107) {
                emit(Background, v - 100 + 9);
            } else if (v == 49) {
                emit(ResetBackground, 0);
            }
        }
        break;
    case 'J':
        emit(Clear, 0);
        break;
    case 'H':
    case 'f':
        emit(Row, arg(0, 1));
        emit(Column, arg(1, 1));
        break;
    case 'G':
        emit(Column, arg(0, 1));
        break;
    case 'd':
        emit(Row, arg(0, 1));
        break;
    default:
        break; // other sequences are swallowed
    }
}

void aoAnsiDecoder::put(unsigned char b)
{
    switch (state_) {
    case 1:
        if (b == '[') {
            state_ = 2;
            params_.clear();
        } else {
            state_ = 0; // a lone ESC and its follower are dropped
        }
        return;
    case 2:
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '~') {
            state_ = 0;
            finish(b);
        } else if (params_.size() < 32) {
            // Overlong parameters are dropped; the sequence still ends at its letter.
            params_ += static_cast<char>(b);
        }
        return;
    default:
        break;
    }
    if (b == 27) {
        state_ = 1;
        return;
    }
    if (b == 14) {
        lineset_ = true;
        return;
    }
    if (b == 15) {
        lineset_ = false;
        return;
    }
    if (lineset_) {
        switch (b) {
        case 'j': case 'k': case 'l': case 'm': case 'n':
        case 't': case 'u': case 'v': case 'w':
            b = '+';
            break;
        case 'q':
            b = '-';
            break;
        case 'x':
            b = '|';
            break;
        case 'a':
            b = '#';
            break;
        default:
            break;
        }
    }
    emit(Output, b);
}

// ---------------------------------------------------------------- terminal

aoTerminal::aoTerminal() = default;

aoTerminal::~aoTerminal()
{
    if (timer_)
        aokilltimer(this, kBlinkId);
    if (aogetstdio() == this)
        aosetstdio(nullptr);
    if (aographic_gettarget() == this)
        aographic_settarget(nullptr);
    if (log_)
        std::fclose(log_);
    if (window && window->focus == this)
        window->focus = nullptr;
}

bool aoTerminal::create(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string options = aooption_vformat(format, args);
    va_end(args);
    return createfrom(options);
}

bool aoTerminal::createfrom(const std::string& options)
{
    aoOptions o(options);

    std::string v;
    if (o.value("font=", v)) {
        int h = aooption_fontkey(v);
        if (h >= 0)
            font = h;
    }
    if (font < 0)
        font = aofont_find("8x16");
    cellw = font >= 0 ? aofont_charwidth(font, 'w') : 8;
    cellh = font >= 0 ? aofont_height(font) : 16;
    if (cellw <= 0)
        cellw = 8;
    if (cellh <= 0)
        cellh = 16;

    int lines = 10, cols = 80, rows = 0;
    o.getint("lines=", lines);
    o.getint("columns=", cols);
    lines = std::clamp(lines, 1, 1000);
    cols = std::clamp(cols, 1, kMaxColumns);
    bool wantScroll = false;
    if (o.getint("scrollback=", rows))
        wantScroll = true;
    else if (o.flag("scrollback"))
        wantScroll = true, rows = 1000;
    if (o.value("logfile=", v))
        logname = v;
    wordbreak = o.flag("wordbreak");
    directdraw = o.flagany({"directdraw", "drawdirect"});
    cursor = o.flagany({"cursor", "cursoron"}) || o.getbool("cursor=") == 1;
    bool nostandard = o.flag("nostandardview");
    o.getcolorany({"txtcol=", "textcol=", "textcolor="}, textcolor);
    o.getcolorany({"bgcol=", "bgcolor=", "backgroundcolor=", "background="}, bgcolor);
    if (textcolor < 0)
        textcolor = 0x000000;
    if (bgcolor < 0)
        bgcolor = 0xFFFFFF;

    aoGeometry geo;
    geo.read(o);
    geo.resolve(targetSide(true), targetSide(false), cols * cellw + 4, lines * cellh + 4);
    int ox, oy;
    targetOrigin(ox, oy);
    wx = ox + geo.rx;
    wy = oy + geo.ry;
    ww = std::max(geo.rw, cellw + 4);
    wh = std::max(geo.rh, cellh + 4);

    visiblerows = std::max(1, (wh - 4) / cellh);
    columns = (ww - 4) / cellw;
    bufferrows = wantScroll ? std::clamp(rows, visiblerows, kMaxRows) : visiblerows;
    columns = std::clamp(columns, 1, kMaxColumns);
    // Keep the grid to a sane size (16 MB) whatever the options ask for.
    bufferrows = std::max(visiblerows, std::min(bufferrows, kMaxCells / columns));
    // The scroll-bar arithmetic needs more buffer rows than visible ones.
    scrollback = wantScroll && bufferrows > visiblerows;
    if (scrollback)
        columns -= kScrollBarWidth / cellw + 1;
    columns = std::clamp(columns, 1, kMaxColumns);

    cells_.assign(static_cast<size_t>(bufferrows) * columns * 4, 0);
    for (size_t i = 0; i < cells_.size(); i += 4)
        cells_[i] = ' ';
    curx = cury = top = 0;
    fgindex = bgindex = 0;

    pix.width = ww;
    pix.height = wh;
    pix.format = AOPX_TRUECOLOR;
    aopxmap_allocate(&pix);
    aopxmap_clear(&pix, bgcolor);

    if (!window) {
        if (aoWindow* w = aowindow_current()) {
            w->addchild(this);
            window = w;
        }
    }
    created = true;
    redraw();

    if (!logname.empty() && !log_)
        log_ = std::fopen(logname.c_str(), "a"); // failure: simply not logged
    timer_ = aosettimer(blinkCallback, this, 250, kBlinkId);
    setasstdio();
    if (!nostandard)
        aographic_settarget(this);
    return true;
}

void aoTerminal::setasstdio()
{
    aosetstdio(this);
}

int aoTerminal::colourof(int index, bool background) const
{
    if (index >= 1 && index <= 16)
        return kAnsiColours[index - 1];
    return background ? bgcolor : textcolor;
}

unsigned char aoTerminal::cellchar(int col, int row) const
{
    if (col < 0 || col >= columns || row < 0 || row >= bufferrows)
        return 0;
    return cells_[(static_cast<size_t>(row) * columns + col) * 4];
}

std::string aoTerminal::rowtext(int row) const
{
    std::string s;
    if (row < 0 || row >= bufferrows)
        return s;
    for (int c = 0; c < columns; ++c)
        s += static_cast<char>(cellchar(c, row));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string aoTerminal::dump() const
{
    std::string all;
    int last = std::min(cury, bufferrows - 1);
    for (int r = 0; r <= last; ++r) {
        all += rowtext(r);
        all += '\n';
    }
    return ao_cp1252_to_utf8(all);
}

// ---- drawing

void aoTerminal::show(int x, int y, int w, int h)
{
    if (!window || !visible)
        return;
    aoPixmap& dst = window->picture;
    int x0 = std::max({x, 0, -wx}), y0 = std::max({y, 0, -wy});
    int x1 = std::min({x + w, pix.width, dst.width - wx});
    int y1 = std::min({y + h, pix.height, dst.height - wy});
    if (x1 <= x0 || y1 <= y0 || dst.pixels.size() < static_cast<size_t>(dst.width) * dst.height)
        return;
    for (int r = y0; r < y1; ++r)
        std::memcpy(dst.row(wy + r) + wx + x0, pix.row(r) + x0, sizeof(uint32_t) * (x1 - x0));
    window->invalidate(wx + x0, wy + y0, x1 - x0, y1 - y0);
}

void aoTerminal::drawcell(int col, int row)
{
    if (!created || needfull_ || row < top || row >= top + visiblerows || col < 0 || col >= columns)
        return;
    const uint8_t* cell = &cells_[(static_cast<size_t>(row) * columns + col) * 4];
    int fg = colourof(cell[1], false), bg = colourof(cell[2], true);
    if (cursor && blinkon_ && col == curx && row == cury)
        std::swap(fg, bg);
    int x = 2 + col * cellw, y = 2 + (row - top) * cellh;
    aopxmap_fillrect(&pix, x, y, cellw, cellh, bg);
    if (cell[0] > ' ' && font >= 0) {
        char s[2] = {static_cast<char>(cell[0]), 0};
        aofont_drawtext(&pix, font, x, y, fg, s);
    }
    ++cellsdrawn;
    show(x, y, cellw, cellh);
}

bool aoTerminal::scrollbararea(int& x, int& y, int& w, int& h) const
{
    if (!scrollback)
        return false;
    x = ww - 2 - kScrollBarWidth;
    y = 2;
    w = kScrollBarWidth;
    h = wh - 4;
    return h > 0;
}

void aoTerminal::drawscrollbar()
{
    int x, y, w, h;
    if (!scrollbararea(x, y, w, h))
        return;
    aopxmap_fillrect(&pix, x, y, w, h, 0xE0E0E0);
    int thumb = std::max(8, h * (visiblerows * 100 / bufferrows) / 100);
    thumb = std::min(thumb, h);
    int range = bufferrows - visiblerows;
    int ty = y + (range > 0 ? static_cast<int>(static_cast<long long>(h - thumb) * top / range) : 0);
    aopxmap_fillrect(&pix, x, ty, w, thumb, 0xC0C0C0);
    aopxmap_fillrect(&pix, x, ty, w, 1, 0xFFFFFF);
    aopxmap_fillrect(&pix, x, ty, 1, thumb, 0xFFFFFF);
    aopxmap_fillrect(&pix, x, ty + thumb - 1, w, 1, 0x808080);
    aopxmap_fillrect(&pix, x + w - 1, ty, 1, thumb, 0x808080);
}

void aoTerminal::redraw()
{
    if (!created)
        return;
    needfull_ = false;
    aopxmap_clear(&pix, bgcolor);
    // A sunken frame around the cells.
    aopxmap_fillrect(&pix, 0, 0, ww, 1, 0x808080);
    aopxmap_fillrect(&pix, 0, 0, 1, wh, 0x808080);
    aopxmap_fillrect(&pix, 0, wh - 1, ww, 1, 0xFFFFFF);
    aopxmap_fillrect(&pix, ww - 1, 0, 1, wh, 0xFFFFFF);
    long before = cellsdrawn;
    bool showing = visible;
    visible = false; // one blit at the end, not one per cell
    for (int r = top; r < top + visiblerows && r < bufferrows; ++r)
        for (int c = 0; c < columns; ++c)
            drawcell(c, r);
    visible = showing;
    cellsdrawn = before;
    drawscrollbar();
    ++fullredraws;
    show(0, 0, ww, wh);
}

void aoTerminal::blink()
{
    if (!created || !cursor)
        return;
    blinkon_ = !blinkon_;
    drawcell(curx, cury);
}

// ---- the character rule

void aoTerminal::settop(int t)
{
    t = std::clamp(t, 0, std::max(0, bufferrows - visiblerows));
    if (t == top)
        return;
    top = t;
    if (inwrite_ || !autorefresh)
        needfull_ = true;
    else
        redraw();
}

void aoTerminal::followcursor()
{
    if (!scrollback)
        return;
    int t = top;
    if (cury - t < 0 || cury - t >= visiblerows)
        t = cury - visiblerows + 1;
    t = std::clamp(t, 0, bufferrows - visiblerows);
    if (t != top) {
        top = t;
        needfull_ = true;
    }
}

void aoTerminal::ensurerow()
{
    while (cury >= bufferrows) {
        --cury;
        size_t rowbytes = static_cast<size_t>(columns) * 4;
        std::memmove(cells_.data(), cells_.data() + rowbytes, cells_.size() - rowbytes);
        uint8_t* last = cells_.data() + cells_.size() - rowbytes;
        std::memset(last, 0, rowbytes);
        for (size_t i = 0; i < rowbytes; i += 4)
            last[i] = ' ';
        needfull_ = true; // every visible row moved
    }
}

void aoTerminal::put(unsigned char c)
{
    ensurerow();
    followcursor();
    if (curx >= columns) {
        curx = 0;
        ++cury;
        ensurerow();
        followcursor();
    }
    uint8_t* cell = &cells_[(static_cast<size_t>(cury) * columns + curx) * 4];
    cell[0] = c;
    cell[1] = static_cast<uint8_t>(fgindex);
    cell[2] = static_cast<uint8_t>(bgindex);
    cell[3] = 0;
    drawcell(curx, cury);
    if (++curx >= columns) {
        curx = 0;
        ++cury; // scrolling waits for the next character
    }
}

void aoTerminal::newline()
{
    curx = 0;
    ++cury;
    ensurerow();
    followcursor();
}

void aoTerminal::flushword(bool space, bool lf)
{
    int len = static_cast<int>(word_.size());
    // A word longer than the whole row starts at column 0 without an empty row before it.
    if (len > columns - curx && curx > 0)
        newline();
    for (char ch : word_)
        put(static_cast<unsigned char>(ch));
    if (space && (curx != 0 || len == 0))
        put(' ');
    if (lf)
        newline();
    word_.clear();
}

void aoTerminal::output(unsigned char c)
{
    followcursor();
    if (log_)
        std::fputc(c, log_);
    ensurerow();
    if (!wordbreak) {
        if (c == '\n') {
            curx = 0;
            ++cury;
        } else if (c == '\r') {
            curx = 0;
        } else if (c == '\t') {
            put(' ');
            while (curx % 4 != 0)
                put(' ');
        } else if (c >= 32) {
            put(c);
        }
    } else {
        switch (c) {
        case ' ':
        case '\t':
            flushword(true, false);
            break;
        case '\n':
            flushword(false, true);
            break;
        case '-': case '.': case '!': case '?': case ',': case ';': case ':':
            word_ += static_cast<char>(c);
            flushword(false, false);
            break;
        default:
            if (c >= 32) {
                word_ += static_cast<char>(c);
                if (word_.size() >= 1000)
                    flushword(false, false);
            }
            break;
        }
    }
    if (needfull_ && !inwrite_ && autorefresh)
        redraw();
}

void aoTerminal::apply(const aoAnsiDecoder::Action& a)
{
    switch (a.kind) {
    case aoAnsiDecoder::Output:
        output(static_cast<unsigned char>(a.value));
        break;
    case aoAnsiDecoder::Foreground:
        fgindex = a.value;
        break;
    case aoAnsiDecoder::Background:
        bgindex = a.value;
        break;
    case aoAnsiDecoder::ResetForeground:
        fgindex = 0;
        break;
    case aoAnsiDecoder::ResetBackground:
        bgindex = 0;
        break;
    case aoAnsiDecoder::Clear:
        clear();
        break;
    case aoAnsiDecoder::Column:
        curx = std::clamp(a.value - 1, 0, columns - 1);
        break;
    case aoAnsiDecoder::Row:
        cury = std::clamp(a.value - 1, 0, bufferrows - 1);
        break;
    }
}

void aoTerminal::write(std::string_view text)
{
    if (!created || text.empty())
        return;
    // Callers may hand over UTF-8 literals or Windows-1252 text; the grid holds the latter.
    const std::string cp = ao_utf8_to_cp1252(text);
    aotranscript_terminal(cp);
    bool saved = autorefresh;
    autorefresh = false;
    inwrite_ = true;
    for (unsigned char b : cp) {
        decoder_.put(b);
        aoAnsiDecoder::Action a;
        while (decoder_.next(a))
            apply(a);
    }
    inwrite_ = false;
    autorefresh = saved;
    if (log_)
        std::fflush(log_);
    if (needfull_ && autorefresh)
        redraw();
}

void aoTerminal::printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    char buffer[20000];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    write(buffer);
}

void aoTerminal::clear()
{
    if (!created)
        return;
    for (size_t i = 0; i < cells_.size(); i += 4) {
        cells_[i] = ' ';
        cells_[i + 1] = cells_[i + 2] = cells_[i + 3] = 0;
    }
    curx = cury = top = 0;
    word_.clear();
    if (inwrite_)
        needfull_ = true;
    else
        redraw();
}

// ---- input

void aoTerminal::onkey(int key)
{
    if (keycount_ == 32) {
        keyhead_ = (keyhead_ + 1) % 32;
        --keycount_;
    }
    keys_[(keyhead_ + keycount_) % 32] = key;
    ++keycount_;
}

void aoTerminal::back()
{
    if (curx > 0) {
        --curx;
    } else if (cury > 0) {
        --cury;
        curx = columns - 1;
    }
}

char* aoTerminal::readline(char* buffer, int limit)
{
    if (!buffer || limit <= 0 || !created)
        return nullptr;
    aoWidget* oldfocus = nullptr;
    if (window) {
        oldfocus = window->focus;
        window->focus = this;
    }
    auto echo = [this](char c) {
        bool saved = autorefresh;
        autorefresh = false;
        inwrite_ = true;
        output(static_cast<unsigned char>(c));
        inwrite_ = false;
        autorefresh = saved;
        if (needfull_ && autorefresh)
            redraw();
    };
    auto takeback = [&]() {
        back();
        echo(' ');
        back();
        drawcell(curx, cury);
    };
    std::string line;
    char* result = nullptr;
    while (aoisrunning()) {
        if (keycount_ == 0) {
            // Sleeps until input comes or a timer is due; a closed window
            // (or a used-up headless script) ends the line unread.
            aoi::process(true);
            continue;
        }
        int key = keys_[keyhead_];
        keyhead_ = (keyhead_ + 1) % 32;
        --keycount_;
        if (key == '\r' || key == AOKEY_ENTER) {
            echo('\n');
            std::memcpy(buffer, line.data(), line.size());
            buffer[line.size()] = 0;
            result = buffer;
            break;
        }
        if (key == AOKEY_ESCAPE) {
            // Escape gives up the line: the caller learns that nothing was read.
            break;
        }
        if (key == AOKEY_BACKSPACE) {
            if (!line.empty()) {
                line.pop_back();
                takeback();
            }
            continue;
        }
        if (key >= 32 && key <= 254) {
            echo(static_cast<char>(key));
            line += static_cast<char>(key);
            // The buffer keeps limit - 1 characters and the NUL.
            if (static_cast<int>(line.size()) >= limit) {
                line.pop_back();
                takeback();
            }
        }
    }
    if (window && window->focus == this)
        window->focus = oldfocus;
    return result;
}

void aoTerminal::stdwrite(const char* text)
{
    if (text)
        write(text);
}

bool aoTerminal::stdreadline(char* buffer, int limit)
{
    return readline(buffer, limit) != nullptr;
}

void aoTerminal::onmouse(int kind, int x, int y)
{
    int lx = x - wx, ly = y - wy;
    int sx, sy, sw, sh;
    bool bar = scrollbararea(sx, sy, sw, sh);
    int range = bufferrows - visiblerows;
    int thumb = bar ? std::min(sh, std::max(8, sh * (visiblerows * 100 / bufferrows) / 100)) : 0;
    int ty = (bar && range > 0) ? sy + static_cast<int>(static_cast<long long>(sh - thumb) * top / range) : sy;
    switch (kind) {
    case 1:
        if (bar && lx >= sx && lx < sx + sw && ly >= sy && ly < sy + sh) {
            if (ly < ty) {
                settop(top - visiblerows);
            } else if (ly >= ty + thumb) {
                settop(top + visiblerows);
            } else {
                dragging_ = true;
                dragoffset_ = ly - ty;
            }
            return;
        }
        if (window)
            window->focus = this;
        aoputevent(code[0]);
        break;
    case 2:
        dragging_ = false;
        break;
    case 9:
        if (dragging_ && bar && sh > thumb && range > 0)
            settop(static_cast<int>(static_cast<long long>(ly - dragoffset_ - sy) * range / (sh - thumb)));
        break;
    case 12:
        settop(top - 3);
        break;
    case 13:
        settop(top + 3);
        break;
    default:
        break;
    }
}

// ---- as a drawing target

intptr_t aoTerminal::command(const aoCommand& c)
{
    switch (c.code) {
    case AOCMD_CLEAR:
        clear();
        return 0;
    case AOCMD_TEXT:
    case AOCMD_CENTERTEXT:
        if (c.text)
            write(c.text);
        return 0;
    case AOCMD_CHAR: {
        char s[2] = {static_cast<char>(c.a[3]), 0};
        write(s);
        return 0;
    }
    case AOCMD_GETWIDTH:
        return ww;
    case AOCMD_GETHEIGHT:
        return wh;
    case AOCMD_GETPIXMAP:
        return reinterpret_cast<intptr_t>(&pix);
    case AOCMD_GETPIXEL:
        return pix.command(c);
    case AOCMD_FLUSH:
        show(0, 0, ww, wh);
        return 0;
    default: {
        intptr_t r = pix.command(c);
        show(0, 0, ww, wh);
        return r;
    }
    }
}
