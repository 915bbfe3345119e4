// Pixel loops under the drawing calls: solid fills, ternary raster
// operations and block copies on surfaces. Rectangles are in surface
// coordinates and already clipped. Internal to the room.
#pragma once

#include <cstdint>

#include "gdi/surface.h"

namespace gdi::detail {

// The operation byte of a ternary raster operation code (bits 16..23).
constexpr std::uint8_t RopCode(DWORD rop) { return std::uint8_t((rop >> 16) & 0xFF); }
// Whether the operation reads the source / the pattern at all.
constexpr bool RopUsesSource(std::uint8_t code) { return ((code >> 2) ^ code) & 0x33; }
constexpr bool RopUsesPattern(std::uint8_t code) { return ((code >> 4) ^ code) & 0x0F; }

// Applies one operation to pattern, source and destination bit by bit: bit
// i of `code` is the result for pattern, source, destination bits
// (i >> 2, (i >> 1) & 1, i & 1).
inline COLORREF ApplyRop(std::uint8_t code, COLORREF p, COLORREF s, COLORREF d) {
  COLORREF result = 0;
  for (int i = 0; i < 8; ++i) {
    if ((code >> i) & 1) {
      result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
  }
  return result & 0x00FFFFFF;
}

// Fills r with a colour.
void FillSolid(Surface& surface, const RECT& r, COLORREF color);

// Combines r's pixels with a solid pattern by an operation that reads no
// source.
void PatternOp(Surface& surface, const RECT& r, COLORREF pattern, std::uint8_t code);

// Combines dst's pixels in r with src's pixels from srcLeft, srcTop on
// (r's size, inside src) and a solid pattern. src may be dst, overlapping.
void BlockOp(Surface& dst, const RECT& r, const Surface& src, int srcLeft, int srcTop,
             COLORREF pattern, std::uint8_t code);

}  // namespace gdi::detail
