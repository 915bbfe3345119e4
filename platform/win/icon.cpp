// Icon objects from icon group resources; see icon.h.
#include "win/icon.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>

#include "res/icon_group.h"
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

// The sizes of an icon group whose images all exist and are well formed;
// nullopt with the last error set otherwise.
std::optional<std::vector<int>> ReadGroup(HINSTANCE module, std::span<const std::byte> group) {
  auto entries = res::ParseIconGroup(group);
  if (!entries) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return std::nullopt;
  }
  std::vector<int> sizes;
  for (const res::IconGroupEntry& entry : *entries) {
    auto image = res::FindModuleResource(module, res::NameOrOrdinal(kRtIcon), res::NameOrOrdinal(entry.imageId));
    if (!image) return std::nullopt;
    if (!res::ParseIconImage(*image)) {
      SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
      return std::nullopt;
    }
    sizes.push_back(entry.width == 0 ? 256 : entry.width);
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
