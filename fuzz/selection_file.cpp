// Fuzzes the selection file reader: whatever it reads must write back to a
// text that reads the same (table and input line), without messages.
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
    const AnswerInput input = file.input.value_or(AnswerInput::Squares);
    const SelectionFile back = parseSelectionFile(formatSelectionFile(table, input));
    applySelectionFile(back, again);
    if (!back.messages.empty() || back.input != input ||
        formatSelectionFile(again, input) != formatSelectionFile(table, input))
        std::abort();
    return 0;
}
