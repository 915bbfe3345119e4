// The one place where the text controls learn how wide a character is and
// how tall a line or a list row is. Until the font layer exists every
// character is as wide as the "System" font's average (the dialog base unit
// across) and a line is a base unit tall; the font layer replaces these
// bodies and nothing else changes.
#pragma once

#include <string_view>

namespace win::metrics {

// Width in pixels of one character of the controls' font.
inline int CharWidth(char16_t) { return 7; }

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
