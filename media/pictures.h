// Reward pictures: the picture planes, the ways of drawing the stored
// picture into the task area, the avatar and logo pictures, the
// frame-sequence player and the end sequence.
#pragma once

#include "aotoolkit.h"
#include "sounds.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

constexpr int kPlaneWidth = 2560;  // columns
constexpr int kPlaneHeight = 1440; // rows
constexpr int kAreaWidth = 1280;   // taskArea
constexpr int kAreaHeight = 720;

// A plane of 2560 columns x 1440 rows of 0x00RRGGBB words, addressed
// [column][row] through PicturePlanes::at() and stored row by row, so drawing
// reads along rows and copies whole rows. It is zero at first and takes its
// memory from the system untouched: a picture smaller than the plane costs
// only the rows it covers.
class Plane {
public:
    void allocate(size_t words);
    size_t size() const { return size_; }
    uint32_t* data() { return words_.get(); }
    const uint32_t* data() const { return words_.get(); }
    uint32_t& operator[](size_t i) { return words_[i]; }
    uint32_t operator[](size_t i) const { return words_[i]; }
    uint32_t* begin() { return data(); }
    uint32_t* end() { return data() + size_; }

private:
    struct Free {
        void operator()(uint32_t* p) const;
    };
    std::unique_ptr<uint32_t[], Free> words_;
    size_t size_ = 0;
};

// Two planes: the reward picture, and the backup of saved area rectangles
// and avatar pictures.
struct PicturePlanes {
    Plane reward;
    Plane backup;
    static size_t at(int column, int row) { return static_cast<size_t>(row) * kPlaneWidth + column; }
};
extern PicturePlanes picturePlanes;

// Size of the picture in the reward planes (0 x 0 when none could be loaded).
struct RewardPicture {
    int width = 0;
    int height = 0;
};
extern RewardPicture rewardPicture;

// Allocates the planes once; later calls do nothing.
void setupPicturePlanes();

// The toolkit image pictures are loaded through.
extern aoImage ausgabegrafik1;
extern aoImage ausgabegrafik4;

// Converts video_<video>/videob_<frame>.jpg to a BMP beside it when the JPEG
// exists and no BMP as new as it is there; true when the BMP is there then.
bool convertJpegIfPresent(int video, int frame);
// Load video_<n>/videob_0.bmp or champion/videob_<k>.bmp into the reward
// planes; false when no picture came (the picture is then empty).
bool loadRewardPicture(int n);
bool loadChampionPicture(int k);

// The stored picture scaled uniformly until it covers all of taskArea,
// anchored at the top-left corner (x, y); w x h is the picture size.
void drawPictureCover(int x, int y, int w, int h);
// The same, washed out toward white at the top.
void drawPictureFaded(int x, int y, int w, int h);
// drawPictureFaded of the whole stored picture at (0, 0).
void drawStoredPictureFaded();
// The stored W x H picture scaled by fx, fy at (x, y); the rest of the
// W x H rectangle is cleared to (222, 222, 225).
void drawPictureScaled(int x, int y, int W, int H, double fx, double fy);
// drawPictureScaled where all of the W x H rectangle outside the box
// [x0, x1) x [y0, y1) holds that grey already (a zoom's step before left it
// so): the clearing stays inside the box. The same pixels, fewer written.
struct GreyOutside {
    int x0, y0, x1, y1;
};
void drawPictureScaled(int x, int y, int W, int H, double fx, double fy, const GreyOutside& box);
// The same three drawings by plain per-pixel loops: the reference the fast
// paths above are tested against bit for bit.
void drawPictureCoverPlain(int x, int y, int w, int h);
void drawPictureFadedPlain(int x, int y, int w, int h);
void drawPictureScaledPlain(int x, int y, int W, int H, double fx, double fy);

// taskArea pixels x0..x1, y0..y1 (both ends included) into the backup plane.
void saveAreaRect(int x0, int x1, int y0, int y1);
// Backup pixels x0..x1-1, y0..y1-1 back into taskArea; flushes it.
void restoreAreaRect(int x0, int x1, int y0, int y1);
// Backup columns 0..w and rows 0..h-1 into avatarArea at (x, y).
void drawBackupToAvatar(int x, int y, int w, int h);

// Logo by code (58, 14, 1, 2) and the avatar for a share of right answers,
// both in avatarArea.
void showLogo(int code);
void showAvatar(int x, int y, double progressRatio);

// The reward picture of this game, faded, at START.
void showStartPicture();
// The stored picture in full colour over the whole area.
void showFullPicture();

// Frame counts above this are not believed: a minute at 25 frames a second.
constexpr int kMaxSequenceFrames = 1500;
// Frame pixels kept in memory at most (10 s of 640 x 360 fit).
constexpr size_t kMaxSequenceBytes = 256u * 1024 * 1024;

// obj-anz.txt: the leading integer of the first 20 bytes, as atoi reads it
// (held at the int limits instead of overflowing).
int parseFrameCount(const char* data, size_t size);

// The numbered still frames of one video, loaded one per 10 ms tick in the
// background and played at a given rate.
struct PictureSequence {
    std::vector<std::unique_ptr<aoImage>> frames; // the frames that could be loaded
    int frameCount = 0;
    char folder[301] = "";
    int loaded = 0; // frame files tried so far
    int state = 0;  // 0 nothing open, 1 loading, 2 loaded and idle, 3 playing
    unsigned char allLoaded = 0;
    unsigned char playing = 0;
    int current = 0;
    aoWindow* window = nullptr;
    int x = 0, y = 0;
    int framesPerSecond = 25;
    int startTime = 0, frameInterval = 40, nextDue = 0;
    int maxWidth = 0, maxHeight = 0;
    int openTime = 0;
    size_t frameBytes = 0; // pixel memory held by frames
    int shown = 0;         // frames drawn since the last play

    // Opens the folder named by format and arguments; the count is read
    // from obj-anz.txt. Returns the frame count, 0 when nothing can be played.
    int open(const char* format, ...) AO_PRINTF(2, 3);
    int openFolder(const char* name, int count);
    // Loads the next frame file (one timer tick's work while loading).
    void loadNext();
    void loadAll();
    // Finishes loading, then shows the frames from (x, y) of the window at fps.
    void play(aoWindow* target, int atX, int atY, int fps);
    // play without its first tick.
    void begin(aoWindow* target, int atX, int atY, int fps);
    // One timer tick at the time now (ms).
    void tick(int now);
    // Ends playing and clears the frame rectangle (colour -1: the window's background).
    void stop(int colour);
    void waitForEnd();
};
extern PictureSequence pictureSequence;

// One step (1..101) of the end zoom toward a frame size of W1 x H1.
void drawEndZoomStep(int step, int frameWidth, int frameHeight);
// The end sequence at ENDE: text, clip, zoom, the video with its sound track.
void runEndSequence();
