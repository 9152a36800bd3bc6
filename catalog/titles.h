// Short German titles of the task types, for the teacher's selection list and
// the catalog tool.
#pragma once

#include <string>
#include <string_view>

// The title of a task type (UTF-8): the first meaningful words of its own
// text, generated once with a fixed seed, or a title from a table where the
// text has none. Empty for numbers outside the catalog. Generating leaves the
// game's state (task record, printer, drawing target, random state) as it was.
const std::string& taskTitle(int taskNumber);

// The title a task text gives (UTF-8 in and out): its first words of letters,
// without numbers, symbols and one-letter names, up to the end of the first
// clause or five words; empty when fewer than two words are left.
std::string titleFromText(std::string_view text);
