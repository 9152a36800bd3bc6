#include "notation.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

std::string fixed(double value, int places)
{
    places = std::clamp(places, 0, 17);
    char text[400];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
    std::string s;
    if (r.ec == std::errc()) {
        s.assign(text, r.ptr);
    } else {
        const int n = std::snprintf(text, sizeof text, "%.*f", places, value);
        s.assign(text, n > 0 ? std::min<size_t>(static_cast<size_t>(n), sizeof text - 1) : 0);
    }
    if (!s.empty() && s[0] == '-' && s.find_first_of("123456789") == std::string::npos)
        s.erase(0, 1);
    return s;
}

} // namespace

double schoolRound(double value, int places)
{
    // A value a hair below the half (64,95 stored as 64,94999...) is that
    // half: it was computed, not meant.
    places = std::clamp(places, 0, 17);
    const double scale = std::pow(10.0, places);
    const double scaled = std::fabs(value) * scale;
    if (!(scaled < 1e15))
        return value;
    const double whole = std::floor(scaled + 0.5 + 1e-9 * std::max(1.0, scaled));
    return std::copysign(whole / scale, value);
}

std::string deDecimal(double value, int places)
{
    std::string s = fixed(schoolRound(value, places), places);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

std::string deNumber(double value, int maxPlaces)
{
    std::string s = fixed(value, maxPlaces);
    const size_t point = s.find('.');
    if (point != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
        else
            s[point] = ',';
    }
    if (s == "-0")
        s = "0";
    return s;
}

std::string deRounded(double value, int places)
{
    const double scale = std::pow(10.0, places);
    if (std::fabs(value * scale - std::round(value * scale)) < 1e-6)
        return deDecimal(value, places);
    // The longer figure is the one rounded, so that both read as one number
    // even where the value lies a hair off the half ("64,95 ≈ 65,0").
    const double longer = std::pow(10.0, places + 2);
    if (std::fabs(value * longer - std::round(value * longer)) < 1e-6) {
        const double shown = std::round(value * longer) / longer;
        return deNumber(shown, places + 2) + " ≈ " + deDecimal(shown, places);
    }
    return deDecimal(std::trunc(value * longer) / longer, places + 2) + "... ≈ " + deDecimal(value, places);
}

std::string deStepMinus(std::string_view line)
{
    // A '-' is a minus unless it joins a word to a word ("x-Achse", "3-mal").
    // Bytes from 0x80 are parts of letters such as "ä".
    const auto wordChar = [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || static_cast<unsigned char>(ch) >= 0x80; };
    const auto letter = [](char ch) { return std::isalpha(static_cast<unsigned char>(ch)) || static_cast<unsigned char>(ch) >= 0x80; };
    std::string out;
    out.reserve(line.size() + 8);
    for (size_t i = 0; i < line.size(); ++i) {
        const bool hyphen = line[i] == '-' && i > 0 && wordChar(line[i - 1]) && i + 1 < line.size() && letter(line[i + 1]);
        if (line[i] == '-' && !hyphen)
            out += "−";
        else
            out += line[i];
    }
    return out;
}

std::string deTerm(int coef, std::string_view var)
{
    if (coef == 0)
        return "0";
    if (coef == 1)
        return std::string(var);
    if (coef == -1)
        return "-" + std::string(var);
    return std::to_string(coef) + std::string(var);
}

std::string deLinear(int a, int b, std::string_view var)
{
    if (a == 0)
        return std::to_string(b);
    std::string s = deTerm(a, var);
    if (b != 0)
        s += deSignedAppend(b);
    return s;
}

std::string deSignedAppend(int value)
{
    // Widened first: the magnitude of INT_MIN does not fit an int.
    const long long v = value;
    return (v < 0 ? " - " : " + ") + std::to_string(v < 0 ? -v : v);
}

std::string deSignedAppend(double value, int places)
{
    const std::string magnitude = deDecimal(std::fabs(value), places);
    const bool negative = value < 0 && magnitude.find_first_of("123456789") != std::string::npos;
    return (negative ? " - " : " + ") + magnitude;
}

std::string deOperand(int value) { return value < 0 ? "(" + std::to_string(value) + ")" : std::to_string(value); }

std::string deOperand(double value, int places)
{
    const std::string s = deDecimal(value, places);
    return s[0] == '-' ? "(" + s + ")" : s;
}

std::string dePower(int base, int exponent)
{
    const std::string b = deOperand(base);
    if (exponent == 2)
        return b + "²";
    if (exponent == 3)
        return b + "³";
    return b + " hoch " + std::to_string(exponent);
}
