// Fuzzes the BMP reader. Beyond "no crash", a decoded image must be within
// the caps, have no bits in the pixels' top byte, and survive a 32-bit
// write and re-read unchanged.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "gdi/bmp_reader.h"
#include "gdi/bmp_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gdi::BmpReadOptions options;
  options.max_pixels = 1 << 20;  // big enough for every path, small enough to stay fast
  const gdi::BmpResult result = gdi::ReadBmp(std::span<const std::uint8_t>(data, size), options);
  if (!result.ok()) {
    if (result.message.empty() || !result.image.empty()) std::abort();
    return 0;
  }
  const gdi::Image& image = result.image;
  if (!gdi::IsAcceptableSize(image.width(), image.height(), options.max_pixels)) std::abort();
  for (gdi::Pixel p : image.pixels()) {
    if (p >> 24) std::abort();
  }
  const auto bytes = gdi::EncodeBmp(image, 32, nullptr);
  if (!bytes) std::abort();
  const gdi::BmpResult again = gdi::ReadBmp(*bytes);
  if (!again.ok() || !(again.image == image)) std::abort();
  return 0;
}
