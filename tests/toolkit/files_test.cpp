// Whole-file replacement and the per-user folders.
#include "aotoolkit.h"

#include <gtest/gtest.h>

#include <cerrno>
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
