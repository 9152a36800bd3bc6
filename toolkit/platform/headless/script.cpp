#include "script.h"

#include "aotoolkit.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace headless {

namespace {

// A key named in a script: a name, or a single printable character standing
// for itself ("1", "<", "R"); 0 when the text is neither.
int keyByName(const std::string& name)
{
    static const struct {
        const char* name;
        int code;
    } kNames[] = {
        {"Escape", AOKEY_ESCAPE}, {"Enter", AOKEY_ENTER}, {"Backspace", AOKEY_BACKSPACE},
        {"Tab", AOKEY_TAB},       {"Space", AOKEY_SPACE}, {"Left", AOKEY_LEFT},
        {"Right", AOKEY_RIGHT},   {"Up", AOKEY_UP},       {"Down", AOKEY_DOWN},
        {"Home", AOKEY_HOME},     {"End", AOKEY_END},     {"PageUp", AOKEY_PAGEUP},
        {"PageDown", AOKEY_PAGEDOWN},
    };
    for (const auto& k : kNames)
        if (name == k.name) return k.code;
    if (name.size() == 1 && name[0] > ' ' && name[0] < 127) return static_cast<unsigned char>(name[0]);
    return 0;
}

std::string trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool parseInt(const std::string& s, int& out)
{
    if (s.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (*end != 0 || v < -1000000 || v > 1000000) return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

bool parseScript(const std::string& text, Script& out, std::string& error)
{
    out.lines.clear();
    int number = 0;
    long long now = 0;
    for (std::string_view view : aotext_lines(text)) {
        const std::string raw(view);
        ++number;
        std::string line = trim(raw);
        if (line.empty() || line[0] == '#') continue;
        size_t sp = line.find_first_of(" \t");
        std::string cmd = line.substr(0, sp);
        std::string args = sp == std::string::npos ? std::string() : trim(line.substr(sp));
        auto fail = [&](const std::string& why) {
            error = "script line " + std::to_string(number) + ": " + why + ": " + line;
            return false;
        };
        ScriptLine l;
        l.lineNumber = number;
        l.command = cmd;
        l.args = args;
        if (cmd == "wait") {
            char* end = nullptr;
            double s = std::strtod(args.c_str(), &end);
            if (args.empty() || *end != 0 || !(s >= 0) || s > 1e7) return fail("wait needs seconds");
            now += static_cast<long long>(std::llround(s * 1000));
            continue;
        }
        l.dueMs = now;
        if (cmd == "click") {
            std::istringstream a(args);
            std::string xs, ys, rest;
            a >> xs >> ys >> rest;
            int x = 0, y = 0;
            if (!xs.empty() && !ys.empty() && rest.empty() && parseInt(xs, x) && parseInt(ys, y)) {
                l.x = x;
                l.y = y;
            } else if (!xs.empty() && ys.empty() && !std::isdigit(static_cast<unsigned char>(xs[0])) && xs[0] != '-') {
                l.command = "clickname";
            } else {
                return fail("click needs X Y or a widget name");
            }
        } else if (cmd == "key") {
            l.key = keyByName(args);
            if (!l.key && (!parseInt(args, l.key) || l.key < 0 || l.key >= 1000000)) return fail("unknown key");
        } else if (cmd == "type") {
            // Keeps inner blanks; the text runs to the end of the line.
            size_t at = raw.find("type");
            std::string t = raw.substr(at + 4);
            if (!t.empty() && (t[0] == ' ' || t[0] == '\t')) t.erase(0, 1);
            while (!t.empty() && (t.back() == '\r' || t.back() == '\n')) t.pop_back();
            l.args = t;
        } else if (cmd == "answer") {
            if (args != "right" && args != "wrong") return fail("answer needs right or wrong");
        } else if (cmd == "shot" || cmd == "term") {
            if (args.empty()) return fail(cmd + " needs a file name");
        } else if (cmd == "spin") {
            std::istringstream a(args);
            std::string name, value, rest;
            a >> name >> value >> rest;
            int v = 0;
            if (name.empty() || !parseInt(value, v) || !rest.empty()) return fail("spin needs NAME V");
        } else if (cmd == "close") {
            if (!args.empty()) return fail("close takes nothing");
        } else {
            return fail("unknown command");
        }
        out.lines.push_back(l);
    }
    return true;
}

} // namespace headless
