// The headless backend's script: a timeline of input read line by line.
#pragma once

#include <string>
#include <vector>

namespace headless {

struct ScriptLine {
    int lineNumber = 0;
    long long dueMs = 0;  // virtual time at which the line happens
    std::string command;  // "click", "key", "type", "shot", "close", or a handler name
    std::string args;     // the rest of the line
    int x = 0, y = 0;     // click X Y
    int key = 0;          // key code
};

struct Script {
    std::vector<ScriptLine> lines;
};

// Parses script text; on the first line not understood returns false with
// "script line N: ..." in error.
bool parseScript(const std::string& text, Script& out, std::string& error);

} // namespace headless
