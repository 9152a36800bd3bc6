// The options editor: the person who set up the media tree types how many
// clips and videos of each kind exist, so the random clip choice never asks
// for a file that is not there.
#include "options_editor.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

struct Question {
    const char* text;  // printed with the current value
    int limit;         // higher answers are set to this
    double wait;       // seconds after the new value is shown
};

// In file order.
const Question kQuestions[kSoundParameterCount] = {
    {"\n Anzahl der Videos %d", 30, 2},
    {"\n\n Anzahl Sounds am Anfang %d", 30, 1},
    {"\n\n Anzahl Sounds für Champion %d", 6, 1},
    {"\n\n Anzahl Sounds am Ende %d", 6, 1},
    {"\n\n Anzahl Sounds Levelende %d", 19, 1},
    {"\n\n Anzahl Sounds keepitup %d", 5, 1},
    {"\n\n Anzahl Sounds Game over %d", 17, 1},
    {"\n\n Anzahl Sounds for right %d", 16, 1},
    {"\n\n Anzahl Sounds for wait %d", 5, 1},
    {"\n\n Anzahl Sounds for well %d", 5, 1},
    {"\n\n Anzahl Sounds for wrong %d", 26, 2},
    {"\n\n Anzahl Bilder für Spiel %d", 124, 2},
};

// Formats a UTF-8 message and prints it into the terminal as Windows-1252.
void say(const char* utf8Format, ...)
{
    const std::string format = ao_utf8_to_cp1252(utf8Format);
    char buffer[1000];
    va_list ap;
    va_start(ap, utf8Format);
    std::vsnprintf(buffer, sizeof buffer, format.c_str(), ap);
    va_end(ap);
    mediaPrintf("%s", buffer);
}

// Prints UTF-8 text (paths, reasons) into the terminal as Windows-1252.
void sayText(const std::string& utf8)
{
    mediaPrintf("%s", ao_utf8_to_cp1252(utf8).c_str());
}

// The answers are typed into the main window's terminal; whatever else took
// over standard input since it was created must give it back.
void takeTerminalAsStdio()
{
    if (!mediaScreen.window) return;
    for (aoWidget* w : mediaScreen.window->children)
        if (auto* term = dynamic_cast<aoTerminal*>(w)) {
            term->setasstdio();
            return;
        }
}

void printSummary(const SoundParameters& p)
{
    say("\n Parameter:");
    say(" soundvideo: %d  soundanfang: %d", p.soundvideo, p.soundanfang);
    say(" soundchampion %d soundende:  %d", p.soundchampion, p.soundende);
    say("\n soundgeschafft %d soundkeepitup:  %d", p.soundgeschafft, p.soundkeepitup);
    say(" soundover %d soundright:  %d", p.soundover, p.soundright);
    say("\n soundwait %d soundwell:  %d", p.soundwait, p.soundwell);
    say(" soundwrong %d  bilderspiel %d ", p.soundwrong, p.bilderspiel);
}

// Failures where the folder, not the disk, is the problem: another place may work.
bool notWritable(int errnum)
{
    return errnum == EACCES || errnum == EPERM || errnum == EROFS;
}

// Writes the user's copy, creating its folder.
bool saveUserCopy(const std::string& text, ParameterSave& out)
{
    const std::string user = userParameterFile();
    std::string err;
    int errnum = 0;
    const std::string folder = user.substr(0, user.find_last_of('/'));
    if (!aopath_makedirs(folder, err) || !aofile_replace(user, text, err, errnum)) {
        out.error = err;
        out.unavailable = errnum == 0 || notWritable(errnum) || errnum == ENOENT || errnum == ENOTDIR;
        return false;
    }
    out.saved = true;
    out.path = user;
    return true;
}

} // namespace

ParameterSave saveSoundParameters(const SoundParameters& p)
{
    SoundParameters values = p;
    std::string text;
    for (int i = 0; i < kSoundParameterCount; ++i) text += std::to_string(soundParameter(values, i)) + "\n";

    ParameterSave out;
    // Once a user has a copy, it is what the next start reads: save there.
    if (parameterFileInUse() != kParameterFile) {
        saveUserCopy(text, out);
        return out;
    }
    std::string err;
    int errnum = 0;
    if (aofile_replace(kParameterFile, text, err, errnum)) {
        out.saved = true;
        out.path = kParameterFile;
        return out;
    }
    if (notWritable(errnum)) {
        out.sharedError = err;
        saveUserCopy(text, out);
        return out;
    }
    out.error = err;
    out.unavailable = errnum == ENOENT || errnum == ENOTDIR;
    return out;
}

void runOptionsEditor()
{
    SoundParameters& p = soundParameters;
    const SoundParameters before = p;
    // Escape cancels at any moment, during the pauses as at the prompts.
    auto cancelled = [&] {
        p = before;
        say("\n Abgebrochen (Escape): nichts gespeichert, die alten Werte bleiben");
        aowait(2);
    };
    auto pause = [&](double seconds) {
        if (aowait_unlessescape(seconds) || !aoisrunning()) return true;
        cancelled();
        return false;
    };
    printSummary(p);
    if (!pause(2)) return;
    say("\n\n ACHTUNG! \n Änderung der Systemparameter");
    if (!pause(2)) return;

    for (int i = 0; i < kSoundParameterCount; ++i) {
        const Question& q = kQuestions[i];
        int& count = soundParameter(p, i);
        say(q.text, count);
        if (i == 0) {
            if (!pause(2)) return;
            say("\n Neuen Wert eingeben (mit Maus das Quadrat anklicken)\n Zahl eintippen und mit Taste ENTER bestätigen ");
            takeTerminalAsStdio();
        } else {
            say("\n Neuen Wert eingeben :");
        }
        // Enter alone keeps the value shown.
        const std::optional<int> answer = aoinputnumber("", count);
        // Closing the window mid-dialogue must not save what was typed so far.
        if (!aoisrunning()) return;
        if (!answer) {
            cancelled();
            return;
        }
        const int value = *answer;
        count = value;
        say("\n Neuer Wert: %d", value);
        if (!pause(q.wait)) return;
        if (value > q.limit) {
            say("\n\n Fehler! %d Wert wird auf %d gesetzt", value, q.limit);
            count = q.limit;
        }
        if (!pause(3)) return;
    }

    const ParameterSave saved = saveSoundParameters(p);
    if (!saved.saved) {
        if (saved.unavailable)
            say("\n ERROR! parameter.txt used by another program\n or not available");
        else
            say("\n ERROR! Parameter nicht gespeichert");
        if (!saved.sharedError.empty()) sayText("\n " + saved.sharedError);
        sayText("\n " + saved.error);
        return;
    }
    printSummary(p);
    say("\n 12 Parameters are saved !");
    if (!saved.sharedError.empty()) sayText("\n " + saved.sharedError);
    if (saved.path != kParameterFile) sayText("\n gespeichert für diesen Benutzer in " + saved.path);
    aowait(2);
}
