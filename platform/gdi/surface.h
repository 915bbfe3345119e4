// Drawing surfaces: the screen's framebuffer and the pixels of every bitmap.
// A surface is width x height 32-bit pixels, rows top-down without padding,
// each pixel a COLORREF (0x00BBGGRR, top byte 0), so that what GDI draws and
// what GetPixel reads back compare directly with the platform's colours.
//
// The window system paints into Screen() through DCs from CreateSurfaceDC;
// hosts present Screen().pixels() and tests export it with WriteScreenPng.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "base/wintypes.h"
#include "gdi/image.h"

namespace gdi {

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 320;

class Surface {
 public:
  // An empty surface: 0 x 0, no pixels.
  Surface() = default;
  // A width x height surface filled with `fill` (top byte dropped). A size
  // Image refuses (image.h: IsAcceptableSize) gives an empty surface.
  Surface(int width, int height, COLORREF fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return pixels_.empty(); }
  RECT bounds() const { return {0, 0, width_, height_}; }

  // All pixels, row after row from the top.
  std::span<COLORREF> pixels() { return pixels_; }
  std::span<const COLORREF> pixels() const { return pixels_; }
  // The first pixel of row y; y must be in [0, height()) (the drawing
  // code's fast path, checked by an assertion in debug builds only).
  COLORREF* row(int y);
  const COLORREF* row(int y) const;

  // The pixel at (x, y); 0 for a point outside. Never fails.
  COLORREF at(int x, int y) const;
  // Sets the pixel at (x, y) (top byte dropped); a point outside is ignored.
  void set(int x, int y, COLORREF c);
  // Sets every pixel to c (top byte dropped).
  void Fill(COLORREF c);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

// Conversions to and from the codecs' Image (0x00RRGGBB pixels). An empty
// input gives an empty output.
Image ToImage(const Surface& surface);
Surface FromImage(const Image& image);

// The handheld's framebuffer, kScreenWidth x kScreenHeight, black at start.
// One per process; it lives until the process ends.
Surface& Screen();

// A DC whose logical (0, 0) is `origin` on `surface` and which never draws
// outside `clip` (surface coordinates, cut to the surface's bounds; an empty
// clip draws nothing). The surface must outlive the DC; release it with
// DeleteDC. Never fails for a valid surface; nullptr with
// ERROR_INVALID_PARAMETER for an empty one.
HDC CreateSurfaceDC(Surface& surface, POINT origin, const RECT& clip);

// Writes a surface as an 8-bit RGB PNG, replacing the file. Returns false and
// sets *error (when not null) for an empty surface or a failed write; a
// failed write leaves an earlier file at path as it was.
bool WriteSurfacePng(const Surface& surface, const std::filesystem::path& path,
                     std::string* error = nullptr);
// WriteSurfacePng of Screen().
bool WriteScreenPng(const std::filesystem::path& path, std::string* error = nullptr);

}  // namespace gdi
