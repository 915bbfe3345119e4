// Whole-file reads and writes for the codecs' file entry points. Internal to
// this room: other rooms go through sys/ for the handheld's files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gdi::detail {

// Reads a whole file. Returns nullopt and sets *error (when not null) if the
// file cannot be opened or read, or is larger than max_size bytes.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                       std::uintmax_t max_size,
                                                       std::string* error);

// Writes bytes to path, replacing the file. The bytes go to a temporary file
// beside it that is renamed over path once complete, so a failed write never
// leaves a half-written image behind. Returns false and sets *error (when not
// null) on any failure.
bool WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                    std::string* error);

}  // namespace gdi::detail
