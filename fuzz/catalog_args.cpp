// Fuzzes the catalog tool's argument parser: the input is split into
// arguments at newlines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalog_tool.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    std::string error;
    parseCatalogArgs(args, error);
    return 0;
}
