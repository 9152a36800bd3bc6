// The GUI script: reads one line of layout markup, draws its text with a pen,
// creates the widgets its tags name and finds them again by name.
#include "aotoolkit.h"
#include "markup_lexer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

constexpr size_t kNameMax = 44;
constexpr size_t kTypeMax = 26;
constexpr size_t kCenterMax = 2000;
// Pen moves are kept far inside int range, whatever the markup says.
constexpr long kPenLimit = 1000000;

// The script that answers the headless script's widget commands.
aoGUIScript* latestScript = nullptr;

bool typeIn(const std::string& type, std::initializer_list<std::string_view> types)
{
    for (std::string_view t : types)
        if (type == t)
            return true;
    return false;
}

int fontOr(const char* name, const char* fallback)
{
    int f = aofont_find(name);
    return f >= 0 ? f : aofont_find(fallback);
}

int numberOf(std::string_view value)
{
    std::string s(value);
    s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; }), s.end());
    long v = std::strtol(s.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp(v, -kPenLimit, kPenLimit));
}

std::string trim(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    return s.substr(i);
}

aoTerminal* firstTerminal(const aoGUIScript& script)
{
    for (const auto& e : script.table)
        if (e.used && e.type == "terminal" && e.widget)
            return dynamic_cast<aoTerminal*>(e.widget.get());
    return nullptr;
}

// Every new layout puts its commands back, in case one was taken over since.
void registerScriptCommands()
{
    aoscript_sethandler("clickname", [](const std::string& args) {
        aoScriptResult r;
        std::string name = trim(args);
        aoWidget* w = latestScript ? latestScript->getwidget(name.c_str()) : nullptr;
        if (!w) {
            r.ok = false;
            r.error = "no widget called " + name;
            return r;
        }
        r.clicks.push_back({w->wx + w->ww / 2, w->wy + w->wh / 2});
        return r;
    });

    aoscript_sethandler("spin", [](const std::string& args) {
        aoScriptResult r;
        std::string a = trim(args);
        size_t sp = a.find_last_of(" \t");
        std::string name = sp == std::string::npos ? a : trim(a.substr(0, sp));
        std::string value = sp == std::string::npos ? "" : a.substr(sp + 1);
        auto* w = latestScript ? dynamic_cast<aoUpDownControl*>(latestScript->getwidget(name.c_str()))
                               : nullptr;
        if (!w || value.empty()) {
            r.ok = false;
            r.error = w ? "spin needs a value" : "no up/down control called " + name;
            return r;
        }
        w->setvalue(std::atoi(value.c_str()));
        return r;
    });

    aoscript_sethandler("term", [](const std::string& args) {
        aoScriptResult r;
        std::string path = trim(args);
        aoTerminal* t = latestScript ? firstTerminal(*latestScript) : nullptr;
        if (!t) {
            r.ok = false;
            r.error = "no terminal on the screen";
            return r;
        }
        std::string err;
        if (!aofile_replace(path, t->dump(), err)) {
            r.ok = false;
            r.error = "cannot write " + err;
        }
        return r;
    });
}

} // namespace

aoGUIScript::aoGUIScript()
{
    table.resize(100);
}

aoGUIScript::~aoGUIScript()
{
    destroywidgets();
    if (latestScript == this)
        latestScript = nullptr;
}

void aoGUIScript::destroywidgets()
{
    // Later widgets may sit on earlier ones: remove them newest first.
    for (auto it = table.rbegin(); it != table.rend(); ++it) {
        it->widget.reset();
        it->used = false;
        it->value = 0;
        it->name.clear();
        it->type.clear();
    }
}

void aoGUIScript::reset()
{
    leftmargin = 10;
    rightmargin = 20;
    topy = 10;
    penx = leftmargin;
    peny = 10;
    normalfont = fontOr("Arial16", "8x16");
    boldfont = fontOr("Arial16b", "8x16b");
    curfont = normalfont;
    savedfont = savedbold = -1;
    textcolor = 0x000000;
    bgcolor = 0xFFFFFF;
    centermode = false;
    centerbuffer.clear();
    linkcolor = 0x000080;
    linkbackground = 0xFFFFFF;
    linkhighlight = 0x0000FF;
    linkactive = 0x800080;
    linespacing = 0;
    underline = false;
    selectable = true;
    doublesize = false;
    liney = -1;
    lineheight = 0;
    firsty = -1;
    finaly = 0;
}

