// Fuzzes the menu template parser (normal and MENUEX forms).
#include <cstddef>
#include <cstdint>
#include <span>

#include "res/menu_template.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  auto result = res::ParseMenuTemplate(bytes);
  if (!result.ok()) (void)res::Describe(result.error());
  return 0;
}
