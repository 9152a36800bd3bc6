// Reward pictures in the planes and their drawings into the task area.
#include "media_test_util.h"

#include <cstring>
#include <utility>

using namespace mediatest;

namespace {

int red(int c) { return (c >> 16) & 255; }
int green(int c) { return (c >> 8) & 255; }
int blue(int c) { return c & 255; }

int at(aoPixmap& p, int x, int y)
{
    return aopxmap_getpixel(&p, x, y);
}

} // namespace

TEST(RewardPictureDrawing, PictureOfAreaSizeIsCopiedOneToOne)
{
    Stage s;
    writeBmp("video_2/videob_0.bmp", 1280, 720, coordinateColour);
    ASSERT_TRUE(loadRewardPicture(2));
    EXPECT_EQ(rewardPicture.width, 1280);
    EXPECT_EQ(rewardPicture.height, 720);
    drawPictureCover(0, 0, 1280, 720);
    for (int y : {0, 1, 359, 719})
        for (int x : {0, 1, 640, 1279}) ASSERT_EQ(at(s.area(), x, y), coordinateColour(x, y)) << x << "," << y;
    EXPECT_EQ(aographic_gettarget(), &s.task);
}

TEST(RewardPictureDrawing, SmallPictureIsDoubled)
{
    Stage s;
    writeBmp("video_1/videob_0.bmp", 640, 360, coordinateColour);
    ASSERT_TRUE(loadRewardPicture(1));
    drawPictureCover(0, 0, rewardPicture.width, rewardPicture.height);
    for (int y = 0; y < 720; y += 37)
        for (int x = 0; x < 1280; x += 41) ASSERT_EQ(at(s.area(), x, y), coordinateColour(x / 2, y / 2));
    EXPECT_EQ(at(s.area(), 1279, 719), coordinateColour(639, 359));
}

TEST(RewardPictureDrawing, TallPictureShowsItsTopPartStretched)
{
    Stage s;
    writeBmp("video_1/videob_0.bmp", 800, 720, coordinateColour);
    ASSERT_TRUE(loadRewardPicture(1));
    drawPictureCover(0, 0, 800, 720);
    // f = 800 / 1280 = 0.625: the top 800 x 450 of the picture fill the area.
    EXPECT_EQ(at(s.area(), 1279, 719), coordinateColour(799, 449));
    EXPECT_EQ(at(s.area(), 8, 8), coordinateColour(5, 5));
    EXPECT_EQ(at(s.area(), 1000, 500), coordinateColour(625, 312));
}

TEST(RewardPictureDrawing, FadedFromWhiteAtTheTop)
{
    Stage s;
    const int c = aographic_rgb(10, 100, 200);
    writeBmp("video_1/videob_0.bmp", 1280, 720, [c](int, int) { return c; });
    ASSERT_TRUE(loadRewardPicture(1));
    drawPictureFaded(0, 0, 1280, 720);
    for (int x : {0, 640, 1279}) EXPECT_EQ(at(s.area(), x, 0), 0xFFFFFF);
    const int bottom = at(s.area(), 640, 719);
    // (c - 255) * 719 / 1400 + 255, truncated toward zero.
    EXPECT_EQ(red(bottom), 129);   // 255 - 245 * 719 / 1400 = 129.17
    EXPECT_EQ(green(bottom), 175); // 255 - 155 * 719 / 1400 = 175.39
    EXPECT_EQ(blue(bottom), 226);  // 255 - 55 * 719 / 1400 = 226.75
}

TEST(RewardPictureDrawing, MissingPictureLeavesTheAreaEmpty)
{
    Stage s;
    aographic_fillrect(0, 0, 1280, 720, 0x123456);
    EXPECT_FALSE(loadRewardPicture(7));
    EXPECT_EQ(rewardPicture.width, 0);
    drawStoredPictureFaded();
    drawPictureCover(0, 0, -1, -1);
    drawPictureScaled(0, 0, -1, -1, 0.5, 0.5);
    EXPECT_EQ(at(s.area(), 600, 600), 0xFFFFFF);
}

