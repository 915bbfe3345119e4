// Text measures of the "System" font without a DC, for the window system's
// layout code (how wide a label is, how tall a line). They agree with
// GetTextExtentPoint32W and GetTextMetricsW on a DC with the same font.
#pragma once

#include <string_view>

namespace gdi {

// Width in pixels of one line of text in the default "System" font (11-pixel
// em), normal or bold. 0 for empty text or if the font cannot be opened.
int SystemTextWidth(std::u16string_view text, bool bold = false);

// Height in pixels of one line of that font (14).
int SystemLineHeight();

}  // namespace gdi
