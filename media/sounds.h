// Feedback sounds: the media counts of the parameter file, the random clip
// choice of a game and the operations that play the clips.
#pragma once

#include "aotoolkit.h"

#include <cstddef>
#include <string>

// Where the media draw and print. The quiz hands over its main window, the
// task and avatar areas and a printer into its terminal at start-up; until
// then drawing does nothing and messages go to the toolkit's console.
struct MediaScreen {
    aoWindow* window = nullptr;
    aoView* taskArea = nullptr;
    aoView* avatarArea = nullptr;
    void (*print)(const char* text) = nullptr;
};
extern MediaScreen mediaScreen;
void mediaAttach(aoWindow* window, aoView* taskArea, aoView* avatarArea, void (*print)(const char* text));
// Prints into the terminal (or the console when none is attached).
void mediaPrintf(const char* format, ...) AO_PRINTF(1, 2);

// How many clips and videos of each kind exist, in the order of the lines of
// sound/soundparameter.txt.
struct SoundParameters {
    int soundvideo = 0;
    int soundanfang = 1;
    int soundchampion = 1;
    int soundende = 1;
    int soundgeschafft = 1;
    int soundkeepitup = 1;
    int soundover = 1;
    int soundright = 1;
    int soundwait = 0;
    int soundwell = 0;
    int soundwrong = 0;
    int bilderspiel = 1;
};
extern SoundParameters soundParameters;

constexpr int kSoundParameterCount = 12;
// The count of line `index` (0..11) of the parameter file.
int& soundParameter(SoundParameters& p, int index);
// The names of the twelve counts, in file order.
extern const char* const kSoundParameterNames[kSoundParameterCount];

// The random picks of the current game, drawn once per START.
struct MediaChoice {
    int rewardIndex = 0;   // 0 before the first game; video_<n>, ANFANG-<n>, geschafft<n>, ENDE-<n>; -1 after a champion show
    int championPick = 0;  // champion-<k>.wav, champion/videob_<k>.bmp
    int gameOverPick = 0;  // over-<k>.wav
    int rightPick = 0;     // right-<k>.wav
    int wrongPick = 0;     // wrong-<k>.wav
    int waitingVoice = 0;  // which waiting prompts are played
};
extern MediaChoice mediaChoice;

// Waiting prompts given for the current answer (0..2); answer entry resets it.
extern int waitingStage;

// The shared path buffer the clip names are built in.
extern char mediaPath[300];

// One line of the parameter file as a count: a decimal floating-point number
// truncated toward zero (out of range values are held at the int limits).
int soundParameterFromText(const char* line);
// Reads up to twelve lines of parameter text into p; lines that are missing
// leave their counts as they are. Returns the number of lines taken.
int parseSoundParameters(const char* data, size_t size, SoundParameters& p);

// The media tree's parameter file.
inline constexpr const char* kParameterFile = "sound/soundparameter.txt";
// The user's own copy of it, written when the media tree's file cannot be.
std::string userParameterFile();
// The file the counts are read from and saved to: the user's copy when there
// is one, else the media tree's.
std::string parameterFileInUse();

// Reads the parameter file in use; a missing file is reported in the
// terminal followed by a 5 s wait.
void loadSoundParameters();
// Draws the reward video and the clip picks of a new game, each among the
// files of its kind that exist; counts larger than that are named once.
void drawMediaChoice();

void playStartSound();
void playRightSound();
void playWrongSound();
void showGameOver();
void showChampion();
void showLevelDone();
void playWaitingPrompt();
