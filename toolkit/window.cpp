// The top-level window, its drawing areas and the widgets that live in it.
#include "internal.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstring>

namespace {
aoWindow* current = nullptr;
aoWindow* onScreen = nullptr;
int opened = 0;
} // namespace

// ---------------------------------------------------------------- widgets

aoWidget::aoWidget()
{
    int first = aonewid(16);
    for (int i = 0; i < 16; ++i) code[i] = first + i;
}

aoWidget::~aoWidget()
{
    if (window) window->removechild(this);
}

void aoWidget::onmouse(int, int, int) {}
void aoWidget::onkey(int) {}

// ---------------------------------------------------------------- areas

aoView::aoView() = default;

aoView::~aoView()
{
    aoi::forget(this);
    if (aographic_gettarget() == this) aographic_settarget(nullptr);
}

bool aoView::create(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    bool ok = vcreate(aowindow_current(), format, ap);
    va_end(ap);
    return ok;
}

bool aoView::vcreate(aoWindow* win, const char* format, va_list args)
{
    aoOptions o = aoOptions::vformat(format, args);
    int parentw = win ? win->picture.width : aogetsetting("screenxs");
    int parenth = win ? win->picture.height : aogetsetting("screenys");
    geo = aoGeometry{};
    geo.read(o);
    geo.resolve(parentw, parenth, parentw, parenth);
    bgcolor = aotheme[3];
    o.getcolorany({"bgcol=", "bgcolor=", "backgroundcolor=", "background="}, bgcolor);
    border = o.flag("border") && !o.flag("noborder");
    server = o.flag("server");
    int pxs = geo.rw, pys = geo.rh;
    o.getint("pxs=", pxs);
    o.getint("pys=", pys);
    // Flags read for completeness; the quiz's areas do not depend on them.
    o.flagany({"nokeyscroll", "scrollwheelalways", "autofocus", "standardview", "nostandardview"});
    int format3 = AOPX_TRUECOLOR;
    if (o.flagany({"palette", "palette8", "palette_8", "indexed"})) format3 = AOPX_PALETTE8;

    wx = geo.rx;
    wy = geo.ry;
    ww = geo.rw;
    wh = geo.rh;
    scrollx = scrolly = 0;
    if (window && window != win) window->removechild(this);
    window = win;
    if (server && win) {
        // Draws straight into the window's picture.
        own.reset();
        pix = &win->picture;
    } else {
        own = std::make_unique<aoPixmap>();
        own->width = std::max(pxs, 1);
        own->height = std::max(pys, 1);
        own->format = format3;
        if (!aopxmap_allocate(own.get())) {
            own.reset();
            pix = nullptr;
            return false;
        }
        aopxmap_clear(own.get(), bgcolor < 0 ? aotheme[3] : bgcolor);
        pix = own.get();
        if (win && win->client.created && this != &win->client) win->addchild(this);
    }
    created = true;
    select();
    if (visible) flush();
    return true;
}

void aoView::select()
{
    aographic_settarget(this);
}

void aoView::flush()
{
    if (!created || !visible || !window) return;
    aoPixmap* dst = &window->picture;
    if (pix && pix != dst) {
        if (border) {
            aopxmap_fillrect(dst, wx - 2, wy - 2, ww + 4, 2, aotheme[2]);
            aopxmap_fillrect(dst, wx - 2, wy - 2, 2, wh + 4, aotheme[2]);
            aopxmap_fillrect(dst, wx - 2, wy + wh, ww + 4, 2, aotheme[3]);
            aopxmap_fillrect(dst, wx + ww, wy - 2, 2, wh + 4, aotheme[3]);
        }
        int w = std::min(ww, pix->width - scrollx);
        int h = std::min(wh, pix->height - scrolly);
        if (w < ww || h < wh) aopxmap_fillrect(dst, wx, wy, ww, wh, bgcolor < 0 ? aotheme[3] : bgcolor);
        aopxmap_merge4(dst, pix, wx, wy, scrollx, scrolly, w, h, 0, 0);
    }
    if (border) window->invalidate(wx - 2, wy - 2, ww + 4, wh + 4);
    else window->invalidate(wx, wy, ww, wh);
}

