// Derivation through shared units and conversion by the first matching
// entry, on the built-in table and on small hand-made categories.
#include <gtest/gtest.h>

#include <cstring>

#include "data/derivation.h"
#include "data/literal_derivation.h"
#include "data/table_loader.h"

namespace {

ConversionDatabase LoadBuiltIn() {
  ProcessSettings settings;
  ConversionLoader loader(settings);
  loader.LoadConversionTable(u"");
  return loader.database();
}

ConversionDatabase LoadText(std::u16string_view text) {
  ProcessSettings settings;
  ConversionLoader loader(settings);
  loader.LoadTableText(text);
  return loader.database();
}

// Ordered pairs (i, j), i != j, that lack the first entry in some direction.
std::vector<std::pair<std::u16string, std::u16string>> MissingPairs(const Category& c) {
  std::vector<std::pair<std::u16string, std::u16string>> missing;
  for (int i = 0; i < int(c.units.size()); ++i)
    for (int j = 0; j < int(c.units.size()); ++j)
      if (i != j && !FindEntry(c, i, j)) missing.emplace_back(c.units[size_t(i)], c.units[size_t(j)]);
  return missing;
}

bool SameBits(const ConversionEntry& a, const ConversionEntry& b) {
  return std::memcmp(&a.factor, &b.factor, sizeof(double)) == 0 &&
         std::memcmp(&a.offset, &b.offset, sizeof(double)) == 0 && a.fromUnit == b.fromUnit &&
         a.toUnit == b.toUnit && a.flags == b.flags;
}

}  // namespace

TEST(Derivation, TemperatureExample) {
  ConversionDatabase db = LoadBuiltIn();
  Category& t = db[0];
  DeriveConversions(t);
  ASSERT_EQ(t.entries.size(), 12u);
  const ConversionEntry& kr = t.entries[10];
  const ConversionEntry& rk = t.entries[11];
  EXPECT_EQ(kr.fromUnit, 2);
  EXPECT_EQ(kr.toUnit, 3);
  EXPECT_NEAR(kr.factor, 1.8, 1e-15);
  EXPECT_NEAR(kr.offset, 0, 1e-12);
  EXPECT_EQ(rk.fromUnit, 3);
  EXPECT_NEAR(rk.factor, 1 / 1.8, 1e-15);
  EXPECT_NEAR(rk.offset, 0, 1e-12);
}

TEST(Derivation, OnePassLeavesOnlyTheLongChainsAndTwoComplete) {
  ConversionDatabase db = LoadBuiltIn();
  for (Category& c : db) DeriveConversions(c);
  for (const Category& c : db) {
    auto missing = MissingPairs(c);
    if (c.name == u"Computer") {
      EXPECT_EQ(missing.size(), 4u);
      for (auto& [a, b] : missing) EXPECT_TRUE(a == u"exabyte" || b == u"exabyte");
    } else if (c.name == u"Time") {
      EXPECT_EQ(missing.size(), 12u);
      for (auto& [a, b] : missing) EXPECT_TRUE(a == u"millisecond" || b == u"millisecond");
    } else {
      EXPECT_TRUE(missing.empty()) << std::string(c.name.begin(), c.name.end());
    }
  }
  double r = 0;
  EXPECT_EQ(ConvertValue(db, 18, u"millisecond", u"century", 1, r), -1);
  for (Category& c : db) DeriveConversions(c);
  for (const Category& c : db) EXPECT_TRUE(MissingPairs(c).empty());
  EXPECT_EQ(ConvertValue(db, 18, u"millisecond", u"century", 3.1536e12, r), 0);
  EXPECT_NEAR(r, 1.0, 1e-12);

  std::vector<size_t> sizes;
  for (const Category& c : db) sizes.push_back(c.entries.size());
  for (Category& c : db) DeriveConversions(c);
  for (size_t i = 0; i < db.size(); ++i) EXPECT_EQ(db[i].entries.size(), sizes[i]);
}

TEST(Derivation, MatchesTheLiteralPassBitForBit) {
  ConversionDatabase ours = LoadBuiltIn(), literal = LoadBuiltIn();
  ours.push_back(LoadText(u"Z,a,b,0,1\nZ,b,c,2,1\nZ,c,a,3,0\nZ,d,a,0,0\nZ,d,c,5,0\n")[0]);
  literal.push_back(ours.back());
  for (int pass = 0; pass < 3; ++pass) {
    for (size_t i = 0; i < ours.size(); ++i) {
      DeriveConversions(ours[i]);
      LiteralDeriveConversions(literal[i]);
      ASSERT_EQ(ours[i].entries.size(), literal[i].entries.size()) << i;
      for (size_t e = 0; e < ours[i].entries.size(); ++e)
        ASSERT_TRUE(SameBits(ours[i].entries[e], literal[i].entries[e])) << i << " " << e;
    }
  }
}

TEST(Derivation, ZeroFactorAtTheFirstIntermediateBlocksThePair) {
  // a and c meet first at b, where a->b has factor 0; d would work but is
  // never tried.
  ConversionDatabase db = LoadText(u"Z,a,b,0,0\nZ,c,b,2,0\nZ,a,d,1,0\nZ,c,d,1,0\n");
  Category& z = db[0];
  DeriveConversions(z);
  DeriveConversions(z);
  EXPECT_EQ(FindEntry(z, 0, 2), nullptr);  // a->c
  double r = 0;
  EXPECT_EQ(ConvertValue(db, 0, u"a", u"c", 1, r), -1);
}

TEST(Derivation, FewerThanThreeUnitsGetNothing) {
  ConversionDatabase db = LoadText(u"Z,a,b,0,0\n");
  DeriveConversions(db[0]);
  EXPECT_EQ(db[0].entries.size(), 1u);
}

TEST(Derivation, OneExistingDirectionKeepsItsValue) {
  // b->a exists alone (factor 0, no inverse); the pass appends both
  // directions through c, and the old b->a stays first.
  ConversionDatabase db = LoadText(u"Z,b,a,0,7\nZ,a,c,2,0\nZ,b,c,4,0\n");
  DeriveConversions(db[0]);
  double r = 0;
  ASSERT_EQ(ConvertValue(db, 0, u"b", u"a", 10, r), 0);
  EXPECT_EQ(r, 7);
  ASSERT_EQ(ConvertValue(db, 0, u"a", u"b", 10, r), 0);
  EXPECT_EQ(r, 5);
}

TEST(ConvertValue, ByNamesAndFirstMatch) {
  ConversionDatabase db = LoadBuiltIn();
  double r = 0;
  ASSERT_EQ(ConvertValue(db, 0, u"Celsius", u"Fahrenheit", 100, r), 0);
  EXPECT_EQ(r, 212);
  ASSERT_EQ(ConvertValue(db, 0, u"Fahrenheit", u"Rankin", 0, r), 0);
  EXPECT_EQ(r, 459.67);
  EXPECT_EQ(ConvertValue(db, -1, u"a", u"a", 3.5, r), 0);
  EXPECT_EQ(r, 3.5);
  r = 42;
  EXPECT_EQ(ConvertValue(db, -1, u"a", u"b", 1, r), -1);
  EXPECT_EQ(ConvertValue(db, 99, u"a", u"b", 1, r), -1);
  EXPECT_EQ(ConvertValue(db, 0, u"Kelvin", u"Rankin", 1, r), -1);  // not derived yet
  EXPECT_EQ(r, 42);

  // Two units of one name: the first entry whose names match counts.
  ConversionDatabase twin = LoadText(u"X,u,u,2,0\n");
  ASSERT_EQ(ConvertValue(twin, 0, u"u", u"v", 1, r), -1);
}
