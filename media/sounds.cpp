// Feedback sounds and the sound parameter file.
#include "sounds.h"

#include "pictures.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

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

// The files of one kind that a count points to.
struct Present {
    const char* name;
    int count;                // at least 1
    int first;                // the number of the first file
    std::vector<int> numbers; // those that exist, ascending

    // One random number per kind, whether or not files are missing, so a
    // seed gives the same game as long as the media tree is complete.
    int pick() const
    {
        const int r = aorand();
        if (numbers.empty() || static_cast<long long>(numbers.size()) >= count) return r % count + first;
        return numbers[static_cast<size_t>(r) % numbers.size()];
    }
};

// The numbers k, first <= k < first + count, of folder/<prefix><k><suffix> that exist.
std::vector<int> presentNumbers(const char* folder, const char* prefix, const char* suffix, int first, int count)
{
    namespace fs = std::filesystem;
    const std::string_view pre(prefix), suf(suffix);
    std::vector<int> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= pre.size() + suf.size() || name.compare(0, pre.size(), pre) != 0 ||
            name.compare(name.size() - suf.size(), suf.size(), suf) != 0)
            continue;
        const std::string digits = name.substr(pre.size(), name.size() - pre.size() - suf.size());
        // Decimal without leading zeros, as the names are built.
        if (digits.size() > 10 || (digits.size() > 1 && digits[0] == '0') ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const long long k = std::stoll(digits);
        if (k >= first && k - first < count) found.push_back(static_cast<int>(k));
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
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
    int lines = 0;
    for (std::string_view text : aotext_lines(std::string_view(data, size))) {
        if (lines == kSoundParameterCount) break;
        // As the file reader: at most kLineLimit characters, ending at a NUL.
        const std::string line(text.substr(0, kLineLimit));
        soundParameter(p, lines++) = soundParameterFromText(line.c_str());
    }
    return lines;
}

std::string userParameterFile()
{
    return aopath_configdir() + "/soundparameter.txt";
}

std::string parameterFileInUse()
{
    const std::string user = userParameterFile();
    return aofileexists(user.c_str()) ? user : std::string(kParameterFile);
}

void loadSoundParameters()
{
    lastCorrection.clear();
    aoFile* file = aofile_open(parameterFileInUse().c_str(), "r");
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

    // A count larger than the files there are would pick silent clips and
    // empty pictures: the pick is made among the files that exist.
    std::vector<int> champion = presentNumbers("sound/CHAMPION", "champion-", ".wav", 0, champions);
    const std::vector<int> championPictures = presentNumbers("champion", "videob_", ".bmp", 0, champions);
    champion.insert(champion.end(), championPictures.begin(), championPictures.end());
    std::sort(champion.begin(), champion.end());
    champion.erase(std::unique(champion.begin(), champion.end()), champion.end());
    const Present present[] = {
        {"soundvideo", videos, 1, presentNumbers(".", "video_", "", 1, videos)},
        {"soundchampion", champions, 0, champion},
        {"soundover", overs, 0, presentNumbers("sound/OVER", "over-", ".wav", 0, overs)},
        {"soundright", rights, 0, presentNumbers("sound/RIGHT", "right-", ".wav", 0, rights)},
        {"soundwrong", wrongs, 0, presentNumbers("sound/WRONG", "wrong-", ".wav", 0, wrongs)},
    };
    std::string missing;
    for (const Present& kind : present)
        if (static_cast<long long>(kind.numbers.size()) < kind.count)
            missing += std::string(missing.empty() ? "" : "; ") + kind.name + " " + std::to_string(kind.count) +
                       ", vorhanden " + std::to_string(kind.numbers.size());

    const std::string report = corrections + "|" + missing;
    if (report != lastCorrection) {
        if (!corrections.empty()) mediaPrintf("\n Anzahl unter 1 gilt als 1:%s \n", corrections.c_str());
        if (!missing.empty()) mediaPrintf("\n Weniger Dateien als angegeben: %s \n", missing.c_str());
    }
    lastCorrection = report;

    mediaChoice.rewardIndex = present[0].pick();
    mediaChoice.championPick = present[1].pick();
    mediaChoice.gameOverPick = present[2].pick();
    mediaChoice.rightPick = present[3].pick();
    mediaChoice.waitingVoice = aorand() % waits;
    mediaChoice.wrongPick = present[4].pick();
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
