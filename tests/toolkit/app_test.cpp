#include "harness.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

int timerCalls = 0;
void countCalls(void*, int message, int)
{
    EXPECT_EQ(message, 2029);
    ++timerCalls;
}

std::string tempFile(const std::string& name, const std::string& content)
{
    auto p = std::filesystem::temp_directory_path() / ("ziffron_" + name);
    std::ofstream(p, std::ios::binary) << content;
    return p.string();
}

} // namespace

TEST(EventQueue, SixtyFifthPendingEventIsLost)
{
    HeadlessRun run;
    for (int i = 0; i < 65; ++i) aoputevent(1000 + i);
    EXPECT_EQ(aopendingevents(), 64);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(aogetevent_nowait(), 1000 + i);
    EXPECT_EQ(aogetevent_nowait(), 0);
}

TEST(EventQueue, UniqueIdsCountUpFromOneMillion)
{
    int a = aonewid(16);
    int b = aonewid(1);
    EXPECT_GE(a, 1000000);
    EXPECT_EQ(b, a + 16);
}

TEST(Timers, TimerObjectStopsPostingAtThirtyThreePending)
{
    HeadlessRun run;
    {
        aoTimer t(10);
        aowait(1.0);
        EXPECT_EQ(aopendingevents(), 33);
        EXPECT_EQ(aogetevent_nowait(), t.code[1]);
    }
    // Destroyed: no more posts.
    while (aogetevent_nowait()) {
    }
    aowait(0.5);
    EXPECT_EQ(aopendingevents(), 0);
}

TEST(Timers, RegisteringTwiceKeepsOneSlotAndTheTableHoldsOneHundred)
{
    HeadlessRun run;
    CaptureStdio out;
    static int contexts[101];
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(aosettimer(countCalls, &contexts[i], 1000, 7));
    // Same context and id: updated in place, no new slot needed.
    EXPECT_TRUE(aosettimer(countCalls, &contexts[0], 500, 7));
    EXPECT_EQ(out.out, "");
    EXPECT_FALSE(aosettimer(countCalls, &contexts[100], 1000, 7));
    EXPECT_EQ(out.out, "too many timers !\n");
    for (int i = 0; i < 100; ++i) aokilltimer(&contexts[i], 7);
    EXPECT_TRUE(aosettimer(countCalls, &contexts[100], 1000, 7));
    aokilltimer(&contexts[100], 7);
}

TEST(Timers, CallbackRunsOncePerIntervalWithCatchUp)
{
    HeadlessRun run;
    static int ctx;
    timerCalls = 0;
    aosettimer(countCalls, &ctx, 100, 1);
    aowait(1.0);
    EXPECT_GE(timerCalls, 9);
    EXPECT_LE(timerCalls, 10);
    aokilltimer(&ctx, 1);
}

TEST(Waiting, ZeroReturnsAtOnceAndWaitsCostVirtualTimeOnly)
{
    HeadlessRun run;
    int t0 = aogettime();
    aowait(0);
    EXPECT_EQ(aogettime(), t0);
    aowait(5.0);
    EXPECT_GE(aogettime() - t0, 5000);
    EXPECT_LT(aogettime() - t0, 5100);
    // Shorter than a millisecond still ends.
    aowait(0.0001);
}

TEST(Waiting, ClickDuringWaitIsReturnedByTheNextGetEvent)
{
    HeadlessRun run("wait 0.5\nclick 100 120\n");
    aoWindow w;
    ASSERT_TRUE(w.create("T: ;,x=0,y=0,xs=400,ys=300,bgcolor=e0e0e0"));
    while (aogetevent_nowait()) {
    }
    aowait(1.0);
    EXPECT_GE(aopendingevents(), 1) << "the click stays queued";
    int e = aogetevent();
    EXPECT_EQ(e, w.code[1]);
    EXPECT_EQ(w.mousex(), 100);
    EXPECT_EQ(w.mousey(), 120);
}

