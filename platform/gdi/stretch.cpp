// Scaled and transparent block transfers: StretchBlt and TransparentImage,
// both sampling the source at the nearest pixel (no smoothing).
#include <cmath>

#include "gdi/draw_target.h"
#include "gdi/raster.h"

using namespace gdi::detail;

namespace {

// Copies the source block (sx, sy, sw, sh) scaled onto the destination block
// (x, y, w, h), both logical in their DCs. Each destination pixel inside the
// clip takes the source pixel under its centre; pixels whose source lies
// outside the source surface, or equals `transparent` when given, stay.
// Negative sizes mirror, as the platform does.
BOOL Stretch(DrawTarget& dst, DrawTarget& src, int x, int y, int w, int h, int sx, int sy, int sw,
             int sh, std::uint8_t code, COLORREF pattern, const COLORREF* transparent) {
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return TRUE;
  const RECT box = dst.ToSurface(MakeRect(x, y, std::int64_t{x} + w, std::int64_t{y} + h));
  const gdi::Surface& in = src.surface();
  gdi::Surface& out = dst.surface();
  // Mirrored blocks run from their far edge.
  const double scaleX = double(sw) / double(w), scaleY = double(sh) / double(h);
  const double originX = double(x) + dst.dx(), originY = double(y) + dst.dy();
  const double srcOriginX = double(sx) + src.dx(), srcOriginY = double(sy) + src.dy();
  for (LONG py = box.top; py < box.bottom; ++py) {
    const double fy = std::floor(srcOriginY + (double(py) + 0.5 - originY) * scaleY);
    if (!(fy >= 0 && fy < double(in.height()))) continue;  // also rejects NaN
    const int srcY = int(fy);
    COLORREF* row = out.row(int(py));
    for (LONG px = box.left; px < box.right; ++px) {
      const double fx = std::floor(srcOriginX + (double(px) + 0.5 - originX) * scaleX);
      if (!(fx >= 0 && fx < double(in.width()))) continue;
      const int srcX = int(fx);
      const COLORREF s = in.row(srcY)[srcX];
      if (transparent && s == *transparent) continue;
      row[px] = ApplyRop(code, pattern, s, row[px]);
    }
  }
  return TRUE;
}

}  // namespace

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop) {
  const std::uint8_t code = RopCode(rop);
  if (!RopUsesSource(code)) return PatBlt(hdcDest, xDest, yDest, wDest, hDest, rop);
  DrawTarget dst(hdcDest, true);
  if (!dst.ok()) return FALSE;
  DrawTarget src(hdcSrc, false);
  if (!src.ok()) return FALSE;
  const BrushPaint paint = PaintOf(dst.dc().state.brush);
  if (!paint.ok) return FALSE;
  if (wDest == wSrc && hDest == hSrc && wDest > 0 && hDest > 0) {
    return BitBlt(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, rop);
  }
  return Stretch(dst, src, xDest, yDest, wDest, hDest, xSrc, ySrc, wSrc, hSrc, code, paint.color,
                 nullptr);
}

BOOL TransparentImage(HDC hdcDest, LONG DstX, LONG DstY, LONG DstCx, LONG DstCy, HANDLE hSrc,
                      LONG SrcX, LONG SrcY, LONG SrcCx, LONG SrcCy, COLORREF TransparentColor) {
  DrawTarget dst(hdcDest, true);
  if (!dst.ok()) return FALSE;
  // The source is a DC, or a bitmap that is then read through a DC of its own.
  HDC srcDc = static_cast<HDC>(hSrc);
  HDC temporary = nullptr;
  HGDIOBJ old = nullptr;
  if (GetObjectType(hSrc) == OBJ_BITMAP) {
    temporary = CreateCompatibleDC(nullptr);
    old = SelectObject(temporary, hSrc);
    if (!old) {
      DeleteDC(temporary);
      return FALSE;  // the bitmap is selected elsewhere
    }
    srcDc = temporary;
  }
  BOOL ok = FALSE;
  {
    DrawTarget src(srcDc, false);
    if (src.ok()) {
      const COLORREF key = Resolve(TransparentColor);
      ok = Stretch(dst, src, int(DstX), int(DstY), int(DstCx), int(DstCy), int(SrcX), int(SrcY),
                   int(SrcCx), int(SrcCy), RopCode(SRCCOPY), 0, &key);
    }
  }
  if (temporary) {
    SelectObject(temporary, old);
    DeleteDC(temporary);
  }
  return ok;
}
