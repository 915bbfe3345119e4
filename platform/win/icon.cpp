// Icon objects from icon group resources; see icon.h.
#include "win/icon.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>

#include "res/byte_cursor.h"
#include "res/modules.h"
#include "res/resources.h"

namespace {

struct IconObject {
  std::vector<int> sizes;
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
std::optional<std::vector<int>> ReadGroup(HINSTANCE module, std::span<const std::byte> group) {
  res::ByteCursor cursor(group);
  cursor.U16();
  std::uint16_t type = cursor.U16();
  std::uint16_t count = cursor.U16();
  if (!cursor.ok() || type != 1 || count == 0) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return std::nullopt;
  }
  std::vector<int> sizes;
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
    sizes.push_back(width == 0 ? 256 : width);
  }
  return sizes;
}

}  // namespace

HICON LoadIconW(HINSTANCE module, LPCWSTR name) {
  auto group = res::FindModuleResource(module, res::NameOrOrdinal(kRtGroupIcon), res::NameOrOrdinal(name));
  if (!group) return nullptr;
  auto sizes = ReadGroup(module, *group);
  if (!sizes) return nullptr;
  auto& table = Icons();
  std::lock_guard lock(table.mutex);
  table.icons.push_back(std::make_unique<IconObject>(IconObject{std::move(*sizes)}));
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

}  // namespace win
