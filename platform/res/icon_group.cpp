// Icon group directories and icon image headers; see icon_group.h.
#include "res/icon_group.h"

#include <algorithm>
#include <array>

#include "res/byte_cursor.h"

namespace res {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint32_t kBiRgb = 0;
// Icons are at most 256 x 256; a little slack keeps odd but harmless ones.
constexpr std::uint32_t kMaxIconSide = 1024;

bool StartsWithPng(std::span<const std::byte> bytes) {
  if (bytes.size() < kPngSignature.size()) return false;
  return std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin(),
                    [](std::uint8_t a, std::byte b) { return a == std::to_integer<std::uint8_t>(b); });
}

std::uint32_t BigEndian32(std::span<const std::byte> b) {
  std::uint32_t v = 0;
  for (std::byte x : b) v = (v << 8) | std::to_integer<std::uint32_t>(x);
  return v;
}

Expected<IconImage> ParsePngImage(std::span<const std::byte> image) {
  ByteCursor c(image, kPngSignature.size());
  std::uint32_t length = BigEndian32(c.Bytes(4));
  auto type = c.Bytes(4);
  auto width = c.Bytes(4);
  auto height = c.Bytes(4);
  if (!c.ok()) return c.Error(ResError::kTruncated, "PNG header runs past the image");
  const bool ihdr = std::to_integer<char>(type[0]) == 'I' && std::to_integer<char>(type[1]) == 'H' &&
                    std::to_integer<char>(type[2]) == 'D' && std::to_integer<char>(type[3]) == 'R';
  IconImage out{true, BigEndian32(width), BigEndian32(height), 0};
  if (!ihdr || length < 13) return ParseError{ResError::kBadHeader, 12, "PNG without IHDR"};
  if (out.width == 0 || out.height == 0 || out.width > kMaxIconSide || out.height > kMaxIconSide)
    return ParseError{ResError::kBadHeader, 16, "PNG size out of range"};
  return out;
}

// Bytes of `rows` rows of `width` pixels at `bits` each, padded to 32 bits.
std::uint64_t RowBytes(std::uint64_t width, std::uint64_t bits, std::uint64_t rows) {
  return (width * bits + 31) / 32 * 4 * rows;
}

Expected<IconImage> ParseDibImage(std::span<const std::byte> image) {
  ByteCursor c(image);
  const std::uint32_t headerSize = c.U32();
  const std::uint32_t width = c.U32();
  const std::uint32_t height = c.U32();
  const WORD planes = c.U16();
  const WORD bitCount = c.U16();
  const std::uint32_t compression = c.U32();
  c.Skip(12);  // image size, resolution: not trusted
  const std::uint32_t colorsUsed = c.U32();
  if (!c.ok()) return c.Error(ResError::kTruncated, "icon header runs past the image");
  if (headerSize < 40) return ParseError{ResError::kBadHeader, 0, "icon header too small"};
  // Width and height are signed on the wire; a negative one is out of range here.
  if (width == 0 || width > kMaxIconSide || height == 0 || height % 2 != 0 || height / 2 > kMaxIconSide)
    return ParseError{ResError::kBadHeader, 4, "icon size out of range"};
  if (planes != 1) return ParseError{ResError::kBadHeader, 12, "icon planes not 1"};
  const bool knownDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                          bitCount == 24 || bitCount == 32;
  if (!knownDepth) return ParseError{ResError::kBadHeader, 14, "icon bit count"};
  if (compression != kBiRgb) return ParseError{ResError::kBadHeader, 16, "icon compression"};

  std::uint64_t colors = 0;
  if (bitCount <= 8) {
    const std::uint64_t full = std::uint64_t{1} << bitCount;
    colors = colorsUsed == 0 ? full : std::min<std::uint64_t>(colorsUsed, full);
  }
  const std::uint64_t rows = height / 2;
  const std::uint64_t needed =
      std::uint64_t{headerSize} + colors * 4 + RowBytes(width, bitCount, rows) + RowBytes(width, 1, rows);
  if (needed > image.size()) return ParseError{ResError::kTruncated, image.size(), "icon pixels run past the image"};
  return IconImage{false, width, std::uint32_t(rows), bitCount};
}

}  // namespace

Expected<std::vector<IconGroupEntry>> ParseIconGroup(std::span<const std::byte> group) {
  ByteCursor c(group);
  c.U16();  // reserved
  const WORD type = c.U16();
  const WORD count = c.U16();
  if (!c.ok()) return c.Error(ResError::kTruncated, "icon group header");
  if (type != 1 || count == 0) return ParseError{ResError::kBadHeader, 2, "icon group type or count"};
  std::vector<IconGroupEntry> entries;
  for (WORD i = 0; i < count; ++i) {
    IconGroupEntry e;
    e.width = c.U8();
    e.height = c.U8();
    e.colorCount = c.U8();
    c.U8();  // reserved
    e.planes = c.U16();
    e.bitCount = c.U16();
    e.bytesInRes = c.U32();
    e.imageId = c.U16();
    if (!c.ok()) return c.Error(ResError::kTruncated, "icon group entry runs past the group");
    entries.push_back(e);
  }
  return entries;
}

Expected<IconImage> ParseIconImage(std::span<const std::byte> image) {
  return StartsWithPng(image) ? ParsePngImage(image) : ParseDibImage(image);
}

}  // namespace res
