// One generator per task family, each in a source of its own. The frame in
// generator.cpp selects the family by task number and calls it.
#pragma once

#include <vector>

#include "catalog.h"

// The record slots of the current task, as every family fills them.
inline int& sol() { return solution[taskIndex]; }

// A decimal answer shown with `places` digits after the point.
inline void decimalAnswer(double value, int places)
{
    answerKind = 4;
    decimalPlaces = places;
    decimalSolution[taskIndex] = value;
}

void generateArithmeticTask(int taskNumber);
void generateUnitsTask(int taskNumber);
void generateWordTask(int taskNumber);
void generateTermsTask(int taskNumber);
void generateFractionTask(int taskNumber);
void generatePictureTask(int taskNumber);

// The lines and names of the last angle figure (8303-8316) in task-area
// pixels; names are placed clear of both. Tests read it.
struct FigureInk {
    struct Segment {
        double x1, y1, x2, y2;
    };
    struct Box {
        int x, y, w, h;
    };
    std::vector<Segment> segments;
    std::vector<Box> labels;
    int unplaced = 0; // names that found no clear place
    bool recording = false;
};
extern FigureInk figureInk;
