// The options editor: the person who set up the media tree types how many
// clips and videos of each kind exist, so the random clip choice never asks
// for a file that is not there.
#include "options_editor.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

const char* const kParameterFile = "sound/soundparameter.txt";

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
    say(" soundwrong %d ", p.soundwrong);
}

} // namespace

bool saveSoundParameters(const SoundParameters& p)
{
    // Plain "w+b": the file is created when missing and cut to the new twelve
    // lines, so no tail of a longer old file survives.
    FILE* f = std::fopen(kParameterFile, "w+b");
    if (!f) return false;
    SoundParameters values = p;
    bool ok = true;
    for (int i = 0; i < kSoundParameterCount; ++i)
        if (std::fprintf(f, "%i\n", soundParameter(values, i)) < 0) ok = false;
    // A full disk shows only when the buffer goes out.
    if (std::fflush(f) != 0 || std::ferror(f)) ok = false;
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

void runOptionsEditor()
{
    SoundParameters& p = soundParameters;
    printSummary(p);
    aowait(2);
    say("\n\n ACHTUNG! \n Änderung der Systemparameter");
    aowait(2);

    for (int i = 0; i < kSoundParameterCount; ++i) {
        const Question& q = kQuestions[i];
        int& count = soundParameter(p, i);
        say(q.text, count);
        if (i == 0) {
            aowait(2);
            say("\n Neuen Wert eingeben (mit Maus das Quadrat anklicken)\n Zahl eintippen und mit Taste ENTER bestätigen ");
            takeTerminalAsStdio();
        } else {
            say("\n Neuen Wert eingeben :");
        }
        const int value = aoinputint("", 0);
        // Closing the window mid-dialogue reads as empty answers; saving
        // those zeros would wipe the file the next start depends on.
        if (!aoisrunning()) return;
        count = value;
        say("\n Neuer Wert: %d", value);
        aowait(q.wait);
        if (value > q.limit) {
            say("\n\n Fehler! %d Wert wird auf %d gesetzt", value, q.limit);
            count = q.limit;
        }
        aowait(3);
    }

    if (!saveSoundParameters(p)) {
        say("\n ERROR! parameter.txt used by another program\n or not available");
        return;
    }
    say("\n 11 Parameters are saved !");
    aowait(2);
}
