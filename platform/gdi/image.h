// Device-independent bitmaps in memory: the one pixel layout every drawing
// routine, the BMP and PNG codecs and the hosts share.
//
// Layout: rows top-down, no padding between rows, one std::uint32_t per pixel
// holding 0x00RRGGBB (blue in the low byte, the top byte always 0). That is
// what a framebuffer and SDL's ARGB8888/XRGB8888 textures take as they are.
// Colours at the platform's API surface are COLORREF (0x00BBGGRR); the helpers
// below convert between the two.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/wintypes.h"

namespace gdi {

using Pixel = std::uint32_t;  // 0x00RRGGBB

constexpr Pixel MakePixel(BYTE r, BYTE g, BYTE b) {
  return (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b);
}
constexpr BYTE PixelR(Pixel p) { return BYTE((p >> 16) & 0xFF); }
constexpr BYTE PixelG(Pixel p) { return BYTE((p >> 8) & 0xFF); }
constexpr BYTE PixelB(Pixel p) { return BYTE(p & 0xFF); }

// COLORREF 0x00BBGGRR <-> Pixel 0x00RRGGBB: red and blue swap places. The top
// byte of a COLORREF (palette-relative flags on some platforms) is dropped.
constexpr Pixel PixelFromColorref(COLORREF c) {
  return MakePixel(GetRValue(c), GetGValue(c), GetBValue(c));
}
constexpr COLORREF ColorrefFromPixel(Pixel p) { return RGB(PixelR(p), PixelG(p), PixelB(p)); }

// Bounds on every image this room creates, checked before any allocation so
// that no file or caller can make us reserve more: each side at most 16384
// pixels, and at most 64 Mi pixels in all (256 MiB of 32-bit pixels).
inline constexpr int kMaxImageDimension = 16384;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{64} * 1024 * 1024;

// True when width x height is a size Image accepts: both at least 1, each at
// most kMaxImageDimension, the product at most max_pixels (itself never more
// than kMaxImagePixels). Computed in 64 bits, so any int pair is safe to ask.
bool IsAcceptableSize(std::int64_t width, std::int64_t height,
                      std::int64_t max_pixels = kMaxImagePixels);

class Image {
 public:
  // An empty image: 0 x 0, no pixels.
  Image() = default;

  // A black width x height image. Returns nullopt, allocating nothing, when
  // the size is not acceptable (see IsAcceptableSize).
  static std::optional<Image> Create(int width, int height, Pixel fill = 0);

  // Size in pixels; both 0 for an empty image. Never fail.
  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return pixels_.empty(); }

  // All pixels, row after row from the top; width() * height() of them.
  std::span<Pixel> pixels() { return pixels_; }
  std::span<const Pixel> pixels() const { return pixels_; }

  // One row, 0 being the top. y must be in [0, height()): checked by an
  // assertion in debug builds only, as this is the drawing code's fast path.
  std::span<Pixel> row(int y);
  std::span<const Pixel> row(int y) const;

  // The pixel at (x, y), 0 for a point outside the image.
  Pixel at(int x, int y) const;
  // Sets the pixel at (x, y), dropping p's top byte; a point outside the
  // image is ignored.
  void set(int x, int y, Pixel p);
  // Both of the above in COLORREF, for code written against the platform.
  COLORREF GetColor(int x, int y) const { return ColorrefFromPixel(at(x, y)); }
  void SetColor(int x, int y, COLORREF c) { set(x, y, PixelFromColorref(c)); }

  // Sets every pixel to p (its top byte dropped). Never fails.
  void Fill(Pixel p);

  // What the image was decoded from, kept for code that wants the original
  // depth or colour table (a 4-bit key image, GetObject's bit count). A
  // created image reports 32 bits and no palette; pixels are always 32-bit.
  int source_bits_per_pixel() const { return source_bpp_; }
  const std::vector<COLORREF>& palette() const { return palette_; }
  // Records the source format; the decoders call it. Never fails.
  void set_source_format(int bits_per_pixel, std::vector<COLORREF> palette);

  // Equal when size and pixels are; the source format is not compared.
  friend bool operator==(const Image& a, const Image& b) {
    return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
  int source_bpp_ = 32;
  std::vector<COLORREF> palette_;
};

// A paletted image: one index a pixel, rows top-down, into at most 256
// COLORREF entries. What the 4-bit BMP writer takes.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> palette;
  std::vector<std::uint8_t> indices;  // width * height, row after row from the top
};

// Builds an exact palette for an image in order of first appearance (reading
// rows from the top). Returns nullopt when the image is empty or uses more
// than max_colors distinct colours (max_colors itself is capped at 256).
std::optional<IndexedImage> ToIndexed(const Image& image, std::size_t max_colors);

}  // namespace gdi
