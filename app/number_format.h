// The three rules that turn the value and result fields' text into numbers
// and back, independent of the process locale.
#pragma once

#include <string>
#include <string_view>

// Reads the number at the start of a field's text (the wcstod grammar with
// "." as the decimal point); text that starts with no number gives 0.
double ParseValue(std::u16string_view text);

// The value field's form: fixed point with exactly `digits` decimals,
// rounded ("%.4f" for 4).
std::u16string FormatValue(double value, int digits);

// The result field's form. Scientific notation (notation 1) prints "%G".
// Fixed notation prints "%f" (six decimals, rounded), then cuts, without
// rounding, to `digits` decimals, drops trailing zeros and then a trailing
// point; a text with an exponent or without a point stays as printed.
std::u16string FormatResult(double value, int digits, int notation);
