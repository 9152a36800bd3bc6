// Reward pictures in the picture planes and the ways of drawing them, the
// saved area rectangles, and the logo and avatar pictures.
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

PicturePlanes picturePlanes;
RewardPicture rewardPicture;
aoImage ausgabegrafik1;
aoImage ausgabegrafik4;

namespace {

const int kClearGrey = 0xDEDEE1; // (222, 222, 225)

bool planesReady()
{
    return picturePlanes.reward[0].size() == static_cast<size_t>(kPlaneWidth) * kPlaneHeight;
}

int pack(int r, int g, int b)
{
    return (r << 16) | (g << 8) | b;
}

// Loads a picture file into an image without letting it become the drawing
// target: loads also happen from timer ticks in the middle of other drawing.
// Pictures larger than the planes are cut at their right and bottom edges.
bool loadImage(aoImage& image, const char* label, const char* path)
{
    aoDrawTarget* previous = aographic_gettarget();
    int w = 0, h = 0;
    bool ok;
    if (aobmp_readsize(path, w, h) && (w > kPlaneWidth || h > kPlaneHeight))
        ok = image.load("%s,load=%s,xs=%d,ys=%d", label, path, std::min(w, kPlaneWidth),
                        std::min(h, kPlaneHeight));
    else
        ok = image.load("%s,load=%s", label, path);
    aographic_settarget(previous);
    return ok && image.width > 0 && image.height > 0 && !image.pixels.empty();
}

// Copies the image into a plane triple; returns the size copied (at most the planes').
void imageToPlanes(const aoImage& image, std::vector<uint8_t>* planes, int& w, int& h)
{
    w = std::min(image.width, kPlaneWidth);
    h = std::min(image.height, kPlaneHeight);
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = image.row(y);
        uint8_t* r = planes[0].data() + PicturePlanes::at(0, y);
        uint8_t* g = planes[1].data() + PicturePlanes::at(0, y);
        uint8_t* b = planes[2].data() + PicturePlanes::at(0, y);
        for (int x = 0; x < w; ++x) {
            r[x] = static_cast<uint8_t>(src[x] >> 16);
            g[x] = static_cast<uint8_t>(src[x] >> 8);
            b[x] = static_cast<uint8_t>(src[x]);
        }
    }
}

bool loadIntoRewardPlanes(const char* path)
{
    setupPicturePlanes();
    if (!loadImage(ausgabegrafik1, "ausgabegrafik1", path)) {
        // A missing or broken picture leaves the picture empty.
        rewardPicture = RewardPicture{};
        return false;
    }
    imageToPlanes(ausgabegrafik1, picturePlanes.reward, rewardPicture.width, rewardPicture.height);
    return true;
}

aoPixmap* selectTaskArea()
{
    if (!mediaScreen.taskArea) return nullptr;
    mediaScreen.taskArea->select();
    aoPixmap* p = mediaScreen.taskArea->pixmap();
    return p && p->format == AOPX_TRUECOLOR && !p->pixels.empty() ? p : nullptr;
}

// The mapping shared by the cover and faded drawings: source column and row
// of every area column and row, for a w x h picture scaled to cover the area.
struct CoverMap {
    int cols[kAreaWidth];
    int rows[kAreaHeight];
    CoverMap(int w, int h)
    {
        const double f = std::min(static_cast<double>(w) / kAreaWidth, static_cast<double>(h) / kAreaHeight);
        const int lastCol = std::min(w, kPlaneWidth) - 1, lastRow = std::min(h, kPlaneHeight) - 1;
        for (int i = 0; i < kAreaWidth; ++i) cols[i] = std::min(static_cast<int>(i * f), lastCol);
        for (int j = 0; j < kAreaHeight; ++j) rows[j] = std::min(static_cast<int>(j * f), lastRow);
    }
};

// Area columns i whose pixel (x + i) lies in the pixmap: [first, last).
void clipColumns(const aoPixmap* p, int x, int count, int& first, int& last)
{
    first = std::max(0, -x);
    last = std::min(count, p->width - x);
}

// Packs source row `row`, columns 0..last, into 0x00RRGGBB words.
void packRow(int row, int last, uint32_t* out)
{
    const size_t at = PicturePlanes::at(0, row);
    const uint8_t* r = picturePlanes.reward[0].data() + at;
    const uint8_t* g = picturePlanes.reward[1].data() + at;
    const uint8_t* b = picturePlanes.reward[2].data() + at;
    for (int s = 0; s <= last; ++s)
        out[s] = (static_cast<uint32_t>(r[s]) << 16) | (static_cast<uint32_t>(g[s]) << 8) | b[s];
}

