// Value and result field formatting; see number_format.h.
#include "number_format.h"

#include "base/cnum.h"

double ParseValue(std::u16string_view text) { return base::WcsToD(text); }

std::u16string FormatValue(double value, int digits) { return base::FormatFixed(value, digits); }

std::u16string FormatResult(double value, int digits, int notation) {
  if (notation == 1) return base::FormatGeneral(value, 6);

  std::u16string text = base::FormatFixed(value, 6);
  size_t point = text.find(u'.');
  bool exponent = text.find_first_of(u"Ee", 1) != std::u16string::npos;
  if (point == std::u16string::npos || exponent) return text;

  // Truncate, not round: the decimals beyond the precision are dropped.
  // A negative precision keeps the text up to the point, like zero.
  size_t keep = point + 1 + static_cast<size_t>(digits < 0 ? 0 : digits);
  if (keep < text.size()) text.resize(keep);
  while (text.size() > 1 && text.back() == u'0') text.pop_back();
  if (text.size() > 1 && text.back() == u'.') {
    text.pop_back();
  } else if (text == u".") {
    text = u"0";
  }
  return text;
}
