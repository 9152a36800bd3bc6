// The frame-sequence player, its count file and the end sequence.
#include "media_test_util.h"

#include <climits>

using namespace mediatest;

namespace {

const int kFrameColours[] = {0x110000, 0x002200, 0x000033, 0x440044, 0x555500};

void writeFrames(const std::string& folder, int count, int w, int h, bool jpeg = false)
{
    for (int k = 1; k <= count; ++k) {
        const fs::path p = folder + "/videob_" + std::to_string(k) + (jpeg ? ".jpg" : ".bmp");
        const int c = kFrameColours[(k - 1) % 5];
        if (jpeg) writeJpg(p, w, h, c);
        else writeBmp(p, w, h, [c](int, int) { return c; });
    }
}

} // namespace

TEST(FrameCountFile, ReadLikeACInteger)
{
    auto count = [](const std::string& s) { return parseFrameCount(s.data(), s.size()); };
    EXPECT_EQ(count("12"), 12);
    EXPECT_EQ(count("12\n"), 12);
    EXPECT_EQ(count("  7 frames"), 7);
    EXPECT_EQ(count("+5"), 5);
    EXPECT_EQ(count("-3"), -3);
    EXPECT_EQ(count("abc"), 0);
    EXPECT_EQ(count(""), 0);
    EXPECT_EQ(count("1000000000"), 1000000000);
    EXPECT_EQ(count("99999999999999999999"), INT_MAX);
    EXPECT_EQ(count("-99999999999999999999"), INT_MIN);
    // Only the first 20 bytes count.
    EXPECT_EQ(count(std::string(19, ' ') + "42"), 4);
    EXPECT_EQ(count(std::string(20, ' ') + "42"), 0);
}

TEST(FrameSequence, LoadsOneFramePerTickInTheBackground)
{
    Stage s("wait 1\nclose\n");
    writeFrames("video_3", 4, 64, 48);
    writeText("video_3/obj-anz.txt", "4\n");
    EXPECT_EQ(pictureSequence.open("video_%d", 3), 4);
    EXPECT_STREQ(pictureSequence.folder, "video_3");
    EXPECT_EQ(pictureSequence.state, 1);
    EXPECT_EQ(pictureSequence.loaded, 1);
    aowait(0.015); // one or two ticks
    EXPECT_GE(pictureSequence.loaded, 2);
    aowait(0.1);
    EXPECT_EQ(pictureSequence.loaded, 4);
    EXPECT_EQ(pictureSequence.state, 2);
    EXPECT_EQ(pictureSequence.allLoaded, 1);
    EXPECT_EQ(pictureSequence.maxWidth, 64);
    EXPECT_EQ(pictureSequence.maxHeight, 48);
    // Loading in a tick does not take the drawing target away from the area.
    EXPECT_EQ(aographic_gettarget(), &s.task);
}

TEST(FrameSequence, LateTickShowsEveryOverdueFrameAndNoneBeyond)
{
    Stage s;
    writeFrames("video_1", 3, 20, 10);
    writeText("video_1/obj-anz.txt", "3");
    ASSERT_EQ(pictureSequence.open("video_%d", 1), 3);
    pictureSequence.begin(&s.window, 100, 100, 25);
    EXPECT_EQ(pictureSequence.frameInterval, 40);
    EXPECT_EQ(pictureSequence.playing, 1);
    EXPECT_EQ(pictureSequence.shown, 0);
    pictureSequence.tick(pictureSequence.startTime + 100);
    EXPECT_EQ(pictureSequence.shown, 3);
    EXPECT_EQ(pictureSequence.current, 3);
    EXPECT_EQ(pictureSequence.playing, 0);
    EXPECT_EQ(pictureSequence.state, 2);
    pictureSequence.tick(pictureSequence.startTime + 1000);
    EXPECT_EQ(pictureSequence.shown, 3);
    // Stopped with -1: the frame rectangle has the window's background again.
    EXPECT_EQ(aopxmap_getpixel(&s.window.picture, 105, 105), 0xE0E0E0);
}

TEST(FrameSequence, PlaysAtTwentyFiveFramesASecond)
{
    Stage s;
    writeFrames("video_1", 5, 20, 10);
    writeText("video_1/obj-anz.txt", "5");
    ASSERT_EQ(pictureSequence.open("video_%d", 1), 5);
    pictureSequence.play(&s.window, 0, 0, 25);
    EXPECT_EQ(pictureSequence.shown, 1);
    EXPECT_EQ(aopxmap_getpixel(&s.window.picture, 5, 5), kFrameColours[0]);
    aowait(0.045);
    EXPECT_EQ(pictureSequence.shown, 2);
    EXPECT_EQ(aopxmap_getpixel(&s.window.picture, 5, 5), kFrameColours[1]);
    const int t = aogettime();
    pictureSequence.waitForEnd();
    EXPECT_EQ(pictureSequence.shown, 5);
    EXPECT_LE(aogettime() - t, 600);
}

