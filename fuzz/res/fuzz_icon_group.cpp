// Fuzzes the icon readers: the input is read both as a group directory and
// as one image. An accepted group's entries must fit in its bytes, and an
// accepted DIB image must hold its declared rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "res/icon_group.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  auto group = res::ParseIconGroup(bytes);
  if (group.ok() && (group->empty() || 6 + group->size() * 14 > size)) std::abort();
  if (!group.ok()) (void)res::Describe(group.error());
  auto image = res::ParseIconImage(bytes);
  if (image.ok() && !image->png) {
    const std::uint64_t rowBits = std::uint64_t(image->width) * image->bitCount;
    if (image->width == 0 || image->height == 0 || 40 + (rowBits + 31) / 32 * 4 * image->height > size)
      std::abort();
  }
  return 0;
}
