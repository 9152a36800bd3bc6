// Short German titles of the task types, for the teacher's selection list,
// the review, the report, worksheets and the catalog tool.
#pragma once

#include <string>

// The title of a task type (UTF-8), e.g. "Bruchgleichung mit x im Nenner";
// empty for numbers outside the catalog.
const std::string& taskTitle(int taskNumber);
