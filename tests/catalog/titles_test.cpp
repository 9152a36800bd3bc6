// Task titles: every type has a short German one, distinct within its level
// and difficulty, and the catalog tool prints the same.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "catalog.h"
#include "catalog_tool.h"
#include "titles.h"

TEST(Titles, EveryTaskTypeHasAShortDistinctTitleAndTheCatalogToolListsThem)
{
    std::ostringstream out, err;
    ASSERT_EQ(runCatalogTool({"--list", "--titles"}, out, err), 0) << err.str();
    std::istringstream lines(out.str());
    std::string line;
    std::map<int, std::set<std::string>> perGroup;
    for (int n : allTaskNumbers()) {
        const std::string& t = taskTitle(n);
        EXPECT_GE(t.size(), 5u) << n;
        EXPECT_LE(t.size(), 60u) << n << ": " << t;
        EXPECT_EQ(t.find_first_of("0123456789=?()/*+;:"), std::string::npos) << n << ": " << t;
        EXPECT_EQ(ao_cp1252_to_utf8(ao_utf8_to_cp1252(t)), t) << n << " is UTF-8 that the screen can show";
        EXPECT_TRUE(perGroup[n / 100].insert(t).second) << n << " shares its title with another type of its group: " << t;
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, std::to_string(n) + " " + t);
    }
    EXPECT_FALSE(std::getline(lines, line));
    EXPECT_EQ(runCatalogTool({"--titles"}, out, err), 2) << "--titles goes with --list";
    EXPECT_EQ(taskTitle(1106), "");
    EXPECT_EQ(taskTitle(0), "");
    EXPECT_EQ(taskTitle(12101), "Bruchgleichung mit x im Nenner");
}