TEST(ScriptTimeline, EndOfScriptClosesTheWindow)
{
    HeadlessRun run("wait 2\nkey Escape\n");
    aoWindow w;
    ASSERT_TRUE(w.create("T: ;,xs=200,ys=100"));
    int t0 = aogettime();
    EXPECT_EQ(aogetevent(), 27);
    EXPECT_GE(aogettime() - t0, 2000);
    EXPECT_EQ(aogetevent(), 0);
    EXPECT_FALSE(aoisrunning());
}

TEST(ScriptTimeline, KeysAndTypedTextArriveInOrder)
{
    HeadlessRun run("type ab ü\nkey Enter\nkey Backspace\nkey 65\n");
    aoWindow w;
    ASSERT_TRUE(w.create("T: ;,xs=200,ys=100"));
    std::vector<int> got;
    for (int e; (e = aogetevent()) != 0;) got.push_back(e);
    std::vector<int> want = {'a', 'b', ' ', 0xFC, 10, 8, 65};
    EXPECT_EQ(got, want);
}

TEST(ScriptParser, RejectsLinesItDoesNotUnderstand)
{
    headless::Script s;
    std::string err;
    EXPECT_FALSE(headless::parseScript("wait 1\nfly away\n", s, err));
    EXPECT_EQ(err.rfind("script line 2: ", 0), 0u) << err;
    EXPECT_FALSE(headless::parseScript("click 10\n", s, err));
    EXPECT_FALSE(headless::parseScript("wait -1\n", s, err));
    EXPECT_FALSE(headless::parseScript("key Tabulator\n", s, err));
    EXPECT_FALSE(headless::parseScript("answer maybe\n", s, err));
    EXPECT_FALSE(headless::parseScript("shot\n", s, err));
    ASSERT_TRUE(headless::parseScript("# c\n\nwait 1.5\nclick btStart\nspin udStufe 3\nwait 1\nshot a.bmp\n", s, err));
    ASSERT_EQ(s.lines.size(), 3u);
    EXPECT_EQ(s.lines[0].command, "clickname");
    EXPECT_EQ(s.lines[0].dueMs, 1500);
    EXPECT_EQ(s.lines[2].dueMs, 2500);
    // Lines may end in a lone CR, as an old editor writes them.
    ASSERT_TRUE(headless::parseScript("wait 1\rtype a b\rkey Enter\r", s, err)) << err;
    ASSERT_EQ(s.lines.size(), 2u);
    EXPECT_EQ(s.lines[0].args, "a b");
    EXPECT_EQ(s.lines[1].lineNumber, 3);
}

TEST(ScriptTimeline, UnknownLaterCommandsSayNotAvailableOnceAndGoOn)
{
    HeadlessRun run("answer right\nanswer wrong\nkey 5\n");
    aoWindow w;
    ASSERT_TRUE(w.create("T: ;,xs=200,ys=100"));
    testing::internal::CaptureStderr();
    int e = aogetevent();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(e, '5') << "a single character names its own key";
    EXPECT_EQ(err, "answer: not available yet\n");
}

TEST(ScriptTimeline, RegisteredHandlerClicksItsPoints)
{
    HeadlessRun run("click btStart\nwait 1\nclick btStart\nkey 5\n");
    aoscript_sethandler("clickname", [](const std::string& args) {
        aoScriptResult r;
        if (args == "btStart") r.clicks.push_back({30, 40});
        else r.ok = false;
        return r;
    });
    aoWindow w;
    ASSERT_TRUE(w.create("T: ;,xs=200,ys=100"));
    EXPECT_EQ(aogetevent(), w.code[1]);
    EXPECT_EQ(w.mousex(), 30);
    EXPECT_EQ(w.mousey(), 40);
    // Taken back, the command is one the program does not know, not a crash.
    aoscript_sethandler("clickname", nullptr);
    int e = aogetevent();
    while (e && e != '5') e = aogetevent();
    EXPECT_EQ(e, '5');
}

