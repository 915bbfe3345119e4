// Icon objects from icon group resources; see icon.h.
#include "win/icon.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>

#include <cstring>

#include "gdi/bmp_reader.h"
#include "res/byte_cursor.h"
#include "res/icon_group.h"
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

// An icon group whose images all exist and are well formed; nullopt with
// the last error set otherwise.
std::optional<IconObject> ReadGroup(HINSTANCE module, std::span<const std::byte> group) {
  auto entries = res::ParseIconGroup(group);
  if (!entries) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return std::nullopt;
  }
  IconObject icon;
  icon.module = module;
  for (const res::IconGroupEntry& entry : *entries) {
    auto image = res::FindModuleResource(module, res::NameOrOrdinal(kRtIcon), res::NameOrOrdinal(entry.imageId));
    if (!image) return std::nullopt;
    if (!res::ParseIconImage(*image)) {
      SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
      return std::nullopt;
    }
    icon.sizes.push_back(entry.width == 0 ? 256 : entry.width);
    icon.imageIds.push_back(entry.imageId);
  }
  return icon;
}

// An icon image is a packed DIB whose height counts two pictures: the colour
// rows, then a 1-bit mask (set: transparent), both bottom-up. The header is
// checked by res::ParseIconImage (which also proves the mask lies within the
// bytes); the colour half decodes as an ordinary DIB of half the height.
// PNG images are not decoded here.
win::IconPicture DecodeIconImage(std::span<const std::byte> bytes) {
  const auto header = res::ParseIconImage(bytes);
  if (!header || header->png) return {};
  const auto width = int(header->width);
  const auto height = int(header->height);
  if (width > 256 || height > 256) return {};
  bool ok = true;
  const std::uint32_t headerSize = res::PeekU32(bytes, 0, ok);
  const std::uint32_t colorsUsed = res::PeekU32(bytes, 32, ok);
  if (!ok) return {};

  std::vector<std::uint8_t> dib(bytes.size());
  std::memcpy(dib.data(), bytes.data(), bytes.size());
  const std::uint32_t half = header->height;
  std::memcpy(dib.data() + 8, &half, 4);  // little-endian, as the resource is
  const gdi::BmpResult colour = gdi::ReadBmp(dib);
  if (!colour.ok() || colour.image.width() != width || colour.image.height() != height) return {};

  const std::size_t bits = header->bitCount;
  const std::size_t paletteEntries = colorsUsed ? colorsUsed : (bits <= 8 ? (std::size_t(1) << bits) : 0);
  const std::size_t colourRow = (std::size_t(width) * bits + 31) / 32 * 4;
  const std::size_t maskRow = (std::size_t(width) + 31) / 32 * 4;
  const std::size_t maskStart = headerSize + paletteEntries * 4 + colourRow * std::size_t(height);
  if (maskStart + maskRow * std::size_t(height) > bytes.size()) return {};

  win::IconPicture picture;
  picture.size = width;
  picture.argb.resize(std::size_t(width) * std::size_t(height));
  for (int y = 0; y < height; ++y) {
    const std::size_t row = maskStart + maskRow * std::size_t(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const auto maskBits = std::to_integer<std::uint8_t>(bytes[row + std::size_t(x) / 8]);
      const bool transparent = (maskBits >> (7 - x % 8)) & 1;
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
