// Picture objects, picture kinds, file lookup and the JPEG to BMP converter.
#include "aotoolkit.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Capture : aoStdio {
    std::string text;
    aoStdio* previous = aogetstdio();
    Capture() { aosetstdio(this); }
    ~Capture() override { aosetstdio(previous); }
    void stdwrite(const char* t) override { text += t; }
    bool stdreadline(char*, int) override { return false; }
};

// A fresh folder per test, and the working directory restored afterwards.
struct Folder {
    fs::path dir;
    fs::path oldCwd = fs::current_path();
    explicit Folder(const std::string& name)
    {
        dir = fs::temp_directory_path() / ("ziffron_image_" + std::to_string(getpid())) / name;
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~Folder()
    {
        fs::current_path(oldCwd);
        fs::remove_all(dir);
    }
};

const fs::path kJpegs = fs::path(ZIFFRON_TEST_DATA) / "jpeg";

std::vector<uint32_t> pattern(int w, int h)
{
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < px.size(); i++) px[i] = static_cast<uint32_t>(0x010203 * (i + 1));
    return px;
}

void writeBmp(const fs::path& p, int w, int h)
{
    const auto bytes = aobmp_encode(pattern(w, h).data(), w, h);
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
}

bool near(int colour, int r, int g, int b, int tolerance)
{
    return std::abs(((colour >> 16) & 255) - r) <= tolerance && std::abs(((colour >> 8) & 255) - g) <= tolerance &&
           std::abs((colour & 255) - b) <= tolerance;
}

TEST(Image, CreatedEmpty)
{
    aoImage img;
    EXPECT_TRUE(img.pixels.empty());
    EXPECT_EQ(img.font, -1);
    EXPECT_FALSE(img.loaded);
    EXPECT_EQ(img.code[15], img.code[0] + 15);
    EXPECT_GE(img.code[0], 1000000);
}

TEST(ImageLoad, LabelThenFileTakesFileSizeAndBecomesTarget)
{
    Folder f("load");
    writeBmp(f.dir / "videob_2.bmp", 5, 3);
    aoImage img;
    ASSERT_TRUE(img.load("ausgabegrafik1,load=%s/videob_%d.bmp", f.dir.c_str(), 2));
    EXPECT_TRUE(img.loaded);
    EXPECT_EQ(img.width, 5);
    EXPECT_EQ(img.height, 3);
    EXPECT_EQ(img.pixels, pattern(5, 3));
    EXPECT_EQ(aographic_gettarget(), &img);
    aographic_settarget(nullptr);
}

TEST(ImageLoad, FirstTokenMayBeTheFileOption)
{
    Folder f("plain");
    writeBmp(f.dir / "a.bmp", 2, 2);
    aoImage img;
    ASSERT_TRUE(img.load("load=%s", (f.dir / "a.bmp").c_str()));
    EXPECT_EQ(img.width, 2);
    EXPECT_EQ(aopxmap_getpixel(&img, 1, 1), static_cast<int>(pattern(2, 2)[3]));
    aographic_settarget(nullptr);
}

TEST(ImageLoad, NoStdoutKeepsTheTarget)
{
    Folder f("nostdout");
    writeBmp(f.dir / "a.bmp", 2, 2);
    aoPixmap other;
    aographic_settarget(&other);
    aoImage img;
    ASSERT_TRUE(img.load("pic,img=%s,nostdout", (f.dir / "a.bmp").c_str()));
    EXPECT_EQ(aographic_gettarget(), &other);
    aoImage img2;
    ASSERT_TRUE(img2.load("pic,image=%s,NoStandardOut", (f.dir / "a.bmp").c_str()));
    EXPECT_EQ(aographic_gettarget(), &other);
    aographic_settarget(nullptr);
}

TEST(ImageLoad, MissingFileGivesMinusOneSizeAndTrue)
{
    aoImage img;
    Capture out;
    EXPECT_TRUE(img.load("ausgabegrafik1,load=/nonexistent/videob_%d.bmp", 7));
    EXPECT_EQ(img.width, -1);
    EXPECT_EQ(img.height, -1);
    EXPECT_TRUE(img.loaded);
    EXPECT_EQ(aopxmap_getpixel(&img, 0, 0), -1);
    EXPECT_EQ(out.text, "");
    aographic_settarget(nullptr);
}

