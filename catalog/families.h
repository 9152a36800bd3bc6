// One generator per task family, each in a source of its own. The frame in
// generator.cpp selects the family by task number and calls it.
#pragma once

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
