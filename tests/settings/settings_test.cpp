#include "settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(Settings, ReadsKeysCommentsAndNamesEachFaultyLineByNumber)
{
    Settings s;
    std::vector<std::string> faults;
    parseSettings("\xEF\xBB\xBF# Schule am Berg\r\n"
                  "history = postgresql://ziffron_pupil@schulserver/ziffron?sslmode=require  # Server\r\n"
                  "\n"
                  "  class=6b\n"
                  "pupil login\n"           // 5: no "="
                  "colour = blau\n"         // 6: unknown key
                  " = 7\n"                  // 7: no key
                  "pupil =\n"               // 8: no value
                  "pupil = Anna\n"          // 9: not login/ask
                  "class = 6\x01" "c\n"     // 10: a control character
                  "pupil = ask",            // last line without a line end
                  "ziffron.conf", s, faults);
    EXPECT_EQ(s.history, "postgresql://ziffron_pupil@schulserver/ziffron?sslmode=require");
    EXPECT_EQ(s.className, "6b");
    EXPECT_EQ(s.pupil, "ask");
    ASSERT_EQ(faults.size(), 6u);
    const char* lines[] = {"Zeile 5:", "Zeile 6:", "Zeile 7:", "Zeile 8:", "Zeile 9:", "Zeile 10:"};
    for (size_t i = 0; i < faults.size(); ++i) {
        EXPECT_EQ(faults[i].rfind("ziffron.conf, ", 0), 0u) << faults[i];
        EXPECT_NE(faults[i].find(lines[i]), std::string::npos) << faults[i];
    }
    EXPECT_NE(faults[1].find("colour"), std::string::npos);

    // A "#" inside a value (a password, a path) is no comment.
    Settings t;
    parseSettings("history = /srv/klasse#6/verlauf.sqlite3", "f", t, faults);
    EXPECT_EQ(t.history, "/srv/klasse#6/verlauf.sqlite3");
}

TEST(Settings, TheUsersFileOverridesTheSystemOne)
{
    fs::path dir = fs::temp_directory_path() / ("ziffron_settings_" + std::to_string(::getpid()));
    fs::create_directories(dir / "ziffron");
    std::ofstream(dir / "ziffron" / "ziffron.conf") << "class = 7a\nwhat\n";
    const char* old = std::getenv("XDG_CONFIG_HOME");
    std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    std::vector<std::string> files = settingsFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], "/etc/ziffron/ziffron.conf");
    EXPECT_EQ(files[1], (dir / "ziffron" / "ziffron.conf").string());

    Settings s;
    std::vector<std::string> faults;
    parseSettings("class = 6b\npupil = login\n", files[0], s, faults);
    std::ifstream in(files[1]);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    parseSettings(text, files[1], s, faults);
    EXPECT_EQ(s.className, "7a");
    EXPECT_EQ(s.pupil, "login");
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find(files[1] + ", Zeile 2:"), std::string::npos) << faults[0];

    faults.clear();
    Settings loaded = loadSettings(faults);
    EXPECT_EQ(loaded.className, "7a") << "unless the machine's own file says otherwise";
    if (old) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(dir);
}

TEST(Settings, TheClassListIsTakenWholeOrNamedAndSkipped)
{
    Settings s;
    std::vector<std::string> faults;
    parseSettings("pupils = Anna,  Ben Müller ,Cem,\n", "f", s, faults);
    EXPECT_EQ(s.pupils, (std::vector<std::string>{"Anna", "Ben Müller", "Cem"}));
    EXPECT_TRUE(faults.empty());

    // Each broken list is named and leaves the one before in force.
    const std::string tooLong(41, 'x'), longest = std::string(39, 'x') + "ä";
    std::string many = "pupils = ";
    for (size_t i = 0; i <= kMaxPupils; ++i) many += "P" + std::to_string(i) + ",";
    parseSettings("pupils = Anna, Ben, anna\n"
                  "pupils = , ,\n"
                  "pupils = " + tooLong + "\n" + many + "\npupils =\npupils = Ute, \x7F\n",
                  "f", s, faults);
    EXPECT_EQ(s.pupils.size(), 3u);
    ASSERT_EQ(faults.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_NE(faults[i].find("Zeile " + std::to_string(i + 1) + ":"), std::string::npos) << faults[i];
    EXPECT_NE(faults[0].find("zweimal"), std::string::npos) << "names differing in case only are one pupil";

    parseSettings("pupils = Zoë, " + longest, "f", s, faults);
    EXPECT_EQ(s.pupils, (std::vector<std::string>{"Zoë", longest})) << "40 characters, not bytes";
}
