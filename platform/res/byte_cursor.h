// ByteCursor: the one bounds-checked reader under every resource parser.
//
// Reads are little endian and never touch a byte outside the span given at
// construction. The first read that does not fit marks the cursor failed;
// from then on every read returns zero or empty and the position stays where
// the failure happened, so a parser may read a whole header and check ok()
// once. Loops that run on a count from the input must check ok() each turn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "res/parse_error.h"

namespace res {

class ByteCursor {
 public:
  ByteCursor() = default;
  // Reads `bytes` from `offset`; an offset past the end fails the cursor.
  explicit ByteCursor(std::span<const std::byte> bytes, std::size_t offset = 0);

  std::size_t offset() const { return pos_; }
  std::size_t size() const { return bytes_.size(); }
  std::size_t remaining() const { return bytes_.size() - pos_; }
  std::span<const std::byte> bytes() const { return bytes_; }
  bool ok() const { return ok_; }

  // Fixed-size little-endian reads; 0 once failed.
  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  std::int16_t I16();

  // Moves to an absolute offset; past the end fails. Seek(size()) is allowed.
  void Seek(std::size_t offset);
  // Moves forward n bytes; past the end fails.
  void Skip(std::size_t n);
  // Moves forward to the next multiple of `alignment` (a power of two),
  // counted from the start of the span; past the end fails.
  void Align(std::size_t alignment);
  // The offset Align would move to, without moving or failing.
  std::size_t AlignedOffset(std::size_t alignment) const;

  // The next n bytes as a sub-span, moving past them; empty on failure.
  std::span<const std::byte> Bytes(std::size_t n);
  // A zero-terminated UTF-16 string of at most maxUnits units before its
  // terminator, moving past the terminator. Fails (and returns empty) when no
  // terminator lies within the cap or within the span.
  std::u16string String(std::size_t maxUnits);
  // Exactly `units` UTF-16 units (a counted string), no terminator.
  std::u16string CountedString(std::size_t units);

  // A ParseError at the current offset, for the caller to return.
  ParseError Error(ResError code, const char* what) const { return {code, pos_, what}; }

 private:
  bool Take(std::size_t n);  // checks and marks failure; does not move

  std::span<const std::byte> bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

// Reads a little-endian value at an absolute offset, or 0 with ok=false.
std::uint16_t PeekU16(std::span<const std::byte> bytes, std::size_t offset, bool& ok);
std::uint32_t PeekU32(std::span<const std::byte> bytes, std::size_t offset, bool& ok);

}  // namespace res