int aoGUIScript::create(const char* markup, ...)
{
    if (!markup || !*markup)
        return 0;
    va_list args;
    va_start(args, markup);
    std::string text = aooption_vformat(markup, args);
    va_end(args);
    return build(text);
}

int aoGUIScript::build(std::string_view text)
{
    if (text.empty())
        return 0;
    target = aographic_getpixmap();
    originx = originy = 0;
    if (auto* view = dynamic_cast<aoView*>(aographic_gettarget())) {
        originx = view->geo.rx;
        originy = view->geo.ry;
    }
    if (built)
        destroywidgets();
    reset();
    latestScript = this;
    registerScriptCommands();

    const std::string cp = ao_utf8_to_cp1252(text);
    for (const markup::Item& item : markup::split(cp)) {
        if (item.tag) {
            size_t used = std::count_if(table.begin(), table.end(), [](const Entry& e) { return e.used; });
            if (used + 10 > table.size())
                table.resize(table.size() + 100);
            tag(item.text);
        } else {
            word(item.text);
        }
    }
    finaly = peny;
    built = true;
    aographic_flush();
    return finaly;
}

// ---- measuring and drawing text

int aoGUIScript::areawidth() const
{
    int w = aographic_getwidth();
    return w > 0 ? w : (target ? target->width : 0);
}

int aoGUIScript::areaheight() const
{
    int h = aographic_getheight();
    return h > 0 ? h : (target ? target->height : 0);
}

int aoGUIScript::textwidth(const std::string& text) const
{
    int w = curfont >= 0 ? aofont_textwidth(curfont, text.c_str()) : 0;
    return doublesize ? w / 2 : w;
}

void aoGUIScript::drawtext(int x, int y, const std::string& text)
{
    if (!target || curfont < 0 || text.empty() || target->pixels.empty())
        return;
    int fh = aofont_height(curfont);
    if (!doublesize) {
        aofont_drawtext(target, curfont, x, y, textcolor, text.c_str());
        if (underline) {
            int w = aofont_textwidth(curfont, text.c_str());
            int uy = y + fh - 1;
            int x0 = std::max(x, 0), x1 = std::min(x + w, target->width);
            if (uy >= 0 && uy < target->height && x1 > x0)
                aopxmap_fillrect(target, x0, uy, x1 - x0, 1, textcolor);
        }
        return;
    }
    // Double size: draw at full size off-screen, then shrink 2:1, mixing
    // text and background colour by how much ink each 2x2 block holds.
    aoPixmap full;
    full.width = std::max(2, aofont_textwidth(curfont, text.c_str()));
    full.height = std::max(2, fh);
    if (!aopxmap_allocate(&full))
        return;
    aopxmap_clear(&full, 0x000000);
    aofont_drawtext(&full, curfont, 0, 0, 0xFFFFFF, text.c_str());
    if (underline)
        aopxmap_fillrect(&full, 0, full.height - 1, full.width, 1, 0xFFFFFF);
    for (int j = 0; j + 1 < full.height; j += 2) {
        int ty = y + j / 2;
        if (ty < 0 || ty >= target->height)
            continue;
        for (int i = 0; i + 1 < full.width; i += 2) {
            int tx = x + i / 2;
            if (tx < 0 || tx >= target->width)
                continue;
            int ink = (full.row(j)[i] != 0) + (full.row(j)[i + 1] != 0) + (full.row(j + 1)[i] != 0) +
                      (full.row(j + 1)[i + 1] != 0);
            if (ink == 0)
                continue;
            auto mix = [&](int shift) {
                int t = (textcolor >> shift) & 255, b = (bgcolor >> shift) & 255;
                return (t * ink + b * (4 - ink)) / 4;
            };
            target->row(ty)[tx] = static_cast<uint32_t>(aographic_rgb(mix(16), mix(8), mix(0)));
        }
    }
}

