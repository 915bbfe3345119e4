// The BMP/DIB file layout shared by the reader, the writer and their tests:
// compression codes with their platform names, header sizes and offsets.
// All fields are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/wintypes.h"

// biCompression values.
inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_RLE8 = 1;
inline constexpr DWORD BI_RLE4 = 2;
inline constexpr DWORD BI_BITFIELDS = 3;

namespace gdi::bmp {

// BITMAPFILEHEADER: "BM", bfSize (4), two reserved words (4), bfOffBits (4).
inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::size_t kFileHeaderOffBits = 10;

// The bitmap header kinds, told apart by their first DWORD (their size).
inline constexpr std::uint32_t kCoreHeaderSize = 12;   // 16-bit sides, RGBTRIPLE colours
inline constexpr std::uint32_t kInfoHeaderSize = 40;   // masks, if any, follow it
inline constexpr std::uint32_t kInfoV2HeaderSize = 52; // + red, green, blue masks
inline constexpr std::uint32_t kInfoV3HeaderSize = 56; // + alpha mask
inline constexpr std::uint32_t kV4HeaderSize = 108;    // + colour space
inline constexpr std::uint32_t kV5HeaderSize = 124;    // + intent and profile

// Where the colour masks sit inside a header of 52 bytes or more.
inline constexpr std::size_t kHeaderRedMask = 40;
inline constexpr std::size_t kHeaderGreenMask = 44;
inline constexpr std::size_t kHeaderBlueMask = 48;

// Escape codes of RLE4 and RLE8: a zero count byte followed by one of these.
inline constexpr std::uint8_t kRleEndOfLine = 0;
inline constexpr std::uint8_t kRleEndOfBitmap = 1;
inline constexpr std::uint8_t kRleDelta = 2;  // then dx, dy bytes; 3..255 is an absolute run

// Bytes in one stored row: bits rounded up to whole 32-bit words. Callers
// keep width <= kMaxImageDimension, so 64 bits cannot overflow here.
constexpr std::uint64_t RowStride(std::uint64_t width, unsigned bits_per_pixel) {
  return (width * bits_per_pixel + 31) / 32 * 4;
}

}  // namespace gdi::bmp