TEST(Sound, MissingOrBrokenFilesAreSilentAndRealOnesReachTheTranscript)
{
    HeadlessRun run;
    EXPECT_FALSE(aoplaysound("no/such/file.wav"));
    std::string bad = tempFile("bad.wav", "RIFX....");
    EXPECT_FALSE(aoplaysound(bad.c_str()));
    std::string empty = tempFile("empty.wav", "");
    EXPECT_FALSE(aoplaysound(empty.c_str()));
    std::string good = tempFile("good.wav", std::string("RIFF\x24\0\0\0WAVE", 12));
    EXPECT_TRUE(aoplaysound(good.c_str()));
    EXPECT_EQ(run.transcript, "[sound] " + good + "\n");
}

TEST(Settings, ScreenMetricsAndUnknownNames)
{
    HeadlessRun run;
    CaptureStdio out;
    EXPECT_EQ(aogetsetting("screenxs"), 1920);
    EXPECT_EQ(aogetsetting("SCREENYS"), 1080);
    EXPECT_GT(aogetsetting("maxwindowys"), 900);
    EXPECT_EQ(aogetsetting("colour"), 0);
    EXPECT_EQ(out.out, "get setting: colour\n");
}

TEST(Window, MainWindowIsCentredAndFilledWithItsBackground)
{
    HeadlessRun run;
    aoWindow w;
    ASSERT_TRUE(w.create("ZIFFRON-ZOVIZ-5-8: ;,x=50%,y=50%,xs=1320,ys=920,bgcolor=e0e0e0"));
    EXPECT_EQ(w.title, "ZIFFRON-ZOVIZ-5-8: ");
    EXPECT_EQ(w.geo.rx, 300);
    EXPECT_EQ(w.geo.ry, 80);
    EXPECT_EQ(w.picture.width, 1320);
    EXPECT_EQ(w.picture.height, 920);
    EXPECT_EQ(w.code[1], w.client.code[1]) << "the window's codes are its client area's";
    aoi::process(false);
    const auto& pic = run.platform().picture();
    ASSERT_EQ(pic.size(), 1320u * 920u);
    EXPECT_EQ(pic.front(), 0xE0E0E0u);
    EXPECT_EQ(pic.back(), 0xE0E0E0u);
    EXPECT_EQ(run.platform().windowTitle(), "ZIFFRON-ZOVIZ-5-8: ");
}

TEST(Window, AreasDrawIntoTheirPixmapUntilFlushedAndPassClicksOn)
{
    HeadlessRun run("click 20 30\nwait 1\nclick 5 5\n");
    aoWindow w;
    ASSERT_TRUE(w.create("T: ;,x=0,y=0,xs=200,ys=100,bgcolor=e0e0e0"));
    aoView v;
    ASSERT_TRUE(v.create("x=10,y=20,xs=50,ys=40,backgroundcolor=yellow"));
    EXPECT_EQ(aopxmap_getpixel(&w.picture, 10, 20), 0xFFFF00) << "created areas are shown";
    aopxmap_fillrect(v.pixmap(), 0, 0, 5, 5, 0x0000FF);
    EXPECT_EQ(aopxmap_getpixel(&w.picture, 10, 20), 0xFFFF00);
    v.flush();
    EXPECT_EQ(aopxmap_getpixel(&w.picture, 10, 20), 0x0000FF);
    EXPECT_EQ(aopxmap_getpixel(&w.picture, 9, 20), 0xE0E0E0);

    int e = aogetevent();
    EXPECT_EQ(e, v.code[1]);
    EXPECT_EQ(v.mousex(), 10);
    EXPECT_EQ(v.mousey(), 10);
    EXPECT_EQ(aogetevent(), w.code[1]);
    EXPECT_EQ(w.mousex(), 20);
    EXPECT_EQ(aogetevent(), v.code[2]);
    EXPECT_EQ(aogetevent(), w.code[2]);
    EXPECT_EQ(aogetevent(), w.code[1]) << "a click outside the area goes to the window";
}