// ---- the word rule

void aoGUIScript::word(std::string_view w)
{
    if (firsty == -1)
        firsty = peny;
    if (centermode) {
        if (centerbuffer.size() + w.size() <= kCenterMax)
            centerbuffer.append(w);
        return;
    }
    int fh = curfont >= 0 ? aofont_height(curfont) : 16;
    if (peny != liney) {
        liney = peny;
        lineheight = fh;
    } else if (fh > lineheight) {
        // A taller font on this line: push what is drawn so far down so that
        // all words share their bottom edge.
        int d = fh - lineheight;
        if (target && !target->pixels.empty()) {
            int x0 = std::max(leftmargin, 0);
            int x1 = std::min(areawidth() - rightmargin, target->width);
            if (x1 > x0) {
                for (int r = liney + lineheight - 1; r >= liney; --r) {
                    int to = r + d;
                    if (r < 0 || to >= target->height || to < 0)
                        continue;
                    std::memcpy(target->row(to) + x0, target->row(r) + x0, sizeof(uint32_t) * (x1 - x0));
                }
                int f0 = std::max(liney, 0), f1 = std::min(liney + d, target->height);
                if (f1 > f0)
                    aopxmap_fillrect(target, x0, f0, x1 - x0, f1 - f0, bgcolor);
            }
        }
        lineheight = fh;
    }

    std::string s(w);
    bool space = false, newline = false;
    if (!s.empty() && s.back() == ' ') {
        space = true;
        s.pop_back();
    } else if (!s.empty() && s.back() == '\n') {
        newline = true;
        s.pop_back();
    } else if (!s.empty() && s.back() == '\r') {
        s.pop_back();
    }

    int width = textwidth(s);
    if (penx + width > areawidth() - rightmargin) {
        penx = leftmargin;
        peny += (doublesize ? lineheight / 2 : lineheight) + linespacing;
        // The wrapped word opens a new line of its own height.
        liney = peny;
        lineheight = fh;
    }
    int lower = lineheight > fh ? lineheight - fh : 0;
    drawtext(penx, peny + lower, s);
    penx += width;

    if (space) {
        if (underline)
            drawtext(penx, peny + lower, " ");
        penx += textwidth(" ");
    }
    if (newline) {
        penx = leftmargin;
        peny += (doublesize ? lineheight / 2 : lineheight) + linespacing;
    }
    int limit = areawidth() - rightmargin;
    if (penx >= limit)
        penx = limit - 1;
}

// ---- tags

aoGUIScript::Entry& aoGUIScript::newentry()
{
    for (auto& e : table)
        if (!e.used) {
            e.used = true;
            return e;
        }
    table.resize(table.size() + 100);
    for (auto& e : table)
        if (!e.used) {
            e.used = true;
            return e;
        }
    return table.back(); // not reached: the table just grew
}

const aoGUIScript::Entry* aoGUIScript::find(const char* name,
                                            std::initializer_list<std::string_view> types) const
{
    if (!name)
        return nullptr;
    for (const auto& e : table)
        if (e.used && e.name == name && (types.size() == 0 || typeIn(e.type, types)))
            return &e;
    return nullptr;
}

