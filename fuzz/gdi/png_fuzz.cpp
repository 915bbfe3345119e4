// Fuzzes the PNG reader (libpng behind our size caps and layout conversion):
// no crash, and a decoded image re-encodes and decodes to itself.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "gdi/png.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  const auto image = gdi::DecodePng(std::span<const std::uint8_t>(data, size), &error);
  if (!image) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (image->pixels().size() > (1u << 22)) return 0;  // skip slow re-encodes of big images
  const auto bytes = gdi::EncodePng(*image, &error);
  if (!bytes) std::abort();
  const auto again = gdi::DecodePng(*bytes, &error);
  if (!again || !(*again == *image)) std::abort();
  return 0;
}
