// Where a DC's drawing lands: the surface, the offset from logical to
// surface coordinates and the clip, worked out once per call. Internal to
// the room.
#pragma once

#include <cstdint>

#include "gdi/objects.h"

namespace gdi::detail {

// Coordinates are kept within +-2^27, as on the platform, so that no sum of
// a caller's coordinates, origins and sizes can overflow. Sums are made in 64
// bits and then clamped.
inline constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 27;
LONG Clamp(std::int64_t v);

// Rectangle helpers (right and bottom excluded).
inline bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
RECT Intersect(const RECT& a, const RECT& b);
RECT Offset(const RECT& r, std::int64_t dx, std::int64_t dy);
// The rectangle with each coordinate clamped (order kept).
RECT ClampRect(const RECT& r);
// The rectangle with its corners ordered and clamped.
RECT MakeRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

// One drawing call's view of a DC. While it lives, a DIB section selected
// into the DC has been read from its caller-visible memory; when it ends
// after a writing call, the memory gets what was drawn.
class DrawTarget {
 public:
  // For hdc, or nullptr-like (ok() false) with ERROR_INVALID_HANDLE set.
  DrawTarget(HDC hdc, bool writes);
  ~DrawTarget();
  DrawTarget(const DrawTarget&) = delete;
  DrawTarget& operator=(const DrawTarget&) = delete;

  bool ok() const { return dc_ != nullptr; }
  DC& dc() { return *dc_; }
  Surface& surface() { return *surface_; }
  // Logical -> surface: add these.
  LONG dx() const { return dx_; }
  LONG dy() const { return dy_; }
  // The clip in surface coordinates (inside the surface).
  const RECT& clip() const { return clip_; }
  // A logical rectangle in surface coordinates, clipped.
  RECT ToSurface(const RECT& logical) const { return Intersect(Offset(logical, dx_, dy_), clip_); }

 private:
  DC* dc_ = nullptr;
  Surface* surface_ = nullptr;
  Bitmap* dib_ = nullptr;
  bool writes_ = false;
  LONG dx_ = 0, dy_ = 0;
  RECT clip_;
};

// Moves a DIB section's pixels between its caller-visible memory and its
// surface (dib_sections.cpp).
void ImportDibBits(Bitmap& bitmap);
void ExportDibBits(Bitmap& bitmap);

}  // namespace gdi::detail

namespace gdi::detail {

// What a brush paints: nothing (hollow) or a colour. `ok` false with
// ERROR_INVALID_HANDLE for a dead handle. A system colour index + 1 in
// place of a handle stands for that colour, as FillRect allows.
struct BrushPaint {
  bool ok = false;
  bool hollow = false;
  COLORREF color = 0;
};
BrushPaint PaintOf(HBRUSH brush);

}  // namespace gdi::detail