TEST(Files, GetlineHandlesCrLfMissingFinalNewlineAndLongLines)
{
    std::string p = tempFile("lines.txt", "ab\r\n" + std::string(20, 'x') + "\nlast");
    aoFile* f = aofile_open(p.c_str(), "r");
    ASSERT_NE(f, nullptr);
    char buf[10];
    EXPECT_EQ(aofile_getline(buf, sizeof buf, f), 3);
    EXPECT_STREQ(buf, "ab\n");
    EXPECT_EQ(aofile_getline(buf, sizeof buf, f), 9);
    EXPECT_STREQ(buf, "xxxxxxxx\n") << "at most size - 2 characters are kept";
    EXPECT_EQ(aofile_getline(buf, sizeof buf, f), 5);
    EXPECT_STREQ(buf, "last\n");
    EXPECT_EQ(aofile_getline(buf, sizeof buf, f), 0);
    EXPECT_STREQ(buf, "");
    aofile_close(f);
    EXPECT_EQ(aofile_getline(buf, sizeof buf, nullptr), 0);
}

TEST(Files, ModesAndExistence)
{
    std::string p = (std::filesystem::temp_directory_path() / "ziffron_modes.txt").string();
    std::remove(p.c_str());
    EXPECT_FALSE(aofileexists(p.c_str()));
    EXPECT_EQ(aofile_open(p.c_str(), "r"), nullptr);
    aoFile* w = aofile_open(p.c_str(), "w");
    aofile_printf(w, "%d\n", 12);
    aofile_close(w);
    aoFile* a = aofile_open(p.c_str(), "a");
    aofile_printf(a, "%s\n", "x");
    aofile_close(a);
    EXPECT_TRUE(aofileexists(p.c_str()));
    aoFile* r = aofile_open(p.c_str());
    char buf[32];
    aofile_getline(buf, sizeof buf, r);
    EXPECT_STREQ(buf, "12\n");
    aofile_getline(buf, sizeof buf, r);
    EXPECT_STREQ(buf, "x\n");
    aofile_close(r);
    aofile_printf(nullptr, "ignored");
}

TEST(Console, PrintfGoesToTheStdioTargetAndInputIntReadsDefaults)
{
    CaptureStdio out;
    aoprintf("%d apples", 3);
    EXPECT_EQ(out.out, "3 apples");
    EXPECT_EQ(aoinputint("Zahl? ", 17), 17) << "nothing read gives the default";
    EXPECT_EQ(out.out, "3 applesZahl? ");
}

TEST(Waiting, ClicksQueuedDuringAWaitKeepTheirOwnPositions)
{
    HeadlessRun run("wait 0.2\nclick 10 20\nwait 0.2\nclick 30 40\n");
    aoWindow w;
    ASSERT_TRUE(w.create("T: ;,x=0,y=0,xs=400,ys=300"));
    aowait(1.0);
    EXPECT_EQ(aogetevent(), w.code[1]);
    EXPECT_EQ(w.mousex(), 10);
    EXPECT_EQ(w.mousey(), 20);
    EXPECT_EQ(aogetevent(), w.code[2]);
    EXPECT_EQ(aogetevent(), w.code[1]);
    EXPECT_EQ(w.mousex(), 30);
    EXPECT_EQ(w.mousey(), 40);
}

namespace {
class TypedLine : public aoStdio {
public:
    explicit TypedLine(std::string l) : line(std::move(l)) { aosetstdio(this); }
    ~TypedLine() override { aosetstdio(nullptr); }
    void stdwrite(const char*) override {}
    bool stdreadline(char* buffer, int limit) override
    {
        std::snprintf(buffer, static_cast<size_t>(limit), "%s", line.c_str());
        return true;
    }
    std::string line;
};
} // namespace

TEST(Console, InputIntReadsLeadingNumbersAndHoldsHugeOnesAtTheLimit)
{
    {
        TypedLine t("42abc");
        EXPECT_EQ(aoinputint("", 5), 42);
    }
    {
        TypedLine t("abc");
        EXPECT_EQ(aoinputint("", 5), 0) << "a line that does not start with a number";
    }
    {
        TypedLine t("99999999999");
        EXPECT_EQ(aoinputint("", 5), INT_MAX);
    }
    {
        TypedLine t("-99999999999");
        EXPECT_EQ(aoinputint("", 5), INT_MIN);
    }
}