// Draws the covering mapping; with fade, each channel c of area row j
// becomes trunc((c - 255) * j / 1400 + 255).
void drawCovering(int x, int y, int w, int h, bool fade)
{
    aoPixmap* p = selectTaskArea();
    if (!p) return;
    setupPicturePlanes();
    if (w < 1 || h < 1) {
        // No picture: the area stays empty.
        aopxmap_fillrect(p, x, y, kAreaWidth, kAreaHeight, 0xFFFFFF);
        return;
    }
    const CoverMap map(w, h);
    int i0, i1;
    clipColumns(p, x, kAreaWidth, i0, i1);
    if (i0 >= i1) return;
    bool identity = true;
    for (int i = 0; i < kAreaWidth && identity; ++i) identity = map.cols[i] == i;
    const int last = map.cols[kAreaWidth - 1];
    std::vector<uint32_t> packed(static_cast<size_t>(last) + 1);
    int packedRow = -1, lastDrawn = -1;
    for (int j = 0; j < kAreaHeight; ++j) {
        const int dy = y + j;
        if (dy < 0 || dy >= p->height) continue;
        uint32_t* d = p->row(dy) + x;
        const int sy = map.rows[j];
        if (!fade && sy == packedRow && lastDrawn == dy - 1) {
            // An enlarged picture repeats its rows: copy the row above.
            std::memcpy(d + i0, p->row(dy - 1) + x + i0, static_cast<size_t>(i1 - i0) * 4);
            lastDrawn = dy;
            continue;
        }
        if (!fade && sy != packedRow) {
            packRow(sy, last, packed.data());
            packedRow = sy;
        }
        if (fade) {
            // The channel table of this row, in integers: 255 - ceil((255 - c) * j / 1400)
            // equals the truncated expression exactly.
            // Built without dividing: numerator (255 - c) * j + 1399 falls by j per step of c.
            // One table per channel, already shifted into place; the planes
            // are read directly, without packing the row first.
            uint32_t lutB[256], lutG[256], lutR[256];
            int q = (255 * j + 1399) / 1400, rem = (255 * j + 1399) % 1400;
            for (int c = 0; c < 256; ++c) {
                const uint32_t v = static_cast<uint32_t>(255 - q);
                lutB[c] = v;
                lutG[c] = v << 8;
                lutR[c] = v << 16;
                rem -= j;
                if (rem < 0) {
                    rem += 1400;
                    --q;
                }
            }
            const size_t at = PicturePlanes::at(0, sy);
            const uint8_t* r = picturePlanes.reward[0].data() + at;
            const uint8_t* g = picturePlanes.reward[1].data() + at;
            const uint8_t* b = picturePlanes.reward[2].data() + at;
            if (identity) {
                for (int i = i0; i < i1; ++i) d[i] = lutR[r[i]] | lutG[g[i]] | lutB[b[i]];
            } else {
                for (int i = i0; i < i1; ++i) {
                    const int s = map.cols[i];
                    d[i] = lutR[r[s]] | lutG[g[s]] | lutB[b[s]];
                }
            }
        } else if (identity) {
            std::memcpy(d + i0, packed.data() + i0, static_cast<size_t>(i1 - i0) * 4);
        } else {
            for (int i = i0; i < i1; ++i) d[i] = packed[static_cast<size_t>(map.cols[i])];
        }
        lastDrawn = dy;
    }
}

} // namespace

void setupPicturePlanes()
{
    if (planesReady()) return;
    const size_t n = static_cast<size_t>(kPlaneWidth) * kPlaneHeight;
    for (auto* triple : {picturePlanes.reward, picturePlanes.backup})
        for (int c = 0; c < 3; ++c) triple[c].assign(n, 0);
}

bool convertJpegIfPresent(int video, int frame)
{
    std::string jpg;
    if (!aofindfile(jpg, "video_%d/videob_%d.jpg", video, frame)) return false;
    return aojpg2bmp(jpg.c_str()) == 1;
}

bool loadRewardPicture(int n)
{
    char path[300];
    std::snprintf(path, sizeof path, "video_%d/videob_%d.bmp", n, 0);
    return loadIntoRewardPlanes(path);
}

bool loadChampionPicture(int k)
{
    char path[300];
    std::snprintf(path, sizeof path, "champion/videob_%d.bmp", k);
    return loadIntoRewardPlanes(path);
}

void drawPictureCover(int x, int y, int w, int h)
{
    drawCovering(x, y, w, h, false);
}

void drawPictureFaded(int x, int y, int w, int h)
{
    drawCovering(x, y, w, h, true);
}

void drawStoredPictureFaded()
{
    drawPictureFaded(0, 0, rewardPicture.width, rewardPicture.height);
}

