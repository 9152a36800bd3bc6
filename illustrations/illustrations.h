// The drawings that tasks put into the task area: number lines, grids, cube
// blocks, coordinate systems, world shapes and curves, fraction texts, the urn,
// the class-election chart and the circle estimate, plus three small
// arithmetic helpers of the generator.
//
// Every drawing acts at once on the current drawing target (aographic_*);
// none selects, flushes or clears an area. Pixel arguments are signed ints,
// world arguments doubles mapped through the world frame below:
// px = trunc(originX + scaleX * wx), py = trunc(originY - scaleY * wy).
#pragma once

#include "aotoolkit.h"

// ---------------------------------------------------------------- shared state

// World frame of coordinate pictures: pixel origin and pixels per unit. The
// task that draws a coordinate picture sets it first.
extern int originX;
extern int originY;
extern double scaleX;
extern double scaleY;

// The last mapped point, written by the markers, labels and lines.
extern int penX;
extern int penY;

// The generator's drawn operands that the drawings read: the cube block takes
// its width, height and depth from them, and the black and green world lines
// rescale the first two into pixels (n1 * scaleX, -n2 * scaleY) before they
// draw, as the generator's tasks expect to read back.
extern int operandN1;
extern int operandN2;
extern int operandN3;

// Vote counts of the four candidates of the class-election chart.
extern double voteCounts[4];

// The circle estimate's counts, left for the generator to read.
extern int estimateRed;
extern int estimateBlue;

// The linear system solveLinearSystem() works on, rows and columns 1..n
// (n at most kLinearMax); index 0 is unused.
constexpr int kLinearMax = 100;
extern double linearA[kLinearMax + 1][kLinearMax + 1];
extern double linearB[kLinearMax + 1];
extern double linearX[kLinearMax + 1];

// ---------------------------------------------------------------- number lines, grids, cubes

// 0..1 on 500 pixels from (x, y), tenths labelled "0,1" .. "0,9", red mark
// at p/q (no mark when q is 0).
void drawFractionNumberLine(int x, int y, int p, int q);
// The same line labelled "0 %" .. "100 %", the mark at p percent and a red
// bar from 0 to the mark.
void drawPercentNumberLine(int x, int y, int p);
// cols x rows squares of c pixels, the top-left fcols x frows block red.
void drawFractionGrid(int x, int y, int c, int cols, int rows, int fcols, int frows);
// operandN1 x operandN2 x operandN3 unit cubes of c pixels, front face
// top-left at (x, y), with its dimensions as text.
void drawCubeBlock(int x, int y, int c);

// ---------------------------------------------------------------- coordinate systems

// ux, uy: pixels per unit; ox, oy: origin in pixels.
void drawAxesPlain(int ux, int uy, int ox, int oy);
void drawAxesDistanceTime(int ux, int uy, int ox, int oy);
void drawAxesEuroDollar(int ux, int uy, int ox, int oy);
void drawAxesEuroGold(int ux, int uy, int ox, int oy);
void drawAxesPopulation(int ux, int uy, int ox, int oy);
void drawAxesPercentWeeks(int ux, int uy, int ox, int oy);
void drawAxesEuroYears(int ux, int uy, int ox, int oy);
void drawGridOnly(int ux, int uy, int ox, int oy);

// ---------------------------------------------------------------- points, labels, lines

void markPointRed(double wx, double wy, int s);
void markPointBlue(double wx, double wy, int s);
void labelPointA(double wx, double wy);
void labelPointB(double wx, double wy);
void labelPointC(double wx, double wy);
void drawWorldLine(double wx1, double wy1, double wx2, double wy2);
void drawWorldLineGreen(double wx1, double wy1, double wx2, double wy2);
void drawWorldLineRed(double wx1, double wy1, double wx2, double wy2);
// The legs of a slope triangle: dx to the right, then dy up.
void drawSlopeStep(double wx, double wy, double dx, double dy);
// Black triangle between three world points, with an angle mark at the first.
void drawWorldTriangle(double x1, double y1, double x2, double y2, double x3, double y3);

// ---------------------------------------------------------------- world shapes

void drawWorldKite(double x, double y, double a, double b, double e);
void drawWorldTrapezoid(double x, double y, double a, double b, double e);
// The top side shifted sideways by a random -5..4 world units (never 0).
void drawWorldTrapezoidSkew(double x, double y, double a, double b, double e);
void drawWorldHexagon(double x, double y, double r, int turn);
void drawWorldCircleHexagon(double x, double y, double r);

// ---------------------------------------------------------------- curves

void drawWorldArc(double x, double y, double r, double a1, double a2);
void drawWorldArcBlue(double x, double y, double r, double a1, double a2);
void drawLetterCurve(double x, double y, double f);
void drawLoopCurve(double x, double y, double f);
void drawParabolaPair(double x, double y, double f);
// The first curve of the parabola pair around a pixel point.
void drawCurveMark(int px, int py, double f);

// ---------------------------------------------------------------- text pictures

void drawFractionText(int x, int y, int p, int q);
void drawFractionXOver(int x, int y, int q);
void drawFractionOverX(int x, int y, int p);
void drawFractionXOverY(int x, int y);
void drawPowerOfX(int x, int y, int e);
void drawBigNumber(int x, int y, int v);
void drawProbabilityFormula(int x, int y);
void drawProductFormula(int x, int y);

// ---------------------------------------------------------------- figures

void drawSquareOutline(int x, int y, int s);
void drawCubeNet(int x, int y, int s);
void drawUrn(int x, int y, int w, int red, int black);
// Bars of voteCounts for n candidates (1..4).
void drawVoteChart(int n);
// Dot square around the world origin estimating pi; sets estimateRed/Blue.
void drawCircleEstimate(double wx, double wy, double r);

// ---------------------------------------------------------------- arithmetic helpers

// x multiplied n times into 1.0 (1.0 for n <= 0).
double power(int n, double x);
// Gaussian elimination without pivoting on linearA, linearB into linearX.
// Returns 0.0.
double solveLinearSystem(int n);
