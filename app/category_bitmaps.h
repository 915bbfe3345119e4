// Which bitmap each category shows, from the form of its bitmap path:
//   ""         no bitmap; the path becomes "*"
//   "+..."     the default bitmap (the setting defbitmap), unless that is "*"
//   "-..."     no bitmap; the path stays
//   "*"        no bitmap
//   otherwise  the bitmap file the path names
// A path whose file cannot be loaded becomes "*".
#pragma once

#include <functional>
#include <string_view>

#include "base/wintypes.h"
#include "data/conversion_database.h"
#include "data/display_settings.h"

using BitmapFileLoader = std::function<HBITMAP(std::u16string_view path)>;
using BitmapReleaser = std::function<void(HBITMAP bitmap)>;

// The bitmap a category holds (its `bitmap` field), typed.
inline HBITMAP CategoryBitmap(const Category& category) {
  return static_cast<HBITMAP>(category.bitmap);
}

// Sets the bitmap of every category, in database order, by the rules above,
// loading files with `load`. A handle a category held before is handed to
// `release` once its replacement is in place. Cannot fail: a file that does
// not load only turns the path into "*".
void AssignCategoryBitmaps(ConversionDatabase& db, const DisplaySettings& settings,
                           const BitmapFileLoader& load, const BitmapReleaser& release);
