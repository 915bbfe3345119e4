// The order of sorted lists and combo boxes: case-insensitive by simple case
// folding, then by code units so that the order is total; and the matching
// case-insensitive equality.
#pragma once

#include <string_view>

namespace win {

// Negative, zero or positive as a sorts before, with or after b.
int CompareForSort(std::u16string_view a, std::u16string_view b);

// Equal when case is ignored by the same folding the sort order uses (what
// finding an item by its text means in lists and combo boxes).
bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace win
