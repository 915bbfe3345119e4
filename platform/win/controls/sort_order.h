// The order of sorted lists and combo boxes: case-insensitive by simple case
// folding, then by code units so that the order is total.
#pragma once

#include <string_view>

namespace win {

// Negative, zero or positive as a sorts before, with or after b.
int CompareForSort(std::u16string_view a, std::u16string_view b);

}  // namespace win
