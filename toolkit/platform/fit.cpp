#include "platform/fit.h"

#include <cmath>
#include <cstdint>

namespace platform {

Fit fitPicture(int pictureW, int pictureH, int outputW, int outputH)
{
    Fit f;
    if (pictureW <= 0 || pictureH <= 0 || outputW <= 0 || outputH <= 0) return f;
    // Compare the aspects in integers so equal aspects give exact sizes.
    int64_t widthLimited = int64_t(outputW) * pictureH, heightLimited = int64_t(outputH) * pictureW;
    if (widthLimited <= heightLimited) {
        f.w = outputW;
        f.h = static_cast<int>((int64_t(outputW) * pictureH + pictureW / 2) / pictureW);
    } else {
        f.h = outputH;
        f.w = static_cast<int>((int64_t(outputH) * pictureW + pictureH / 2) / pictureH);
    }
    if (f.w < 1) f.w = 1;
    if (f.h < 1) f.h = 1;
    f.x = (outputW - f.w) / 2;
    f.y = (outputH - f.h) / 2;
    bool whole = f.w % pictureW == 0 && f.h % pictureH == 0 && f.w / pictureW == f.h / pictureH;
    f.smooth = !whole;
    return f;
}

void windowToPicture(const Fit& fit, int pictureW, int pictureH, int windowW, int windowH, int outputW,
                     int outputH, int wx, int wy, int& px, int& py)
{
    if (fit.w <= 0 || fit.h <= 0 || windowW <= 0 || windowH <= 0) {
        px = wx;
        py = wy;
        return;
    }
    // Window point -> output pixel -> picture pixel; floor keeps the bars outside.
    double ox = (wx + 0.5) * outputW / windowW, oy = (wy + 0.5) * outputH / windowH;
    px = static_cast<int>(std::floor((ox - fit.x) * pictureW / fit.w));
    py = static_cast<int>(std::floor((oy - fit.y) * pictureH / fit.h));
}

} // namespace platform
