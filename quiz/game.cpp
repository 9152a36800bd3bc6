// The START sequence and the loop of one game.
#include "catalog.h"
#include "quiz.h"

void startGame()
{
    level = screen.getvalue("udStufe");
    difficulty = screen.getvalue("udSchwierigkeit");
    taskCount = screen.getvalue("udAnzahlAufgaben");
    schoolClass = classForLevel(level);
    drawClassBadge();
    taskArea.select();
    aographic_setfont("arial28");
    timeAllowance = secondsPerTask[level * 3 + difficulty] * taskCount;
    // FIXME: media choice, start picture and sound, progress panel and the game itself.
    elapsedSeconds = 0;
}