TEST(ImageLoad, GivenSizeCutsAndBackgroundFills)
{
    Folder f("size");
    writeBmp(f.dir / "a.bmp", 4, 4);
    aoImage small;
    ASSERT_TRUE(small.load("x,load=%s,xs=2,ys=3,nostdout", (f.dir / "a.bmp").c_str()));
    EXPECT_EQ(small.width, 2);
    EXPECT_EQ(small.height, 3);
    EXPECT_EQ(aopxmap_getpixel(&small, 1, 2), static_cast<int>(pattern(4, 4)[2 * 4 + 1]));
    EXPECT_EQ(aopxmap_getpixel(&small, 2, 0), -1);

    aoImage big;
    ASSERT_TRUE(big.load("x,load=%s,xs=6,ys=5,x=1,y=-3,bgcolor=ff0000,nostdout", (f.dir / "a.bmp").c_str()));
    EXPECT_EQ(aopxmap_getpixel(&big, 0, 0), 0xFF0000);
    EXPECT_EQ(aopxmap_getpixel(&big, 1, 0), static_cast<int>(pattern(4, 4)[0]));
    EXPECT_EQ(aopxmap_getpixel(&big, 5, 4), 0xFF0000);
}

TEST(ImageLoad, ReloadFreesThePreviousPicture)
{
    Folder f("reload");
    writeBmp(f.dir / "a.bmp", 4, 4);
    aoImage img;
    ASSERT_TRUE(img.load("x,load=%s,nostdout", (f.dir / "a.bmp").c_str()));
    ASSERT_TRUE(img.load("x,load=%s,nostdout", (f.dir / "missing.bmp").c_str()));
    EXPECT_EQ(img.width, -1);
    EXPECT_TRUE(img.pixels.empty());
}

TEST(ImageLoad, BrokenFileIsFalseWithMessage)
{
    const std::string bad = std::string(ZIFFRON_TEST_DATA) + "/malformed/header_truncated.bmp";
    aoImage img;
    Capture out;
    EXPECT_FALSE(img.load("x,load=%s,nostdout", bad.c_str()));
    EXPECT_NE(out.text.find("BMP header truncated: 30 of 54 bytes"), std::string::npos) << out.text;

    const std::string rows = std::string(ZIFFRON_TEST_DATA) + "/malformed/rows_truncated.bmp";
    Capture out2;
    EXPECT_FALSE(img.load("x,load=%s,nostdout", rows.c_str()));
    EXPECT_NE(out2.text.find("BMP pixel data truncated"), std::string::npos) << out2.text;
}

TEST(ImageLoad, UnsupportedPixelFormatRefused)
{
    Folder f("format");
    writeBmp(f.dir / "a.bmp", 2, 2);
    aoImage img;
    Capture out;
    EXPECT_FALSE(img.load("x,load=%s,palette16,nostdout", (f.dir / "a.bmp").c_str()));
    EXPECT_EQ(out.text, "aopxmap_loadfromfile_bmp: PX-Format 2 not supported (should load and copy then)\n");
}

TEST(PictureKind, ByExtensionIgnoringCase)
{
    EXPECT_EQ(aopicture_kind("a.png"), 1);
    EXPECT_EQ(aopicture_kind("video_1/videob_3.BMP"), 2);
    EXPECT_EQ(aopicture_kind("x.xpm"), 3);
    EXPECT_EQ(aopicture_kind("x.ppm"), 4);
    EXPECT_EQ(aopicture_kind("x.pcx"), 5);
    EXPECT_EQ(aopicture_kind("x.htm"), 6);
    EXPECT_EQ(aopicture_kind("x.HTML"), 6);
    EXPECT_EQ(aopicture_kind("x.wmf"), 7);
    EXPECT_EQ(aopicture_kind("x.ps"), 8);
    EXPECT_EQ(aopicture_kind("x.pdf"), 9);
    EXPECT_EQ(aopicture_kind("x.jpg"), 0);
    EXPECT_EQ(aopicture_kind("dir.bmp/noext"), 0);
    EXPECT_EQ(aopicture_kind(""), 0);
}

TEST(FindFile, FormatsAndReportsTheNameFound)
{
    Folder f("find");
    fs::create_directories(f.dir / "Bilder");
    std::ofstream(f.dir / "Bilder" / "videob_3.jpg") << "x";
    fs::current_path(f.dir);
    std::string found;
    EXPECT_TRUE(aofindfile(found, "Bilder/videob_%d.jpg", 3));
    EXPECT_EQ(found, "Bilder/videob_3.jpg");
    found = "unchanged";
    EXPECT_FALSE(aofindfile(found, "Bilder/videob_%d.jpg", 4));
    EXPECT_EQ(found, "unchanged");
    // Other capitals than on disk still find the file, under its real name.
    EXPECT_TRUE(aofindfile(found, "bilder/VIDEOB_%d.JPG", 3));
    EXPECT_EQ(found, "Bilder/videob_3.jpg");
}

