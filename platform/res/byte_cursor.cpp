// ByteCursor: checked little-endian reads over a span of bytes.
#include "res/byte_cursor.h"

namespace res {

ByteCursor::ByteCursor(std::span<const std::byte> bytes, std::size_t offset) : bytes_(bytes) {
  Seek(offset);
}

bool ByteCursor::Take(std::size_t n) {
  if (!ok_ || n > remaining()) {
    ok_ = false;
    return false;
  }
  return true;
}

std::uint8_t ByteCursor::U8() {
  if (!Take(1)) return 0;
  return std::to_integer<std::uint8_t>(bytes_[pos_++]);
}

std::uint16_t ByteCursor::U16() {
  if (!Take(2)) return 0;
  auto v = static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes_[pos_]) |
                                      (std::to_integer<unsigned>(bytes_[pos_ + 1]) << 8));
  pos_ += 2;
  return v;
}

std::uint32_t ByteCursor::U32() {
  if (!Take(4)) return 0;
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | std::to_integer<std::uint32_t>(bytes_[pos_ + i]);
  pos_ += 4;
  return v;
}

std::int16_t ByteCursor::I16() { return static_cast<std::int16_t>(U16()); }

void ByteCursor::Seek(std::size_t offset) {
  if (!ok_) return;
  if (offset > bytes_.size()) {
    ok_ = false;
    return;
  }
  pos_ = offset;
}

void ByteCursor::Skip(std::size_t n) {
  if (Take(n)) pos_ += n;
}

std::size_t ByteCursor::AlignedOffset(std::size_t alignment) const {
  std::size_t mask = alignment - 1;
  std::size_t pad = (alignment - (pos_ & mask)) & mask;
  return pos_ + pad;  // pos_ <= size(), pad < alignment: no overflow in practice
}

void ByteCursor::Align(std::size_t alignment) { Skip(AlignedOffset(alignment) - pos_); }

std::span<const std::byte> ByteCursor::Bytes(std::size_t n) {
  if (!Take(n)) return {};
  auto out = bytes_.subspan(pos_, n);
  pos_ += n;
  return out;
}

std::u16string ByteCursor::String(std::size_t maxUnits) {
  if (!ok_) return {};
  std::u16string out;
  std::size_t start = pos_;
  for (;;) {
    std::uint16_t unit = U16();
    if (!ok_) break;
    if (unit == 0) return out;
    if (out.size() == maxUnits) {
      ok_ = false;
      break;
    }
    out.push_back(static_cast<char16_t>(unit));
  }
  pos_ = start;  // report the failure where the string began
  return {};
}

std::u16string ByteCursor::CountedString(std::size_t units) {
  if (units > remaining() / 2) {
    ok_ = false;
    return {};
  }
  std::u16string out;
  out.reserve(units);
  for (std::size_t i = 0; i < units; ++i) out.push_back(static_cast<char16_t>(U16()));
  return out;
}

std::uint16_t PeekU16(std::span<const std::byte> bytes, std::size_t offset, bool& ok) {
  ByteCursor c(bytes, offset);
  std::uint16_t v = c.U16();
  ok = ok && c.ok();
  return v;
}

std::uint32_t PeekU32(std::span<const std::byte> bytes, std::size_t offset, bool& ok) {
  ByteCursor c(bytes, offset);
  std::uint32_t v = c.U32();
  ok = ok && c.ok();
  return v;
}

}  // namespace res
