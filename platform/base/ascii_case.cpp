// ASCII case folding; see ascii_case.h.
#include "base/ascii_case.h"

#include <algorithm>

namespace base {

std::u16string FoldAscii(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) c = FoldAscii(c);
  return folded;
}

bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           return FoldAscii(x) == FoldAscii(y);
         });
}

}  // namespace base
