// Rectangle fills and block transfers: PatBlt, BitBlt, FillRect, FrameRect.
#include "gdi/draw_target.h"
#include "gdi/raster.h"

using namespace gdi::detail;

namespace {

// Fills a logical rectangle with a brush's colour by an operation without
// source. A hollow brush paints nothing.
BOOL FillWith(HDC hdc, const RECT& logical, HBRUSH brush, std::uint8_t code) {
  DrawTarget target(hdc, true);
  if (!target.ok()) return FALSE;
  const BrushPaint paint = PaintOf(brush);
  if (!paint.ok) return FALSE;
  const RECT r = target.ToSurface(logical);
  if (IsEmpty(r) || (paint.hollow && RopUsesPattern(code))) return TRUE;
  PatternOp(target.surface(), r, paint.color, code);
  return TRUE;
}

}  // namespace

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  const std::uint8_t code = RopCode(rop);
  if (RopUsesSource(code)) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  // A negative width or height extends left or up from the point.
  return FillWith(hdc, MakeRect(x, y, std::int64_t{x} + w, std::int64_t{y} + h), dc->state.brush, code);
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  const std::uint8_t code = RopCode(rop);
  if (!RopUsesSource(code)) return PatBlt(hdc, x, y, cx, cy, rop);
  DrawTarget dst(hdc, true);
  if (!dst.ok()) return FALSE;
  DrawTarget src(hdcSrc, false);
  if (!src.ok()) return FALSE;
  const BrushPaint paint = PaintOf(dst.dc().state.brush);
  if (!paint.ok) return FALSE;
  if (cx <= 0 || cy <= 0) return TRUE;
  // The block in both surfaces' coordinates; cut it to the destination's
  // clip and to the source surface, moving both corners together.
  RECT d = Offset(MakeRect(x, y, std::int64_t{x} + cx, std::int64_t{y} + cy), dst.dx(), dst.dy());
  // source = destination + (sx, sy)
  const LONG sx = Clamp(std::int64_t{x1} + src.dx() - d.left);
  const LONG sy = Clamp(std::int64_t{y1} + src.dy() - d.top);
  d = Intersect(d, dst.clip());
  d = Intersect(d, Offset(src.surface().bounds(), -sx, -sy));
  if (IsEmpty(d)) return TRUE;
  BlockOp(dst.surface(), d, src.surface(), int(d.left + sx), int(d.top + sy), paint.color, code);
  return TRUE;
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  if (!lprc) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  return FillWith(hDC, *lprc, hbr, RopCode(PATCOPY));
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  if (!lprc) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  const RECT r = ClampRect(*lprc);
  if (!Lookup<DC>(hDC) || !PaintOf(hbr).ok) return FALSE;
  if (IsEmpty(r)) return TRUE;
  const std::uint8_t code = RopCode(PATCOPY);
  FillWith(hDC, {r.left, r.top, r.right, r.top + 1}, hbr, code);
  FillWith(hDC, {r.left, r.bottom - 1, r.right, r.bottom}, hbr, code);
  FillWith(hDC, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, hbr, code);
  FillWith(hDC, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, hbr, code);
  return TRUE;
}
