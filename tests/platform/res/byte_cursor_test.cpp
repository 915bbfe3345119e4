// ByteCursor: little-endian reads, sticky failure, alignment, strings.
#include "res/byte_cursor.h"

#include <gtest/gtest.h>

#include "test_util.h"

using res::ByteCursor;
using res_test::Bytes;

TEST(ByteCursor, ReadsLittleEndianAndStopsAtTheEnd) {
  auto data = Bytes({0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF});
  ByteCursor c(data);
  EXPECT_EQ(c.U8(), 0x01);
  EXPECT_EQ(c.U16(), 0x1234);
  EXPECT_EQ(c.U32(), 0x12345678u);
  EXPECT_EQ(c.I16(), -2);
  EXPECT_TRUE(c.ok());
  EXPECT_EQ(c.remaining(), 0u);
  // A read past the end fails, returns zero and leaves the position; the
  // failure is sticky even for reads that would fit after a Seek.
  EXPECT_EQ(c.U8(), 0);
  EXPECT_FALSE(c.ok());
  EXPECT_EQ(c.offset(), 9u);
  c.Seek(0);
  EXPECT_EQ(c.U8(), 0);
  EXPECT_FALSE(c.ok());

  ByteCursor partial(data, 7);  // two bytes left: a U32 fails without moving
  EXPECT_EQ(partial.U32(), 0u);
  EXPECT_FALSE(partial.ok());
  EXPECT_EQ(partial.offset(), 7u);
}

TEST(ByteCursor, SeekSkipAndAlignAreChecked) {
  auto data = Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  ByteCursor c(data);
  c.Skip(1);
  EXPECT_EQ(c.AlignedOffset(4), 4u);
  c.Align(4);
  EXPECT_EQ(c.offset(), 4u);
  c.Align(4);  // already aligned: no move
  EXPECT_EQ(c.offset(), 4u);
  c.Seek(10);  // the very end is a valid position
  EXPECT_TRUE(c.ok());
  c.Seek(9);
  c.Align(4);  // would be 12, past the end
  EXPECT_FALSE(c.ok());

  ByteCursor past(data, 11);
  EXPECT_FALSE(past.ok());
  ByteCursor skip(data);
  skip.Skip(SIZE_MAX);
  EXPECT_FALSE(skip.ok());
}

TEST(ByteCursor, AlignmentCountsFromTheSpanStart) {
  auto data = Bytes({0, 0, 0, 0, 0, 0, 0, 0});
  ByteCursor c(std::span<const std::byte>(data).subspan(1), 1);
  c.Align(4);
  EXPECT_EQ(c.offset(), 4u);
}

TEST(ByteCursor, StringsNeedTheirTerminatorWithinTheCap) {
  auto data = Bytes({'a', 0, 'b', 0, 0, 0, 'c', 0});
  ByteCursor c(data);
  EXPECT_EQ(c.String(10), u"ab");
  EXPECT_EQ(c.offset(), 6u);
  // "c" has no terminator: failure, reported where the string began.
  EXPECT_EQ(c.String(10), u"");
  EXPECT_FALSE(c.ok());
  EXPECT_EQ(c.offset(), 6u);

  ByteCursor capped(data);
  EXPECT_EQ(capped.String(1), u"");
  EXPECT_FALSE(capped.ok());
  ByteCursor exact(data);
  EXPECT_EQ(exact.String(2), u"ab");
  EXPECT_TRUE(exact.ok());

  auto odd = Bytes({'a', 0, 0});  // the terminator is cut in half
  ByteCursor o(odd);
  o.String(10);
  EXPECT_FALSE(o.ok());
}

TEST(ByteCursor, SubSpansAndCountedStrings) {
  auto data = Bytes({'h', 0, 'i', 0, 9});
  ByteCursor c(data);
  EXPECT_EQ(c.CountedString(2), u"hi");
  auto rest = c.Bytes(1);
  ASSERT_EQ(rest.size(), 1u);
  EXPECT_EQ(rest[0], std::byte{9});
  EXPECT_TRUE(c.Bytes(1).empty());
  EXPECT_FALSE(c.ok());

  ByteCursor big(data);
  EXPECT_EQ(big.CountedString(3), u"");  // 6 bytes asked, 5 there
  EXPECT_FALSE(big.ok());
  ByteCursor huge(data);
  huge.CountedString(SIZE_MAX);
  EXPECT_FALSE(huge.ok());
}
