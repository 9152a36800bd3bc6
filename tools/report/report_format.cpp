#include "report_format.h"

#include <cstdio>
#include <ctime>

std::string duration(long long seconds)
{
    char text[64];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%lld h %02lld min", seconds / 3600, seconds / 60 % 60);
    else
        std::snprintf(text, sizeof text, "%lld min %02lld s", seconds / 60, seconds % 60);
    return text;
}

std::string percent(int part, int whole)
{
    if (whole <= 0) return "–";
    return std::to_string((part * 100 + whole / 2) / whole) + " %";
}

size_t width(const std::string& s)
{
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string pad(const std::string& s, size_t w)
{
    size_t n = width(s);
    return n >= w ? s + " " : s + std::string(w - n, ' ');
}

std::string html(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::tm localDay(long long epoch)
{
    std::time_t t = static_cast<std::time_t>(epoch);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tm;
}

std::string localTime(long long epoch, const char* format)
{
    const std::tm tm = localDay(epoch);
    char text[64];
    std::strftime(text, sizeof text, format, &tm);
    return text;
}
