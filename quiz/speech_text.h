// What a teacher would say when reading a task aloud: operators, fractions,
// powers, units and placeholders as words, without the screen's layout.
#pragma once

#include <string>
#include <string_view>

// The task text as shown (UTF-8, with its line breaks and aligning blanks)
// as one line of German for the speech synthesiser (UTF-8).
std::string spokenTaskText(std::string_view shownUtf8);

// A comparison ("( 4 )  ??  ( -3 )", or a text asking for the sign between
// the two numbers its picture shows, given as pictureText "3/7 ?? 2/9") as
// a teacher asks it: "Was gehört zwischen 4 und minus 3: kleiner, gleich
// oder größer?", after the text's own question when it has one.
std::string spokenComparison(std::string_view shownUtf8, std::string_view pictureText);

// "Drittel", "Viertel", "Zwanzigstel" for 3, 4, 20; empty where a fraction
// with this denominator is better read as "durch" (0, 1, above 1000).
std::string fractionDenominatorWord(int denominator, bool plural);
