// Icon resources: the group directory (RT_GROUP_ICON) that lists an icon's
// images, and the header of one image (RT_ICON), which is either a packed
// DIB whose height counts the colour rows and the 1-bit mask rows, or a PNG.
// Both readers are pure functions over the resource's bytes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/wintypes.h"
#include "res/parse_error.h"

namespace res {

// One 14-byte GRPICONDIRENTRY. A width or height of 0 stands for 256.
struct IconGroupEntry {
  BYTE width = 0;
  BYTE height = 0;
  BYTE colorCount = 0;
  WORD planes = 0;
  WORD bitCount = 0;
  DWORD bytesInRes = 0;
  WORD imageId = 0;  // the RT_ICON resource holding the image
};

// Reads a GRPICONDIR: reserved, type (1 for icons), count, then count
// entries. Errors: kTruncated when the header or an entry runs past the
// bytes; kBadHeader when the type is not 1 or the count is 0.
Expected<std::vector<IconGroupEntry>> ParseIconGroup(std::span<const std::byte> group);

// What the header of one icon image says.
struct IconImage {
  bool png = false;
  std::uint32_t width = 0;
  std::uint32_t height = 0;  // the image's own height (the DIB's half)
  WORD bitCount = 0;         // 0 for PNG, whose depth is not read here
};

// Checks an RT_ICON image. A PNG needs its signature and an IHDR chunk with
// a non-zero size. A DIB needs a BITMAPINFOHEADER (at least 40 bytes),
// width > 0, an even positive height, one plane, 1, 4, 8, 16, 24 or 32 bits,
// BI_RGB, and its colour table, colour rows and mask rows within the bytes.
// Errors: kTruncated when a header or the pixel data runs past the bytes;
// kBadHeader for a field out of range.
Expected<IconImage> ParseIconImage(std::span<const std::byte> image);

}  // namespace res
