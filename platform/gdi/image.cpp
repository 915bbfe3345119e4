// The in-memory bitmap: creation under the size caps, pixel access, and the
// exact palette search the image tools use before writing a 4-bit file.
#include "gdi/image.h"

#include <algorithm>
#include <cassert>

namespace gdi {

bool IsAcceptableSize(std::int64_t width, std::int64_t height, std::int64_t max_pixels) {
  if (width < 1 || height < 1) return false;
  if (width > kMaxImageDimension || height > kMaxImageDimension) return false;
  // Both sides are at most 2^14 here, so the product cannot overflow.
  return width * height <= std::min(max_pixels, kMaxImagePixels);
}

std::optional<Image> Image::Create(int width, int height, Pixel fill) {
  if (!IsAcceptableSize(width, height)) return std::nullopt;
  Image image;
  image.width_ = width;
  image.height_ = height;
  image.pixels_.assign(std::size_t(width) * std::size_t(height), fill);
  return image;
}

std::span<Pixel> Image::row(int y) {
  assert(y >= 0 && y < height_);
  return std::span<Pixel>(pixels_).subspan(std::size_t(y) * std::size_t(width_), std::size_t(width_));
}

std::span<const Pixel> Image::row(int y) const {
  assert(y >= 0 && y < height_);
  return std::span<const Pixel>(pixels_).subspan(std::size_t(y) * std::size_t(width_),
                                                 std::size_t(width_));
}

Pixel Image::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

void Image::set(int x, int y, Pixel p) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = p & 0x00FFFFFF;
}

void Image::Fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p & 0x00FFFFFF); }

void Image::set_source_format(int bits_per_pixel, std::vector<COLORREF> palette) {
  source_bpp_ = bits_per_pixel;
  palette_ = std::move(palette);
}

std::optional<IndexedImage> ToIndexed(const Image& image, std::size_t max_colors) {
  if (image.empty()) return std::nullopt;
  max_colors = std::min<std::size_t>(max_colors, 256);
  IndexedImage out;
  out.width = image.width();
  out.height = image.height();
  out.indices.reserve(image.pixels().size());
  std::vector<Pixel> seen;  // at most 256 entries: a linear search is cheap
  for (Pixel p : image.pixels()) {
    auto it = std::find(seen.begin(), seen.end(), p);
    if (it == seen.end()) {
      if (seen.size() == max_colors) return std::nullopt;
      seen.push_back(p);
      out.palette.push_back(ColorrefFromPixel(p));
      it = seen.end() - 1;
    }
    out.indices.push_back(static_cast<std::uint8_t>(it - seen.begin()));
  }
  return out;
}

}  // namespace gdi
