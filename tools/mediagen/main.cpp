// ziffron-mediagen: writes a complete sample media tree (every folder and
// file name the trainer looks for) so that a fresh build is alive: spoken
// clips, math-themed reward pictures and videos, avatars and logos.
//
//   ziffron-mediagen [--tones] DIR
#include "mediagen.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace mediagen;

namespace {

std::string root;
int failures = 0;

std::string at(const std::string& rel)
{
    return root + "/" + rel;
}

void bmp(const aoPixmap& p, const std::string& rel)
{
    if (!saveBmp(p, at(rel))) ++failures;
}

void jpg(const aoPixmap& p, const std::string& rel)
{
    if (!saveJpg(p, at(rel))) ++failures;
}

std::string name(const char* format, int n)
{
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, format, n);
    return buffer;
}

void frameCount(int video, int frames)
{
    FILE* f = std::fopen(at(name("video_%d/obj-anz.txt", video)).c_str(), "wb");
    if (!f) {
        ++failures;
        return;
    }
    std::fprintf(f, "%d\n", frames);
    std::fclose(f);
}

// A small tune for a video's sound track, about as long as its frames last.
std::vector<Note> tune(int video, double seconds)
{
    static const double scales[4][5] = {{523.3, 587.3, 659.3, 784.0, 880.0},
                                        {440.0, 523.3, 587.3, 659.3, 784.0},
                                        {392.0, 440.0, 523.3, 587.3, 659.3},
                                        {349.2, 392.0, 440.0, 523.3, 587.3}};
    const double* s = scales[(video - 1) % 4];
    std::vector<Note> notes;
    const int count = std::max(4, static_cast<int>(seconds / 0.2));
    for (int i = 0; i < count; ++i) notes.push_back({s[(i * (video + 1) + i / 3) % 5], 0.2});
    notes.push_back({s[0] / 2, 0.5});
    return notes;
}

// The four videos: reward picture, frames, count and sound track.
void videos()
{
    // 1: a zoom into the Mandelbrot set; BMP frames.
    fs::create_directories(at("video_1"));
    bmp(mandelbrot(1280, 720, -0.6, 0, 3.4, 160), "video_1/videob_0.bmp");
    const int frames1 = 30;
    for (int k = 1; k <= frames1; ++k) {
        const double t = (k - 1) / static_cast<double>(frames1 - 1);
        const double span = 3.4 * std::pow(0.02 / 3.4, t);
        bmp(mandelbrot(480, 270, -0.6 + (-0.7435 + 0.6) * std::min(1.0, t * 1.6), 0.1314 * std::min(1.0, t * 1.6), span,
                       120 + k * 4),
            name("video_1/videob_%d.bmp", k));
    }
    frameCount(1, frames1);

    // 2: a turning hexagon tiling; frames delivered as JPEG only.
    fs::create_directories(at("video_2"));
    bmp(hexTiling(640, 360, 0), "video_2/videob_0.bmp");
    const int frames2 = 24;
    for (int k = 1; k <= frames2; ++k) jpg(hexTiling(640, 360, k * 2 * M_PI / frames2 / 3), name("video_2/videob_%d.jpg", k));
    frameCount(2, frames2);

    // 3: spirograph curves drawing themselves; an 800 x 720 reward picture.
    fs::create_directories(at("video_3"));
    bmp(spirograph(800, 720, 1.0), "video_3/videob_0.bmp");
    const int frames3 = 25;
    for (int k = 1; k <= frames3; ++k) bmp(spirograph(400, 300, k / static_cast<double>(frames3)), name("video_3/videob_%d.bmp", k));
    frameCount(3, frames3);

    // 4: the platonic solids; the reward picture as JPEG only.
    fs::create_directories(at("video_4"));
    jpg(solids(1280, 720, 0.4), "video_4/videob_0.jpg");
    const int frames4 = 40;
    for (int k = 1; k <= frames4; ++k) bmp(solids(320, 180, 0.4 + k * 2 * M_PI / frames4), name("video_4/videob_%d.bmp", k));
    frameCount(4, frames4);

    const int counts[4] = {frames1, frames2, frames3, frames4};
    for (int v = 1; v <= 4; ++v)
        if (!writeWav(at(name("video_%d/sound.wav", v)), synthesise(tune(v, counts[v - 1] / 25.0 + 0.5)))) ++failures;
}

