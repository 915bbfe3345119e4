// FreeType faces over the embedded font bytes and the glyph cache. Glyphs
// are hinted lightly (vertical only), which keeps stems crisp at 11 pixels
// without distorting DejaVu's widths, and rendered anti-aliased.
#include "gdi/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>
#include <map>
#include <span>

#include "dejavu_sans.h"
#include "dejavu_sans_bold.h"

namespace gdi::detail {

namespace {

constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT;

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    return FT_Init_FreeType(&lib) == 0 ? lib : nullptr;
  }();
  return library;
}

int Pixels(FT_Pos value26_6) { return int((value26_6 + 63) >> 6); }

class FreeTypeFaceSize final : public FaceSize {
 public:
  explicit FreeTypeFaceSize(FT_Face face) : face_(face) {}
  ~FreeTypeFaceSize() override { FT_Done_Face(face_); }

  bool Init(int pixelSize) {
    if (FT_Set_Pixel_Sizes(face_, 0, FT_UInt(pixelSize)) != 0) return false;
    ascent = Pixels(face_->size->metrics.ascender);
    descent = Pixels(-face_->size->metrics.descender);
    int letters = 0;
    for (char32_t c = 'A'; c <= 'Z'; ++c) letters += GlyphFor(c).advance + GlyphFor(c + 32).advance;
    averageWidth = (letters / 26 + 1) / 2;
    for (char32_t c = 0x20; c < 0x7F; ++c) maxWidth = std::max(maxWidth, GlyphFor(c).advance);
    return true;
  }

  const Glyph& GlyphFor(char32_t c) override {
    if (c < latin_.size()) {
      auto& slot = latin_[c];
      if (!slot) slot = std::make_unique<Glyph>(Render(c));
      return *slot;
    }
    // Beyond Latin-1 the cache is keyed by glyph, so its size is bounded by
    // the font's glyph count whatever text comes through.
    const FT_UInt index = FT_Get_Char_Index(face_, FT_ULong(c));
    auto it = others_.find(index);
    if (it == others_.end()) it = others_.emplace(index, Render(c)).first;
    return it->second;
  }

 private:
  Glyph Render(char32_t c) {
    Glyph glyph;
    // Characters the font lacks show its missing-glyph box (index 0).
    const FT_UInt index = FT_Get_Char_Index(face_, FT_ULong(c));
    if (FT_Load_Glyph(face_, index, kLoadFlags) != 0) return glyph;
    FT_GlyphSlot slot = face_->glyph;
    glyph.advance = int((slot->advance.x + 32) >> 6);
    if (c < 0x20 || c == 0x7F) glyph.advance = 0;  // controls take no room
    if (glyph.advance == 0 || FT_Render_Glyph(slot, FT_RENDER_MODE_LIGHT) != 0) return glyph;
    const FT_Bitmap& bm = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = int(bm.width);
    glyph.rows = int(bm.rows);
    glyph.coverage.resize(std::size_t(glyph.width) * std::size_t(glyph.rows));
    for (int y = 0; y < glyph.rows; ++y) {
      std::memcpy(glyph.coverage.data() + std::size_t(y) * std::size_t(glyph.width),
                  bm.buffer + std::ptrdiff_t(y) * bm.pitch, std::size_t(glyph.width));
    }
    return glyph;
  }

  FT_Face face_;
  std::array<std::unique_ptr<Glyph>, 256> latin_;
  std::unordered_map<FT_UInt, Glyph> others_;
};

std::unique_ptr<FaceSize> OpenFace(bool bold, int pixelSize) {
  FT_Library library = Library();
  if (!library) return nullptr;
  const std::span<const std::byte> bytes =
      bold ? mensora_res_blobs::dejavu_sans_bold() : mensora_res_blobs::dejavu_sans();
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(bytes.data()),
                         FT_Long(bytes.size()), 0, &face) != 0) {
    return nullptr;
  }
  auto size = std::make_unique<FreeTypeFaceSize>(face);
  if (!size->Init(pixelSize)) return nullptr;
  return size;
}

}  // namespace

FaceSize* FaceFor(bool bold, int pixelSize) {
  static std::map<std::pair<bool, int>, std::unique_ptr<FaceSize>> faces;
  pixelSize = std::clamp(pixelSize, 1, 256);
  auto& slot = faces[{bold, pixelSize}];
  if (!slot) slot = OpenFace(bold, pixelSize);
  return slot.get();
}

std::vector<char32_t> CodePoints(std::u16string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      out.push_back(0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u < 0xE000) {
      out.push_back(0xFFFD);
    } else {
      out.push_back(u);
    }
  }
  return out;
}

}  // namespace gdi::detail
