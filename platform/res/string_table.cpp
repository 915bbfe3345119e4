// String table blocks: splitting and lookup by string id.
#include "res/string_table.h"

#include "res/byte_cursor.h"
#include "res/resources.h"

namespace res {

Expected<StringBlock> ParseStringBlock(std::span<const std::byte> block) {
  StringBlock out;
  ByteCursor c(block);
  for (auto& slot : out) {
    std::size_t length = c.U16();
    slot = c.Bytes(length * 2);
    if (!c.ok()) return c.Error(ResError::kTruncated, "string runs past its block");
  }
  return out;
}

std::optional<std::span<const std::byte>> FindStringUnits(const ResourceSource& source, UINT id,
                                                          std::optional<LANGID> language) {
  auto block = source.Find(NameOrOrdinal(kRtString), NameOrOrdinal(StringBlockId(id)), language);
  if (!block) return std::nullopt;
  auto strings = ParseStringBlock(*block);
  if (!strings) return std::nullopt;
  auto units = (*strings)[id & 0xF];
  if (units.empty()) return std::nullopt;
  return units;
}

std::optional<std::u16string> FindString(const ResourceSource& source, UINT id,
                                         std::optional<LANGID> language) {
  auto units = FindStringUnits(source, id, language);
  if (!units) return std::nullopt;
  return UnitsToString(*units);
}

std::u16string UnitsToString(std::span<const std::byte> units) {
  ByteCursor c(units);
  return c.CountedString(units.size() / 2);
}

}  // namespace res
