#include "aotoolkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool mainRan = false;
void recordRun()
{
    mainRan = true;
}

// Runs aoentry on the arguments with a program that knows "--name VALUE".
int enter(std::vector<std::string> args, std::string& name)
{
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    aoProgramOptions options;
    options.take = [&name](int argc, char** v, int i) {
        if (std::string(v[i]) != "--name") return 0;
        if (i + 1 >= argc) return -1;
        name = v[i + 1];
        return 2;
    };
    mainRan = false;
    return aoentry(static_cast<int>(argv.size()), argv.data(), recordRun, options);
}

} // namespace

TEST(Entry, ProgramOptionsAreOfferedWhatTheToolkitDoesNotKnow)
{
    std::string name;
    EXPECT_EQ(enter({"ziffron", "--headless", "--name", "Anna", "--seed", "3"}, name), 0);
    EXPECT_TRUE(mainRan);
    EXPECT_EQ(name, "Anna");
    EXPECT_EQ(enter({"ziffron", "--headless", "--name"}, name), 2) << "the program refused it";
    EXPECT_FALSE(mainRan);
    EXPECT_EQ(enter({"ziffron", "--headless", "--colour", "red"}, name), 2) << "nobody knows it";
    EXPECT_FALSE(mainRan);
}
