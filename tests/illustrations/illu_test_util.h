// Shared set-up for the illustration tests: a white pixmap as the drawing
// target, a known world frame, and pixel queries.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "illustrations.h"

constexpr int kWhite = 0xFFFFFF;
constexpr int kBlackPx = 0x000000;
constexpr int kRedPx = 0xFF0000;
constexpr int kBluePx = 0x0000FF;

class Canvas : public ::testing::Test {
protected:
    void SetUp() override
    {
        aofont_loadbuiltins();
        open(1280, 720);
        originX = 640;
        originY = 360;
        scaleX = 20;
        scaleY = 20;
        operandN1 = operandN2 = operandN3 = 0;
    }
    void TearDown() override { aographic_settarget(nullptr); }

    void open(int w, int h)
    {
        pix = aoPixmap{};
        pix.width = w;
        pix.height = h;
        aopxmap_allocate(&pix);
        aopxmap_clear(&pix, kWhite);
        aographic_settarget(&pix);
    }

    int at(int x, int y) const { return aopxmap_getpixel(&pix, x, y); }

    // Sampled curves and trigonometry land within a pixel of the exact point.
    bool near(int x, int y, int colour) const
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (at(x + dx, y + dy) == colour) return true;
        return false;
    }

    int count(int colour) const
    {
        int n = 0;
        for (int y = 0; y < pix.height; ++y)
            for (int x = 0; x < pix.width; ++x) n += at(x, y) == colour;
        return n;
    }

    int countIn(int x0, int y0, int w, int h, int colour) const
    {
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) n += at(x, y) == colour;
        return n;
    }

    // True when every ink pixel of `text`, drawn alone with `font` at (x, y),
    // has `colour` in the canvas: the label is there, at that place. Lines
    // drawn later may cross it in `over`.
    bool hasText(int x, int y, const char* font, const std::string& text, int colour = kBlackPx,
                 int over = -2) const
    {
        aoPixmap ref;
        ref.width = pix.width;
        ref.height = pix.height;
        aopxmap_allocate(&ref);
        aopxmap_clear(&ref, kWhite);
        aoDrawTarget* keep = aographic_gettarget();
        aographic_settarget(&ref);
        aographic_setfont(font);
        aographic_text(x, y, kBlackPx, text.c_str());
        aographic_settarget(keep);
        int ink = 0;
        // Text never reaches further than this from its corner here.
        for (int yy = std::max(0, y - 5); yy < std::min(ref.height, y + 100); ++yy)
            for (int xx = std::max(0, x - 5); xx < std::min(ref.width, x + 600); ++xx)
                if (aopxmap_getpixel(&ref, xx, yy) == kBlackPx) {
                    ++ink;
                    if (at(xx, yy) != colour && at(xx, yy) != over) return false;
                }
        return ink > 0;
    }

    aoPixmap pix;
};
