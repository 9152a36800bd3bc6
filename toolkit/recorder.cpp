// The recording drawing target: every command goes to the pixmap, and the
// drawing ones are kept in a form that needs neither the pen nor the pixmap.
#include "aotoolkit.h"

intptr_t aoRecorder::command(const aoCommand& c)
{
    aoRecordedCommand r;
    r.code = c.code;
    for (int i = 0; i < 8; ++i) r.a[i] = c.a[i];
    switch (c.code) {
    case AOCMD_LINETO:
        r.code = AOCMD_LINE;
        r.a[0] = pixmap_.penx, r.a[1] = pixmap_.peny;
        r.a[2] = c.a[0], r.a[3] = c.a[1], r.a[4] = c.a[2];
        break;
    case AOCMD_UPRIGHTLINES:
        if (!c.list || c.a[0] < 1) return pixmap_.command(c);
        r.list.assign(c.list, c.list + c.a[0]);
        break;
    case AOCMD_TEXT:
        if (!c.text) return pixmap_.command(c);
        r.text = c.text;
        break;
    case AOCMD_CENTERTEXT:
        if (!c.text) return pixmap_.command(c);
        r.code = AOCMD_TEXT;
        r.text = c.text;
        r.a[0] = (pixmap_.width - aofont_textwidth(pixmap_.font, c.text)) / 2;
        r.a[1] = c.a[0], r.a[2] = c.a[1];
        break;
    case AOCMD_CHAR:
        if (!(c.a[3] & 0xFF)) return pixmap_.command(c);
        r.code = AOCMD_TEXT;
        r.text = std::string(1, static_cast<char>(c.a[3] & 0xFF));
        break;
    case AOCMD_FLOODFILL: standsAlone_ = false; break;
    case AOCMD_SETPIXEL:
    case AOCMD_LINE:
    case AOCMD_CIRCLE:
    case AOCMD_FILLCIRCLE:
    case AOCMD_ARC:
    case AOCMD_ELLIPSE:
    case AOCMD_FILLELLIPSE:
    case AOCMD_RECT:
    case AOCMD_RAISEDRECT:
    case AOCMD_SHADOWRECT:
    case AOCMD_FILLRECT:
    case AOCMD_CLEAR: break;
    default: return pixmap_.command(c); // reads, the pen, fonts, flushes
    }
    r.font = pixmap_.font;
    commands_.push_back(std::move(r));
    return pixmap_.command(c);
}
