// Start-up and the main screen: the window, its controls and areas, and the
// loop that serves the five buttons.
#include "catalog.h"
#include "keyboard.h"
#include "pictures.h"
#include "quiz.h"
#include "sounds.h"
#include "squares.h"

#include <cstdio>

int level = 0;      // 0 until the first START
int difficulty = 0;
int schoolClass = 5;
int soundOn = 1;
int secondsPerTask[40];
int timeAllowance = 0;
int elapsedSeconds = 0;
int wrongCount = 0;

aoWindow mainWindow;
aoGUIScript screen;
aoView taskArea, progressBar, soundIndicator, avatarArea, timeBar, correctBar, wrongBar, classBadge,
    gradeBox;
AnswerInput answerInput = AnswerInput::Squares;
bool typedOption = false;
int taskCentreX = 640, taskCentreY = 360;

namespace {

aoView inputIndicator; // beside EINGABE: "Kästchen" or "Tippen"
aoView noticeLine;     // right of it: the last notice of the history
constexpr int kNoticeX = 190, kNoticeY = 157, kNoticeW = 745, kNoticeH = 21;

const char* const kWindow = "ZIFFRON-ZOVIZ-5-8: ;,x=50%,y=50%,xs=1320,ys=920,bgcolor=e0e0e0";

const char* const kLayout =
    " Level: <updowncontrol=udStufe,min=1,max=12,start=1,xs=35> Stufe: "
    "<updowncontrol=udSchwierigkeit,min=1,max=3,start=1,xs=30> Anzahl Aufgaben: "
    "<updowncontrol=udAnzahlAufgaben,min=1,max= 24,start=12,xs=40>  "
    "<button=btEdit,Aufgabenauswahl?,xs=130>   <button=btStart,START,xs=70> "
    "<button=btEnde,ENDE,xs=70> <save=y1>   <button=btton,TON,xs=50>              "
    "<button=btparam,OPTIONEN,xs=90>\n\n\n <x=10><terminal=term,xs=927,lines=4,scrollback=1000,font=12x24>"
    "<restore=y1>\n\n\n\n\n\n\n\n<x=950> Klasse:                 Note: "
    "<y=157><x=10><button=btInput,EINGABE,xs=80,ys=21>";

// Seconds per task by level (rows) and difficulty (columns).
const int kSecondsPerTask[12][3] = {
    {10, 10, 20}, {15, 10, 15}, {20, 15, 60}, {10, 15, 25}, {20, 25, 20}, {15, 10, 25},
    {25, 20, 15}, {20, 15, 10}, {10, 15, 25}, {15, 20, 25}, {10, 15, 300}, {60, 60, 120},
};

void createAreas()
{
    taskArea.create("x=10,y=180,xs=1280,ys=720,backgroundcolor=white");
    progressBar.create("x=830,y=7,xs=315,ys=24,backgroundcolor=white");
    soundIndicator.create("x=680,y=7,xs=40,ys=25,backgroundcolor=white");
    avatarArea.create("x=1160,y=7,xs=132,ys=162,backgroundcolor=white");
    timeBar.create("x=950,y=40,xs=196,ys=24,backgroundcolor=white");
    correctBar.create("x=950,y=70,xs=196,ys=24,backgroundcolor=white");
    wrongBar.create("x=950,y=100,xs=196,ys=24,backgroundcolor=white");
    classBadge.create("x=1005,y=140,xs=35,ys=24,backgroundcolor=white");
    gradeBox.create("x=1104,y=140,xs=40,ys=24,backgroundcolor=yellow");
    inputIndicator.create("x=92,y=157,xs=90,ys=21,backgroundcolor=white");
    noticeLine.create("x=%d,y=%d,xs=%d,ys=%d,backgroundcolor=e0e0e0", kNoticeX, kNoticeY, kNoticeW, kNoticeH);
}

} // namespace

void termPrintf(const char* format, ...)
{
    char buffer[20000];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buffer, sizeof buffer, format, ap);
    va_end(ap);
    screen.printf("term", "%s", buffer);
}

void showNotice(const std::string& utf8)
{
    // Drawn aside: the game goes on drawing where it drew before.
    aoDrawTarget* const drawingTo = aographic_gettarget();
    noticeLine.select();
    aographic_fillrect(0, 0, kNoticeW, kNoticeH, utf8.empty() ? 0xE0E0E0 : aographic_rgb(255, 240, 190));
    if (!utf8.empty()) {
        aographic_setfont("Arial16");
        const std::string line = shortLine(ao_utf8_to_cp1252(foldBlanks(utf8)), aofont_find("Arial16"), kNoticeW - 16);
        aographic_text(8, 2, aographic_rgb(140, 0, 0), line.c_str());
    }
    noticeLine.flush();
    aographic_settarget(drawingTo);
}

