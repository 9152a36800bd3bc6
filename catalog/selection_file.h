// The teacher's selection file: which task types are switched off, kept
// between runs. Plain text, one line per group with entries off,
// "Level 5 Stufe 2 aus: 3 7 12" (earlier versions wrote "Stufe 5 Schwierigkeit
// 2 aus: ...", which is read too); '#' starts a comment. Reading and
// writing are pure functions over text, so the file's owner decides where the
// bytes come from and go to.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog.h"

using SelectionTable = int[kLevels + 1][kDifficulties + 1][kSelectionSlots + 1];

struct SelectionGroupOff {
    int level = 0;
    int difficulty = 0;
    std::vector<int> entries; // ascending, each 1..entryCount of the group, no repeats
};

// How the pupil answers: by clicking answer squares or by typing the value.
enum class AnswerInput { Squares, Typed };

struct SelectionFile {
    std::vector<SelectionGroupOff> groups; // one per group, in order of first mention
    // "Eingabe: Tippen" or "Eingabe: Kästchen"; empty when the file says
    // neither (files written before the line existed).
    std::optional<AnswerInput> input;
    // German, UTF-8, each naming its line ("Zeile 4: ..."): malformed lines
    // (skipped) and entries outside their group (ignored).
    std::vector<std::string> messages;
};

// Reads the text of a selection file. Never fails: what cannot be read is
// skipped and named in messages (at most kSelectionMessageLimit of them, the
// last one counting the rest).
SelectionFile parseSelectionFile(std::string_view text);
constexpr size_t kSelectionMessageLimit = 20;

// Every entry of every group on, then the file's entries off.
void applySelectionFile(const SelectionFile& file, SelectionTable& table);

// The text of a table: a comment header, the input line and one line per
// group with entries off, by level and difficulty. Parsing it gives back the
// same table and input.
std::string formatSelectionFile(const SelectionTable& table, AnswerInput input = AnswerInput::Squares);
