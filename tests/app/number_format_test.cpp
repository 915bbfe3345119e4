// The value and result field forms, on the cases users meet.
#include <gtest/gtest.h>

#include "app/number_format.h"

TEST(ParseValue, ReadsTheLeadingNumber) {
  EXPECT_EQ(ParseValue(u""), 0);
  EXPECT_EQ(ParseValue(u"-"), 0);
  EXPECT_EQ(ParseValue(u"12."), 12);
  EXPECT_EQ(ParseValue(u"3,5"), 3);
  EXPECT_EQ(ParseValue(u" -1.5e2 km"), -150);
}

TEST(FormatValue, FixedDecimalsRounded) {
  EXPECT_EQ(FormatValue(1.23456789, 4), u"1.2346");
  EXPECT_EQ(FormatValue(-2, 2), u"-2.00");
  EXPECT_EQ(FormatValue(1e20, 1), u"100000000000000000000.0");
  EXPECT_EQ(FormatValue(0.123456789, 10), u"0.1234567890");
}

TEST(FormatResult, FixedNotationTruncatesAndTrims) {
  EXPECT_EQ(FormatResult(1.23456789, 4, 0), u"1.2345");
  EXPECT_EQ(FormatResult(2.5, 4, 0), u"2.5");
  EXPECT_EQ(FormatResult(100, 4, 0), u"100");
  EXPECT_EQ(FormatResult(0, 4, 0), u"0");
  EXPECT_EQ(FormatResult(0.1, 4, 0), u"0.1");
  EXPECT_EQ(FormatResult(1e20, 4, 0), u"100000000000000000000");
  EXPECT_EQ(FormatResult(-0.00001, 4, 0), u"-0");
  EXPECT_EQ(FormatResult(0.123456789, 10, 0), u"0.123457");
  EXPECT_EQ(FormatResult(19.99999, 1, 0), u"19.9");  // cut, not rounded
  EXPECT_EQ(FormatResult(212, 4, 0), u"212");
}

TEST(FormatResult, ScientificIgnoresPrecision) {
  EXPECT_EQ(FormatResult(0.5, 4, 1), u"0.5");
  EXPECT_EQ(FormatResult(1234567, 4, 1), u"1.23457E+06");
  EXPECT_EQ(FormatResult(1234567, 9, 1), u"1.23457E+06");
  EXPECT_EQ(FormatResult(0.00001234, 2, 1), u"1.234E-05");
}
