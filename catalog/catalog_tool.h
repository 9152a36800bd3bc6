// The catalog tool as a function, so it can be tested and fuzzed in process:
// lists the task numbers, or generates one task from a seed and reports the
// task record and the answer rows as one JSON object.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

struct CatalogToolArgs {
    bool help = false;
    bool list = false;
    bool haveTask = false;
    long long task = 0;
    unsigned int seed = 1; // the runtime generator's state before any seeding
    std::string picture;   // empty: no picture
};

// Parses the arguments after the program name; nullopt with a reason in
// `error` when they make no sense.
std::optional<CatalogToolArgs> parseCatalogArgs(const std::vector<std::string>& args,
                                                std::string& error);

// Runs the tool; returns the exit status (0 fine, 2 bad arguments or a
// number outside the catalog or a failed picture, 3 family not built yet).
int runCatalogTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A JSON string literal for UTF-8 text.
std::string jsonString(const std::string& utf8);
