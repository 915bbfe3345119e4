// Fuzzes the string table block parser.
#include <cstddef>
#include <cstdint>
#include <span>

#include "res/string_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  auto result = res::ParseStringBlock(bytes);
  if (!result.ok()) (void)res::Describe(result.error());
  return 0;
}
