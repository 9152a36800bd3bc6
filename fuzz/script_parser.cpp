// Headless scripts are read from files the user gives.
#include "platform/headless/script.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    headless::Script s;
    std::string err;
    headless::parseScript(std::string(reinterpret_cast<const char*>(data), size), s, err);
    return 0;
}
