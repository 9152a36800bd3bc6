// Small formatting pieces shared by the report's parts: durations, shares,
// columns of UTF-8 text, local times, HTML escaping and the order of names.
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
// The order of names in a German list (DIN 5007-1): Ä as A, Ö as O, Ü as U,
// ß as ss, other accents and case ignored, so "Ömer" stands between "Oliver"
// and "Paul". Names equal by that rule go by their bytes, so no two differ
// and the order is the same on every machine.
std::string germanSortKey(const std::string& utf8);
struct GermanOrder {
    bool operator()(const std::string& a, const std::string& b) const;
};
// Text safe inside HTML elements and attribute values.
std::string html(const std::string& s);
// The local calendar time of epoch, and the same written by strftime's format.
std::tm localDay(long long epoch);
std::string localTime(long long epoch, const char* format);
