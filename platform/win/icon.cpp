// Icon objects from icon group resources; see icon.h.
#include "win/icon.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>

#include <cstring>

#include "gdi/bmp_reader.h"
#include "res/byte_cursor.h"
#include "res/modules.h"
#include "res/resources.h"

namespace {

struct IconObject {
  std::vector<int> sizes;
  std::vector<std::uint16_t> imageIds;  // the RT_ICON of each size
  HINSTANCE module = nullptr;
};

struct IconTable {
  std::mutex mutex;
  std::vector<std::unique_ptr<IconObject>> icons;
};

IconTable& Icons() {
  static IconTable table;
  return table;
}

// The sizes of a GRPICONDIR (reserved, type 1, count, then 14-byte entries
// of width, height, colours, reserved, planes, bit count, bytes, image id)
// whose images all exist; nullopt with the last error set otherwise.
std::optional<IconObject> ReadGroup(HINSTANCE module, std::span<const std::byte> group) {
  res::ByteCursor cursor(group);
  cursor.U16();
  std::uint16_t type = cursor.U16();
  std::uint16_t count = cursor.U16();
  if (!cursor.ok() || type != 1 || count == 0) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return std::nullopt;
  }
  IconObject icon;
  icon.module = module;
  for (std::uint16_t i = 0; i < count; ++i) {
    std::uint8_t width = cursor.U8();
    cursor.Skip(11);
    std::uint16_t imageId = cursor.U16();
    if (!cursor.ok()) {
      SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
      return std::nullopt;
    }
    if (!res::FindModuleResource(module, res::NameOrOrdinal(kRtIcon), res::NameOrOrdinal(imageId)))
      return std::nullopt;
    icon.sizes.push_back(width == 0 ? 256 : width);
    icon.imageIds.push_back(imageId);
  }
  return icon;
}

// An icon image is a packed DIB whose height counts two pictures: the colour
// rows, then a 1-bit mask (set: transparent) with rows padded to 4 bytes,
// both bottom-up. The colour half decodes as an ordinary DIB of half the
// height; the mask is read here, every offset checked.
win::IconPicture DecodeIconImage(std::span<const std::byte> bytes) {
  bool ok = true;
  const std::uint32_t headerSize = res::PeekU32(bytes, 0, ok);
  const auto width = std::int32_t(res::PeekU32(bytes, 4, ok));
  const auto doubled = std::int32_t(res::PeekU32(bytes, 8, ok));
  const std::uint32_t planesAndBits = res::PeekU32(bytes, 12, ok);
  const std::uint32_t colorsUsed = headerSize >= 36 ? res::PeekU32(bytes, 32, ok) : 0;
  const int height = doubled / 2;
  const std::uint32_t bitCount = planesAndBits >> 16;
  if (!ok || headerSize != 40 || width <= 0 || width > 256 || height <= 0 || height > 256 ||
      bitCount == 0 || bitCount > 32)
    return {};
  std::vector<std::uint8_t> dib(bytes.size());
  std::memcpy(dib.data(), bytes.data(), bytes.size());
  const std::uint32_t half = std::uint32_t(height);
  std::memcpy(dib.data() + 8, &half, 4);  // little-endian, as the file is
  const gdi::BmpResult colour = gdi::ReadBmp(dib);
  if (!colour.ok() || colour.image.width() != width || colour.image.height() != height) return {};

  const std::size_t paletteEntries = colorsUsed ? colorsUsed : (bitCount <= 8 ? (1u << bitCount) : 0);
  const std::size_t colourRow = (std::size_t(width) * bitCount + 31) / 32 * 4;
  const std::size_t maskRow = (std::size_t(width) + 31) / 32 * 4;
  const std::size_t maskStart = headerSize + paletteEntries * 4 + colourRow * std::size_t(height);
  const bool hasMask = maskStart + maskRow * std::size_t(height) <= bytes.size();

  win::IconPicture picture;
  picture.size = width;
  picture.argb.resize(std::size_t(width) * std::size_t(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool transparent = false;
      if (hasMask) {
        const std::size_t row = maskStart + maskRow * std::size_t(height - 1 - y);
        const auto bits = std::to_integer<std::uint8_t>(bytes[row + std::size_t(x) / 8]);
        transparent = (bits >> (7 - x % 8)) & 1;
      }
      const std::uint32_t rgb = colour.image.at(x, y) & 0xFFFFFFu;
      picture.argb[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
          transparent ? 0u : (0xFF000000u | rgb);
    }
  }
  return picture;
}

}  // namespace

HICON LoadIconW(HINSTANCE module, LPCWSTR name) {
  auto group = res::FindModuleResource(module, res::NameOrOrdinal(kRtGroupIcon), res::NameOrOrdinal(name));
  if (!group) return nullptr;
  auto icon = ReadGroup(module, *group);
  if (!icon) return nullptr;
  auto& table = Icons();
  std::lock_guard lock(table.mutex);
  table.icons.push_back(std::make_unique<IconObject>(std::move(*icon)));
  return reinterpret_cast<HICON>(table.icons.back().get());
}

BOOL DestroyIcon(HICON icon) {
  auto& table = Icons();
  std::lock_guard lock(table.mutex);
  auto it = std::find_if(table.icons.begin(), table.icons.end(),
                         [icon](const auto& p) { return reinterpret_cast<HICON>(p.get()) == icon; });
  if (it == table.icons.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  table.icons.erase(it);
  return TRUE;
}

namespace win {

std::vector<int> IconSizes(HICON icon) {
  auto& table = Icons();
  std::lock_guard lock(table.mutex);
  for (const auto& p : table.icons)
    if (reinterpret_cast<HICON>(p.get()) == icon) return p->sizes;
  return {};
}

IconPicture IconImage(HICON icon, int size) {
  HINSTANCE module = nullptr;
  std::uint16_t imageId = 0;
  {
    auto& table = Icons();
    std::lock_guard lock(table.mutex);
    for (const auto& p : table.icons) {
      if (reinterpret_cast<HICON>(p.get()) != icon) continue;
      for (std::size_t i = 0; i < p->sizes.size(); ++i)
        if (p->sizes[i] == size) imageId = p->imageIds[i];
      module = p->module;
    }
  }
  if (imageId == 0) return {};
  auto bytes = res::FindModuleResource(module, res::NameOrOrdinal(kRtIcon), res::NameOrOrdinal(imageId));
  if (!bytes) return {};
  return DecodeIconImage(*bytes);
}

}  // namespace win
