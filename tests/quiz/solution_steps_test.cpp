// The Lösungsweg in the game, the terminal and the review; the pupil's own
// time; comparisons read aloud; a machine without the German voice.
#include "keyboard.h"
#include "quiz_fixture.h"

#include <algorithm>

using quiztest::count;
using quiztest::Quiz;
namespace fs = std::filesystem;

namespace {

// Tasks whose generator leaves no Lösungsweg get one, so the game always has
// lines to show; the game's own printer still runs first.

const int kPanel = aographic_rgb(255, 250, 225);
const int kStepBlue = aographic_rgb(0, 60, 150);

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    bool empty() const { return x1 < 0; }
};

Box boxOf(const aoPixmap& p, int colour)
{
    Box b;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (aopxmap_getpixel(&p, x, y) == colour) {
                b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
            }
    return b;
}

int darkPixels(const aoPixmap& p, const Box& b)
{
    int n = 0;
    for (int y = b.y0; y <= b.y1; ++y)
        for (int x = b.x0; x <= b.x1; ++x) {
            int c = aopxmap_getpixel(&p, x, y);
            n += ((c >> 16) & 0xFF) < 90 && ((c >> 8) & 0xFF) < 90 && (c & 0xFF) < 90;
        }
    return n;
}

int pixelsOf(int colour, int x0, int y0, int w, int h)
{
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += aopxmap_getpixel(taskArea.pixmap(), x, y) == colour;
    return n;
}

std::string sayLine(const std::string& transcript)
{
    size_t at = transcript.find("[say] ");
    return at == std::string::npos ? "" : transcript.substr(at + 6, transcript.find('\n', at) - at - 6);
}

} // namespace

TEST_F(Quiz, WrongAnswerAndSkipShowTheLoesungswegInTheTaskAreaTermAndReview)
{
    const fs::path shot = fs::temp_directory_path() / ("ziffron_steps_" + std::to_string(::getpid()) + ".bmp");
    fs::remove(shot);
    start("wait 20\nanswer wrong\nwait 3\nshot " + shot.string() + "\nwait 12\nkey Escape\nwait 14\nanswer right\nwait 10\n");
    aospeech_enable(true);
    play(1, 1, 3);
    aospeech_enable(false);
    ASSERT_EQ(gameLog.tasks.size(), 3u);
    ASSERT_EQ(gameLog.shown.size(), 3u);
    EXPECT_EQ(gameLog.tasks[1].verdict, TaskVerdict::Skipped);

    // In term after the solution line, for the wrong and for the skipped task.
    const std::vector<std::string>& wrong = gameLog.shown[0].steps;
    ASSERT_FALSE(wrong.empty()) << "the review keeps the steps of each task";
    std::string block = "\n Lösungsweg:";
    for (const std::string& l : wrong) block += "\n   " + l;
    size_t solutionLine = transcript().find("!! Lösung war : ");
    ASSERT_NE(solutionLine, std::string::npos);
    EXPECT_NE(transcript().find(block, solutionLine), std::string::npos) << transcript();
    EXPECT_EQ(count(transcript(), "\n Lösungsweg:"), 2) << "after the skip too";
    EXPECT_EQ(count(transcript(), "[say] Lösungsweg: "), 2) << "and read aloud";

    // In the task area, at its foot, during the pause: a card as high as its lines, with text.
    aoPixmap p = quiztest::readShot(shot.string());
    Box card = boxOf(p, kPanel);
    ASSERT_FALSE(card.empty()) << "no Lösungsweg card on screen";
    const StepsCard laid = layoutStepsCard(wrong, gameLog.tasks[0].text, PictureInk{}, 60);
    EXPECT_EQ(card.y1 - card.y0 + 1, laid.h - 4) << "inside its two-pixel frame";
    EXPECT_GT(card.y0, p.height / 2);
    EXPECT_GT(darkPixels(p, card), 300 * static_cast<int>(wrong.size())) << "the lines are drawn";

    // The review: a task opens to its type's title and Lösungsweg, and closes again.
    showReview();
    const int below = 92 + 30; // the rows under the first task's line
    EXPECT_EQ(pixelsOf(kStepBlue, 62, below, 700, 300), 0);
    openReviewTask(0);
    EXPECT_GT(pixelsOf(kStepBlue, 62, below + 30, 700, 30 * static_cast<int>(wrong.size())), 100);
    EXPECT_GT(pixelsOf(aographic_rgb(90, 90, 90), 62, below, 700, 30), 50) << "the type's title";
    EXPECT_TRUE(reviewHandleEvent(' ')) << "Space closes the task the cursor is on";
    EXPECT_EQ(pixelsOf(kStepBlue, 62, below, 700, 300), 0);
    EXPECT_TRUE(reviewHandleEvent(AOKEY_RIGHT));
    EXPECT_TRUE(reviewHandleEvent(' '));
    EXPECT_GT(pixelsOf(kStepBlue, 62, below + 60, 700, 60), 100) << "the second task, opened by keys";
    fs::remove(shot);
}

