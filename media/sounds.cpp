// Feedback sounds and the sound parameter file.
#include "sounds.h"

#include "pictures.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

MediaScreen mediaScreen;
SoundParameters soundParameters;
MediaChoice mediaChoice;
int waitingStage = 0;
char mediaPath[300];

const char* const kSoundParameterNames[kSoundParameterCount] = {
    "soundvideo", "soundanfang", "soundchampion", "soundende",  "soundgeschafft", "soundkeepitup",
    "soundover",  "soundright",  "soundwait",     "soundwell", "soundwrong",     "bilderspiel",
};

namespace {

// The longest line the parameter reader takes; the rest of a longer line is dropped.
constexpr int kLineLimit = 1000;

// The corrections last reported, so a misconfigured tree is named once and
// not at every START.
std::string lastCorrection;

void play(const char* format, int number)
{
    std::snprintf(mediaPath, sizeof mediaPath, format, number);
    aoplaysound(mediaPath);
}

// A count used as a divisor: below 1 no pick is possible, so 1 stands in.
int divisor(int count, const char* name, std::string& corrections)
{
    if (count >= 1) return count;
    char part[64];
    std::snprintf(part, sizeof part, " %s=%d", name, count);
    corrections += part;
    return 1;
}

} // namespace

void mediaAttach(aoWindow* window, aoView* taskArea, aoView* avatarArea, void (*print)(const char* text))
{
    mediaScreen = MediaScreen{window, taskArea, avatarArea, print};
}

void mediaPrintf(const char* format, ...)
{
    char buffer[2000];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buffer, sizeof buffer, format, ap);
    va_end(ap);
    if (mediaScreen.print) mediaScreen.print(buffer);
    else aoprintf("%s", buffer);
}

int& soundParameter(SoundParameters& p, int index)
{
    switch (index) {
    case 0: return p.soundvideo;
    case 1: return p.soundanfang;
    case 2: return p.soundchampion;
    case 3: return p.soundende;
    case 4: return p.soundgeschafft;
    case 5: return p.soundkeepitup;
    case 6: return p.soundover;
    case 7: return p.soundright;
    case 8: return p.soundwait;
    case 9: return p.soundwell;
    case 10: return p.soundwrong;
    default: return p.bilderspiel;
    }
}

int soundParameterFromText(const char* line)
{
    if (!line) return 0;
    const double v = std::strtod(line, nullptr);
    // Converting a double outside the int range is undefined; such a line
    // still means "very many" or "very few".
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT_MAX;
    if (v <= -2147483648.0) return INT_MIN;
    return static_cast<int>(v);
}

int parseSoundParameters(const char* data, size_t size, SoundParameters& p)
{
    size_t at = 0;
    int lines = 0;
    char line[kLineLimit + 1];
    while (lines < kSoundParameterCount && at < size) {
        size_t n = 0;
        while (at < size && data[at] != '\n') {
            if (data[at] != '\r' && n < kLineLimit) line[n++] = data[at];
            ++at;
        }
        if (at < size) ++at; // the line feed
        line[n] = 0;
        soundParameter(p, lines++) = soundParameterFromText(line);
    }
    return lines;
}

void loadSoundParameters()
{
    lastCorrection.clear();
    aoFile* file = aofile_open("sound/soundparameter.txt", "r");
    if (!file) {
        mediaPrintf("Datei soundparameter fehlt! ");
        aowait(5);
        return;
    }
    char line[kLineLimit + 2];
    for (int i = 0; i < kSoundParameterCount; ++i) {
        if (aofile_getline(line, sizeof line, file) == 0) break; // a short file keeps the rest
        soundParameter(soundParameters, i) = soundParameterFromText(line);
    }
    aofile_close(file);
}

void drawMediaChoice()
{
    const SoundParameters& p = soundParameters;
    std::string corrections;
    const int videos = divisor(p.soundvideo, "soundvideo", corrections);
    const int champions = divisor(p.soundchampion, "soundchampion", corrections);
    const int overs = divisor(p.soundover, "soundover", corrections);
    const int rights = divisor(p.soundright, "soundright", corrections);
    const int waits = divisor(p.soundwait, "soundwait", corrections);
    const int wrongs = divisor(p.soundwrong, "soundwrong", corrections);
    if (!corrections.empty() && corrections != lastCorrection)
        mediaPrintf("\n Anzahl unter 1 gilt als 1:%s \n", corrections.c_str());
    lastCorrection = corrections;

    mediaChoice.rewardIndex = aorand() % videos + 1;
    mediaChoice.championPick = aorand() % champions;
    mediaChoice.gameOverPick = aorand() % overs;
    mediaChoice.rightPick = aorand() % rights;
    mediaChoice.waitingVoice = aorand() % waits;
    mediaChoice.wrongPick = aorand() % wrongs;
}

void playStartSound()
{
    play("sound/ANFANG/ANFANG-%d.wav", mediaChoice.rewardIndex);
}

void playRightSound()
{
    play("sound/RIGHT/right-%d.wav", mediaChoice.rightPick);
}

void playWrongSound()
{
    play("sound/WRONG/wrong-%d.wav", mediaChoice.wrongPick);
    aowait(1);
}

void showGameOver()
{
    mediaPrintf("\n\n\n\n GAME OVER \n Zu viele Fehler! \n  ");
    play("sound/OVER/over-%d.wav", mediaChoice.gameOverPick);
}

void showChampion()
{
    mediaPrintf("\n\n\n\n YOU ARE THE CHAMPION \n kein Fehler! \n  ");
    loadChampionPicture(mediaChoice.championPick);
    showFullPicture();
    play("sound/CHAMPION/champion-%d.wav", mediaChoice.championPick);
    aowait(5);
}

void showLevelDone()
{
    showFullPicture();
    play("sound/GESCHAFFT/geschafft%d.wav", mediaChoice.rewardIndex);
    aowait(2);
}

void playWaitingPrompt()
{
    const int v = mediaChoice.waitingVoice;
    switch (waitingStage) {
    case 0:
        aoplaysound("sound/warten-1.wav");
        waitingStage = 1;
        break;
    case 1:
        if (v == 0) aoplaysound("sound/warten-2.wav");
        if (v == 1) aoplaysound("sound/warten-5.wav");
        waitingStage = 2;
        break;
    default:
        if (v == 0) aoplaysound("sound/warten-3.wav");
        if (v == 1) aoplaysound("sound/warten-4.wav");
        waitingStage = 2;
        break;
    }
}
