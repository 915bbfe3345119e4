// Resolving a DC to the surface it draws on, its offset and its clip.
#include "gdi/draw_target.h"

#include <algorithm>

namespace gdi::detail {

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (IsEmpty(r)) return {};
  return r;
}

LONG Clamp(std::int64_t v) { return LONG(std::clamp(v, -kCoordinateLimit, kCoordinateLimit)); }

RECT Offset(const RECT& r, std::int64_t dx, std::int64_t dy) {
  return {Clamp(r.left + dx), Clamp(r.top + dy), Clamp(r.right + dx), Clamp(r.bottom + dy)};
}

RECT ClampRect(const RECT& r) {
  return {Clamp(r.left), Clamp(r.top), Clamp(r.right), Clamp(r.bottom)};
}

RECT MakeRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
  return {Clamp(std::min(left, right)), Clamp(std::min(top, bottom)), Clamp(std::max(left, right)),
          Clamp(std::max(top, bottom))};
}

DrawTarget::DrawTarget(HDC hdc, bool writes) : writes_(writes) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return;
  POINT origin = dc->origin;
  RECT clip;
  if (dc->surface) {
    surface_ = dc->surface;
    clip = Intersect(dc->surfaceClip, surface_->bounds());
  } else {
    Bitmap* bitmap = Lookup<Bitmap>(dc->state.bitmap);
    if (!bitmap) return;  // cannot happen: a selected bitmap is never deleted
    surface_ = &bitmap->surface;
    clip = surface_->bounds();
    if (bitmap->dib) {
      dib_ = bitmap;
      ImportDibBits(*bitmap);
    }
  }
  // The extra clip is kept in device coordinates: device (0,0) is `origin`.
  if (dc->state.clip) clip = Intersect(clip, Offset(*dc->state.clip, origin.x, origin.y));
  dc_ = dc;
  clip_ = clip;
  dx_ = Clamp(std::int64_t{origin.x} + dc->state.viewport.x);
  dy_ = Clamp(std::int64_t{origin.y} + dc->state.viewport.y);
}

DrawTarget::~DrawTarget() {
  if (dib_ && writes_) ExportDibBits(*dib_);
}

}  // namespace gdi::detail

namespace gdi::detail {

BrushPaint PaintOf(HBRUSH brush) {
  const auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value >= 1 && value <= std::uintptr_t(C_SYS_COLOR_TYPES)) {
    return {true, false, Resolve(COLORREF(int(value - 1) | SYS_COLOR_INDEX_FLAG))};
  }
  const Brush* b = Lookup<Brush>(brush);
  if (!b) return {};
  return {true, b->hollow, b->hollow ? 0 : Resolve(b->color)};
}

}  // namespace gdi::detail
