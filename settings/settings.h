// ziffron.conf: the settings an administrator gives every machine once and a
// user may override. Plain "key = value" lines; "#" starts a comment (at the
// start of a line, or after a blank within one). A faulty line is named with
// its number and skipped; the rest of the file still counts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct Settings {
    // Each empty when no file sets it.
    std::string history;   // a history file, or a school server's postgresql:// URI
    std::string className; // "class": the pupil's class, e.g. "6b"
    std::string pupil;     // "pupil": "login" (the login name) or "ask" (chosen at START)
    // "pupils = Anna, Ben, Cem": the class list a pupil picks from with
    // "pupil = ask". Names are trimmed, distinct (regardless of case) and at most
    // kMaxPupilName characters; a faulty list is skipped as a whole.
    std::vector<std::string> pupils;
};

constexpr size_t kMaxPupils = 60;     // a class, not a school
constexpr size_t kMaxPupilName = 40;

// The keys known, in the order the files list them.
extern const char* const kSettingsKeys[4];

// Reads one file's text into into (later lines and files win). name is used
// in the German fault lines added to faults ("ziffron.conf, Zeile 3: …").
void parseSettings(std::string_view text, const std::string& name, Settings& into, std::vector<std::string>& faults);

// The files read, in order: the system-wide one (/etc/ziffron/ziffron.conf,
// on Windows %ProgramData%\Ziffron\ziffron.conf), then the user's
// ($XDG_CONFIG_HOME/ziffron/ziffron.conf, else ~/.config/ziffron/ziffron.conf).
std::vector<std::string> settingsFiles();

// Reads the files that exist; a file that exists but cannot be read is a fault.
Settings loadSettings(std::vector<std::string>& faults);
