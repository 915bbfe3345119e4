// Number reading and printing with the C library's grammar and output, but
// independent of the process locale: the decimal point is always ".".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace base {

struct DecimalRead {
  double value = 0.0;   // the number read, 0 when none
  std::size_t used = 0; // code units consumed; 0 when the text holds no number
};

// Reads a decimal number as wcstod does: leading white space, an optional
// sign, digits with at most one ".", and an optional exponent ("e" or "E",
// optional sign, digits; an "e" without digits is not consumed). Any number of
// digits is accepted and rounded to the nearest double. No inf, nan or
// hexadecimal forms: such text reads as no number. Never fails and never
// yields infinity or NaN: a magnitude beyond the double range gives the
// largest finite double of that sign, one below it gives zero of that sign.
DecimalRead ReadDecimal(std::u16string_view text) noexcept;

// wcstod without the end pointer: the number at the start of the text, or 0.
double WcsToD(std::u16string_view text) noexcept;

// _wtol: leading white space, optional sign, decimal digits; reading stops at
// the first other character and no digits gives 0. A value beyond the 32-bit
// range is clamped to INT32_MIN or INT32_MAX.
std::int32_t WToL(std::u16string_view text) noexcept;

// printf("%.*f", decimals, value): fixed point, exactly `decimals` decimals,
// correctly rounded, no exponent however large the value. Negative decimals
// count as 0. Infinity and NaN print as printf prints them ("inf", "-nan").
std::u16string FormatFixed(double value, int decimals);

// printf("%.*G", significant, value): general form in upper case; trailing
// zeros and a trailing point dropped; exponent form (at least two exponent
// digits) when the decimal exponent is below -4 or not below `significant`.
// A precision of 0 counts as 1.
std::u16string FormatGeneral(double value, int significant = 6);

// printf("%d", value).
std::u16string FormatInt(std::int64_t value);

// Widens ASCII text to UTF-16; for the outputs of the functions above.
std::u16string WidenAscii(std::string_view ascii);

}  // namespace base