TEST(RewardPictureDrawing, BrokenPicturesAreSkipped)
{
    Stage s;
    const fs::path data = ZIFFRON_TEST_DATA;
    fs::create_directories("video_1");
    fs::create_directories("video_2");
    fs::create_directories("video_3");
    fs::copy_file(data / "malformed" / "rows_truncated.bmp", "video_1/videob_0.bmp");
    fs::copy_file(data / "malformed" / "not_a_bmp.bmp", "video_2/videob_0.bmp");
    fs::copy_file(data / "jpeg" / "broken.jpg", "video_3/videob_0.jpg");
    CaptureStdio console;
    for (int n = 1; n <= 3; ++n) {
        convertJpegIfPresent(n, 0);
        loadRewardPicture(n);
        drawStoredPictureFaded();
        EXPECT_GE(rewardPicture.width, 0);
    }
    EXPECT_FALSE(fs::exists("video_3/videob_0.bmp"));
}

TEST(RewardPictureDrawing, PictureLargerThanThePlanesIsClamped)
{
    Stage s;
    writeBmp("champion/videob_0.bmp", 2600, 1500, coordinateColour);
    ASSERT_TRUE(loadChampionPicture(0));
    EXPECT_EQ(rewardPicture.width, 2560);
    EXPECT_EQ(rewardPicture.height, 1440);
    const size_t last = PicturePlanes::at(2559, 1439);
    EXPECT_EQ(picturePlanes.reward[last], static_cast<uint32_t>(coordinateColour(2559, 1439)));
    // f = min(2, 2): every second pixel, all inside the planes.
    showFullPicture();
    EXPECT_EQ(at(s.area(), 1279, 719), coordinateColour(2558, 1438));
}

