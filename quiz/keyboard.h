// Keys beside the mouse and reading tasks aloud.
#pragma once

#include <string>

// The key lines printed into the terminal at start-up.
extern const char* const kKeyLine;

enum class MainScreenKey { None, Start, Sound, Options, Selection, End, Input };
// What a key does on the main screen: Enter START, T TON, O OPTIONEN,
// A Aufgabenauswahl?, E ENDE, I EINGABE (either case).
MainScreenKey mainScreenKey(int key);

// At start-up: --read-aloud in a build without speech is said to be unavailable.
void checkReadingAloud();

// For aokey_sethandler: V turns reading aloud on and off at any time, with a
// line in the terminal; other keys go on to the event queue.
bool onAnyKey(int key);

// The catalog's printer hands each task's text here too, between taskStarts
// and taskShown.
void taskStarts();
void noteTaskText(const std::string& cp1252);
// The task is on screen: read it aloud when reading is on.
void taskShown();
// The task is judged: stop reading it and forget its text.
void taskAnswered();
