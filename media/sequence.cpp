// The frame-sequence player and the end sequence.
#include "pictures.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

PictureSequence pictureSequence;

namespace {

void sequenceTimer(void* context, int, int)
{
    auto* s = static_cast<PictureSequence*>(context);
    if (s->state == 1) s->loadNext();
    else if (s->state == 3) s->tick(aogettime());
}

// Loads a frame file without making it the drawing target; a frame larger
// than the planes is cut to them.
bool loadFrame(aoImage& image, const char* path)
{
    aoDrawTarget* previous = aographic_gettarget();
    int w = 0, h = 0;
    bool ok;
    if (aobmp_readsize(path, w, h) && (w > kPlaneWidth || h > kPlaneHeight))
        ok = image.load("load=%s,xs=%d,ys=%d", path, std::min(w, kPlaneWidth), std::min(h, kPlaneHeight));
    else
        ok = image.load("load=%s", path);
    aographic_settarget(previous);
    return ok && image.width > 0 && image.height > 0 && !image.pixels.empty();
}

} // namespace

int parseFrameCount(const char* data, size_t size)
{
    const size_t n = std::min<size_t>(size, 20);
    size_t i = 0;
    while (i < n && std::isspace(static_cast<unsigned char>(data[i]))) ++i;
    bool negative = false;
    if (i < n && (data[i] == '+' || data[i] == '-')) negative = data[i++] == '-';
    long long v = 0;
    while (i < n && data[i] >= '0' && data[i] <= '9') {
        v = std::min<long long>(v * 10 + (data[i] - '0'), 1LL << 40);
        ++i;
    }
    if (negative) v = -v;
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

int PictureSequence::open(const char* format, ...)
{
    char name[301];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(name, sizeof name, format ? format : "", ap);
    va_end(ap);
    // Installing again only renews the slot, so the timer exists exactly once.
    aosettimer(sequenceTimer, this, 10, 0);
    return openFolder(name, 0);
}

int PictureSequence::openFolder(const char* name, int count)
{
    frames.clear();
    frameBytes = 0;
    frameCount = 0;
    loaded = 0;
    state = 0;
    allLoaded = 0;
    playing = 0;
    current = 0;
    shown = 0;
    openTime = aogettime();
    std::snprintf(folder, sizeof folder, "%s", name ? name : "");

    frameCount = count;
    if (count == 0) {
        char path[400];
        std::snprintf(path, sizeof path, "%s/obj-anz.txt", folder);
        if (FILE* f = std::fopen(path, "rb")) {
            char head[20];
            const size_t n = std::fread(head, 1, sizeof head, f);
            std::fclose(f);
            frameCount = parseFrameCount(head, n);
        }
    }
    if (frameCount < 1) {
        aoprintf("error %s\n", folder);
        frameCount = 0;
        state = 0;
        return 0;
    }
    if (frameCount > kMaxSequenceFrames) {
        aoprintf("PictureSequence: %s: %d frames claimed, the first %d are played\n", folder, frameCount,
                  kMaxSequenceFrames);
        frameCount = kMaxSequenceFrames;
    }
    frames.reserve(static_cast<size_t>(std::min(frameCount, 256)));
    state = 1;
    maxWidth = maxHeight = 0;
    loadNext();
    return frameCount;
}

void PictureSequence::loadNext()
{
    if (state != 1 && !(state == 3 && !allLoaded)) return;
    const int k = loaded + 1;
    char bmp[400], jpg[400];
    std::snprintf(bmp, sizeof bmp, "%s/videob_%d.bmp", folder, k);
    std::snprintf(jpg, sizeof jpg, "%s/videob_%d.jpg", folder, k);
    const bool fromJpeg = aofileexists(jpg);
    if (!aofileexists(bmp) && fromJpeg) aojpg2bmp(jpg);

    int w = 0, h = 0;
    if (aobmp_readsize(bmp, w, h)) {
        const size_t bytes = static_cast<size_t>(std::min(std::max(w, 0), kPlaneWidth)) *
                             static_cast<size_t>(std::min(std::max(h, 0), kPlaneHeight)) * 4;
        if (frameBytes + bytes > kMaxSequenceBytes) {
            if (frameBytes <= kMaxSequenceBytes)
                aoprintf("PictureSequence: %s: frame memory full, frames from %d on are left out\n", folder, k);
            frameBytes = kMaxSequenceBytes + 1; // reported once
        } else {
            auto image = std::make_unique<aoImage>();
            // A missing or broken frame is left out.
            if (loadFrame(*image, bmp)) {
                maxWidth = std::max(maxWidth, image->width);
                maxHeight = std::max(maxHeight, image->height);
                frameBytes += image->pixels.size() * sizeof(uint32_t);
                frames.push_back(std::move(image));
            }
        }
    }
    if (fromJpeg) std::remove(bmp);

    loaded += 1;
    if (loaded >= frameCount) {
        allLoaded = 1;
        if (state == 1) state = 2;
    }
}

void PictureSequence::loadAll()
{
    while (state == 1) loadNext();
}

void PictureSequence::begin(aoWindow* target, int atX, int atY, int fps)
{
    if (state < 1) return;
    loadAll();
    playing = 1;
    current = 0;
    shown = 0;
    window = target;
    x = atX;
    y = atY;
    framesPerSecond = fps;
    state = 3;
    startTime = aogettime();
    frameInterval = 1000 / std::max(fps, 1);
    nextDue = 0;
}

void PictureSequence::play(aoWindow* target, int atX, int atY, int fps)
{
    if (state < 1) return;
    begin(target, atX, atY, fps);
    tick(aogettime());
}

void PictureSequence::tick(int now)
{
    if (state != 3) return;
    const unsigned elapsed = static_cast<unsigned>(now) - static_cast<unsigned>(startTime);
    // Every overdue frame is shown in turn; none past the last.
    while (elapsed >= static_cast<unsigned>(nextDue)) {
        if (current >= static_cast<int>(frames.size())) {
            stop(-1);
            break;
        }
        nextDue += frameInterval;
        const aoImage& frame = *frames[static_cast<size_t>(current)];
        if (window) {
            aopxmap_merge4(&window->picture, &frame, x, y, 0, 0, frame.width, frame.height, 0, 0);
            window->redraw();
        }
        current += 1;
        shown += 1;
        if (current >= static_cast<int>(frames.size())) {
            stop(-1);
            break;
        }
    }
}

void PictureSequence::stop(int colour)
{
    if (state != 2 && state != 3) return;
    state = 2;
    playing = 0;
    if (window) {
        const int fill = colour == -1 ? window->client.bgcolor : colour;
        aopxmap_fillrect(&window->picture, x, y, maxWidth, maxHeight, fill);
        window->redraw();
    }
}

void PictureSequence::waitForEnd()
{
    while (playing && aoisrunning()) aowait(0.5);
}

void drawEndZoomStep(int step, int frameWidth, int frameHeight)
{
    const double dx = (1280.0 - frameWidth) / 202;
    const double dy = (720.0 - frameHeight) / 202;
    const double ds = -(1280.0 - frameWidth) / (kAreaWidth * 101.0);
    const double s = 1 + step * ds;
    if (mediaScreen.taskArea) mediaScreen.taskArea->select();
    const int x = static_cast<int>(step * dx), y = static_cast<int>(step * dy);
    // A step changes only pixels inside its own picture and the picture of
    // the step before (with the column and row right of and below each that
    // the drawing leaves alone; two pixels of margin for the rounding):
    // around them the step before left the area grey, and the window showing
    // it. The first step, or one not following its predecessor, clears and
    // shows the whole area.
    struct Rect {
        long long x0, y0, x1, y1;
    };
    static Rect last{};
    static int lastStep = 0;
    const Rect now{x - 2LL, y - 2LL, x + static_cast<long long>(rewardPicture.width * s) + 3,
                   y + static_cast<long long>(rewardPicture.height * s) + 3};
    const auto side = [](long long v) { return static_cast<int>(std::clamp<long long>(v, -1, 1 << 20)); };
    const bool following = step > 1 && step == lastStep + 1;
    const Rect before = last;
    last = now;
    lastStep = step;
    if (following)
        drawPictureScaled(x, y, rewardPicture.width, rewardPicture.height, s, s,
                          GreyOutside{side(before.x0), side(before.y0), side(before.x1), side(before.y1)});
    else
        drawPictureScaled(x, y, rewardPicture.width, rewardPicture.height, s, s);
    if (!mediaScreen.taskArea) return;
    if (following) {
        const Rect u{std::min(before.x0, now.x0), std::min(before.y0, now.y0), std::max(before.x1, now.x1),
                     std::max(before.y1, now.y1)};
        mediaScreen.taskArea->flush(side(u.x0), side(u.y0), side(u.x1 - u.x0), side(u.y1 - u.y0));
    } else {
        mediaScreen.taskArea->flush();
    }
}

void runEndSequence()
{
    const int n = mediaChoice.rewardIndex;
    mediaPrintf("\n\n\n\n\n\n                         < E N D E >");
    std::snprintf(mediaPath, sizeof mediaPath, "sound/ENDE/ENDE-%d.wav", n);
    aoplaysound(mediaPath);
    if (n < 0) return;

    convertJpegIfPresent(n, 1);
    char path[300];
    std::snprintf(path, sizeof path, "video_%d/videob_%d.bmp", n, 1);
    int w1 = -1, h1 = -1;
    if (!aobmp_readsize(path, w1, h1) || w1 < 1 || h1 < 1) {
        // Without a first frame there is no place to shrink into: the
        // picture keeps its size instead of turning inside out.
        w1 = kAreaWidth;
        h1 = kAreaHeight;
    }
    for (int i = 1; i <= 101 && aoisrunning(); ++i) {
        drawEndZoomStep(i, w1, h1);
        aowait(0.01);
    }

    aoWindow* win = mediaScreen.window;
    if (win) {
        aopxmap_fillrect(&win->picture, 10, 180, kAreaWidth, kAreaHeight, win->client.bgcolor);
        win->redraw();
    }
    aowait(3);
    if (n == 12) aowait(12);
    std::snprintf(mediaPath, sizeof mediaPath, "video_%d/sound.wav", n);
    aoplaysound(mediaPath);
    pictureSequence.loadAll();
    pictureSequence.play(win, 10 + (1280 - pictureSequence.maxWidth) / 2,
                         180 + (720 - pictureSequence.maxHeight) / 2, 25);
    pictureSequence.waitForEnd();
}
