// The bitmap rules of the categories; see category_bitmaps.h.
#include "app/category_bitmaps.h"

namespace {

// The bitmap for one category by its path's form, updating the path where
// the rules say so.
HBITMAP BitmapFor(Category& category, const DisplaySettings& settings, const BitmapFileLoader& load) {
  std::u16string& path = category.bitmapPath;
  if (path.empty()) {
    path = u"*";
    return nullptr;
  }
  if (path.front() == u'+' && settings.defbitmap != u"*") {
    HBITMAP bitmap = load(settings.defbitmap);
    if (!bitmap) path = u"*";
    return bitmap;
  }
  if (path.front() == u'-' || path == u"*") return nullptr;
  // A plain file path, or "+..." while there is no default bitmap (which
  // names no loadable file and so ends as "*").
  HBITMAP bitmap = load(path);
  if (!bitmap) path = u"*";
  return bitmap;
}

}  // namespace

void AssignCategoryBitmaps(ConversionDatabase& db, const DisplaySettings& settings,
                           const BitmapFileLoader& load, const BitmapReleaser& release) {
  for (Category& category : db) {
    HBITMAP previous = CategoryBitmap(category);
    HBITMAP next = BitmapFor(category, settings, load);
    category.bitmap = next;
    if (previous && previous != next) release(previous);
  }
}
