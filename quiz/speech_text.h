// What a teacher would say when reading a task aloud: operators, fractions,
// powers, units and placeholders as words, without the screen's layout.
#pragma once

#include <string>
#include <string_view>

// The task text as shown (UTF-8, with its line breaks and aligning blanks)
// as one line of German for the speech synthesiser (UTF-8).
std::string spokenTaskText(std::string_view shownUtf8);

// "Drittel", "Viertel", "Zwanzigstel" for 3, 4, 20; empty where a fraction
// with this denominator is better read as "durch" (0, 1, above 1000).
std::string fractionDenominatorWord(int denominator, bool plural);
