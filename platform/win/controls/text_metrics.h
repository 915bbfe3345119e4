// The one place where the text controls learn how wide a character is and
// how tall a line or a list row is: the "System" font's own advances, so
// that where a control puts its caret and selection and where the pen finds
// a character agree with what the drawing layer draws.
#pragma once

#include <string_view>

#include "gdi/text.h"

namespace win::metrics {

// Width in pixels of one character of the controls' font.
inline int CharWidth(char16_t c) { return gdi::SystemTextWidth(std::u16string_view(&c, 1)); }

// Width in pixels of a run of text on one line.
inline int TextWidth(std::u16string_view text) {
  int width = 0;
  for (char16_t c : text) width += CharWidth(c);
  return width;
}

// Height in pixels of one line of edit text.
inline constexpr int kLineHeight = 14;

// Height in pixels of a list view row, and of its column header.
inline constexpr int kRowHeight = 16;

// Size of a small image list's icons, beside a list view row's label.
inline constexpr int kSmallIconWidth = 16;

}  // namespace win::metrics