void aoGUIScript::tag(std::string_view text)
{
    markup::Tag t = markup::parsetag(text);
    auto is = [&](std::string_view n) { return markup::sameword(t.name, n); };
    std::string value(t.value);

    if (is("updowncontrol")) {
        widgettag("updowncontrol", t.value);
    } else if (is("button")) {
        widgettag("button", t.value);
    } else if (is("terminal")) {
        widgettag("terminal", t.value);
    } else if (is("x") || is("y")) {
        aoSize s = aooption_readsize(value);
        bool horizontal = is("x");
        int side = horizontal ? areawidth() : areaheight();
        double d = s.percent ? s.value * side / 100 : s.value;
        int v = static_cast<int>(std::clamp(d, -double(kPenLimit), double(kPenLimit)));
        (horizontal ? penx : peny) = v;
    } else if (is("xinc") || is("xoffset")) {
        penx += numberOf(value);
    } else if (is("yinc")) {
        peny += numberOf(value);
    } else if (is("ydec")) {
        peny -= numberOf(value);
    } else if (is("offset")) {
        penx = leftmargin;
        peny += numberOf(value);
    } else if (is("save") || is("xsave")) {
        Entry& e = newentry();
        e.name = value.substr(0, kNameMax);
        e.type = is("save") ? "ypoint" : "xpoint";
        e.value = is("save") ? peny : penx;
    } else if (is("restore") || is("xrestore")) {
        bool y = is("restore");
        const Entry* e = find(value.c_str(), {y ? "ypoint" : "xpoint"});
        if (e && e->value != 0)
            (y ? peny : penx) = e->value;
    } else if (is("rightborder")) {
        rightmargin = numberOf(value);
    } else if (is("rightborderpos")) {
        rightmargin = areawidth() - numberOf(value);
    } else if (is("leftborder")) {
        leftmargin = numberOf(value);
    } else if (is("setxleftborder")) {
        penx = leftmargin;
    } else if (is("lineoffset")) {
        linespacing = numberOf(value);
    } else if (is("br") || is("br /")) {
        word("\n");
    } else if (is("b")) {
        curfont = boldfont;
    } else if (is("/b")) {
        curfont = normalfont;
    } else if (is("u")) {
        underline = true;
    } else if (is("/u")) {
        underline = false;
    } else if (is("pushfont")) {
        savedfont = curfont;
        savedbold = boldfont;
    } else if (is("popfont")) {
        if (savedfont >= 0)
            curfont = savedfont;
        if (savedbold >= 0)
            boldfont = savedbold;
    } else if (is("textcolor")) {
        textcolor = aooption_readcolor(value, textcolor);
    } else if (is("backgroundcolor")) {
        bgcolor = aooption_readcolor(value, bgcolor);
    } else if (is("linkcolor")) {
        linkcolor = aooption_readcolor(value, linkcolor);
    } else if (is("linkbackground")) {
        linkbackground = aooption_readcolor(value, linkbackground);
    } else if (is("linkhighlight")) {
        linkhighlight = aooption_readcolor(value, linkhighlight);
    } else if (is("linkactive")) {
        linkactive = aooption_readcolor(value, linkactive);
    } else if (is("font")) {
        int f = aooption_fontkey(value);
        if (f >= 0)
            curfont = f;
    } else if (is("boldfont")) {
        int f = aooption_fontkey(value);
        if (f >= 0)
            boldfont = f;
    } else if (is("center")) {
        centermode = true;
        centerbuffer.clear();
    } else if (is("/center")) {
        if (!centermode)
            return;
        centermode = false;
        bool hadnewline = centerbuffer.find('\n') != std::string::npos;
        std::string line;
        for (char c : centerbuffer)
            if (c != '\n' && c != '\r')
                line += c;
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        int space = areawidth() - rightmargin - leftmargin;
        int x = leftmargin + (space - textwidth(line)) / 2;
        drawtext(x, peny, line);
        if (hadnewline)
            peny += (curfont >= 0 ? aofont_height(curfont) : 16) + linespacing;
        centerbuffer.clear();
    } else if (is("antialias_doublesize")) {
        doublesize = true;
    } else if (is("/antialias_doublesize")) {
        doublesize = false;
    } else if (is("selectable_on")) {
        selectable = true;
    } else if (is("selectable_off")) {
        selectable = false;
    }
    // Every other name (the widget types and settings the quiz does not
    // use, "none", "/table", ...) is recognised and does nothing.

    penx = static_cast<int>(std::clamp<long>(penx, -kPenLimit, kPenLimit));
    peny = static_cast<int>(std::clamp<long>(peny, -kPenLimit, kPenLimit));
}

