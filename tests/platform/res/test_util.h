// Helpers shared by the resource tests: files as bytes, byte literals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace res_test {

inline std::vector<std::byte> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::byte> out(chars.size());
  for (std::size_t i = 0; i < chars.size(); ++i) out[i] = static_cast<std::byte>(chars[i]);
  return out;
}

inline std::vector<std::byte> Bytes(std::initializer_list<int> values) {
  std::vector<std::byte> out;
  for (int v : values) out.push_back(static_cast<std::byte>(v));
  return out;
}

// Little-endian writer for hand-made templates.
struct Writer {
  std::vector<std::byte> bytes;
  Writer& U16(std::uint32_t v) {
    bytes.push_back(std::byte(v & 0xFF));
    bytes.push_back(std::byte((v >> 8) & 0xFF));
    return *this;
  }
  Writer& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Writer& Text(std::u16string_view s) {
    for (char16_t c : s) U16(c);
    return U16(0);
  }
  Writer& Align4() {
    while (bytes.size() % 4) bytes.push_back(std::byte{0});
    return *this;
  }
};

inline std::string DataPath(const char* name) { return std::string(MENSORA_TEST_DATA_DIR) + "/" + name; }
inline std::string SourcePath(const char* name) { return std::string(MENSORA_TEST_SOURCE_DIR) + "/" + name; }

}  // namespace res_test
