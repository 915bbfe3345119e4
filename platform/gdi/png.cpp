// PNG encoding and decoding through libpng's simplified interface, which
// keeps libpng's error handling (longjmp) inside libpng: every failure comes
// back as a zero return with a message in the png_image.
#include "gdi/png.h"

#include <png.h>

#include <memory>

#include "gdi/file_bytes.h"

namespace gdi {

namespace {

void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

// Frees libpng's decoder state however the read ends.
struct ImageGuard {
  png_image* image;
  ~ImageGuard() { png_image_free(image); }
};

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(const Image& image, std::string* error) {
  if (image.empty()) {
    SetError(error, "cannot encode an empty image");
    return std::nullopt;
  }
  // libpng has no 32-bit layout with an ignored byte, so pass packed RGB.
  std::vector<std::uint8_t> rgb;
  rgb.reserve(image.pixels().size() * 3);
  for (Pixel p : image.pixels()) {
    rgb.push_back(PixelR(p));
    rgb.push_back(PixelG(p));
    rgb.push_back(PixelB(p));
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = png_uint_32(image.width());
  png.height = png_uint_32(image.height());
  png.format = PNG_FORMAT_RGB;
  const png_int_32 stride = 3 * image.width();

  // The first call measures, the second writes.
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, rgb.data(), stride, nullptr)) {
    SetError(error, std::string("PNG encoding failed: ") + png.message);
    return std::nullopt;
  }
  std::vector<std::uint8_t> out(size);
  if (!png_image_write_to_memory(&png, out.data(), &size, 0, rgb.data(), stride, nullptr)) {
    SetError(error, std::string("PNG encoding failed: ") + png.message);
    return std::nullopt;
  }
  out.resize(size);
  return out;
}

bool WritePng(const Image& image, const std::filesystem::path& path, std::string* error) {
  const auto bytes = EncodePng(image, error);
  return bytes && detail::WriteFileBytes(path, *bytes, error);
}

std::optional<Image> DecodePng(std::span<const std::uint8_t> bytes, std::string* error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  ImageGuard guard{&png};
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
    SetError(error, std::string("not a readable PNG: ") + png.message);
    return std::nullopt;
  }
  std::optional<Image> image = Image::Create(int(std::min<png_uint_32>(png.width, 1u << 30)),
                                             int(std::min<png_uint_32>(png.height, 1u << 30)));
  if (!image) {
    SetError(error, "PNG of " + std::to_string(png.width) + " x " + std::to_string(png.height) +
                        " is beyond the size limits");
    return std::nullopt;
  }
  png.format = PNG_FORMAT_RGB;  // alpha composed over the background below
  const png_color black{0, 0, 0};
  std::vector<std::uint8_t> rgb(std::size_t(PNG_IMAGE_SIZE(png)));
  if (!png_image_finish_read(&png, &black, rgb.data(), 0, nullptr)) {
    SetError(error, std::string("PNG decoding failed: ") + png.message);
    return std::nullopt;
  }
  std::size_t at = 0;
  for (Pixel& p : image->pixels()) {
    p = MakePixel(rgb[at], rgb[at + 1], rgb[at + 2]);
    at += 3;
  }
  return image;
}

std::optional<Image> ReadPng(const std::filesystem::path& path, std::string* error) {
  const auto bytes = detail::ReadFileBytes(path, std::uintmax_t{256} << 20, error);
  if (!bytes) return std::nullopt;
  return DecodePng(*bytes, error);
}

}  // namespace gdi
