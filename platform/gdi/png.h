// PNG export of images (screenshots, frames of a headless run) and PNG
// reading for comparing a frame with a golden screenshot. libpng does the
// format; this file maps between its byte layouts and Image.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gdi/image.h"

namespace gdi {

// The image as an 8-bit RGB PNG (no alpha). Returns nullopt and sets *error
// (when not null) if the image is empty or libpng fails.
std::optional<std::vector<std::uint8_t>> EncodePng(const Image& image, std::string* error);

// EncodePng written to path, replacing the file. Returns false and sets
// *error (when not null) on an encoding error or a failed write; a failed
// write leaves any earlier file at path as it was.
bool WritePng(const Image& image, const std::filesystem::path& path, std::string* error);

// Decodes a PNG of any colour type and depth. Transparent pixels are
// composed over black; 16-bit channels are reduced to 8 bits. Returns nullopt
// and sets *error (when not null) if the data is not a valid PNG or the image
// is beyond the size caps of image.h (checked before the pixels are decoded).
std::optional<Image> DecodePng(std::span<const std::uint8_t> bytes, std::string* error);

// Reads the file at path (at most 256 MiB) and decodes it as DecodePng does.
std::optional<Image> ReadPng(const std::filesystem::path& path, std::string* error);

}  // namespace gdi
