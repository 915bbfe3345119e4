// Surfaces, the screen's framebuffer and their PNG export.
#include "gdi/surface.h"

#include <algorithm>
#include <cassert>

#include "gdi/png.h"

namespace gdi {

Surface::Surface(int width, int height, COLORREF fill) {
  if (!IsAcceptableSize(width, height)) return;
  width_ = width;
  height_ = height;
  pixels_.assign(std::size_t(width) * std::size_t(height), fill & 0x00FFFFFF);
}

COLORREF* Surface::row(int y) {
  assert(y >= 0 && y < height_);
  return pixels_.data() + std::size_t(y) * std::size_t(width_);
}

const COLORREF* Surface::row(int y) const {
  assert(y >= 0 && y < height_);
  return pixels_.data() + std::size_t(y) * std::size_t(width_);
}

COLORREF Surface::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

void Surface::set(int x, int y, COLORREF c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = c & 0x00FFFFFF;
}

void Surface::Fill(COLORREF c) { std::fill(pixels_.begin(), pixels_.end(), c & 0x00FFFFFF); }

Image ToImage(const Surface& surface) {
  auto image = Image::Create(surface.width(), surface.height());
  if (!image) return {};
  std::transform(surface.pixels().begin(), surface.pixels().end(), image->pixels().begin(),
                 PixelFromColorref);
  return std::move(*image);
}

Surface FromImage(const Image& image) {
  Surface surface(image.width(), image.height());
  std::transform(image.pixels().begin(), image.pixels().end(), surface.pixels().begin(),
                 ColorrefFromPixel);
  return surface;
}

Surface& Screen() {
  static Surface screen(kScreenWidth, kScreenHeight);
  return screen;
}

bool WriteSurfacePng(const Surface& surface, const std::filesystem::path& path,
                     std::string* error) {
  if (surface.empty()) {
    if (error) *error = "cannot write an empty surface";
    return false;
  }
  return WritePng(ToImage(surface), path, error);
}

bool WriteScreenPng(const std::filesystem::path& path, std::string* error) {
  return WriteSurfacePng(Screen(), path, error);
}

}  // namespace gdi
