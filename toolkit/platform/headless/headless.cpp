#include "headless.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace headless {

HeadlessPlatform::HeadlessPlatform(Script script, std::string baseDir)
    : script_(std::move(script)), base_(std::move(baseDir))
{
    sink = [](const std::string& s) {
        std::fputs(s.c_str(), stdout);
        std::fflush(stdout);
    };
}

bool HeadlessPlatform::openWindow(const std::string& title, int, int, int, int, bool)
{
    title_ = title;
    open_ = true;
    return true;
}

void HeadlessPlatform::closeWindow()
{
    open_ = false;
}

void HeadlessPlatform::present(const uint32_t* pixels, int w, int h, const platform::Rect&)
{
    shown_ = pixels;
    pw_ = w;
    ph_ = h;
}

int HeadlessPlatform::takeTicks()
{
    long long due = now_ / 10;
    int n = static_cast<int>(due - ticksDelivered_);
    ticksDelivered_ = due;
    return n;
}

std::string HeadlessPlatform::resolve(const std::string& path) const
{
    // Rooted paths stay as given: /x here, and C:\x, \x or C:x on Windows.
    if (path.empty() || base_.empty() || std::filesystem::path(path).has_root_path()) return path;
    return base_ + "/" + path;
}

void HeadlessPlatform::runLine(const ScriptLine& l)
{
    platform::Input in;
    if (l.command == "click") {
        in.x = l.x;
        in.y = l.y;
        in.button = 1;
        in.kind = platform::InputKind::MouseMove;
        pending_.push_back(in);
        in.kind = platform::InputKind::MouseDown;
        pending_.push_back(in);
        in.kind = platform::InputKind::MouseUp;
        pending_.push_back(in);
    } else if (l.command == "key") {
        in.kind = platform::InputKind::Key;
        in.value = l.key;
        pending_.push_back(in);
    } else if (l.command == "close") {
        in.kind = platform::InputKind::Close;
        pending_.push_back(in);
    } else {
        // shot, term, type, answer, spin, click NAME: the toolkit knows what they mean.
        in.kind = platform::InputKind::Script;
        in.command = l.command;
        in.args = (l.command == "shot" || l.command == "term") ? resolve(l.args) : l.args;
        in.value = l.lineNumber;
        pending_.push_back(in);
    }
}

bool HeadlessPlatform::pollInput(platform::Input& out, bool wait, int timeoutMs)
{
    // Lines that are due now become input, in order.
    while (pending_.empty() && next_ < script_.lines.size() && script_.lines[next_].dueMs <= now_)
        runLine(script_.lines[next_++]);
    // Virtual time moves one tick at most per wait, whatever the wait allows,
    // so timers see every tick.
    timeoutMs = timeoutMs < 0 ? 10 : std::min(timeoutMs, 10);
    if (pending_.empty() && wait) {
        if (next_ < script_.lines.size()) {
            // Blocking: virtual time moves on, at most to the next due line.
            long long step = std::min<long long>(timeoutMs, script_.lines[next_].dueMs - now_);
            now_ += std::max<long long>(step, 0);
            while (pending_.empty() && next_ < script_.lines.size() && script_.lines[next_].dueMs <= now_)
                runLine(script_.lines[next_++]);
        } else if (!closeSent_) {
            // The script is used up and the program waits for input: close.
            closeSent_ = true;
            platform::Input c;
            c.kind = platform::InputKind::Close;
            pending_.push_back(c);
        } else {
            now_ += timeoutMs;
        }
    }
    if (pending_.empty()) return false;
    out = pending_.front();
    pending_.pop_front();
    return true;
}

bool HeadlessPlatform::playSound(const std::string& path)
{
    // "Started" means a readable WAV file: a missing or broken one stays silent.
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char head[12] = {0};
    size_t n = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    if (n < 12 || std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0) return false;
    // A sound gets a line of its own, even after terminal text without a line feed.
    transcript(std::string(atLineStart_ ? "" : "\n") + "[sound] " + path + "\n");
    return true;
}

bool HeadlessPlatform::speechReady(std::string& why)
{
    // The transcript's "[say]" lines stand in for a voice.
    if (voiceMissing) why = "die Sprachdaten von espeak-ng fehlen";
    return !voiceMissing;
}

void HeadlessPlatform::say(const std::string& utf8)
{
    transcript(std::string(atLineStart_ ? "" : "\n") + "[say] " + utf8 + "\n");
}

void HeadlessPlatform::transcript(const std::string& utf8)
{
    if (utf8.empty()) return;
    atLineStart_ = utf8.back() == '\n';
    if (sink) sink(utf8);
}

} // namespace headless