void fillSecondsPerTask()
{
    for (int& s : secondsPerTask) s = 0;
    for (int l = 1; l <= 12; ++l)
        for (int d = 1; d <= 3; ++d) secondsPerTask[l * 3 + d] = kSecondsPerTask[l - 1][d - 1];
}

int classForLevel(int l)
{
    if (l <= 3) return 5;
    if (l <= 6) return 6;
    if (l <= 9) return 7;
    return 8;
}

void drawSoundIndicator()
{
    soundIndicator.select();
    // The layout's own font fits the 40 x 25 box; the big task font would not.
    aographic_setfont("Arial16");
    if (soundOn == 1) {
        aographic_fillrect(0, 0, 40, 25, aographic_rgb(100, 255, 100));
        aographic_text(10, 5, 0, " AN");
    } else {
        aographic_fillrect(0, 0, 40, 25, aographic_rgb(255, 100, 100));
        aographic_text(10, 5, 0, "AUS");
    }
    soundIndicator.flush();
}

void drawInputIndicator()
{
    inputIndicator.select();
    aographic_setfont("Arial16");
    bool typed = answerInput == AnswerInput::Typed;
    aographic_fillrect(0, 0, 90, 21, typed ? aographic_rgb(150, 200, 255) : aographic_rgb(255, 255, 120));
    aographic_text(8, 3, 0, ao_utf8_to_cp1252(typed ? "Tippen" : "Kästchen").c_str());
    inputIndicator.flush();
}

void toggleAnswerInput()
{
    answerInput = answerInput == AnswerInput::Typed ? AnswerInput::Squares : AnswerInput::Typed;
    drawInputIndicator();
    termPrintf("%s", ao_utf8_to_cp1252(answerInput == AnswerInput::Typed ? "\n Eingabe: Antworten eintippen"
                                                                          : "\n Eingabe: Kästchen anklicken")
                         .c_str());
    // Kept with the selection, so the next run starts the same way.
    saveSelection();
}

int takeTypedOption(int, char** argv, int i)
{
    if (std::string(argv[i]) != "--typed") return 0;
    typedOption = true;
    return 1;
}

void drawClassBadge()
{
    static const int colours[4][3] = {{150, 255, 150}, {255, 150, 150}, {150, 150, 255}, {100, 200, 255}};
    const int* c = colours[schoolClass - 5];
    classBadge.select();
    aographic_setfont("Arial16");
    aographic_fillrect(0, 0, 35, 24, aographic_rgb(c[0], c[1], c[2]));
    aographic_printf(10, 5, 0, "  %d", schoolClass);
    classBadge.flush();
}

void setupMainScreen()
{
    setupPicturePlanes();
    aosrand_time();
    aographic_setfont("crnew36");
    setupGameFonts();
    mainWindow.create("%s", kWindow);
    screen.create("%s", kLayout);

    optionCount = 6;
    createAreas();
    mediaAttach(&mainWindow, &taskArea, &avatarArea, [](const char* text) { termPrintf("%s", text); });
    catalog_setprinter([](const std::string& text) {
        captureTaskText(text);
        termPrintf("%s", text.c_str());
        noteTaskText(text);
    });
    aokey_sethandler(onAnyKey);
    resetProgressPanel();
    soundOn = 1;
    correctCount = wrongCount = 0;
    drawSoundIndicator();
    loadSoundParameters();
    catalog_filltables();
    loadSelection();
    drawInputIndicator();
    aographic_setfont("arial28");
    showLogo(58);
    fillSecondsPerTask();
    termPrintf("%s", kKeyLine);
    checkReadingAloud();
}

void serveMainScreen()
{
    while (aoisrunning()) {
        int e = aogetevent();
        if (e == 0) continue;
        MainScreenKey k = mainScreenKey(e);
        if (screen.buttonpressed(e, "btEnde") || k == MainScreenKey::End) {
            if (soundOn == 1) runEndSequence();
            return;
        } else if (screen.buttonpressed(e, "btparam") || k == MainScreenKey::Options) {
            closeReview();
            runOptionsEditor();
        } else if (screen.buttonpressed(e, "btton") || k == MainScreenKey::Sound) {
            soundOn = -soundOn;
            drawSoundIndicator();
        } else if (screen.buttonpressed(e, "btEdit") || k == MainScreenKey::Selection) {
            closeReview();
            runSelectionEditor();
        } else if (screen.buttonpressed(e, "btInput") || k == MainScreenKey::Input) {
            toggleAnswerInput();
        } else if (screen.buttonpressed(e, "btStart") || k == MainScreenKey::Start) {
            startGame();
        } else {
            reviewHandleEvent(e);
        }
    }
}

void quiz_main()
{
    setupMainScreen();
    openHistory();
    serveMainScreen();
    closeHistory();
}
