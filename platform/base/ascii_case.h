// Case folding of the ASCII letters only, as the handheld compares file
// names, class names and registry names: A-Z match a-z, every other code
// unit compares exactly.
#pragma once

#include <string>
#include <string_view>

namespace base {

constexpr char16_t FoldAscii(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

// The text with A-Z turned into a-z.
std::u16string FoldAscii(std::u16string_view text);

// Equal when ASCII letters are compared without regard to case.
bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

}  // namespace base
