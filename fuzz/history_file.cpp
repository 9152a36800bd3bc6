// Fuzzes the history's handling of whatever file it finds: the input is
// written to a file that is then read as the report reads it and opened as
// the trainer opens it, with one task written.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "history.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("ziffron_fuzz_history_" + std::to_string(::getpid()))).string();
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    std::vector<StoredGame> games;
    std::string err;
    historyLoad(path, {}, games, err);
    if (historyOpen(path, err)) {
        historyBeginGame({"fuzz", 1, 1, 1, 1, GameKind::Game}, err);
        historyRecordTask({1, 1101, 1, "text", "1", "2", TaskVerdict::Wrong, 1}, err);
        historyEndGame({0, 1, 0, "", 1, GameEnd::Finished}, err);
        historyClose();
    }
    return 0;
}
