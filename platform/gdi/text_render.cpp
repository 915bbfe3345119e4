// Glyph blending: each cached glyph's coverage mixes the text colour into the
// surface, channel by channel; full coverage writes the colour as it is.
#include "gdi/text_render.h"

#include <algorithm>

namespace gdi::detail {

namespace {

COLORREF Blend(COLORREF under, COLORREF over, unsigned alpha) {
  const unsigned inverse = 255 - alpha;
  auto channel = [&](unsigned shift) {
    const unsigned a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
    return ((b * alpha + a * inverse + 127) / 255) << shift;
  };
  return channel(0) | channel(8) | channel(16);
}

void DrawGlyph(Surface& surface, const Glyph& glyph, LONG penX, LONG baseline, COLORREF color,
               const RECT& clip) {
  const LONG gx = penX + glyph.left, gy = baseline - glyph.top;
  const RECT box = Intersect({gx, gy, gx + glyph.width, gy + glyph.rows}, clip);
  if (IsEmpty(box)) return;
  for (LONG y = box.top; y < box.bottom; ++y) {
    const std::uint8_t* in = glyph.coverage.data() + std::size_t(y - gy) * std::size_t(glyph.width);
    COLORREF* out = surface.row(int(y));
    for (LONG x = box.left; x < box.right; ++x) {
      const unsigned alpha = in[x - gx];
      if (alpha == 255) {
        out[x] = color;
      } else if (alpha != 0) {
        out[x] = Blend(out[x], color, alpha);
      }
    }
  }
}

}  // namespace

FaceSize* SelectedFace(const DC& dc) {
  const Font* font = Lookup<Font>(dc.state.font);
  FaceSize* face = font ? FaceFor(font->bold, font->pixelSize) : nullptr;
  if (!face) SetLastError(DWORD(ERROR_NOT_ENOUGH_MEMORY));
  return face;
}

int RunWidth(FaceSize& face, std::span<const char32_t> chars) {
  int width = 0;
  for (char32_t c : chars) width += face.GlyphFor(c).advance;
  return width;
}

LONG DrawRun(Surface& surface, FaceSize& face, std::span<const char32_t> chars, LONG x, LONG y,
             COLORREF color, const RECT& clip, const INT* advances) {
  const LONG baseline = y + face.ascent;
  color &= 0x00FFFFFF;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const Glyph& glyph = face.GlyphFor(chars[i]);
    DrawGlyph(surface, glyph, x, baseline, color, clip);
    x += advances ? advances[i] : glyph.advance;
  }
  return x;
}

}  // namespace gdi::detail
