// Locale-independent C-library number grammar; see cnum.h.
#include "cnum.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <string>

namespace base {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Decimal exponent of the leading significant digit of digits[.digits]e<exp>,
// saturated; tells an overflow from an underflow when conversion is out of
// range. `mantissa` holds only digits and at most one point.
long long LeadingExponent(std::string_view mantissa, long long exp) {
  auto point = mantissa.find('.');
  std::string_view intPart = mantissa.substr(0, point);
  auto firstNonZero = intPart.find_first_not_of('0');
  long long lead;
  if (firstNonZero != std::string_view::npos) {
    lead = static_cast<long long>(intPart.size() - firstNonZero) - 1;
  } else {
    std::string_view frac = point == std::string_view::npos ? "" : mantissa.substr(point + 1);
    auto nz = frac.find_first_not_of('0');
    lead = nz == std::string_view::npos ? 0 : -static_cast<long long>(nz) - 1;
  }
  return lead + exp;
}

}  // namespace

DecimalRead ReadDecimal(std::u16string_view text) noexcept {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';

  std::string number;  // ASCII copy of the digits, point and exponent
  size_t digits = 0;
  size_t start = i;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == u'.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return {};
  for (size_t k = start; k < i; ++k) number += static_cast<char>(text[k]);
  const size_t mantissaLength = number.size();

  long long exp = 0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    size_t j = i + 1;
    bool expNegative = false;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) expNegative = text[j++] == u'-';
    if (j < text.size() && IsDigit(text[j])) {
      number += 'e';
      if (expNegative) number += '-';
      while (j < text.size() && IsDigit(text[j])) {
        number += static_cast<char>(text[j]);
        exp = std::min(exp * 10 + (text[j] - u'0'), 1'000'000'000LL);
        ++j;
      }
      if (expNegative) exp = -exp;
      i = j;
    }
  }

  double value = 0.0;
  auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                   std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    bool overflow = LeadingExponent(std::string_view(number).substr(0, mantissaLength), exp) > 0;
    value = overflow ? std::numeric_limits<double>::max() : 0.0;
  } else if (ec != std::errc() || ptr != number.data() + number.size()) {
    value = 0.0;  // cannot happen for the grammar checked above
  }
  return {negative ? -value : value, i};
}

double WcsToD(std::u16string_view text) noexcept { return ReadDecimal(text).value; }

std::int32_t WToL(std::u16string_view text) noexcept {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  constexpr long long kLimit = 1LL << 31;  // saturate just beyond both ends
  long long magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i)
    magnitude = std::min(magnitude * 10 + (text[i] - u'0'), kLimit);
  long long v = negative ? -magnitude : magnitude;
  v = std::clamp<long long>(v, std::numeric_limits<std::int32_t>::min(),
                            std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(v);
}

std::u16string WidenAscii(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

std::u16string FormatFixed(double value, int decimals) {
  // Largest output: 309 integral digits, sign, point and the decimals.
  decimals = std::max(decimals, 0);
  std::string buf(330 + static_cast<size_t>(decimals), '\0');
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed,
                           decimals);
  buf.resize(static_cast<size_t>(res.ptr - buf.data()));
  return WidenAscii(buf);
}

std::u16string FormatGeneral(double value, int significant) {
  significant = std::clamp(significant, 1, 400);
  std::string buf(460, '\0');
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                           std::chars_format::general, significant);
  buf.resize(static_cast<size_t>(res.ptr - buf.data()));
  for (char& c : buf) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return WidenAscii(buf);
}

std::u16string FormatInt(std::int64_t value) {
  std::array<char, 24> buf{};
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value);
  return WidenAscii(std::string_view(buf.data(), static_cast<size_t>(res.ptr - buf.data())));
}

}  // namespace base