TEST(RewardPictureDrawing, JpegPictureIsConvertedAndKept)
{
    Stage s;
    writeJpg("video_4/videob_0.jpg", 320, 180, 0x2080C0);
    mediaChoice.rewardIndex = 4;
    const int t = aogettime();
    showStartPicture();
    EXPECT_GE(aogettime() - t, 1000);
    EXPECT_TRUE(fs::exists("video_4/videob_0.bmp"));
    EXPECT_EQ(rewardPicture.width, 320);
    EXPECT_EQ(at(s.area(), 5, 0), 0xFFFFFF);
    const int bottom = at(s.area(), 640, 719);
    EXPECT_NEAR(blue(bottom), 255 - (255 - 0xC0) * 719 / 1400, 3);
    // Flushed into the window picture.
    EXPECT_EQ(aopxmap_getpixel(&s.window.picture, 10 + 640, 180 + 719), bottom);

    // Converted once: a read-only folder (as installed) with its BMP is
    // not written to again, and says nothing.
    CaptureStdio console;
    fs::permissions("video_4", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_TRUE(convertJpegIfPresent(4, 0));
    fs::permissions("video_4", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(console.out, "");
}

TEST(ScaledDrawing, NearestAboveHalfBoxMeanAtHalf)
{
    Stage s;
    // Columns alternate 0 and 200 in red, rows alternate 0 and 100 in green.
    writeBmp("video_1/videob_0.bmp", 1280, 720,
             [](int x, int y) { return aographic_rgb(x % 2 ? 200 : 0, y % 2 ? 100 : 0, 50); });
    ASSERT_TRUE(loadRewardPicture(1));
    drawPictureScaled(320, 180, 1280, 720, 0.5, 0.5);
    // 2 x 2 blocks average to (100, 50, 50).
    EXPECT_EQ(at(s.area(), 320, 180), aographic_rgb(100, 50, 50));
    EXPECT_EQ(at(s.area(), 959, 539), aographic_rgb(100, 50, 50));
    // Outside the 640 x 360 picture: the clear grey.
    EXPECT_EQ(at(s.area(), 319, 300), 0xDEDEE1);
    EXPECT_EQ(at(s.area(), 961, 300), 0xDEDEE1);
    EXPECT_EQ(at(s.area(), 500, 179), 0xDEDEE1);
    EXPECT_EQ(at(s.area(), 500, 541), 0xDEDEE1);

    drawPictureScaled(0, 0, 1280, 720, 0.6, 0.6);
    // Nearest neighbour: column trunc(1 / 0.6) = 1 is red 200.
    EXPECT_EQ(at(s.area(), 1, 0), aographic_rgb(200, 0, 50));
    EXPECT_EQ(at(s.area(), 0, 0), aographic_rgb(0, 0, 50));
}

TEST(ScaledDrawing, EndZoomStep101ReachesTheFrameSize)
{
    Stage s;
    writeBmp("video_1/videob_0.bmp", 1280, 720, coordinateColour);
    ASSERT_TRUE(loadRewardPicture(1));
    drawEndZoomStep(101, 640, 360);
    // Scale 0.5 at corner (320, 180): the picture's 2 x 2 block means.
    const int corner = at(s.area(), 320, 180);
    EXPECT_EQ(red(corner), 0);  // mean of columns 0 and 1 = 0.5 -> 0
    EXPECT_EQ(green(corner), 0);
    const int far = at(s.area(), 320 + 639, 180 + 359);
    EXPECT_EQ(red(far), (1278 % 256 + 1279 % 256) / 2);
    EXPECT_EQ(at(s.area(), 319, 180), 0xDEDEE1);
    EXPECT_EQ(at(s.area(), 320, 179), 0xDEDEE1);
    EXPECT_EQ(at(s.area(), 961, 541), 0xDEDEE1);
    // Flushed to the window.
    EXPECT_EQ(aopxmap_getpixel(&s.window.picture, 10 + 320, 180 + 180), corner);

    // Step 1 barely shrinks: scale 1 - 640 / 129280.
    drawEndZoomStep(1, 640, 360);
    EXPECT_EQ(at(s.area(), 3, 1), coordinateColour(0, 0));
    EXPECT_EQ(at(s.area(), 2, 1), 0xDEDEE1);
}

TEST(ScaledDrawing, EveryZoomStepEqualsAWholeDrawingAndTheWindowShowsIt)
{
    // Steps clear and flush only what changed. After each, the area must be
    // what the plain drawing with its whole clearing makes of the area before
    // the step, and the window must show the area exactly: for pictures that
    // shrink inside the step before and for small ones whose right edge
    // moves outward.
    Stage s;
    for (auto [w, h] : {std::pair{1280, 720}, std::pair{500, 300}}) {
        writeBmp("video_1/videob_0.bmp", w, h, coordinateColour);
        ASSERT_TRUE(loadRewardPicture(1));
        aopxmap_clear(&s.area(), 0x123456);
        for (int step = 1; step <= 101; ++step) {
            const aoPixmap before = s.area();
            drawEndZoomStep(step, 640, 360);
            for (int y = 0; y < 720; ++y)
                ASSERT_EQ(std::memcmp(s.area().row(y), s.window.picture.row(180 + y) + 10, 1280 * 4), 0)
                    << w << "x" << h << " step " << step << " row " << y;
            const aoPixmap fast = s.area();
            s.area() = before;
            // The step's place and scale, reckoned as the zoom does.
            const double dx = (1280.0 - 640) / 202, dy = (720.0 - 360) / 202, ds = -(1280.0 - 640) / (1280 * 101.0);
            const double f = 1 + step * ds;
            drawPictureScaledPlain(static_cast<int>(step * dx), static_cast<int>(step * dy), w, h, f, f);
            ASSERT_TRUE(s.area().pixels == fast.pixels) << w << "x" << h << " step " << step;
            s.area() = fast;
        }
    }
}

TEST(ScaledDrawing, TinyFactorsStayInsideThePicture)
{
    Stage s;
    writeBmp("video_1/videob_0.bmp", 100, 50, [](int, int) { return 0x404040; });
    ASSERT_TRUE(loadRewardPicture(1));
    drawPictureScaled(0, 0, 100, 50, 0.015, 0.03); // blocks of 66 x 33 run over the edge
    EXPECT_EQ(at(s.area(), 0, 0), 0x404040);
    drawPictureScaled(-50, -50, 100, 50, 3.0, 3.0); // partly off the area
    EXPECT_EQ(at(s.area(), 0, 0), 0x404040);
    drawPictureScaled(10, 10, 100, 50, 0.0, -1.0);
    EXPECT_EQ(at(s.area(), 20, 20), 0xDEDEE1);
}

TEST(SavedRectangles, SaveIncludesEndsRestoreExcludesThem)
{
    Stage s;
    aographic_clear(0x111111);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) aographic_setpixel(x, y, aographic_rgb(x, y, 7));
    std::fill(picturePlanes.backup.begin(), picturePlanes.backup.end(), 0xAAAAAAu);
    saveAreaRect(10, 20, 10, 20);
    int saved = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) saved += picturePlanes.backup[PicturePlanes::at(x, y)] != 0xAAAAAAu;
    EXPECT_EQ(saved, 11 * 11);

    aographic_clear(0xFFFFFF);
    restoreAreaRect(10, 20, 10, 20);
    int restored = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (at(s.area(), x, y) != 0xFFFFFF) {
                ++restored;
                EXPECT_EQ(at(s.area(), x, y), aographic_rgb(x, y, 7));
            }
    EXPECT_EQ(restored, 10 * 10);
    EXPECT_EQ(at(s.area(), 20, 20), 0xFFFFFF);
    // Rectangles beyond the area are cut, not written past it.
    saveAreaRect(-5, 5000, -5, 5000);
    restoreAreaRect(-5, 5000, -5, 5000);
}