TEST_F(Quiz, ReviewOfAPictureTaskShowsItsPictureAndChoices)
{
    int pictureTask = 0;
    for (int n : allTaskNumbers())
        if (taskFamily(n) == TaskFamily::Picture) {
            pictureTask = n;
            break;
        }
    ASSERT_NE(pictureTask, 0);
    const fs::path shot = fs::temp_directory_path() / ("ziffron_posed_" + std::to_string(::getpid()) + ".bmp");
    start("wait 20\nshot " + shot.string() + "\nanswer wrong\nwait 14\n");
    soundOn = -1;
    startPractice(taskLevel(pictureTask), taskDifficulty(pictureTask), {pictureTask});
    ASSERT_EQ(gameLog.shown.size(), 1u);
    const aoPixmap& copy = gameLog.shown[0].picture;
    ASSERT_EQ(copy.width, 1280 / 3);
    EXPECT_EQ(copy.height, 720 / 3);
    showReview();
    // Open from the start: a framed copy beside the Lösungsweg, under the answer columns.
    const int frame = aographic_rgb(160, 160, 160);
    int top = 92;
    while (top < 700 && aopxmap_getpixel(taskArea.pixmap(), 789, top) != frame) ++top;
    ASSERT_LT(top, 700) << "no framed copy";
    EXPECT_EQ(pixelsOf(frame, 789, top, 1, copy.height + 2), copy.height + 2);
    for (auto [x, y] : {std::pair{0, 0}, {200, 100}, {copy.width - 1, copy.height - 1}})
        EXPECT_EQ(aopxmap_getpixel(taskArea.pixmap(), 790 + x, top + 1 + y), static_cast<int>(copy.row(y)[x])) << x << "," << y;

    // B (or a click on the copy) shows it at full size where it stood, every
    // pixel as posed, the Lösungsweg beside it; Space goes back to the list.
    const PackedPicture& drawn = gameLog.shown[0].drawn;
    const aoPixmap full = drawn.unpack(), posed = quiztest::readShot(shot.string());
    ASSERT_GT(full.width, copy.width);
    EXPECT_TRUE(reviewHandleEvent('B'));
    int ink = 0, same = 0, asPosed = 0;
    for (int y = 0; y < full.height; ++y)
        for (int x = 0; x < full.width; ++x) {
            const int c = static_cast<int>(full.row(y)[x]);
            if (c == 0xFFFFFF) continue;
            ++ink;
            same += aopxmap_getpixel(taskArea.pixmap(), drawn.x + x, drawn.y + y) == c;
            asPosed += aopxmap_getpixel(&posed, 10 + drawn.x + x, 180 + drawn.y + y) == c;
        }
    EXPECT_GT(ink, 1000);
    EXPECT_EQ(same, ink) << "hidden by the Lösungsweg";
    EXPECT_EQ(asPosed, ink);
    EXPECT_GT(pixelsOf(kPanel, 0, 0, 1280, 720), 10000) << "the Lösungsweg beside it";
    EXPECT_TRUE(reviewHandleEvent(' '));
    EXPECT_EQ(pixelsOf(frame, 789, top, 1, copy.height + 2), copy.height + 2) << "back in the list";
    fs::remove(shot);

    // "Welche der Zahlen lässt sich durch 12 teilen?": the numbers are the squares'.
    start("wait 20\nanswer right\nwait 10\n");
    startPractice(3, 3, {3310});
    ASSERT_EQ(gameLog.shown.size(), 1u);
    const std::string& choices = gameLog.shown[0].choices;
    EXPECT_EQ(count(choices, ", "), 5) << choices;
    EXPECT_NE((", " + choices + ",").find(", " + gameLog.tasks[0].solution + ","), std::string::npos) << choices;

    // A text task draws nothing: no copy is kept.
    start("wait 20\nanswer right\nwait 10\n");
    play(1, 1, 1);
    ASSERT_EQ(gameLog.shown.size(), 1u);
    EXPECT_EQ(gameLog.shown[0].picture.width, 0);
}

