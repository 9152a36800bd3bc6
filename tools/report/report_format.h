// Small formatting pieces shared by the report's parts: durations, shares,
// columns of UTF-8 text, local times and HTML escaping.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>

// "1 h 05 min" or "3 min 07 s".
std::string duration(long long seconds);
// "67 %", rounded; "–" for nothing to share.
std::string percent(int part, int whole);
// Characters, not bytes, of UTF-8 text.
size_t width(const std::string& s);
// The text filled with blanks to w characters, and one blank at least.
std::string pad(const std::string& s, size_t w);
// Text safe inside HTML elements and attribute values.
std::string html(const std::string& s);
// The local calendar time of epoch, and the same written by strftime's format.
std::tm localDay(long long epoch);
std::string localTime(long long epoch, const char* format);
