// Encoding images as BMP files for the image tools (key and category images)
// and for tests: bottom-up BI_RGB with a BITMAPFILEHEADER and a 40-byte
// BITMAPINFOHEADER, in 4 bits (paletted), 24 bits or 32 bits per pixel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "gdi/image.h"

namespace gdi {

// A 24- or 32-bit BMP of the image. The 32-bit form stores 0 in each pixel's
// top byte. Returns nullopt and sets *error (when not null) if the image is
// empty or bits_per_pixel is neither 24 nor 32.
std::optional<std::vector<std::uint8_t>> EncodeBmp(const Image& image, int bits_per_pixel,
                                                   std::string* error);

// A 4-bit paletted BMP. The colour table holds exactly the given entries
// (biClrUsed is their count). Returns nullopt and sets *error (when not null)
// if the size is not acceptable (image.h), the palette is empty or holds more
// than 16 colours, indices does not hold width * height entries, or an index
// is not below the palette's size.
std::optional<std::vector<std::uint8_t>> EncodeBmp4(const IndexedImage& image, std::string* error);

// EncodeBmp / EncodeBmp4 written to a file, replacing it. Returns false and
// sets *error (when not null) on an encoding error or a failed write; a failed
// write leaves any earlier file at path as it was.
bool WriteBmp(const Image& image, int bits_per_pixel, const std::filesystem::path& path,
              std::string* error);
bool WriteBmp4(const IndexedImage& image, const std::filesystem::path& path, std::string* error);

}  // namespace gdi