void pictures()
{
    fs::create_directories(at("champion"));
    bmp(julia(1280, 720, -0.8, 0.156), "champion/videob_0.bmp");
    bmp(sierpinski(960, 540), "champion/videob_1.bmp");

    fs::create_directories(at("avatar"));
    for (int n = 1; n <= 100; ++n) bmp(avatar(n), name("avatar/videob_%d.bmp", n));
    bmp(logo("58", 210), "avatar/logo_58.bmp");
    bmp(logo("14", 120), "avatar/logo_14.bmp");
    bmp(logo("IQ 1", 30), "avatar/logo_iq1.bmp");
    bmp(logo("IQ 2", 300), "avatar/logo_iq2.bmp");
}

std::vector<Note> chord(std::initializer_list<double> hz, double each)
{
    std::vector<Note> n;
    for (double h : hz) n.push_back({h, each});
    return n;
}

std::vector<Phrase> phrases()
{
    const auto up = chord({523.3, 659.3, 784.0, 1046.5}, 0.12);
    const auto down = chord({392.0, 311.1}, 0.25);
    const auto bell = chord({880.0, 0, 880.0}, 0.15);
    const auto fanfare = chord({523.3, 523.3, 784.0, 659.3, 1046.5}, 0.15);
    const auto end = chord({784.0, 659.3, 523.3, 392.0}, 0.2);
    std::vector<Phrase> p;
    const char* start[] = {"Los geht's!", "Auf geht's, viel Erfolg!", "Los geht's! Konzentrier dich.",
                           "Auf die Plätze, fertig, los!"};
    const char* done[] = {"Geschafft!", "Geschafft! Gut gemacht.", "Level geschafft!", "Geschafft, prima!"};
    const char* ende[] = {"Ende. Bis zum nächsten Mal!", "Tschüss und bis bald!", "Das war's. Auf Wiedersehen!",
                          "Ende. Schön, dass du geübt hast."};
    for (int n = 1; n <= 4; ++n) {
        p.push_back({at(name("sound/ANFANG/ANFANG-%d.wav", n)), start[n - 1], up});
        p.push_back({at(name("sound/GESCHAFFT/geschafft%d.wav", n)), done[n - 1], fanfare});
        p.push_back({at(name("sound/ENDE/ENDE-%d.wav", n)), ende[n - 1], end});
    }
    const char* right[] = {"Richtig!", "Super gemacht!", "Sehr gut!"};
    const char* wrong[] = {"Leider falsch.", "Das stimmt leider nicht.", "Schade, falsch."};
    for (int k = 0; k < 3; ++k) {
        p.push_back({at(name("sound/RIGHT/right-%d.wav", k)), right[k], chord({659.3, 784.0 + 100 * k}, 0.15)});
        p.push_back({at(name("sound/WRONG/wrong-%d.wav", k)), wrong[k], down});
    }
    p.push_back({at("sound/OVER/over-0.wav"), "Spiel vorbei. Zu viele Fehler.", end});
    p.push_back({at("sound/OVER/over-1.wav"), "Game over! Versuch es gleich noch einmal.", down});
    p.push_back({at("sound/CHAMPION/champion-0.wav"), "Du bist der Champion! Kein einziger Fehler!", fanfare});
    p.push_back({at("sound/CHAMPION/champion-1.wav"), "Fantastisch! Alles richtig!", fanfare});
    p.push_back({at("sound/champion-a1.wav"), "Zwanzig Aufgaben und mehr! Das ist etwas für Champions.", fanfare});
    const char* wait[] = {"Bist du noch da?", "Hallo? Du bist dran.", "Denk in Ruhe nach.",
                          "Ich warte noch auf deine Antwort.", "Lass dir Zeit, aber nicht zu viel."};
    for (int k = 1; k <= 5; ++k) p.push_back({at(name("sound/warten-%d.wav", k)), wait[k - 1], bell});
    return p;
}

