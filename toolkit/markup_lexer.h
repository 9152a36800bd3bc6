// Cutting layout markup into words and tags, kept apart from the widgets
// the markup creates so that it can be tested and fuzzed on its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace markup {

struct Item {
    bool tag = false;
    std::string_view text; // a tag's text without its angle brackets
};

// Splits formatted markup into words and tags. A word ends right after a
// space, CR, LF, '-', '.', '?', '!', ',', ';' or ':' (the separator belongs
// to it) or before '<'. A tag runs to the first '>' not followed by another
// '>'; an unclosed tag runs to the end.
std::vector<Item> split(std::string_view text);

struct Tag {
    std::string_view name;  // up to the first ' ' or '='
    std::string_view value; // after the first '=' (empty if none)
};
Tag parsetag(std::string_view text);

struct WidgetSpec {
    std::string name;    // ",," stands for ',' in the name
    std::string options; // everything after the name's ','
};
// A widget tag's value: the name runs to the first single ',' or a line feed.
WidgetSpec splitwidget(std::string_view value);

// Case-insensitive equality for tag names.
bool sameword(std::string_view a, std::string_view b);

} // namespace markup
