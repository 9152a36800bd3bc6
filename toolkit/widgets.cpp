// The small widgets the layout markup creates: the up/down number field and
// the push button. Both draw straight into their window's client picture.
#include "aotoolkit.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kLight = 0xFFFFFF;
constexpr int kDark = 0x808080;
constexpr int kDarker = 0x404040;

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

// Drawing on the window picture in client coordinates, clipped here so the
// pixmap helpers get only rectangles inside it.
struct Painter {
    aoPixmap* p = nullptr;
    explicit Painter(aoWindow* w)
    {
        if (w && w->picture.width > 0 && w->picture.height > 0 &&
            w->picture.pixels.size() >= static_cast<size_t>(w->picture.width) * w->picture.height)
            p = &w->picture;
    }
    void fill(int x, int y, int w, int h, int colour) const
    {
        if (!p)
            return;
        int x0 = std::max(x, 0), y0 = std::max(y, 0);
        int x1 = std::min(x + w, p->width), y1 = std::min(y + h, p->height);
        if (x1 > x0 && y1 > y0)
            aopxmap_fillrect(p, x0, y0, x1 - x0, y1 - y0, colour);
    }
    // Light top and left edges, dark bottom and right ones (swapped when sunken).
    void bevel(int x, int y, int w, int h, bool sunken) const
    {
        int tl = sunken ? kDark : kLight, br = sunken ? kLight : kDarker;
        fill(x, y, w, 1, tl);
        fill(x, y, 1, h, tl);
        fill(x, y + h - 1, w, 1, br);
        fill(x + w - 1, y, 1, h, br);
        if (!sunken && w > 2 && h > 2) {
            fill(x + 1, y + h - 2, w - 2, 1, kDark);
            fill(x + w - 2, y + 1, 1, h - 2, kDark);
        }
    }
    void text(int font, int x, int y, int colour, const std::string& s) const
    {
        if (p && font >= 0 && !s.empty())
            aofont_drawtext(p, font, x, y, colour, s.c_str());
    }
    // A small filled triangle pointing up or down, centred in the rectangle.
    void arrow(int x, int y, int w, int h, bool up, int colour) const
    {
        int half = std::max(1, std::min(w - 4, h - 2) / 2);
        int cx = x + w / 2, top = y + (h - half) / 2;
        for (int i = 0; i < half; ++i) {
            int span = up ? i : half - 1 - i;
            fill(cx - span, top + i, 2 * span + 1, 1, colour);
        }
    }
};

void joinWindow(aoWidget* w)
{
    if (w->window)
        return;
    if (aoWindow* win = aowindow_current()) {
        win->addchild(w);
        w->window = win;
    }
}

int lighter(int colour)
{
    int r = std::min(255, ((colour >> 16) & 255) + 32);
    int g = std::min(255, ((colour >> 8) & 255) + 32);
    int b = std::min(255, (colour & 255) + 32);
    return aographic_rgb(r, g, b);
}

// A press on another widget ends typing in any up/down control of the
// window, so that a value typed without Enter still counts.
void commitOthers(aoWindow* win, aoWidget* except)
{
    if (!win)
        return;
    std::vector<aoWidget*> children = win->children; // commit may redraw, never reorders
    for (aoWidget* c : children)
        if (auto* u = dynamic_cast<aoUpDownControl*>(c); u && u != except && u->editing) {
            u->commit();
            if (win->focus == u)
                win->focus = nullptr;
        }
}

int fontOr(int font)
{
    if (font >= 0)
        return font;
    int f = aofont_find("Arial16");
    return f >= 0 ? f : aofont_find("8x16");
}

} // namespace

// ---------------------------------------------------------------- up/down control

aoUpDownControl::aoUpDownControl() = default;

aoUpDownControl::~aoUpDownControl()
{
    if (window && window->focus == this)
        window->focus = nullptr;
}

bool aoUpDownControl::create(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string options = aooption_vformat(format, args);
    va_end(args);
    return createfrom(options);
}