TEST(FrameSequence, JpegFramesAreConvertedAndTheirBmpDeleted)
{
    Stage s;
    writeFrames("video_2", 3, 32, 16, true);
    writeText("video_2/obj-anz.txt", "3");
    ASSERT_EQ(pictureSequence.open("video_%d", 2), 3);
    pictureSequence.loadAll();
    EXPECT_EQ(pictureSequence.frames.size(), 3u);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_TRUE(fs::exists("video_2/videob_" + std::to_string(k) + ".jpg"));
        EXPECT_FALSE(fs::exists("video_2/videob_" + std::to_string(k) + ".bmp"));
    }
    EXPECT_NEAR((pictureSequence.frames[1]->pixels[0] >> 8) & 255, 0x22, 4);
}

TEST(FrameSequence, AbsurdCountsAreCappedAndMissingFramesSkipped)
{
    Stage s;
    writeFrames("video_5", 3, 16, 16);
    writeText("video_5/obj-anz.txt", "1000000000");
    CaptureStdio console;
    EXPECT_EQ(pictureSequence.open("video_%d", 5), kMaxSequenceFrames);
    EXPECT_NE(console.out.find("1000000000 frames claimed"), std::string::npos);
    pictureSequence.loadAll();
    EXPECT_EQ(pictureSequence.loaded, kMaxSequenceFrames);
    EXPECT_EQ(pictureSequence.frames.size(), 3u);
    pictureSequence.begin(&s.window, 0, 0, 25);
    pictureSequence.tick(pictureSequence.startTime + 10000);
    EXPECT_EQ(pictureSequence.shown, 3);
    EXPECT_EQ(pictureSequence.playing, 0);
}

TEST(FrameSequence, BrokenFramesAreLeftOut)
{
    Stage s;
    writeFrames("video_6", 3, 16, 16);
    const fs::path data = ZIFFRON_TEST_DATA;
    fs::copy_file(data / "malformed" / "rows_truncated.bmp", "video_6/videob_2.bmp", fs::copy_options::overwrite_existing);
    fs::copy_file(data / "jpeg" / "truncated.jpg", "video_6/videob_4.jpg");
    fs::copy_file(data / "jpeg" / "broken.jpg", "video_6/videob_5.jpg");
    writeText("video_6/obj-anz.txt", "5");
    CaptureStdio console;
    ASSERT_EQ(pictureSequence.open("video_%d", 6), 5);
    pictureSequence.loadAll();
    EXPECT_GE(pictureSequence.frames.size(), 2u);
    EXPECT_LE(pictureSequence.frames.size(), 4u);
    for (const auto& f : pictureSequence.frames) EXPECT_GT(f->width, 0);
}

TEST(FrameSequence, FolderWithoutCountReportsAndPlaysNothing)
{
    Stage s;
    CaptureStdio console;
    EXPECT_EQ(pictureSequence.open("video_%d", 9), 0);
    EXPECT_EQ(console.out, "error video_9\n");
    writeText("video_8/obj-anz.txt", "-4");
    EXPECT_EQ(pictureSequence.open("video_%d", 8), 0);
    EXPECT_EQ(pictureSequence.state, 0);
    pictureSequence.play(&s.window, 0, 0, 25);
    EXPECT_EQ(pictureSequence.playing, 0);
    const int t = aogettime();
    pictureSequence.waitForEnd();
    EXPECT_EQ(aogettime(), t);
}

TEST(EndSequence, AfterAChampionShowOnlyTheTextAndClip)
{
    Stage s;
    writeWav("sound/ENDE/ENDE-1.wav");
    mediaChoice.rewardIndex = -1;
    const int t = aogettime();
    runEndSequence();
    EXPECT_EQ(s.term, "\n\n\n\n\n\n                         < E N D E >");
    EXPECT_EQ(s.sounds(), "");
    EXPECT_STREQ(mediaPath, "sound/ENDE/ENDE--1.wav");
    EXPECT_EQ(aogettime(), t);
}

TEST(EndSequence, ZoomsWaitsAndPlaysTheVideo)
{
    Stage s;
    writeBmp("video_2/videob_0.bmp", 1280, 720, [](int, int) { return 0x3366CC; });
    writeFrames("video_2", 3, 640, 360);
    writeText("video_2/obj-anz.txt", "3");
    writeWav("sound/ENDE/ENDE-2.wav");
    writeWav("video_2/sound.wav");
    mediaChoice.rewardIndex = 2;
    loadRewardPicture(2);
    ASSERT_EQ(pictureSequence.open("video_%d", 2), 3);
    const int t = aogettime();
    runEndSequence();
    EXPECT_EQ(s.sounds(), "sound/ENDE/ENDE-2.wav\nvideo_2/sound.wav\n");
    // 101 steps of at least 10 ms, 3 s, then three frames at 40 ms.
    EXPECT_GE(aogettime() - t, 1010 + 3000 + 80);
    EXPECT_LT(aogettime() - t, 1010 + 3000 + 3000);
    EXPECT_EQ(pictureSequence.shown, 3);
    EXPECT_EQ(pictureSequence.x, 10 + 320);
    EXPECT_EQ(pictureSequence.y, 180 + 180);
    // The last zoom step left the shrunken picture in the area.
    EXPECT_EQ(aopxmap_getpixel(s.task.pixmap(), 400, 300), 0x3366CC);
    EXPECT_EQ(aopxmap_getpixel(s.task.pixmap(), 100, 100), 0xDEDEE1);
    // The window rectangle was cleared and the frame rectangle stopped to the background.
    EXPECT_EQ(aopxmap_getpixel(&s.window.picture, 10 + 400, 180 + 300), 0xE0E0E0);
}
