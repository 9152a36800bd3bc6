// Plays the quiz in process on the headless backend, in a small media tree
// of its own, so every sound started shows in the transcript.
#pragma once

#include "answer_rows.h"
#include "catalog.h"
#include "pictures.h"
#include "quiz.h"
#include "sounds.h"
#include "media/media_test_util.h"
#include "toolkit/harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace quiztest {

// A tiny one-colour picture.
inline void writeBmp(const std::filesystem::path& p, int colour)
{
    mediatest::writeBmp(p, 16, 16, [colour](int, int) { return colour; });
}

// One video, one clip of every kind; the avatars are red, the logo blue.
inline std::string makeMediaTree()
{
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("ziffron_quiz_media_" + std::to_string(::getpid()));
    if (fs::exists(root / "sound/soundparameter.txt")) return root.string();
    fs::create_directories(root / "sound");
    std::ofstream(root / "sound/soundparameter.txt") << "1\n1\n1\n1\n1\n1\n1\n1\n1\n1\n1\n1\n";
    for (const char* f : {"sound/ANFANG/ANFANG-1.wav", "sound/RIGHT/right-0.wav", "sound/WRONG/wrong-0.wav",
                          "sound/OVER/over-0.wav", "sound/CHAMPION/champion-0.wav", "sound/GESCHAFFT/geschafft1.wav",
                          "sound/ENDE/ENDE-1.wav", "sound/champion-a1.wav", "video_1/sound.wav"})
        mediatest::writeWav(root / f);
    for (int i = 1; i <= 5; ++i) mediatest::writeWav(root / ("sound/warten-" + std::to_string(i) + ".wav"));
    writeBmp(root / "video_1/videob_0.bmp", 0x00FF00);
    writeBmp(root / "champion/videob_0.bmp", 0xFFFF00);
    writeBmp(root / "avatar/logo_58.bmp", 0x0000FF);
    for (int i = 1; i <= 100; ++i) writeBmp(root / ("avatar/videob_" + std::to_string(i) + ".bmp"), 0xFF0000);
    std::ofstream(root / "video_1/obj-anz.txt") << "0\n";
    return root.string();
}

// A window shot written by the script's "shot" line.
inline aoPixmap readShot(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    aoPixmap p;
    std::string err;
    EXPECT_TRUE(aobmp_decode(bytes.data(), bytes.size(), &p, err)) << path << ": " << err;
    return p;
}

inline int count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// A fresh headless run over the main screen (built once per process).
class Quiz : public ::testing::Test {
protected:
    void start(const std::string& script)
    {
        static std::string media = makeMediaTree();
        // Settings the program keeps (the selection file) go to a folder of the test's own.
        static const std::string config = configHome();
        std::filesystem::current_path(media);
        run.reset();
        run = std::make_unique<HeadlessRun>(script);
        static bool built = false;
        if (!built) {
            setupMainScreen();
            firstShown() = {screen.getvalue("udStufe"), screen.getvalue("udAnzahlAufgaben"),
                            aopxmap_getpixel(soundIndicator.pixmap(), 1, 1), aopxmap_getpixel(gradeBox.pixmap(), 1, 1),
                            aopxmap_getpixel(progressBar.pixmap(), 1, 1), aopxmap_getpixel(avatarArea.pixmap(), 1, 1)};
            built = true;
        }
        catalog_filltables();
        std::filesystem::remove_all(config + "/ziffron");
        selectionFile.clear();
        loadSelection();
        fillSecondsPerTask();
        soundOn = 1;
        elapsedSeconds = 0;
        run->transcript.clear();
    }

    // Sets the controls and presses START as a pupil would.
    void play(int lvl, int diff, int tasks, unsigned seed = 7)
    {
        screen.setvalue("udStufe", lvl);
        screen.setvalue("udSchwierigkeit", diff);
        screen.setvalue("udAnzahlAufgaben", tasks);
        aoi::settings().seed = seed;
        startGame();
    }

    // "answer right"/"answer wrong" lines, one per task, far enough apart.
    static std::string answers(const std::string& pattern, int firstWait = 20)
    {
        std::string s = "wait " + std::to_string(firstWait) + "\n";
        for (char c : pattern) {
            // Long enough for a wrong answer's Lösungsweg to be read.
            if (c == 'r') s += "answer right\nwait 20\n";
            else if (c == 'w') s += "answer wrong\nwait 20\n";
            else if (c == 'e') s += "key Escape\nwait 20\n";
        }
        return s;
    }

    std::string& transcript() { return run->transcript; }

    // The main screen as it was first shown: built once per process, so the
    // tests before may have changed it since.
    struct FirstShown {
        int level = 0, tasks = 0, soundPixel = 0, gradePixel = 0, progressPixel = 0, avatarPixel = 0;
    };
    static FirstShown& firstShown()
    {
        static FirstShown shown;
        return shown;
    }

    static std::string configHome()
    {
        const std::string dir =
            (std::filesystem::temp_directory_path() / ("ziffron_quiz_config_" + std::to_string(::getpid()))).string();
        ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
        return dir;
    }
    std::unique_ptr<HeadlessRun> run;
};

} // namespace quiztest