TEST(Jpg2Bmp, ConvertsOneFileBesideIt)
{
    Folder f("one");
    fs::create_directories(f.dir / "Bilder");
    fs::copy_file(kJpegs / "videob_3.jpg", f.dir / "Bilder" / "videob_3.jpg");
    fs::current_path(f.dir);
    std::string jpg;
    ASSERT_TRUE(aofindfile(jpg, "Bilder/videob_%d.jpg", 3));
    EXPECT_EQ(aojpg2bmp(jpg.c_str()), 1);
    ASSERT_TRUE(fs::exists("Bilder/videob_3.bmp"));

    aoImage img;
    ASSERT_TRUE(img.load("ausgabegrafik1,load=Bilder/videob_%d.bmp,nostdout", 3));
    EXPECT_EQ(img.width, 13); // not a multiple of 4: rows padded
    EXPECT_EQ(img.height, 7);
    for (int y = 0; y < 7; y++)
        for (int x = 0; x < 13; x++)
            EXPECT_TRUE(near(aopxmap_getpixel(&img, x, y), 0xC0, 0x30, 0x20, 10)) << x << "," << y;
}

TEST(Jpg2Bmp, BrokenJpegIsSkippedWithMessage)
{
    Folder f("broken");
    fs::copy_file(kJpegs / "broken.jpg", f.dir / "broken.jpg");
    Capture out;
    EXPECT_EQ(aojpg2bmp((f.dir / "broken.jpg").c_str()), 0);
    EXPECT_FALSE(fs::exists(f.dir / "broken.bmp"));
    EXPECT_NE(out.text.find("broken.jpg"), std::string::npos);
    EXPECT_EQ(aojpg2bmp((f.dir / "absent.jpeg").c_str()), 0);
}

TEST(Jpg2Bmp, TruncatedJpegNeverCrashes)
{
    Folder f("truncated");
    fs::copy_file(kJpegs / "truncated.jpg", f.dir / "t.jpg");
    Capture out;
    const int n = aojpg2bmp((f.dir / "t.jpg").c_str());
    EXPECT_EQ(fs::exists(f.dir / "t.bmp"), n == 1);
    EXPECT_NE(out.text.find("t.jpg"), std::string::npos); // damaged: said so either way
}

TEST(Jpg2Bmp, AHugeClaimIsDecodedScaledDown)
{
    // 367 bytes (found by fuzzing) that claim 10240 x 12288 pixels: decoded
    // at a quarter, aspect kept, instead of a gigabyte of pixels.
    int w = 0, h = 0;
    std::vector<uint32_t> rgb;
    std::string err;
    platform::decodeJpeg((kJpegs / "huge_claim.jpg").string(), w, h, rgb, err);
    EXPECT_EQ(w, 2560);
    EXPECT_EQ(h, 3072);
    EXPECT_EQ(rgb.size(), static_cast<size_t>(w) * h);
}

TEST(Jpg2Bmp, FolderAndWorkingDirectoryCountConversions)
{
    Folder f("folder");
    fs::create_directories(f.dir / "Bilder");
    fs::copy_file(kJpegs / "videob_3.jpg", f.dir / "Bilder" / "videob_1.jpg");
    fs::copy_file(kJpegs / "videob_3.jpg", f.dir / "Bilder" / "videob_2.JPEG");
    fs::copy_file(kJpegs / "broken.jpg", f.dir / "Bilder" / "videob_9.jpg");
    std::ofstream(f.dir / "Bilder" / "notes.txt") << "x";
    Capture out;
    EXPECT_EQ(aojpg2bmp((f.dir / "Bilder").c_str()), 2);
    EXPECT_TRUE(fs::exists(f.dir / "Bilder" / "videob_1.bmp"));
    EXPECT_TRUE(fs::exists(f.dir / "Bilder" / "videob_2.bmp"));
    EXPECT_FALSE(fs::exists(f.dir / "Bilder" / "videob_9.bmp"));

    fs::copy_file(kJpegs / "videob_3.jpg", f.dir / "here.jpg");
    fs::current_path(f.dir);
    EXPECT_EQ(aojpg2bmp(nullptr), 1);
    EXPECT_TRUE(fs::exists(f.dir / "here.bmp"));
    EXPECT_EQ(aojpg2bmp("Bilder/"), 2); // trailing separator
}

} // namespace