// The twelve counts, consistent with the files written above.
void parameters()
{
    const int counts[12] = {
        4, // soundvideo: video_1 .. video_4
        4, // soundanfang: ANFANG-1 .. 4
        2, // soundchampion: champion-0, champion-1
        4, // soundende
        4, // soundgeschafft
        0, // soundkeepitup: none written
        2, // soundover
        3, // soundright
        2, // soundwait: voices 0 and 1 use all five prompts
        0, // soundwell: none written
        3, // soundwrong
        0, // bilderspiel: none written
    };
    FILE* f = std::fopen(at("sound/soundparameter.txt").c_str(), "w+b");
    if (!f) {
        ++failures;
        return;
    }
    for (int c : counts) std::fprintf(f, "%i\n", c);
    std::fclose(f);
}

} // namespace

// Converts every JPEG of a written tree to the BMP the program would make
// beside it when it first shows the picture: an installed tree is read-only.
int convertJpegs(const std::string& dir)
{
    std::error_code ec;
    int converted = 0, failed = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir, ec)) {
        if (!e.is_regular_file() || e.path().extension() != ".jpg") continue;
        if (aojpg2bmp(e.path().string().c_str()) == 1) {
            ++converted;
        } else {
            ++failed;
            std::fprintf(stderr, "ziffron-mediagen: cannot convert %s\n", e.path().c_str());
        }
    }
    if (ec) {
        std::fprintf(stderr, "ziffron-mediagen: %s: %s\n", dir.c_str(), ec.message().c_str());
        return 1;
    }
    std::printf("converted %d JPEG pictures in %s\n", converted, dir.c_str());
    return failed ? 1 : 0;
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--convert-jpegs") == 0) return convertJpegs(argv[2]);
    bool tones = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tones") == 0) tones = true;
        else if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: ziffron-mediagen [--tones] DIR\n       ziffron-mediagen --convert-jpegs DIR\n"
                        "  --tones          synthesised tones instead of speech\n"
                        "  --convert-jpegs  write a BMP beside every JPEG of the tree DIR\n");
            return 0;
        } else root = argv[i];
    }
    if (root.empty()) {
        std::fprintf(stderr, "usage: ziffron-mediagen [--tones] DIR\n");
        return 2;
    }
    const auto begin = std::chrono::steady_clock::now();
    std::error_code ec;
    fs::remove_all(root, ec);
    for (const char* d : {"sound/ANFANG", "sound/RIGHT", "sound/WRONG", "sound/OVER", "sound/CHAMPION",
                          "sound/GESCHAFFT", "sound/ENDE"})
        fs::create_directories(at(d), ec);

    const std::vector<Phrase> spoken = phrases();
    const std::vector<const Phrase*> unspoken = speak(spoken, !tones);
    for (const Phrase* p : unspoken)
        if (!writeWav(p->path, synthesise(p->fallback))) ++failures;
    videos();
    pictures();
    parameters();

    size_t bytes = 0, files = 0;
    for (const auto& e : fs::recursive_directory_iterator(root, ec))
        if (e.is_regular_file(ec)) {
            bytes += e.file_size(ec);
            ++files;
        }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::printf("sample media: %zu files, %.1f MB, %.1f s, clips %s\n", files, bytes / 1e6, seconds,
                unspoken.empty() ? "spoken by espeak-ng"
                                 : (unspoken.size() == spoken.size() ? "as tones" : "partly as tones"));
    if (failures) std::fprintf(stderr, "ziffron-mediagen: %d files could not be written\n", failures);
    return failures ? 1 : 0;
}