bool aoUpDownControl::createfrom(const std::string& options)
{
    aoOptions o(options);
    font = fontOr(font);
    o.getint("min=", minv);
    o.getint("max=", maxv);
    o.getint("step=", step);
    if (step <= 0)
        step = 1;
    if (maxv < minv)
        std::swap(minv, maxv);
    int start = 0;
    o.getint("start=", start);
    o.getint("def=", start);
    o.getint("default=", start);
    int n = 0;
    if (o.getint("decimal=", n) && n > 0 && n < 10) {
        decimal = n;
        digits = n + 1;
    }
    if (o.getint("digits=", n) && n >= 2 && n <= 10)
        digits = n;

    int fh = font >= 0 ? aofont_height(font) : 16;
    std::string widest = format(maxv);
    int tw = font >= 0 ? aofont_textwidth(font, widest.c_str()) : 8 * static_cast<int>(widest.size());
    aoGeometry geo;
    geo.read(o);
    geo.resolve(targetSide(true), targetSide(false), tw + fh + 8, fh + 8);
    int ox, oy;
    targetOrigin(ox, oy);
    wx = ox + geo.rx;
    wy = oy + geo.ry;
    ww = std::max(geo.rw, 12);
    wh = std::max(geo.rh, 8);
    arroww_ = std::max(8, std::min(fh * 3 / 4, ww / 2));

    joinWindow(this);
    setvalue(start);
    return true;
}

std::string aoUpDownControl::format(int v) const
{
    char buf[32];
    if (digits >= 2 && digits <= 10)
        std::snprintf(buf, sizeof buf, "%0*d", digits, v);
    else
        std::snprintf(buf, sizeof buf, "%d", v);
    std::string s = buf;
    if (decimal > 0) {
        size_t sign = (!s.empty() && s[0] == '-') ? 1 : 0;
        while (s.size() - sign <= static_cast<size_t>(decimal))
            s.insert(sign, "0");
        s.insert(s.size() - decimal, ".");
    }
    return s;
}

void aoUpDownControl::setvalue(int v)
{
    v = v / step * step; // toward zero
    v = std::clamp(v, minv, maxv);
    value = v;
    text_ = format(v);
    draw();
}

int aoUpDownControl::getvalue() const
{
    return static_cast<int>(std::atof(text_.c_str()));
}

void aoUpDownControl::draw()
{
    if (!visible)
        return;
    Painter p(window);
    if (!p.p)
        return;
    int fieldw = ww - arroww_;
    bool focused = window && window->focus == this && editing;
    p.fill(wx, wy, fieldw, wh, focused ? 0xFFFFE0 : 0xFFFFFF);
    p.bevel(wx, wy, fieldw, wh, true);
    // While typing, an empty field still shows the old value, greyed.
    std::string shown = focused && !typed.empty() ? typed : text_;
    int ink = focused && typed.empty() ? 0x909090 : 0x000000;
    int fh = font >= 0 ? aofont_height(font) : 16;
    int tw = font >= 0 ? aofont_textwidth(font, shown.c_str()) : 0;
    int tx = std::max(wx + 3, wx + fieldw - 4 - tw);
    int ty = wy + (wh - fh) / 2;
    p.text(font, tx, ty, ink, shown);
    if (focused)
        p.fill(typed.empty() ? wx + 3 : std::min(tx + tw + 1, wx + fieldw - 3), ty, 1, fh, 0x000000);

    int ax = wx + fieldw, uh = wh / 2, dh = wh - uh;
    p.fill(ax, wy, arroww_, wh, 0xD0D0D0);
    p.bevel(ax, wy, arroww_, uh, false);
    p.bevel(ax, wy + uh, arroww_, dh, false);
    p.arrow(ax, wy, arroww_, uh, true, 0x000000);
    p.arrow(ax, wy + uh, arroww_, dh, false, 0x000000);
    window->invalidate(wx, wy, ww, wh);
}

void aoUpDownControl::commit()
{
    if (!editing)
        return;
    editing = false;
    if (!typed.empty() && typed != "-")
        setvalue(std::atoi(typed.c_str()));
    else
        draw();
    typed.clear();
}

void aoUpDownControl::onmouse(int kind, int x, int y)
{
    if (kind != 1 && kind != 7)
        return;
    commitOthers(window, this);
    int lx = x - wx, ly = y - wy;
    if (lx >= ww - arroww_) {
        commit();
        long long next = static_cast<long long>(value) + (ly < wh / 2 ? step : -step);
        setvalue(static_cast<int>(std::clamp<long long>(next, minv, maxv)));
        aoputevent(code[0]);
        return;
    }
    if (window) {
        window->focus = this;
        editing = true;
        typed.clear();
        draw();
    }
}