TEST(AvatarPictures, LogoAndAvatarGoThroughTheBackupPlanes)
{
    Stage s;
    writeBmp("avatar/logo_58.bmp", 132, 162, [](int x, int) { return x < 66 ? 0xFF0000 : 0x0000FF; });
    writeBmp("avatar/videob_1.bmp", 132, 162, [](int, int) { return 0x00FF00; });
    writeBmp("avatar/videob_45.bmp", 132, 162, [](int, int) { return 0x454545; });
    showLogo(58);
    aoPixmap& a = *s.avatar.pixmap();
    EXPECT_EQ(aopxmap_getpixel(&a, 0, 0), 0xFF0000);
    EXPECT_EQ(aopxmap_getpixel(&a, 131, 161), 0x0000FF);
    EXPECT_EQ(aopxmap_getpixel(&s.window.picture, 1160, 7), 0xFF0000);
    EXPECT_EQ(aographic_gettarget(), &s.task);

    showAvatar(0, 0, 0.0); // 0 % shows picture 1
    EXPECT_EQ(aopxmap_getpixel(&a, 60, 60), 0x00FF00);
    showAvatar(0, 0, 0.459);
    EXPECT_EQ(aopxmap_getpixel(&a, 60, 60), 0x454545);
    EXPECT_EQ(aographic_gettarget(), &s.task);

    // A missing picture draws nothing but still reselects the task area.
    s.avatar.select();
    showAvatar(0, 0, 0.77);
    EXPECT_EQ(aopxmap_getpixel(&a, 60, 60), 0x454545);
    EXPECT_EQ(aographic_gettarget(), &s.task);
}

TEST(AvatarPictures, BackupColumnWIsDrawnToo)
{
    Stage s;
    std::fill(picturePlanes.backup.begin(), picturePlanes.backup.end(), 0x333333u);
    drawBackupToAvatar(0, 0, 10, 5);
    aoPixmap& a = *s.avatar.pixmap();
    EXPECT_EQ(aopxmap_getpixel(&a, 10, 4), 0x333333);
    EXPECT_EQ(aopxmap_getpixel(&a, 11, 4), 0xFFFFFF);
    EXPECT_EQ(aopxmap_getpixel(&a, 10, 5), 0xFFFFFF);
    drawBackupToAvatar(0, 0, 5000, 5000); // held at the planes
}

// The fast drawings against their plain per-pixel references, bit for bit,
// on random pictures of odd and even sizes, smaller and larger than the area,
// drawn at offsets that cut rows 0 and 719 and the side columns.
TEST(FastPictureDrawing, MatchesThePlainLoopsOnRandomPictures)
{
    Stage s;
    unsigned state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) & 0xFFFFFF);
    };
    struct Case {
        int w, h, x, y;
        double f;
    };
    const Case cases[] = {{1280, 720, 0, 0, 0.5},  {641, 359, -3, 5, 0.6},     {1281, 721, 7, -2, 0.5},
                          {333, 777, 0, 0, 0.37}, {2000, 1111, -640, 0, 0.5}, {17, 9, 1270, 715, 0.51}};
    aoPixmap expected;
    for (const Case& c : cases) {
        writeBmp("video_1/videob_0.bmp", c.w, c.h, [&](int, int) { return next(); });
        ASSERT_TRUE(loadRewardPicture(1));
        const auto same = [&](const char* what) {
            const aoPixmap& got = s.area();
            ASSERT_EQ(got.pixels.size(), expected.pixels.size());
            for (size_t i = 0; i < got.pixels.size(); ++i)
                ASSERT_EQ(got.pixels[i], expected.pixels[i])
                    << what << " " << c.w << "x" << c.h << " at pixel " << i % 1280 << "," << i / 1280;
        };
        drawPictureCoverPlain(c.x, c.y, c.w, c.h);
        expected = s.area();
        drawPictureCover(c.x, c.y, c.w, c.h);
        same("cover");
        drawPictureFadedPlain(c.x, c.y, c.w, c.h);
        expected = s.area();
        drawPictureFaded(c.x, c.y, c.w, c.h);
        same("faded");
        drawPictureScaledPlain(c.x + 100, c.y + 50, c.w, c.h, c.f, c.f);
        expected = s.area();
        drawPictureScaled(c.x + 100, c.y + 50, c.w, c.h, c.f, c.f);
        same("scaled");
    }
}
