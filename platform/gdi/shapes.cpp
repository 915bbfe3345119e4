// Lines, rectangles and single pixels, drawn with the DC's pen and brush.
#include <algorithm>
#include <cstdlib>

#include "gdi/draw_target.h"
#include "gdi/raster.h"

using namespace gdi::detail;

namespace {

// PS_DASH: this many pixels drawn, then as many skipped.
constexpr int kDashLength = 4;

// Line end points are kept within +-2^20 so that a stray far point costs a
// bounded walk (each step outside the clip is cheap).
constexpr std::int64_t kLineLimit = std::int64_t{1} << 20;
POINT ClampLinePoint(POINT p) {
  return {LONG(std::clamp<std::int64_t>(p.x, -kLineLimit, kLineLimit)),
          LONG(std::clamp<std::int64_t>(p.y, -kLineLimit, kLineLimit))};
}

// Draws a line from a to b (logical), the end point excluded, with the pen:
// a w x w square at each point for a pen w pixels wide.
void DrawLine(DrawTarget& target, const Pen& pen, POINT a, POINT b) {
  if (pen.style == PS_NULL) return;
  a = ClampLinePoint(a);
  b = ClampLinePoint(b);
  const COLORREF color = Resolve(pen.color);
  const int w = pen.width;
  const int half = (w - 1) / 2;
  gdi::Surface& surface = target.surface();
  auto plot = [&](LONG x, LONG y) {
    const LONG sx = x + target.dx() - half;
    const LONG sy = y + target.dy() - half;
    const RECT r = Intersect(RECT{sx, sy, sx + w, sy + w}, target.clip());
    if (!IsEmpty(r)) FillSolid(surface, r, color);
  };
  // Bresenham over the major axis.
  const LONG dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
  const LONG stepX = a.x < b.x ? 1 : -1, stepY = a.y < b.y ? 1 : -1;
  LONG err = dx + dy;
  LONG x = a.x, y = a.y;
  for (int i = 0; x != b.x || y != b.y; ++i) {
    if (pen.style != PS_DASH || (i / kDashLength) % 2 == 0) plot(x, y);
    const LONG e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += stepX;
    }
    if (e2 <= dx) {
      err += dx;
      y += stepY;
    }
  }
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, POINT* lppt) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->state.position;
  dc->state.position = {x, y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  DrawTarget target(hdc, true);
  if (!target.ok()) return FALSE;
  const Pen* pen = Lookup<Pen>(target.dc().state.pen);
  if (!pen) return FALSE;
  DrawLine(target, *pen, target.dc().state.position, POINT{x, y});
  target.dc().state.position = {x, y};
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
  if (!apt || cpt < 2) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  DrawTarget target(hdc, true);
  if (!target.ok()) return FALSE;
  const Pen* pen = Lookup<Pen>(target.dc().state.pen);
  if (!pen) return FALSE;
  for (int i = 1; i < cpt; ++i) DrawLine(target, *pen, apt[i - 1], apt[i]);
  return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DrawTarget target(hdc, true);
  if (!target.ok()) return FALSE;
  const Pen* pen = Lookup<Pen>(target.dc().state.pen);
  const BrushPaint paint = PaintOf(target.dc().state.brush);
  if (!pen || !paint.ok) return FALSE;
  const RECT box = MakeRect(left, top, right, bottom);
  gdi::Surface& surface = target.surface();
  if (pen->style == PS_NULL) {
    // Without an outline the filled area is one pixel smaller each way.
    if (!paint.hollow) {
      FillSolid(surface, target.ToSurface({box.left, box.top, box.right - 1, box.bottom - 1}),
                paint.color);
    }
    return TRUE;
  }
  // The outline lies inside the box, pen-width thick.
  const LONG w = std::min<LONG>(pen->width, std::max<LONG>(1, (box.right - box.left + 1) / 2));
  if (!paint.hollow) {
    FillSolid(surface, target.ToSurface({box.left + w, box.top + w, box.right - w, box.bottom - w}),
              paint.color);
  }
  Pen edge = *pen;
  edge.width = 1;
  for (LONG i = 0; i < w; ++i) {
    const POINT corners[] = {{box.left + i, box.top + i},
                             {box.right - 1 - i, box.top + i},
                             {box.right - 1 - i, box.bottom - 1 - i},
                             {box.left + i, box.bottom - 1 - i}};
    for (int c = 0; c < 4; ++c) DrawLine(target, edge, corners[c], corners[(c + 1) % 4]);
  }
  return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  DrawTarget target(hdc, true);
  if (!target.ok()) return CLR_INVALID;
  const LONG sx = Clamp(std::int64_t{x} + target.dx()), sy = Clamp(std::int64_t{y} + target.dy());
  const RECT& clip = target.clip();
  if (sx < clip.left || sx >= clip.right || sy < clip.top || sy >= clip.bottom) return CLR_INVALID;
  const COLORREF resolved = Resolve(color);
  target.surface().set(int(sx), int(sy), resolved);
  return resolved;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  DrawTarget target(hdc, false);
  if (!target.ok()) return CLR_INVALID;
  const LONG sx = Clamp(std::int64_t{x} + target.dx()), sy = Clamp(std::int64_t{y} + target.dy());
  const RECT& clip = target.clip();
  if (sx < clip.left || sx >= clip.right || sy < clip.top || sy >= clip.bottom) return CLR_INVALID;
  return target.surface().at(int(sx), int(sy));
}
