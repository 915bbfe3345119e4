// String tables: RT_STRING resource n holds the 16 strings with ids
// (n - 1) * 16 to (n - 1) * 16 + 15, each a 16-bit length and that many
// UTF-16 units, no terminator. An empty string is an absent one.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>

#include "base/wintypes.h"
#include "res/parse_error.h"
#include "res/resource_source.h"

namespace res {

// The 16 strings of a block, as spans of their UTF-16 units (2 bytes each,
// little endian, possibly unaligned) inside the block's bytes.
using StringBlock = std::array<std::span<const std::byte>, 16>;

// The block id that holds string `id` (only its low 16 bits count).
constexpr WORD StringBlockId(UINT id) { return static_cast<WORD>(((id & 0xFFFF) >> 4) + 1); }

// Splits a block. Errors: kTruncated when a length runs past the block or
// the block holds fewer than 16 strings. Bytes after the 16th are ignored
// (compilers pad blocks).
Expected<StringBlock> ParseStringBlock(std::span<const std::byte> block);

// The units of string `id` in `source` (language as in ResourceSource::Find).
// nullopt when its block is missing or malformed, or the string is empty.
std::optional<std::span<const std::byte>> FindStringUnits(const ResourceSource& source, UINT id,
                                                          std::optional<LANGID> language = {});

// The same as text; nullopt as above.
std::optional<std::u16string> FindString(const ResourceSource& source, UINT id,
                                         std::optional<LANGID> language = {});

// Decodes a span of little-endian UTF-16 units (an odd last byte is dropped).
std::u16string UnitsToString(std::span<const std::byte> units);

}  // namespace res