void aoGUIScript::widgettag(const std::string& type, std::string_view value)
{
    if (firsty == -1)
        firsty = peny;
    markup::WidgetSpec spec = markup::splitwidget(value);
    Entry& e = newentry();
    e.name = spec.name.substr(0, kNameMax);
    e.type = type.substr(0, kTypeMax);

    const std::string& opts = spec.options;
    bool hasx = opts.rfind("x=", 0) == 0 || opts.find(",x=") != std::string::npos;
    int y = peny;
    if (type == "updowncontrol") {
        y = peny - 4;
    } else if (type == "button") {
        size_t at = opts.find(",yoffs=");
        int yoffs = at == std::string::npos ? 0 : std::atoi(opts.c_str() + at + 7);
        y = peny + yoffs - 2;
    } else if (type == "terminal") {
        y = peny - 2;
    }
    std::string cfg = opts;
    if (!hasx)
        cfg += ",x=" + std::to_string(penx);
    cfg += ",y=" + std::to_string(y);

    if (type == "updowncontrol") {
        auto w = std::make_unique<aoUpDownControl>();
        w->font = curfont;
        w->createfrom(cfg);
        penx = w->wx - originx + w->ww;
        e.widget = std::move(w);
    } else if (type == "button") {
        auto w = std::make_unique<aoButton>();
        w->font = curfont;
        w->createfrom(cfg);
        penx = w->wx - originx + w->ww;
        e.widget = std::move(w);
    } else if (type == "terminal") {
        cfg += ",nostandardview";
        auto w = std::make_unique<aoTerminal>();
        w->font = curfont;
        w->createfrom(cfg);
        penx = leftmargin;
        peny = w->wy - originy + w->wh + 5;
        e.widget = std::move(w);
    }
}

// ---- queries

int aoGUIScript::getvalue(const char* name) const
{
    const Entry* e = find(name, {"lineinput", "updowncontrol", "listbox", "combobox", "button", "checkbox",
                                 "switchbutton", "tabbar", "slide", "progressbar", "ypoint", "xpoint"});
    if (!e)
        return 0;
    if (e->type == "ypoint" || e->type == "xpoint")
        return e->value;
    if (auto* u = dynamic_cast<aoUpDownControl*>(e->widget.get()))
        return u->getvalue();
    if (auto* b = dynamic_cast<aoButton*>(e->widget.get()))
        return b->pressed ? 1 : 0;
    return 0;
}

bool aoGUIScript::setvalue(const char* name, int value)
{
    Entry* e = const_cast<Entry*>(find(name, {"lineinput", "updowncontrol", "listbox", "combobox", "button",
                                              "checkbox", "switchbutton", "tabbar", "slide", "progressbar",
                                              "ypoint", "xpoint"}));
    if (!e)
        return false;
    if (e->type == "ypoint" || e->type == "xpoint") {
        e->value = value;
    } else if (auto* u = dynamic_cast<aoUpDownControl*>(e->widget.get())) {
        u->setvalue(value);
    } else if (auto* b = dynamic_cast<aoButton*>(e->widget.get())) {
        b->pressed = value != 0;
    }
    return true;
}

bool aoGUIScript::buttonpressed(int event, const char* name) const
{
    if (!name)
        return false;
    for (const auto& e : table) {
        if (!e.used || !e.widget)
            continue;
        if (!typeIn(e.type, {"button", "link", "switchbutton", "checkbox", "terminal", "view", "listbox",
                             "tabbar", "slide", "updowncontrol", "lineinput", "combobox"}))
            continue;
        if (e.widget->code[0] == event)
            return e.name == name;
    }
    return false;
}

aoWidget* aoGUIScript::getwidget(const char* name) const
{
    const Entry* e = find(name, {});
    return e ? e->widget.get() : nullptr;
}

bool aoGUIScript::printf(const char* name, const char* format, ...)
{
    const Entry* e = find(name, {"terminal", "editor", "rtfeditor"});
    auto* t = e ? dynamic_cast<aoTerminal*>(e->widget.get()) : nullptr;
    if (!t)
        return false;
    std::vector<char> buffer(20000);
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    t->write(buffer.data());
    return true;
}
