// Pixel loops with fast paths for the common operations (fills and plain
// copies); everything else goes through the general ternary operation.
#include "gdi/raster.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace gdi::detail {

namespace {

constexpr std::uint8_t kBlackness = 0x00;
constexpr std::uint8_t kWhiteness = 0xFF;
constexpr std::uint8_t kPatCopy = 0xF0;
constexpr std::uint8_t kSrcCopy = 0xCC;

std::size_t Width(const RECT& r) { return std::size_t(r.right - r.left); }

}  // namespace

void FillSolid(Surface& surface, const RECT& r, COLORREF color) {
  color &= 0x00FFFFFF;
  for (LONG y = r.top; y < r.bottom; ++y) {
    COLORREF* row = surface.row(int(y)) + r.left;
    std::fill(row, row + Width(r), color);
  }
}

void PatternOp(Surface& surface, const RECT& r, COLORREF pattern, std::uint8_t code) {
  switch (code) {
    case kBlackness: return FillSolid(surface, r, 0);
    case kWhiteness: return FillSolid(surface, r, 0x00FFFFFF);
    case kPatCopy: return FillSolid(surface, r, pattern);
    default: break;
  }
  for (LONG y = r.top; y < r.bottom; ++y) {
    COLORREF* row = surface.row(int(y)) + r.left;
    for (std::size_t x = 0; x < Width(r); ++x) row[x] = ApplyRop(code, pattern, 0, row[x]);
  }
}

void BlockOp(Surface& dst, const RECT& r, const Surface& src, int srcLeft, int srcTop,
             COLORREF pattern, std::uint8_t code) {
  const std::size_t w = Width(r);
  const int h = int(r.bottom - r.top);
  // Reading from the surface being written: take the source block first.
  std::vector<COLORREF> copy;
  if (&dst == &src) {
    copy.resize(w * std::size_t(h));
    for (int y = 0; y < h; ++y) {
      std::memcpy(copy.data() + w * std::size_t(y), src.row(srcTop + y) + srcLeft,
                  w * sizeof(COLORREF));
    }
  }
  auto sourceRow = [&](int y) -> const COLORREF* {
    return copy.empty() ? src.row(srcTop + y) + srcLeft : copy.data() + w * std::size_t(y);
  };
  for (int y = 0; y < h; ++y) {
    COLORREF* out = dst.row(int(r.top) + y) + r.left;
    const COLORREF* in = sourceRow(y);
    if (code == kSrcCopy) {
      std::memcpy(out, in, w * sizeof(COLORREF));
      continue;
    }
    for (std::size_t x = 0; x < w; ++x) out[x] = ApplyRop(code, pattern, in[x], out[x]);
  }
}

}  // namespace gdi::detail
