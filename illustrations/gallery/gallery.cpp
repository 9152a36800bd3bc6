// illustrations_gallery DIR: draws every illustration into a white 1280 x 720
// picture, as the task area shows it, and saves each as DIR/<name>.bmp.
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "illustrations.h"

namespace {

void centredFrame(double scale)
{
    originX = 640;
    originY = 360;
    scaleX = scale;
    scaleY = scale;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: illustrations_gallery DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    aofont_loadbuiltins();
    aofont_loadarial();
    aofont_loadcouriernew();
    aosrand(1);

    const std::vector<std::pair<const char*, std::function<void()>>> drawings = {
        {"fraction_line", [] { drawFractionNumberLine(300, 200, 3, 4); drawFractionNumberLine(300, 400, 1, 3); }},
        {"percent_line", [] { drawPercentNumberLine(300, 300, 35); }},
        {"fraction_grid", [] { drawFractionGrid(400, 200, 60, 5, 4, 3, 2); }},
        {"cube_block", [] {
             centredFrame(20);
             operandN1 = 4; operandN2 = 3; operandN3 = 2;
             drawCubeBlock(450, 300, 60);
         }},
        {"axes_plain", [] { drawAxesPlain(20, 20, 640, 360); }},
        {"axes_plain_small", [] { drawAxesPlain(5, 5, 640, 360); }},
        {"axes_distance", [] { drawAxesDistanceTime(20, 20, 640, 360); }},
        {"axes_euro_dollar", [] { drawAxesEuroDollar(20, 20, 640, 360); }},
        {"axes_euro_gold", [] { drawAxesEuroGold(20, 20, 640, 360); }},
        {"axes_population", [] { drawAxesPopulation(20, 20, 640, 360); }},
        {"axes_percent", [] { drawAxesPercentWeeks(20, 20, 640, 360); }},
        {"axes_euro_years", [] { drawAxesEuroYears(20, 20, 640, 360); }},
        {"grid_only", [] { drawGridOnly(20, 20, 640, 360); }},
        {"points_lines", [] {
             centredFrame(20);
             drawAxesPlain(20, 20, 640, 360);
             drawWorldLine(-10, -5, 10, 5);
             drawWorldLineGreen(-10, 5, 10, -5);
             drawWorldLineRed(-5, -8, 5, 8);
             markPointRed(2, 1, 5);
             markPointBlue(-4, -2, 5);
             labelPointA(-8, 3);
             labelPointB(6, 6);
             labelPointC(6, -6);
             drawSlopeStep(0, 0, 4, 2);
             drawWorldTriangle(-15, -8, -8, -8, -12, -2);
         }},
        {"shapes", [] {
             centredFrame(20);
             drawGridOnly(20, 20, 640, 360);
             drawWorldKite(-20, 5, 6, 8, 1);
             drawWorldTrapezoid(-10, -8, 8, 4, 4);
             drawWorldTrapezoidSkew(5, -8, 8, 4, 4);
             drawWorldHexagon(0, 6, 4, 0);
             drawWorldHexagon(10, 6, 4, 1);
             drawWorldCircleHexagon(20, 0, 4);
         }},
        {"curves", [] {
             centredFrame(20);
             drawGridOnly(20, 20, 640, 360);
             drawWorldArc(-20, 5, 4, 0, 90);
             drawWorldArcBlue(-20, 5, 3, 90, 270);
             drawLetterCurve(-10, 0, 2);
             drawLoopCurve(0, -5, 1);
             drawParabolaPair(15, 0, 4);
             drawCurveMark(1000, 600, 2);
         }},
        {"texts", [] {
             aographic_setfont("arial28");
             drawFractionText(100, 100, 3, 4);
             drawFractionText(250, 100, 12, 35);
             drawFractionText(400, 100, 125, 250);
             drawFractionXOver(550, 100, 7);
             drawFractionXOver(700, 100, 15);
             drawFractionOverX(850, 100, 42);
             drawFractionXOverY(1000, 100);
             drawPowerOfX(100, 300, 3);
             drawBigNumber(300, 300, 12345);
             drawProbabilityFormula(100, 450);
             drawProductFormula(100, 550);
         }},
        {"figures", [] {
             drawSquareOutline(100, 100, 80);
             drawCubeNet(400, 200, 60);
             aographic_setfont("9x15");
             drawUrn(100, 600, 180, 3, 2);
             drawUrn(400, 600, 100, 2, 7);
             drawUrn(700, 600, 180, 1, 4);
         }},
        {"vote_chart", [] {
             centredFrame(20);
             aographic_setfont("9x15");
             voteCounts[0] = 7; voteCounts[1] = 11; voteCounts[2] = 3; voteCounts[3] = 5;
             drawVoteChart(4);
         }},
        {"circle_estimate", [] {
             centredFrame(30);
             aographic_setfont("9x15");
             drawCircleEstimate(0, 0, 5);
         }},
    };

    int failures = 0;
    for (const auto& [name, draw] : drawings) {
        aoPixmap pixmap;
        pixmap.width = 1280;
        pixmap.height = 720;
        aopxmap_allocate(&pixmap);
        aopxmap_clear(&pixmap, 0xFFFFFF);
        aographic_settarget(&pixmap);
        draw();
        aographic_settarget(nullptr);
        const std::string path = dir + "/" + name + ".bmp";
        if (!aopxmap_savetofile_bmp(&pixmap, path.c_str())) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
