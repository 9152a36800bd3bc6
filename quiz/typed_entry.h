// Answering by typing: the input field where the squares would be, what a
// pupil may type into it and how that text is read. The verdict is the same
// one the squares get (the judges in quiz.h).
#pragma once

#include "squares.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A number as typed: an optional leading minus, digits, at most one decimal
// comma (or point). Leading zeros of the whole part and trailing zeros of
// the decimals are dropped, so "007,50" and "7,5" read alike.
struct TypedNumber {
    bool negative = false;
    std::string whole = "0"; // digits
    std::string decimals;    // digits, no trailing zero
};
// Empty when the text cannot be a number ("", "-", "3,,4", "--2", "1-2").
std::optional<TypedNumber> readTypedNumber(std::string_view text);
// The short hint shown beside a field whose text is refused (UTF-8); empty
// when the text reads as a number.
std::string typedHint(std::string_view text);
// The value of a number without decimals, if it fits; empty otherwise.
std::optional<long long> typedWhole(const TypedNumber& n);
// The number as the squares print it with `places` decimals ("-3.80"); empty
// when it has more decimals than that (then it is no square's text).
std::optional<std::string> typedAtPlaces(const TypedNumber& n, int places);

// How the texts typed into the fields of the current task (one, or two for
// a two-part answer) are judged: by the squares' judges.
struct TypedJudgement {
    enum Outcome { Refused, Reduce, Right, Wrong } outcome = Wrong;
    std::string hint; // Refused and Reduce: what to say beside the field (UTF-8)
    int field = 0;    // the field the hint stands beside
};
// Refused: a text that cannot be a number, or a denominator 0; Reduce: an
// equal fraction not yet reduced where the reduced one is asked for.
TypedJudgement judgeTyped(const SquareLayout& layout, const std::vector<std::string>& texts);

// The longest text a field takes.
constexpr size_t kFieldChars = 10;

// Whether typing is on and the current task, built with these rows, is
// answered in fields: compare tasks and tasks that ask to choose among the
// squares keep their squares.
bool typedFieldFor(AnswerRows rows, int taskNumber);

// The fields of the current task: draws them, reads the keys, judges and
// fills taskOutcome as the squares would.
void runTypedEntry(const SquareLayout& layout);

// What "answer right|wrong" types into the fields of the current task, one
// text per field, with a decimal comma.
std::vector<std::string> typedAnswerTexts(const SquareLayout& layout, bool right);
// True while fields wait for input (for the headless "answer" command).
bool typedEntryActive();
// Fills the waiting fields with the right or a wrong answer and submits it.
void typeAnswer(bool right);
