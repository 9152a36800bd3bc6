// Whole-file replacement and the per-user folders.
#include "aotoolkit.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TempDir {
    fs::path path;
    TempDir()
    {
        path = fs::temp_directory_path() / ("ziffron-files-" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

} // namespace

TEST(FileReplace, WritesNewFileAndReplacesOldOneLeavingNoTemporaries)
{
    TempDir d;
    std::string f = (d.path / "a.txt").string(), err;
    ASSERT_TRUE(aofile_replace(f, "old\n", err)) << err;
    ASSERT_TRUE(aofile_replace(f, "new\n", err)) << err;
    EXPECT_EQ(slurp(f), "new\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(d.path), fs::directory_iterator{}), 1);

    // What a killed save left is removed by the next one once it is old; a
    // fresh one may be a save in progress and stays, as do other names.
    const fs::path stale = d.path / "a.txt.tmp-Ab12Cd", fresh = d.path / "a.txt.tmp-Xy34Zw";
    const fs::path other = d.path / "b.txt.tmp-Ab12Cd";
    for (const fs::path& p : {stale, fresh, other}) std::ofstream(p) << "torn";
    fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::hours(1));
    fs::last_write_time(other, fs::file_time_type::clock::now() - std::chrono::hours(1));
    ASSERT_TRUE(aofile_replace(f, "newer\n", err)) << err;
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_TRUE(fs::exists(other));
}

TEST(FileReplace, FailedWriteKeepsOldFileAndNamesTheReason)
{
    TempDir d;
    std::string f = (d.path / "a.txt").string(), err;
    ASSERT_TRUE(aofile_replace(f, "old\n", err));
    aofile_injectwriteerror(ENOSPC);
    EXPECT_FALSE(aofile_replace(f, "new\n", err));
    EXPECT_EQ(slurp(f), "old\n");
    EXPECT_EQ(err, f + ": Datenträger voll");
    EXPECT_EQ(std::distance(fs::directory_iterator(d.path), fs::directory_iterator{}), 1);
    EXPECT_FALSE(aofile_replace((d.path / "missing" / "a.txt").string(), "x", err));
    EXPECT_NE(err.find("Ordner fehlt"), std::string::npos) << err;
}

TEST(UserFolders, FollowXdgVariablesElseHome)
{
    ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    ::setenv("XDG_DATA_HOME", "/tmp/data", 1);
    EXPECT_EQ(aopath_configdir(), "/tmp/cfg/ziffron");
    EXPECT_EQ(aopath_datadir(), "/tmp/data/ziffron");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("XDG_DATA_HOME", "relative", 1); // not absolute: ignored
    ::setenv("HOME", "/home/p", 1);
    EXPECT_EQ(aopath_configdir(), "/home/p/.config/ziffron");
    EXPECT_EQ(aopath_datadir(), "/home/p/.local/share/ziffron");
    ::unsetenv("XDG_DATA_HOME");
}

TEST(FileReplace, KeepsReadOnlyMarksModesAndLinks)
{
    TempDir d;
    const fs::path f = d.path / "a.txt";
    std::string err;
    int errnum = 0;
    ASSERT_TRUE(aofile_replace(f.string(), "old\n", err));

    // Marked read-only: refused even where renaming would work (as root too).
    fs::permissions(f, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(aofile_replace(f.string(), "new\n", err, errnum));
    EXPECT_EQ(errnum, EACCES);
    EXPECT_EQ(err, f.string() + ": keine Schreibrechte");
    EXPECT_EQ(slurp(f), "old\n");
    fs::permissions(d.path, fs::perms::owner_read | fs::perms::owner_exec);
    fs::permissions(f, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(aofile_replace(f.string(), "new\n", err, errnum)) << "folder marked read-only";
    fs::permissions(d.path, fs::perms::owner_all);

    // A group-writable shared file stays group-writable.
    fs::permissions(f, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write);
    ASSERT_TRUE(aofile_replace(f.string(), "new\n", err)) << err;
    EXPECT_EQ(fs::status(f).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write);

    // Through a link the file it points to is replaced; a device never is.
    fs::create_symlink(f, d.path / "link.txt");
    ASSERT_TRUE(aofile_replace((d.path / "link.txt").string(), "linked\n", err)) << err;
    EXPECT_TRUE(fs::is_symlink(d.path / "link.txt"));
    EXPECT_EQ(slurp(f), "linked\n");
    if (fs::exists("/dev/null")) {
        fs::create_symlink("/dev/null", d.path / "null.txt");
        EXPECT_FALSE(aofile_replace((d.path / "null.txt").string(), "x", err, errnum));
        EXPECT_NE(err.find("keine gewöhnliche Datei"), std::string::npos) << err;
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
    }
}

TEST(TextLines, CrLfLfAndALoneCrEachEndOneLine)
{
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(aotext_lines(""), Lines{});
    EXPECT_EQ(aotext_lines("4\r4\r2\r"), (Lines{"4", "4", "2"}));
    EXPECT_EQ(aotext_lines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(aotext_lines("a\n\rb\r\r\n"), (Lines{"a", "", "b", ""}));

    // The file reader agrees, line by line, also across its buffer limit.
    TempDir d;
    const fs::path f = d.path / "lines.txt";
    const std::string text = "a\n\rb\r\r\nlong line\rz";
    std::ofstream(f, std::ios::binary) << text;
    aoFile* file = aofile_open(f.string().c_str(), "r");
    ASSERT_NE(file, nullptr);
    std::vector<std::string> read;
    char buffer[8];
    while (aofile_getline(buffer, sizeof buffer, file) > 0) read.emplace_back(buffer);
    aofile_close(file);
    EXPECT_EQ(read, (std::vector<std::string>{"a\n", "\n", "b\n", "\n", "long l\n", "z\n"}));
}