void drawPictureScaled(int x, int y, int W, int H, double fx, double fy)
{
    aoPixmap* p = selectTaskArea();
    if (!p) return;
    setupPicturePlanes();
    const int pw = std::min(W, kPlaneWidth), ph = std::min(H, kPlaneHeight);
    // A factor of 0 or below shows nothing of the picture.
    const bool drawable = fx > 0 && fy > 0 && pw > 0 && ph > 0;
    const int ws = drawable ? static_cast<int>(std::min(W * fx, 1e9)) : 0;
    const int hs = drawable ? static_cast<int>(std::min(H * fy, 1e9)) : 0;

    if (ws > 0 && hs > 0) {
        const bool nearest = fx > 0.5 || fy > 0.5;
        const int bx = nearest ? 1 : static_cast<int>(std::min(1 / fx, 1e6));
        const int by = nearest ? 1 : static_cast<int>(std::min(1 / fy, 1e6));
        // Only the columns and rows that land inside the pixmap are computed.
        const int i0 = std::max(0, -x), i1 = std::min(ws, p->width - x);
        const int j0 = std::max(0, -y), j1 = std::min(hs, p->height - y);
        std::vector<int> cols(static_cast<size_t>(std::max(i1 - i0, 0)));
        for (int i = i0; i < i1; ++i) cols[i - i0] = std::min(static_cast<int>(i / fx), pw - 1);
        std::vector<int> cols2(cols.size());
        for (size_t k = 0; k < cols.size(); ++k) cols2[k] = std::min(cols[k] + 1, pw - 1);
        const uint8_t* R = picturePlanes.reward[0].data();
        const uint8_t* G = picturePlanes.reward[1].data();
        const uint8_t* B = picturePlanes.reward[2].data();
        const int area = bx * by;
        for (int j = j0; j < j1; ++j) {
            const int sy = std::min(static_cast<int>(j / fy), ph - 1);
            uint32_t* d = p->row(y + j) + x;
            if (nearest) {
                const size_t row = PicturePlanes::at(0, sy);
                const uint8_t *r = R + row, *g = G + row, *b = B + row;
                for (int i = i0; i < i1; ++i) {
                    const int s = cols[i - i0];
                    d[i] = (static_cast<uint32_t>(r[s]) << 16) | (static_cast<uint32_t>(g[s]) << 8) | b[s];
                }
                continue;
            }
            // Box mean over bx x by source pixels; a block running over the
            // picture's edge repeats its last row or column.
            if (bx == 2 && by == 2) {
                const size_t r0 = PicturePlanes::at(0, sy), r1 = PicturePlanes::at(0, std::min(sy + 1, ph - 1));
                for (int i = i0; i < i1; ++i) {
                    const int c0 = cols[i - i0], c1 = cols2[i - i0];
                    const int sr = R[r0 + c0] + R[r0 + c1] + R[r1 + c0] + R[r1 + c1];
                    const int sg = G[r0 + c0] + G[r0 + c1] + G[r1 + c0] + G[r1 + c1];
                    const int sb = B[r0 + c0] + B[r0 + c1] + B[r1 + c0] + B[r1 + c1];
                    d[i] = static_cast<uint32_t>(pack(sr >> 2, sg >> 2, sb >> 2));
                }
                continue;
            }
            for (int i = i0; i < i1; ++i) {
                const int sx = cols[i - i0];
                int sr = 0, sg = 0, sb = 0;
                for (int v = 0; v < by; ++v) {
                    const size_t row = PicturePlanes::at(0, std::min(sy + v, ph - 1));
                    for (int u = 0; u < bx; ++u) {
                        const size_t k = row + std::min(sx + u, pw - 1);
                        sr += R[k];
                        sg += G[k];
                        sb += B[k];
                    }
                }
                d[i] = static_cast<uint32_t>(pack(sr / area, sg / area, sb / area));
            }
        }
    }

    // Clear what lies outside the drawn picture within the W x H rectangle.
    const int qEnd = std::min(H, p->height), pEnd = std::min(W, p->width);
    for (int q = 0; q < qEnd; ++q) {
        uint32_t* d = p->row(q);
        if (q < y || q > y + hs) {
            std::fill(d, d + std::max(pEnd, 0), static_cast<uint32_t>(kClearGrey));
            continue;
        }
        const int leftEnd = std::clamp(x, 0, std::max(pEnd, 0));
        std::fill(d, d + leftEnd, static_cast<uint32_t>(kClearGrey));
        const int rightStart = std::clamp(x + ws + 1, 0, std::max(pEnd, 0));
        std::fill(d + rightStart, d + std::max(pEnd, 0), static_cast<uint32_t>(kClearGrey));
    }
}