TEST_F(Quiz, StoredTimeIsThePupilsOwnWithoutTheVerdictPause)
{
    // The same task answered at the same moment, right and wrong: the wrong
    // one's pause (4 s and more) is not the pupil's.
    int seconds[2] = {};
    for (int i = 0; i < 2; ++i) {
        start(std::string("wait 20\nanswer ") + (i == 0 ? "right" : "wrong") + "\nwait 14\n");
        play(1, 1, 1, 11);
        ASSERT_EQ(gameLog.tasks.size(), 1u);
        seconds[i] = gameLog.tasks[0].seconds;
    }
    EXPECT_EQ(seconds[1], seconds[0]);
    EXPECT_GT(seconds[0], 5);
    EXPECT_EQ(pupilSeconds(1000, 10499, 20000), 9);
    EXPECT_EQ(pupilSeconds(1000, 10500, 20000), 10);
    EXPECT_EQ(pupilSeconds(1000, -1, 20000), 19) << "no verdict: until the task ended";
}

TEST_F(Quiz, ComparisonsAreAskedAsATeacherDoes)
{
    struct Case {
        int task;
        std::vector<std::string> said;
    };
    const std::vector<Case> cases = {
        {4104, {"Was gehört zwischen ", " und ", ": kleiner, gleich oder größer?"}},
        {7301, {"Was gehört zwischen "}},
        {5101, {"Karl hat", "Was gehört zwischen ", " 1 und ", " 2: kleiner, gleich oder größer?"}},
        {5110, {"Welches Zeichen muss zwischen den Brüchen stehen? Was gehört zwischen ", "tel und "}},
    };
    for (const Case& c : cases) {
        start("wait 20\nanswer right\nwait 10\n");
        soundOn = -1;
        aospeech_enable(true);
        startPractice(taskLevel(c.task), taskDifficulty(c.task), {c.task});
        aospeech_enable(false);
        std::string said = sayLine(transcript());
        for (const std::string& part : c.said) EXPECT_NE(said.find(part), std::string::npos) << c.task << ": " << said;
        EXPECT_EQ(said.find("wie viel"), std::string::npos) << said;
    }
}

TEST_F(Quiz, MissingVoiceIsSaidOnceInGermanAndReadingStaysOff)
{
    start("");
    run->platform().voiceMissing = true;
    aospeech_enable(true);
    checkReadingAloud();
    EXPECT_FALSE(aospeech_enabled());
    EXPECT_TRUE(onAnyKey('v'));
    EXPECT_FALSE(aospeech_enabled()) << "V cannot turn on what cannot be heard";
    EXPECT_EQ(count(transcript(), "\n Vorlesen geht nicht: die Sprachdaten von espeak-ng fehlen. Vorlesen bleibt aus."), 1)
        << transcript();
    EXPECT_EQ(count(transcript(), "Vorlesen an"), 0);
}

TEST_F(Quiz, TheReadingPauseIsNeverShorterThanTheVerdictsAndAKeyEndsTheRest)
{
    // A chain of operations explains itself in three lines: 7 s to read; a
    // key at once still leaves the wrong answer's 4 s.
    const int reading = static_cast<int>(stepsReadingSeconds(3) * 1000);
    ASSERT_GT(reading, 4500);
    for (bool key : {false, true}) {
        start(std::string("wait 20\nanswer wrong\n") + (key ? "key 32\n" : "") + "wait 20\nclose\n");
        soundOn = -1;
        play(9, 1, 1);
        ASSERT_EQ(gameLog.shown.size(), 1u);
        ASSERT_EQ(gameLog.shown[0].steps.size(), 3u);
        const int pause = aogettime() - taskOutcome.answeredMs;
        if (key) {
            EXPECT_GE(pause, 4000);
            EXPECT_LT(pause, reading);
        } else {
            EXPECT_GE(pause, reading);
            EXPECT_LT(pause, reading + 1000);
        }
    }
}
