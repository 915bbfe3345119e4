// Fuzzes the PE resource reader and the lookups over what it accepts.
#include <cstddef>
#include <cstdint>
#include <span>

#include "exercise.h"
#include "res/pe_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  res::PeInfo info;
  auto source = res::ParsePeResources(bytes, &info);
  if (source.ok()) fuzz::Exercise(*source);
  else (void)res::Describe(source.error());
  return 0;
}