void aoView::flush(int x, int y, int w, int h)
{
    if (!created || !visible || !window) return;
    // Cut to the part of the view that shows its pixmap; 64-bit ends, for
    // rectangles partly outside.
    long long x0 = std::max(x, 0), y0 = std::max(y, 0);
    long long x1 = std::min<long long>(static_cast<long long>(x) + std::max(w, 0), ww);
    long long y1 = std::min<long long>(static_cast<long long>(y) + std::max(h, 0), wh);
    aoPixmap* dst = &window->picture;
    if (pix && pix != dst) {
        x1 = std::min<long long>(x1, pix->width - scrollx);
        y1 = std::min<long long>(y1, pix->height - scrolly);
    }
    if (x1 <= x0 || y1 <= y0) return;
    const int rx = static_cast<int>(x0), ry = static_cast<int>(y0);
    const int rw = static_cast<int>(x1 - x0), rh = static_cast<int>(y1 - y0);
    if (pix && pix != dst) aopxmap_merge4(dst, pix, wx + rx, wy + ry, scrollx + rx, scrolly + ry, rw, rh, 0, 0);
    window->invalidate(wx + rx, wy + ry, rw, rh);
}

intptr_t aoView::command(const aoCommand& c)
{
    if (c.code == AOCMD_FLUSH) {
        flush();
        return 0;
    }
    if (c.code == AOCMD_GETPIXMAP) return reinterpret_cast<intptr_t>(pix);
    if (!pix) return c.code == AOCMD_GETPIXEL ? -1 : 0;
    return pix->command(c);
}

void aoView::onmouse(int kind, int x, int y)
{
    mx = x - wx + scrollx;
    my = y - wy + scrolly;
    if (window) {
        window->mx = x;
        window->my = y;
    }
    // Moves only update the position: posting them would flood the 64-code
    // queue during waits and crowd out the clicks that matter.
    if (kind == 9) return;
    aoi::putmouse(code[kind], window, x, y, this, mx, my);
    // Areas of the main window pass their clicks on to the window, whose
    // left-button code the quiz watches.
    if (window && this != &window->client) aoi::putmouse(window->code[kind], window, x, y, this, mx, my);
}

// ---------------------------------------------------------------- window

aoWindow::aoWindow()
{
    for (int& c : code) c = 0;
}

aoWindow::~aoWindow()
{
    aoi::forget(this);
    for (aoWidget* w : children) w->window = nullptr;
    children.clear();
    client.window = nullptr;
    if (aographic_gettarget() == &client || aographic_gettarget() == &picture) aographic_settarget(nullptr);
    if (created) aoi::windowDestroyed(this);
}

