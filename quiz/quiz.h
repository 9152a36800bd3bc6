// The quiz engine: process-wide state of the main screen and the game, and
// the entry points of its parts.
#pragma once

#include "aotoolkit.h"

// Builds the main screen and serves its buttons until the program ends.
void quiz_main();

// ---- state of the main screen
extern int level;          // Stufe 1..12
extern int difficulty;     // Schwierigkeit 1..3
extern int schoolClass;    // Klasse 5..8
extern int soundOn;        // 1 on, -1 off
extern int secondsPerTask[40];
extern int timeAllowance;  // seconds for the whole game
extern int elapsedSeconds; // seconds used so far in the game
extern int wrongCount;

// ---- the main window, its layout and its nine drawing areas
extern aoWindow mainWindow;
extern aoGUIScript screen;
extern aoView taskArea, progressBar, soundIndicator, avatarArea, timeBar, correctBar, wrongBar,
    classBadge, gradeBox;
// Centre of taskArea, for the picture drawings.
extern int taskCentreX, taskCentreY;

// Prints into the terminal "term" of the main screen.
void termPrintf(const char* format, ...) AO_PRINTF(1, 2);

// Fills secondsPerTask with the start-up values.
void fillSecondsPerTask();
// Class 5..8 of a level.
int classForLevel(int level);
void drawSoundIndicator();
void drawClassBadge();
// The START sequence: one whole game.
void startGame();
