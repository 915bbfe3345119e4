// The C-library number grammar without the C library: reading must stop where
// wcstod stops, and printing must match printf digit for digit.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "base/cnum.h"

using base::ReadDecimal;

namespace {

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

std::string Printf(const char* format, double v, int precision) {
  char buf[512];
  std::snprintf(buf, sizeof buf, format, precision, v);
  return buf;
}

}  // namespace

TEST(ReadDecimal, StopsWhereTheGrammarEnds) {
  struct Case {
    std::u16string text;
    double value;
    size_t used;
  } cases[] = {
      {u"  \t\n12.5abc", 12.5, 8},
      {u"-3,5", -3, 2},
      {u"+.5", 0.5, 3},
      {u"12.", 12, 3},
      {u"1e", 1, 1},       // an exponent without digits is not consumed
      {u"1e+", 1, 1},
      {u"2.5E-3x", 0.0025, 6},
      {u"9.478171203e-022", 9.478171203e-22, 16},
      {u"0x10", 0, 1},     // no hexadecimal: reads the 0
      {u"", 0, 0},
      {u"-", 0, 0},
      {u".", 0, 0},
      {u"abc", 0, 0},
      {u"inf", 0, 0},      // no infinity or NaN forms
      {u"nan", 0, 0},
      {u"1.2.3", 1.2, 3},
  };
  for (const auto& c : cases) {
    auto r = ReadDecimal(c.text);
    EXPECT_EQ(r.value, c.value) << Narrow(c.text);
    EXPECT_EQ(r.used, c.used) << Narrow(c.text);
  }
}

TEST(ReadDecimal, RoundsLongDigitStringsToNearest) {
  // 33 significant digits, as the table writes them.
  EXPECT_EQ(ReadDecimal(u"0.0174532925199432957692369076848861").value, M_PI / 180);
  std::u16string many = u"1." + std::u16string(5000, u'0') + u"1";
  EXPECT_EQ(ReadDecimal(many).value, 1.0);
  EXPECT_EQ(ReadDecimal(many).used, many.size());
  EXPECT_EQ(ReadDecimal(u"0.1000000000000000055511151231257827").value, 0.1);
}

TEST(ReadDecimal, NeverYieldsInfinityOrNaN) {
  EXPECT_EQ(ReadDecimal(u"1e400").value, DBL_MAX);
  EXPECT_EQ(ReadDecimal(u"-1e99999999999999999999").value, -DBL_MAX);
  EXPECT_EQ(ReadDecimal(u"1" + std::u16string(400, u'0')).value, DBL_MAX);
  EXPECT_EQ(ReadDecimal(u"1e-400").value, 0.0);
  EXPECT_TRUE(std::signbit(ReadDecimal(u"-1e-400").value));
  EXPECT_EQ(ReadDecimal(u"0.0000e999999").value, 0.0);  // zero stays zero
  EXPECT_EQ(ReadDecimal(u"0.00001e-320").value, 0.0);
}

TEST(WToL, ReadsLeadingIntegerAndClamps) {
  EXPECT_EQ(base::WToL(u" 46260"), 46260);
  EXPECT_EQ(base::WToL(u"-3x"), -3);
  EXPECT_EQ(base::WToL(u"+7"), 7);
  EXPECT_EQ(base::WToL(u"x"), 0);
  EXPECT_EQ(base::WToL(u"12.9"), 12);
  EXPECT_EQ(base::WToL(u"2147483648"), INT32_MAX);
  EXPECT_EQ(base::WToL(u"-99999999999999999999999"), INT32_MIN);
  EXPECT_EQ(base::WToL(u"-2147483648"), INT32_MIN);
}

TEST(Format, MatchesPrintfOnManyValues) {
  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int> exponent(-30, 30);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::vector<double> values = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 1e20, 1e-5, -1e-5,
                                123456.5, 999999.5, 0.00001, 1e15, DBL_MAX, DBL_MIN, 5e-324};
  for (int i = 0; i < 2000; ++i) values.push_back(mantissa(rng) * std::pow(10.0, exponent(rng)));
  for (double v : values) {
    for (int p : {0, 1, 4, 6, 10}) {
      EXPECT_EQ(Narrow(base::FormatFixed(v, p)), Printf("%.*f", v, p)) << v;
      EXPECT_EQ(Narrow(base::FormatGeneral(v, p)), Printf("%.*G", v, p)) << v;
    }
  }
  EXPECT_EQ(Narrow(base::FormatInt(-2147483648LL)), "-2147483648");
}
