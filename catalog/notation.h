// German school notation for every number a pupil or teacher reads: decimal
// comma, signs and terms as a textbook prints them. Texts are UTF-8. Task
// texts and squares write a minus as "-"; a Lösungsweg writes "−" and "≈",
// which the toolkit's fonts carry in two holes of the code page.
#pragma once

#include <string>
#include <string_view>

// `value` with exactly `places` digits after the comma, rounded as at school
// (a 5 rounds away from zero);
// a zero never keeps its minus ("-0,00" reads "0,00").
std::string deDecimal(double value, int places);
// `value` rounded to `places` decimals as at school, a 5 away from zero.
double schoolRound(double value, int places);
// The shortest text with at most `maxPlaces` digits after the comma:
// 2.5 -> "2,5", 10.0 -> "10", -0.125 -> "-0,125".
std::string deNumber(double value, int maxPlaces = 6);
// A result as a square with `places` decimals shows it; where that is
// rounded, first the exact value (up to two more places) or two more places
// cut off, so that the line reads true: "0,125 ≈ 0,13" or "2,449... ≈ 2,45".
std::string deRounded(double value, int places);
// A Lösungsweg line with each minus written as the minus sign "−"; a hyphen
// inside a word ("x-Achse") stays.
std::string deStepMinus(std::string_view line);

// A term coef·var as written: 3x, -x, x; "0" for a zero coefficient.
std::string deTerm(int coef, std::string_view var);
// a·var + b with the signs folded: "3x + 4", "x - 2", "-x", "7", "0".
std::string deLinear(int a, int b, std::string_view var);
// A summand joined onto what comes before it: " + 6", " - 6".
std::string deSignedAppend(int value);
std::string deSignedAppend(double value, int places);
// A number as a factor or operand after an operator: negative ones in
// brackets, "(-3)", as a textbook writes "5 · (-3)".
std::string deOperand(int value);
std::string deOperand(double value, int places);
// A power as a textbook prints it: "7²", "(-3)³"; a negative base stands in
// brackets. Exponents without a superscript in the screen's character set
// are written out: "3 hoch 4".
std::string dePower(int base, int exponent);
