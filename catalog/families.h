// One generator per task family, each in a source of its own. The frame in
// generator.cpp selects the family by task number and calls it.
#pragma once

void generateArithmeticTask(int taskNumber);
void generateUnitsTask(int taskNumber);
void generateWordTask(int taskNumber);
void generateTermsTask(int taskNumber);
void generateFractionTask(int taskNumber);
void generatePictureTask(int taskNumber);
