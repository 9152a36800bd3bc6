// The sample media generator's pieces: math pictures and sound clips.
#pragma once

#include "aotoolkit.h"

#include <string>
#include <vector>

namespace mediagen {

// ---- pictures (pictures.cpp)
aoPixmap newPicture(int w, int h, int colour = 0xFFFFFF);
// Mandelbrot set around (cx, cy), `span` wide in the complex plane.
aoPixmap mandelbrot(int w, int h, double cx, double cy, double span, int iterations);
aoPixmap julia(int w, int h, double cr, double ci);
// Hexagon tiling in three colours; phase turns the colours and the grid.
aoPixmap hexTiling(int w, int h, double phase);
// Spirograph curves; share 0..1 of the curve is drawn.
aoPixmap spirograph(int w, int h, double share);
// Flat-shaded platonic solids; kind 0 tetrahedron .. 3 icosahedron.
void drawSolid(aoPixmap& p, int kind, double cx, double cy, double radius, double angle);
aoPixmap solids(int w, int h, double angle);
aoPixmap sierpinski(int w, int h);
// Avatar for percent 1..100: a sunflower growing seed by seed, and a bar.
aoPixmap avatar(int percent);
aoPixmap logo(const char* text, int hue);

bool saveBmp(const aoPixmap& p, const std::string& path);
bool saveJpg(const aoPixmap& p, const std::string& path);

// ---- sounds (sounds.cpp)
struct Note {
    double hz;      // 0 for a rest
    double seconds;
};
std::vector<short> synthesise(const std::vector<Note>& notes);
bool writeWav(const std::string& path, const std::vector<short>& samples);

// Speaks phrases into WAV files with espeak-ng, several at once; returns the
// paths that were not written (espeak-ng missing or failing).
struct Phrase {
    std::string path;
    std::string text;
    std::vector<Note> fallback; // tones used when speech is not available
};
std::vector<const Phrase*> speak(const std::vector<Phrase>& phrases, bool allowSpeech);

} // namespace mediagen
