#include "class_overview.h"

#include "titles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

// A game of n tasks of one type, `right` of them right, on day d of December 2026.
StoredGame game(const std::string& pupil, int day, int number, int n, int right, const std::string& grade = "")
{
    StoredGame g;
    g.pupil = pupil;
    g.started = 1796083200 + (day - 1) * 86400LL + 9 * 3600; // 2026-12-01 is a Tuesday
    g.tasks = n;
    g.grade = grade;
    g.seconds = 20 * n;
    g.end = GameEnd::Finished;
    for (int i = 1; i <= n; ++i) {
        TaskRecord t;
        t.position = i;
        t.taskNumber = number;
        t.text = "Aufgabe mit Zahlen " + std::to_string(i);
        t.verdict = i <= right ? TaskVerdict::Right : TaskVerdict::Wrong;
        g.taskList.push_back(t);
    }
    g.right = right;
    g.wrong = n - right;
    return g;
}

} // namespace

TEST(ClassOverview, OneRowPerPupilTheClassesWeakestTypesByTitleAndWeeks)
{
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    std::vector<StoredGame> games = {game("Anna", 1, 3101, 10, 2),  game("Ben", 1, 3102, 5, 5, "1"),
                                     game("Anna", 9, 3101, 10, 9, "2"), game("Ben", 10, 3101, 4, 1),
                                     game("Cem", 15, 3103, 2, 0)};
    std::string text = classOverviewText(games);
    EXPECT_NE(text.find("Klasse: 3 Schüler"), std::string::npos) << text;
    EXPECT_NE(text.find("Anna                2       20        55 %     2            6 min 40 s    besser (+70)"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Cem                 1       2         0 %      –"), std::string::npos) << "no trend from 2 tasks";
    // 3101: 12 right of 24 by two pupils; 3102 all right; 3103 too few tries.
    ASSERT_FALSE(taskTitle(3101).empty());
    size_t weak = text.find("schwächsten");
    ASSERT_NE(weak, std::string::npos);
    size_t first = text.find(taskTitle(3101), weak), second = text.find(taskTitle(3102), weak);
    EXPECT_NE(first, std::string::npos) << text;
    EXPECT_LT(first, second) << "weakest first";
    EXPECT_EQ(text.find("3103", weak), std::string::npos) << "two tries are not enough";
    EXPECT_EQ(text.find("Aufgabe mit Zahlen"), std::string::npos) << "titles, not task texts";

    std::string page = classOverviewHtml(games);
    // Three weeks: 30 Nov, 7 Dec, 14 Dec (Mondays).
    for (const char* week : {"KW 49 (30.11.)", "KW 50 (07.12.)", "KW 51 (14.12.)"})
        EXPECT_NE(page.find(week), std::string::npos) << week;
    EXPECT_NE(page.find("Klasse, KW 50 (07.12.): 71 %"), std::string::npos) << "10 + 4 tasks, 9 + 1 right";

    EXPECT_EQ(classOverviewText({game("Anna", 1, 3101, 3, 1)}), "") << "one pupil: no class overview";
}