void saveAreaRect(int x0, int x1, int y0, int y1)
{
    aoPixmap* p = selectTaskArea();
    if (!p) return;
    setupPicturePlanes();
    const int xa = std::max(x0, 0), xb = std::min({x1, p->width - 1, kPlaneWidth - 1});
    const int ya = std::max(y0, 0), yb = std::min({y1, p->height - 1, kPlaneHeight - 1});
    for (int y = ya; y <= yb; ++y) {
        const uint32_t* s = p->row(y);
        const size_t row = PicturePlanes::at(0, y);
        for (int x = xa; x <= xb; ++x) {
            picturePlanes.backup[0][row + x] = static_cast<uint8_t>(s[x] >> 16);
            picturePlanes.backup[1][row + x] = static_cast<uint8_t>(s[x] >> 8);
            picturePlanes.backup[2][row + x] = static_cast<uint8_t>(s[x]);
        }
    }
}

void restoreAreaRect(int x0, int x1, int y0, int y1)
{
    aoPixmap* p = selectTaskArea();
    if (!p) return;
    setupPicturePlanes();
    const int xa = std::max(x0, 0), xb = std::min({x1, p->width, kPlaneWidth});
    const int ya = std::max(y0, 0), yb = std::min({y1, p->height, kPlaneHeight});
    for (int y = ya; y < yb; ++y) {
        uint32_t* d = p->row(y);
        const size_t row = PicturePlanes::at(0, y);
        for (int x = xa; x < xb; ++x)
            d[x] = static_cast<uint32_t>(pack(picturePlanes.backup[0][row + x], picturePlanes.backup[1][row + x],
                                              picturePlanes.backup[2][row + x]));
    }
    mediaScreen.taskArea->flush();
}

void drawBackupToAvatar(int x, int y, int w, int h)
{
    setupPicturePlanes();
    if (mediaScreen.avatarArea) {
        mediaScreen.avatarArea->select();
        aoPixmap* p = mediaScreen.avatarArea->pixmap();
        if (p && !p->pixels.empty()) {
            // Column w is drawn too; the planes end it at their last column.
            const int cols = std::min(w, kPlaneWidth - 1), rows = std::min(h, kPlaneHeight);
            for (int j = 0; j < rows; ++j) {
                const size_t row = PicturePlanes::at(0, j);
                for (int i = 0; i <= cols; ++i)
                    aopxmap_setpixel(p, x + i, y + j,
                                     pack(picturePlanes.backup[0][row + i], picturePlanes.backup[1][row + i],
                                          picturePlanes.backup[2][row + i]));
            }
        }
        mediaScreen.avatarArea->flush();
    }
    if (mediaScreen.taskArea) mediaScreen.taskArea->select();
}

namespace {

// Shows a picture file in avatarArea through the backup planes.
void showInAvatarArea(const char* path, int x, int y)
{
    if (mediaScreen.avatarArea) mediaScreen.avatarArea->select();
    setupPicturePlanes();
    int w = -1, h = -1;
    if (loadImage(ausgabegrafik4, "ausgabegrafik4", path))
        imageToPlanes(ausgabegrafik4, picturePlanes.backup, w, h);
    drawBackupToAvatar(x, y, w, h);
}

} // namespace

void showLogo(int code)
{
    const char* path = nullptr;
    switch (code) {
    case 58: path = "avatar/logo_58.bmp"; break;
    case 14: path = "avatar/logo_14.bmp"; break;
    case 1: path = "avatar/logo_iq1.bmp"; break;
    case 2: path = "avatar/logo_iq2.bmp"; break;
    default: return;
    }
    showInAvatarArea(path, 0, 0);
}

void showAvatar(int x, int y, double progressRatio)
{
    int n = static_cast<int>(std::clamp(progressRatio * 100, -1e9, 1e9));
    if (n == 0) n = 1;
    char path[300];
    std::snprintf(path, sizeof path, "avatar/videob_%d.bmp", n);
    showInAvatarArea(path, x, y);
    if (mediaScreen.taskArea) mediaScreen.taskArea->select();
}

void showStartPicture()
{
    if (mediaScreen.taskArea) mediaScreen.taskArea->select();
    convertJpegIfPresent(mediaChoice.rewardIndex, 0);
    loadRewardPicture(mediaChoice.rewardIndex);
    drawPictureFaded(0, 0, rewardPicture.width, rewardPicture.height);
    aowait(1);
    if (mediaScreen.taskArea) mediaScreen.taskArea->flush();
}

void showFullPicture()
{
    drawPictureCover(0, 0, rewardPicture.width, rewardPicture.height);
    if (mediaScreen.taskArea) mediaScreen.taskArea->flush();
}