bool aoWindow::create(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    aoOptions o = aoOptions::vformat(format, ap);
    va_end(ap);

    std::string t = o.tokens.empty() ? std::string() : o.tokens[0];
    size_t semi = t.find(';');
    if (semi != std::string::npos) t.resize(semi);
    if (t.size() > 99) t.resize(99);
    title = t;
    if (!o.tokens.empty()) o.tokens[0].clear();

    int screenw = aogetsetting("screenxs"), screenh = aogetsetting("screenys");
    geo = aoGeometry{};
    geo.read(o, 1);
    geo.fitParent = false;
    geo.resolve(screenw, screenh, screenw / 2, screenh / 2);
    if (geo.rw == 0) geo.rw = 100;
    if (geo.rh == 0) geo.rh = 100;
    // Whole-string caps, found anywhere in the string.
    int capw = o.wholeint("maxxs", 0), caph = o.wholeint("maxys", 0);
    if (capw > 0 && geo.rw > capw) geo.rw = capw;
    if (caph > 0 && geo.rh > caph) geo.rh = caph;
    // A size that is absurd for any screen is refused rather than allocated.
    geo.rw = std::clamp(geo.rw, 1, AOPX_MAX_SIDE);
    geo.rh = std::clamp(geo.rh, 1, AOPX_MAX_SIDE);

    int bg = aotheme[1];
    o.getcolorany({"bgcol=", "bgcolor=", "backgroundcolor=", "background="}, bg);
    bool fullscreen = o.flag("fullscreen", 1) || aoi::settings().fullscreen;
    o.flagany({"modal", "noresize", "maximized", "popup", "notitle", "noclose", "noquit"}, 1);

    picture = aoPixmap{};
    picture.width = geo.rw;
    picture.height = geo.rh;
    picture.format = AOPX_TRUECOLOR;
    if (!aopxmap_allocate(&picture)) return false;
    aopxmap_clear(&picture, bg < 0 ? aotheme[1] : bg);

    if (!onScreen) {
        if (!platform::current().openWindow(title, geo.rx, geo.ry, geo.rw, geo.rh, fullscreen)) {
            aoprintf("aoWindow::create: cannot open the window\n");
            return false;
        }
        onScreen = this;
    }
    ++opened;
    created = true;
    current = this;

    // The client area draws straight into the window picture and takes the
    // options no window reader claimed.
    client.create("server,x=0,y=%d,xs=%d,ys=%d,pxs=%d,pys=%d,bgcolor=%06x,%s", 0, geo.rw, geo.rh, geo.rw, geo.rh,
                  bg & 0xFFFFFF, o.leftover(1).c_str());
    for (int i = 0; i < 16; ++i) code[i] = client.code[i];
    client.select();
    invalidate(0, 0, geo.rw, geo.rh);
    return true;
}

void aoWindow::redraw()
{
    invalidate(0, 0, picture.width, picture.height);
}

void aoWindow::invalidate(int x, int y, int w, int h)
{
    // 64-bit ends, cut to the picture: callers pass rectangles partly outside.
    const long long x0 = std::max<long long>(x, 0), y0 = std::max<long long>(y, 0);
    const long long x1 = std::min<long long>(static_cast<long long>(x) + std::max(w, 0), picture.width);
    const long long y1 = std::min<long long>(static_cast<long long>(y) + std::max(h, 0), picture.height);
    if (x1 <= x0 || y1 <= y0) return;
    if (!dirty) {
        dirtyx0 = static_cast<int>(x0);
        dirtyy0 = static_cast<int>(y0);
        dirtyx1 = static_cast<int>(x1);
        dirtyy1 = static_cast<int>(y1);
    } else {
        dirtyx0 = std::min(dirtyx0, static_cast<int>(x0));
        dirtyy0 = std::min(dirtyy0, static_cast<int>(y0));
        dirtyx1 = std::max(dirtyx1, static_cast<int>(x1));
        dirtyy1 = std::max(dirtyy1, static_cast<int>(y1));
    }
    dirty = true;
}

void aoWindow::addchild(aoWidget* w)
{
    if (!w) return;
    if (w->window && w->window != this) w->window->removechild(w);
    w->window = this;
    if (std::find(children.begin(), children.end(), w) == children.end()) children.push_back(w);
}

void aoWindow::removechild(aoWidget* w)
{
    children.erase(std::remove(children.begin(), children.end(), w), children.end());
    if (focus == w) focus = nullptr;
    if (w && w->window == this) w->window = nullptr;
}

aoWindow* aowindow_current()
{
    return current;
}

// ---------------------------------------------------------------- bookkeeping

void aoi::windowDestroyed(aoWindow* w)
{
    if (current == w) current = nullptr;
    if (onScreen == w) {
        onScreen = nullptr;
        platform::current().closeWindow();
    }
}

aoWindow* aoi::mainWindow()
{
    return onScreen;
}

int aoi::openedWindows()
{
    return opened;
}

void aoi::presentDirty()
{
    if (onScreen && onScreen->dirty) {
        onScreen->dirty = false;
        const platform::Rect changed{onScreen->dirtyx0, onScreen->dirtyy0, onScreen->dirtyx1 - onScreen->dirtyx0,
                                     onScreen->dirtyy1 - onScreen->dirtyy0};
        platform::current().present(onScreen->picture.pixels.data(), onScreen->picture.width,
                                    onScreen->picture.height, changed);
    }
}