void aoUpDownControl::onkey(int key)
{
    if (!editing) {
        aoputevent(key);
        return;
    }
    if ((key >= '0' && key <= '9') || (key == '-' && typed.empty())) {
        if (typed.size() < 11)
            typed += static_cast<char>(key);
        draw();
    } else if (key == AOKEY_BACKSPACE) {
        if (!typed.empty())
            typed.pop_back();
        draw();
    } else if (key == '\r' || key == AOKEY_ENTER || key == AOKEY_TAB) {
        commit();
        if (window && window->focus == this)
            window->focus = nullptr;
        aoputevent(code[0]);
    } else if (key == AOKEY_ESCAPE) {
        editing = false;
        typed.clear();
        if (window && window->focus == this)
            window->focus = nullptr;
        draw();
    } else {
        // Keys the field has no use for still reach the program.
        aoputevent(key);
    }
}

// ---------------------------------------------------------------- button

aoButton::aoButton() = default;
aoButton::~aoButton() = default;

bool aoButton::create(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string options = aooption_vformat(format, args);
    va_end(args);
    return createfrom(options);
}

bool aoButton::createfrom(const std::string& options)
{
    aoOptions o(options);
    font = fontOr(font);
    if (!o.tokens.empty()) {
        label = o.tokens[0];
        o.tokens[0].clear();
    }
    int defaultbg = aotheme_color(0);
    bgcolor = defaultbg;
    bool hasbg = o.getcolorany({"bgcol=", "bgcolor=", "backgroundcolor=", "background="}, bgcolor, 1);
    if (bgcolor < 0)
        bgcolor = defaultbg;
    bool hastext = o.getcolorany({"txtcol=", "textcol=", "textcolor="}, textcolor, 1);
    if (textcolor < 0)
        textcolor = 0x000000;
    if (hasbg && bgcolor != defaultbg && !hastext) {
        int sum = ((bgcolor >> 16) & 255) + ((bgcolor >> 8) & 255) + (bgcolor & 255);
        if (sum < 384)
            textcolor = 0xFFFFFF;
    }
    highlight = lighter(bgcolor);
    o.getcolorany({"highlightcolor=", "activecolor="}, highlight, 1);
    if (highlight < 0)
        highlight = lighter(bgcolor);

    int fh = font >= 0 ? aofont_height(font) : 16;
    int lw = font >= 0 ? aofont_textwidth(font, label.c_str()) : 8 * static_cast<int>(label.size());
    aoGeometry geo;
    geo.read(o, 1);
    geo.resolve(targetSide(true), targetSide(false), lw + 20, fh + 8);
    int ox, oy;
    targetOrigin(ox, oy);
    wx = ox + geo.rx;
    wy = oy + geo.ry;
    ww = std::max(geo.rw, 4);
    wh = std::max(geo.rh, 4);

    joinWindow(this);
    draw();
    return true;
}

void aoButton::draw()
{
    if (!visible)
        return;
    Painter p(window);
    if (!p.p)
        return;
    p.fill(wx, wy, ww, wh, down ? highlight : bgcolor);
    p.fill(wx, wy, ww, 1, kDarker);
    p.fill(wx, wy, 1, wh, kDarker);
    p.fill(wx, wy + wh - 1, ww, 1, kDarker);
    p.fill(wx + ww - 1, wy, 1, wh, kDarker);
    if (ww > 2 && wh > 2)
        p.bevel(wx + 1, wy + 1, ww - 2, wh - 2, down);
    int fh = font >= 0 ? aofont_height(font) : 16;
    int lw = font >= 0 ? aofont_textwidth(font, label.c_str()) : 0;
    int shift = down ? 1 : 0;
    p.text(font, wx + (ww - lw) / 2 + shift, wy + (wh - fh) / 2 + shift, textcolor, label);
    window->invalidate(wx, wy, ww, wh);
}

void aoButton::onmouse(int kind, int x, int y)
{
    bool inside = x >= wx && x < wx + ww && y >= wy && y < wy + wh;
    switch (kind) {
    case 1:
    case 7:
        commitOthers(window, this);
        down = true;
        draw();
        break;
    case 2:
        if (down) {
            down = false;
            draw();
            if (inside) {
                pressed = true;
                aoputevent(code[0]);
            }
        }
        break;
    default:
        break;
    }
}
