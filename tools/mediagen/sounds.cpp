// Sound clips for the sample media tree: spoken German phrases through
// espeak-ng where it is installed, synthesised tones otherwise.
#include "mediagen.h"

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace mediagen {

namespace {

constexpr int kRate = 22050;

void le16(std::vector<unsigned char>& b, unsigned v)
{
    b.push_back(v & 255);
    b.push_back((v >> 8) & 255);
}

void le32(std::vector<unsigned char>& b, unsigned v)
{
    le16(b, v & 0xFFFF);
    le16(b, v >> 16);
}

// A RIFF WAVE file of at least a few samples with the right header.
bool looksLikeWav(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) < 1000 || ec) return false;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char head[12] = {};
    const size_t n = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    return n == 12 && std::string(head, 4) == "RIFF" && std::string(head + 8, 4) == "WAVE";
}

pid_t startEspeak(const Phrase& p)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string path = p.path, text = p.text;
    char* argv[] = {const_cast<char*>("espeak-ng"), const_cast<char*>("-v"), const_cast<char*>("de"),
                    const_cast<char*>("-s"), const_cast<char*>("150"),
                    const_cast<char*>("-w"), path.data(), text.data(), nullptr};
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, "espeak-ng", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

} // namespace

std::vector<short> synthesise(const std::vector<Note>& notes)
{
    std::vector<short> out;
    for (const Note& n : notes) {
        const int count = static_cast<int>(n.seconds * kRate);
        for (int i = 0; i < count; ++i) {
            double v = 0;
            if (n.hz > 0) {
                const double t = static_cast<double>(i) / kRate;
                // Short attack, gentle decay; a little octave for colour.
                const double env = std::min(1.0, i / (0.01 * kRate)) * std::exp(-3.0 * t / std::max(n.seconds, 0.05));
                v = env * (0.8 * std::sin(2 * M_PI * n.hz * t) + 0.2 * std::sin(4 * M_PI * n.hz * t));
            }
            out.push_back(static_cast<short>(v * 12000));
        }
    }
    return out;
}

bool writeWav(const std::string& path, const std::vector<short>& samples)
{
    std::vector<unsigned char> b;
    const unsigned data = static_cast<unsigned>(samples.size() * 2);
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    le32(b, 36 + data);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    le32(b, 16);
    le16(b, 1); // PCM
    le16(b, 1); // mono
    le32(b, kRate);
    le32(b, kRate * 2);
    le16(b, 2);
    le16(b, 16);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    le32(b, data);
    for (short s : samples) le16(b, static_cast<unsigned short>(s));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

std::vector<const Phrase*> speak(const std::vector<Phrase>& phrases, bool allowSpeech)
{
    std::vector<const Phrase*> missing;
    if (!allowSpeech) {
        for (const Phrase& p : phrases) missing.push_back(&p);
        return missing;
    }
    // A few espeak-ng processes at a time.
    const size_t batch = 4;
    for (size_t first = 0; first < phrases.size(); first += batch) {
        std::vector<std::pair<pid_t, const Phrase*>> running;
        for (size_t i = first; i < std::min(phrases.size(), first + batch); ++i)
            running.push_back({startEspeak(phrases[i]), &phrases[i]});
        for (auto& [pid, phrase] : running) {
            int status = 0;
            const bool ok = pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
                            WEXITSTATUS(status) == 0 && looksLikeWav(phrase->path);
            if (!ok) missing.push_back(phrase);
        }
    }
    return missing;
}

} // namespace mediagen
