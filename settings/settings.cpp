// The ziffron.conf reader: see settings.h.
#include "settings.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

const char* const kSettingsKeys[4] = {"history", "class", "pupil", "pupils"};

namespace {

std::string_view trim(std::string_view s)
{
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string_view::npos) return {};
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

std::string* field(Settings& s, std::string_view key)
{
    if (key == "history") return &s.history;
    if (key == "class") return &s.className;
    if (key == "pupil") return &s.pupil;
    return nullptr;
}

// A value may be anything printable, UTF-8 included; control characters are
// no part of a path, a URI or a name.
bool printable(std::string_view v)
{
    for (unsigned char c : v)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

// The class list: names between commas, blanks around them dropped, an empty
// item (a comma at the end) ignored. Empty with why when the list cannot be
// used as a whole: two pupils of one name would share one history.
std::vector<std::string> pupilList(std::string_view value, std::string& why)
{
    std::vector<std::string> names;
    for (size_t pos = 0; pos <= value.size();) {
        size_t comma = value.find(',', pos);
        if (comma == std::string_view::npos) comma = value.size();
        std::string_view name = trim(value.substr(pos, comma - pos));
        pos = comma + 1;
        if (name.empty()) continue;
        size_t letters = 0; // UTF-8: what a teacher counts
        for (unsigned char c : name) letters += (c & 0xC0) != 0x80;
        if (letters > kMaxPupilName) {
            why = "ein Name ist länger als " + std::to_string(kMaxPupilName) + " Zeichen";
            return {};
        }
        for (const std::string& n : names) {
            bool same = n.size() == name.size();
            for (size_t i = 0; same && i < n.size(); ++i) {
                const unsigned char a = n[i], b = name[i];
                same = std::tolower(a) == std::tolower(b);
            }
            if (same) {
                why = "„" + std::string(name) + "“ steht zweimal in der Klassenliste";
                return {};
            }
        }
        if (names.size() == kMaxPupils) {
            why = "mehr als " + std::to_string(kMaxPupils) + " Namen";
            return {};
        }
        names.emplace_back(name);
    }
    if (names.empty()) why = "keine Namen, nur Kommas";
    return names;
}

} // namespace

void parseSettings(std::string_view text, const std::string& name, Settings& into, std::vector<std::string>& faults)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    int number = 0;
    for (size_t pos = 0; pos <= text.size();) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        auto fault = [&](const std::string& what) {
            faults.push_back(name + ", Zeile " + std::to_string(number) + ": " + what + " – übersprungen");
        };
        // A comment runs from "#" at the start or after a blank to the end.
        for (size_t i = 0; i < line.size(); ++i)
            if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
                line = line.substr(0, i);
                break;
            }
        line = trim(line);
        if (line.empty()) continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            fault("kein „Schlüssel = Wert“");
            continue;
        }
        std::string_view key = trim(line.substr(0, eq)), value = trim(line.substr(eq + 1));
        std::string* target = field(into, key);
        if (key == "pupils" && !value.empty() && printable(value)) {
            std::string why;
            std::vector<std::string> names = pupilList(value, why);
            if (names.empty()) fault(why);
            else into.pupils = std::move(names);
            continue;
        }
        if (key.empty()) {
            fault("Schlüssel fehlt");
        } else if (!target && key != "pupils") {
            std::string known;
            for (const char* k : kSettingsKeys) known += (known.empty() ? "" : ", ") + std::string(k);
            fault("unbekannter Schlüssel „" + std::string(key) + "“ (bekannt: " + known + ")");
        } else if (value.empty()) {
            fault("Wert fehlt für „" + std::string(key) + "“");
        } else if (!printable(value)) {
            fault("Steuerzeichen im Wert von „" + std::string(key) + "“");
        } else if (key == "pupil" && value != "login" && value != "ask") {
            fault("„pupil“ ist „login“ oder „ask“, nicht „" + std::string(value) + "“");
        } else if (target) {
            *target = std::string(value);
        }
    }
}

std::vector<std::string> settingsFiles()
{
    std::vector<std::string> files;
#ifdef _WIN32
    const char* data = std::getenv("ProgramData");
    files.push_back(std::string(data && *data ? data : "C:\\ProgramData") + "\\Ziffron\\ziffron.conf");
#else
    files.push_back("/etc/ziffron/ziffron.conf");
#endif
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) {
        files.push_back(std::string(xdg) + "/ziffron/ziffron.conf");
    } else {
#ifdef _WIN32
        const char* appdata = std::getenv("APPDATA");
        if (appdata && *appdata) files.push_back(std::string(appdata) + "\\Ziffron\\ziffron.conf");
#else
        const char* home = std::getenv("HOME");
        if (home && *home) files.push_back(std::string(home) + "/.config/ziffron/ziffron.conf");
#endif
    }
    return files;
}

Settings loadSettings(std::vector<std::string>& faults)
{
    Settings s;
    for (const std::string& path : settingsFiles()) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            if (errno != ENOENT && errno != ENOTDIR)
                faults.push_back(path + ": nicht lesbar (" + std::strerror(errno) + ")");
            continue;
        }
        std::ostringstream text;
        text << in.rdbuf();
        parseSettings(text.str(), path, s, faults);
    }
    return s;
}
