// The one place where the text controls learn how wide a character is and
// how tall a line or a list row is: widths are the "System" font's own
// (gdi/text.h, the same measure as GetTextExtentPoint32W), a line is the
// font's line height, which is the dialog base unit down (14).
#pragma once

#include <string_view>

#include "gdi/text.h"

namespace win::metrics {

// Width in pixels of one character of the controls' font.
inline int CharWidth(char16_t c) { return gdi::SystemTextWidth(std::u16string_view(&c, 1)); }

// Width in pixels of a run of text on one line.
inline int TextWidth(std::u16string_view text) { return gdi::SystemTextWidth(text); }

// Height in pixels of one line of edit text.
inline constexpr int kLineHeight = 14;

// Height in pixels of a list view row, and of its column header.
inline constexpr int kRowHeight = 16;

// Size of a small image list's icons, beside a list view row's label.
inline constexpr int kSmallIconWidth = 16;

}  // namespace win::metrics
