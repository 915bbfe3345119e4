// Sort order of lists and combo boxes; see sort_order.h.
#include "win/controls/sort_order.h"

#include <algorithm>

namespace win {
namespace {

// Simple case folding for the letters the handheld's texts use: ASCII,
// Latin-1 and Latin Extended-A (pairs of upper and lower case).
char16_t Fold(char16_t c) {
  if (c >= u'A' && c <= u'Z') return char16_t(c + 32);
  if ((c >= 0xC0 && c <= 0xDE) && c != 0xD7) return char16_t(c + 32);
  if (c == 0x178) return 0xFF;  // Y with diaeresis folds into Latin-1
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
      c != 0x17F) {
    bool oddLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddLower ? (c % 2 == 1) : (c % 2 == 0)) return char16_t(c + 1);
  }
  return c;
}

}  // namespace

int CompareForSort(std::u16string_view a, std::u16string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  int raw = a.compare(b);
  return raw < 0 ? -1 : raw > 0 ? 1 : 0;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

}  // namespace win
