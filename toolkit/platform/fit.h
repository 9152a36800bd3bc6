// Where the window picture goes inside a window of any size: scaled with its
// aspect kept, centred between bars, and how a window point maps back.
#pragma once

namespace platform {

struct Fit {
    int x = 0, y = 0, w = 0, h = 0; // the picture's rectangle in output pixels
    bool smooth = false;            // linear filtering; nearest at whole-number factors
};

// The largest rectangle of the picture's aspect inside the output, centred.
Fit fitPicture(int pictureW, int pictureH, int outputW, int outputH);

// A window point (window units, which differ from output pixels on high-DPI
// screens) as a picture pixel; points on the bars fall outside the picture.
void windowToPicture(const Fit& fit, int pictureW, int pictureH, int windowW, int windowH, int outputW,
                     int outputH, int wx, int wy, int& px, int& py);

} // namespace platform
