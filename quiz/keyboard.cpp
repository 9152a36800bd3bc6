// Keys beside the mouse: the main screen's buttons, reading aloud on and
// off (V, at any time), and the task text that is read aloud.
#include "keyboard.h"

#include "catalog.h"
#include "quiz.h"
#include "speech_text.h"
#include "typed_entry.h"

#include <cctype>

namespace {

std::string shownTaskText; // Windows-1252, as the catalog printed it
bool taskOnScreen = false;

void readCurrentTask()
{
    if (!taskOnScreen) return;
    std::string shown = ao_cp1252_to_utf8(shownTaskText);
    // The pupil picks <, = or >: the task is a question about two numbers.
    std::string text = choiceMode == 2 ? spokenComparison(shown, taskPictureText) : spokenTaskText(shown);
    // The task's rows are not built yet; the record says what they will be.
    if (typedFieldFor(answerRowsFor(level, difficulty, answerKind), lastTaskNumber)) text += " Gib die Antwort ein.";
    aospeech_say(text);
}

// Said once, where the pupil and teacher look: a build without speech (the
// Windows one) or a machine without the voice data has no other way to tell
// them.
void tellSpeechUnavailable()
{
    static std::string told;
    const std::string why = aospeech_problem();
    if (why == told) return;
    told = why;
    termPrintf("%s", ao_utf8_to_cp1252("\n Vorlesen geht nicht: " + why + ". Vorlesen bleibt aus.").c_str());
}

} // namespace

// Two lines: one would wrap in the terminal's width.
const char* const kKeyLine = " Tasten: Enter START, T TON, O OPTIONEN, A Auswahl, E ENDE,\n I EINGABE, V Vorlesen";

MainScreenKey mainScreenKey(int key)
{
    if (key == '\n' || key == '\r') return MainScreenKey::Start;
    switch (std::tolower(key < 256 ? key : 0)) {
    case 't': return MainScreenKey::Sound;
    case 'o': return MainScreenKey::Options;
    case 'a': return MainScreenKey::Selection;
    case 'e': return MainScreenKey::End;
    case 'i': return MainScreenKey::Input;
    default: return MainScreenKey::None;
    }
}

void checkReadingAloud()
{
    if (!aospeech_enabled() || aospeech_available()) return;
    aospeech_enable(false);
    tellSpeechUnavailable();
}

bool onAnyKey(int key)
{
    if (key != 'v' && key != 'V') return false;
    if (!aospeech_available()) {
        tellSpeechUnavailable();
        return true;
    }
    bool on = !aospeech_enabled();
    aospeech_enable(on);
    termPrintf(on ? "\n Vorlesen an" : "\n Vorlesen aus");
    if (on) readCurrentTask();
    return true;
}

void taskStarts()
{
    shownTaskText.clear();
    taskOnScreen = false;
}

void noteTaskText(const std::string& cp1252)
{
    shownTaskText += cp1252;
}

void taskShown()
{
    taskOnScreen = true;
    readCurrentTask();
}

void taskAnswered()
{
    aospeech_stop();
    taskOnScreen = false;
}
