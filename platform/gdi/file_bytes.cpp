// Whole-file reads and writes for the codecs (see file_bytes.h).
#include "gdi/file_bytes.h"

#include <fstream>
#include <system_error>

namespace gdi::detail {

namespace {
void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}
}  // namespace

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                       std::uintmax_t max_size,
                                                       std::string* error) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) {
    SetError(error, path.string() + ": " + ec.message());
    return std::nullopt;
  }
  if (size > max_size) {
    SetError(error, path.string() + ": file of " + std::to_string(size) + " bytes is too large");
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!in || !in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()))) {
    SetError(error, path.string() + ": cannot read");
    return std::nullopt;
  }
  return bytes;
}

bool WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                    std::string* error) {
  std::filesystem::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      SetError(error, path.string() + ": cannot create " + temp.string());
      return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      SetError(error, path.string() + ": write failed");
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    SetError(error, path.string() + ": " + ec.message());
    return false;
  }
  return true;
}

}  // namespace gdi::detail
