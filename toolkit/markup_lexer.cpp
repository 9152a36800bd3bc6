// Cutting layout markup into words and tags.
#include "markup_lexer.h"

namespace markup {

namespace {

bool endsword(char c)
{
    switch (c) {
    case ' ': case '\r': case '\n': case '-': case '.':
    case '?': case '!': case ',': case ';': case ':':
        return true;
    default:
        return false;
    }
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::vector<Item> split(std::string_view text)
{
    std::vector<Item> items;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        if (text[i] == '<') {
            size_t start = i + 1;
            size_t j = start;
            // ">>" keeps the first '>' inside the tag text.
            while (j < n && !(text[j] == '>' && (j + 1 >= n || text[j + 1] != '>')))
                ++j;
            items.push_back({true, text.substr(start, j - start)});
            i = (j < n) ? j + 1 : n;
            continue;
        }
        size_t j = i;
        while (j < n && text[j] != '<') {
            if (endsword(text[j])) {
                ++j;
                break;
            }
            ++j;
        }
        items.push_back({false, text.substr(i, j - i)});
        i = j;
    }
    return items;
}

Tag parsetag(std::string_view text)
{
    Tag t;
    size_t end = text.find_first_of(" =");
    t.name = text.substr(0, end == std::string_view::npos ? text.size() : end);
    size_t eq = text.find('=');
    if (eq != std::string_view::npos)
        t.value = text.substr(eq + 1);
    return t;
}

WidgetSpec splitwidget(std::string_view value)
{
    WidgetSpec w;
    size_t i = 0;
    while (i < value.size()) {
        char c = value[i];
        if (c == ',') {
            if (i + 1 < value.size() && value[i + 1] == ',') {
                w.name += ',';
                i += 2;
                continue;
            }
            w.options = std::string(value.substr(i + 1));
            return w;
        }
        if (c == '\n') {
            w.options = std::string(value.substr(i + 1));
            return w;
        }
        w.name += c;
        ++i;
    }
    return w;
}

bool sameword(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

} // namespace markup
