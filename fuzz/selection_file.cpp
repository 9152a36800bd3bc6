// Fuzzes the selection file reader: whatever it reads must write back to a
// text that reads the same, without messages.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "selection_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const SelectionFile file = parseSelectionFile(std::string_view(reinterpret_cast<const char*>(data), size));
    static SelectionTable table, again;
    applySelectionFile(file, table);
    const SelectionFile back = parseSelectionFile(formatSelectionFile(table));
    applySelectionFile(back, again);
    if (!back.messages.empty() || formatSelectionFile(again) != formatSelectionFile(table)) std::abort();
    return 0;
}
