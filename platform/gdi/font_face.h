// The "System" font's faces (DejaVu Sans, normal and bold, embedded at
// build time) opened with FreeType, one per pixel size, and their cache of
// rasterised glyphs. Internal to the room.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace gdi::detail {

// One rasterised glyph: 8-bit coverage, rows top-down, placed relative to
// the pen position on the baseline.
struct Glyph {
  int left = 0;     // x of the first column from the pen position
  int top = 0;      // rows above the baseline of the first row
  int width = 0;
  int rows = 0;
  int advance = 0;  // whole pixels to the next pen position
  std::vector<std::uint8_t> coverage;
};

// One face at one pixel size. Metrics are whole pixels; advances are the
// hinted ones, so a run's width is the sum of its glyphs' advances.
class FaceSize {
 public:
  virtual ~FaceSize() = default;
  virtual const Glyph& GlyphFor(char32_t c) = 0;
  int ascent = 0;
  int descent = 0;
  int height() const { return ascent + descent; }
  int averageWidth = 0;  // (width of "A".."Z" "a".."z" / 26 + 1) / 2
  int maxWidth = 0;      // widest printable ASCII character
};

// The face for a weight and size (pixelSize clamped to 1..256), made on
// first use and kept for the process. nullptr only if FreeType fails.
FaceSize* FaceFor(bool bold, int pixelSize);

// Code points of UTF-16 text: pairs joined, unpaired surrogates U+FFFD.
std::vector<char32_t> CodePoints(std::u16string_view text);

}  // namespace gdi::detail
