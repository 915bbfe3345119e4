// Moving a DIB section's pixels between the memory its creator writes (in
// the section's own depth and row order) and the 32-bit surface that drawing
// uses.
#include <cstdint>

#include "gdi/draw_target.h"

namespace gdi::detail {

namespace {

std::uint8_t* StoredRow(DibBits& dib, int y, int height) {
  const int stored = dib.topDown ? y : height - 1 - y;
  return dib.bytes.data() + dib.stride * std::size_t(stored);
}

// The palette entry closest to c (squared distance over the channels).
std::uint8_t Nearest(const std::vector<COLORREF>& palette, COLORREF c) {
  std::uint8_t best = 0;
  int bestDistance = INT32_MAX;
  for (std::size_t i = 0; i < palette.size() && bestDistance > 0; ++i) {
    const int dr = int(GetRValue(palette[i])) - GetRValue(c);
    const int dg = int(GetGValue(palette[i])) - GetGValue(c);
    const int db = int(GetBValue(palette[i])) - GetBValue(c);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = std::uint8_t(i);
    }
  }
  return best;
}

}  // namespace

void ImportDibBits(Bitmap& bitmap) {
  DibBits& dib = *bitmap.dib;
  Surface& s = bitmap.surface;
  const int bpp = dib.bitsPerPixel;
  for (int y = 0; y < s.height(); ++y) {
    const std::uint8_t* in = StoredRow(dib, y, s.height());
    COLORREF* out = s.row(y);
    for (int x = 0; x < s.width(); ++x) {
      if (bpp == 32 || bpp == 24) {
        const std::uint8_t* p = in + std::size_t(x) * std::size_t(bpp / 8);
        out[x] = RGB(p[2], p[1], p[0]);
        continue;
      }
      // Paletted: the pixel's bits, leftmost pixel in the high bits.
      const std::size_t bit = std::size_t(x) * std::size_t(bpp);
      const unsigned shift = 8 - unsigned(bpp) - unsigned(bit % 8);
      const std::size_t index = (in[bit / 8] >> shift) & ((1u << bpp) - 1);
      out[x] = index < dib.palette.size() ? dib.palette[index] : 0;
    }
  }
}

void ExportDibBits(Bitmap& bitmap) {
  DibBits& dib = *bitmap.dib;
  const Surface& s = bitmap.surface;
  const int bpp = dib.bitsPerPixel;
  for (int y = 0; y < s.height(); ++y) {
    std::uint8_t* out = StoredRow(dib, y, s.height());
    const COLORREF* in = s.row(y);
    COLORREF lastColor = CLR_INVALID;
    std::uint8_t lastIndex = 0;
    for (int x = 0; x < s.width(); ++x) {
      const COLORREF c = in[x];
      if (bpp == 32 || bpp == 24) {
        std::uint8_t* p = out + std::size_t(x) * std::size_t(bpp / 8);
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
        if (bpp == 32) p[3] = 0;
        continue;
      }
      if (c != lastColor) {
        lastColor = c;
        lastIndex = Nearest(dib.palette, c);
      }
      const std::size_t bit = std::size_t(x) * std::size_t(bpp);
      const unsigned shift = 8 - unsigned(bpp) - unsigned(bit % 8);
      const unsigned mask = ((1u << bpp) - 1) << shift;
      out[bit / 8] = std::uint8_t((out[bit / 8] & ~mask) | (unsigned(lastIndex) << shift));
    }
  }
}

}  // namespace gdi::detail
