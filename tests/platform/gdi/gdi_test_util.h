// Helpers for the drawing tests: a small surface with a DC on it, and
// counting the pixels of a colour in a rectangle.
#pragma once

#include <gtest/gtest.h>

#include "gdi/surface.h"
#include "gdi/wingdi.h"

namespace gdi_test {

// Pixels of `color` inside [left, right) x [top, bottom) of the surface.
inline int CountColor(const gdi::Surface& s, COLORREF color, RECT r) {
  int n = 0;
  for (LONG y = r.top; y < r.bottom; ++y) {
    for (LONG x = r.left; x < r.right; ++x) n += s.at(int(x), int(y)) == color;
  }
  return n;
}

// A 32 x 32 white surface and a DC covering all of it.
class SurfaceTest : public ::testing::Test {
 protected:
  SurfaceTest() : surface_(32, 32, RGB(255, 255, 255)) {
    dc_ = gdi::CreateSurfaceDC(surface_, {0, 0}, surface_.bounds());
  }
  ~SurfaceTest() override { DeleteDC(dc_); }

  gdi::Surface surface_;
  HDC dc_ = nullptr;
};

}  // namespace gdi_test
