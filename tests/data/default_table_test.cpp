// The built-in table as the program loads it: categories, units, entry
// counts, backgrounds, and the factors that were corrected.
#include <gtest/gtest.h>

#include <cmath>

#include "data/default_table.h"
#include "data/table_loader.h"

namespace {

constexpr ColorRef kFace = 0x00D6D3CE;

class BuiltInTable : public ::testing::Test {
 protected:
  void SetUp() override { loader.LoadConversionTable(u"\\windows\\mensora.dat"); }
  const ConversionDatabase& db() { return loader.database(); }
  const Category& Named(std::u16string_view name) {
    int i = FindCategory(db(), name);
    EXPECT_GE(i, 0);
    return db().at(size_t(i));
  }
  const ConversionEntry& Entry(std::u16string_view category, std::u16string_view from,
                               std::u16string_view to) {
    const Category& c = Named(category);
    const ConversionEntry* e = FindEntry(c, FindUnit(c, from), FindUnit(c, to));
    EXPECT_NE(e, nullptr);
    static const ConversionEntry none{};
    return e ? *e : none;
  }

  ProcessSettings settings{{}, kFace};
  ConversionLoader loader{settings};
};

}  // namespace

TEST_F(BuiltInTable, CategoriesInOrderWithTheirEntryCounts) {
  const std::pair<std::u16string, size_t> expected[] = {
      {u"Temperature", 10}, {u"Acceleration", 30}, {u"Angle", 54}, {u"Area", 90},
      {u"Distance", 310}, {u"Volume Dry", 30}, {u"Mass", 28}, {u"Volume", 32},
      {u"Density", 14}, {u"Energy", 56}, {u"Flow", 66}, {u"Force", 14}, {u"Light", 6},
      {u"Amt. of Substance", 6}, {u"Computer", 24}, {u"Concentration", 24},
      {u"Pressure", 36}, {u"Speed", 34}, {u"Time", 26}, {u"Torque", 24}, {u"Power", 18},
      {u"Custom", 0}};
  ASSERT_EQ(db().size(), std::size(expected));
  size_t total = 0;
  for (size_t i = 0; i < db().size(); ++i) {
    EXPECT_EQ(db()[i].name, expected[i].first);
    EXPECT_EQ(db()[i].entries.size(), expected[i].second) << i;
    total += db()[i].entries.size();
  }
  EXPECT_EQ(total, 932u);
  EXPECT_TRUE(Named(u"Custom").units.empty());
  EXPECT_EQ(Named(u"Distance").units.size(), 20u);
  EXPECT_EQ(Named(u"Flow").units.size(), 34u);
  EXPECT_EQ(Named(u"Area").units.front(), u"kilometer\u00B2 (km\u00B2)");
  EXPECT_EQ(Named(u"Angle").units[7], u"second (\")");
  EXPECT_EQ(Named(u"Torque").units[4], u"micronewton meter (\u00B5N\u00B7m)");
}

TEST_F(BuiltInTable, DirectivesGiveColoursAndBitmaps) {
  const std::pair<std::u16string, ColorRef> coloured[] = {
      {u"Mass", 46260}, {u"Volume Dry", 16711680}, {u"Density", 65280}, {u"Concentration", 115}};
  for (const auto& [name, color] : coloured) {
    EXPECT_EQ(Named(name).color, color);
    EXPECT_EQ(Named(name).bitmapPath, u"*");
  }
  for (const Category& c : db()) {
    if (c.bitmapPath == u"*") continue;
    EXPECT_EQ(c.color, kFace) << std::string(c.name.begin(), c.name.end());
    EXPECT_EQ(c.bitmapPath.rfind(u"\\windows\\", 0), 0u);
  }
  EXPECT_EQ(Named(u"Amt. of Substance").bitmapPath, u"\\windows\\aofs.bmp");
  EXPECT_EQ(Named(u"Custom").bitmapPath, u"\\windows\\custom.bmp");
}

TEST_F(BuiltInTable, SecondLoadAddsNothing) {
  ConversionDatabase before = db();
  loader.LoadConversionTable(u"\\windows\\mensora.dat");
  ASSERT_EQ(db().size(), before.size());
  for (size_t i = 0; i < db().size(); ++i) {
    EXPECT_EQ(db()[i].units, before[i].units);
    ASSERT_EQ(db()[i].entries.size(), before[i].entries.size());
    for (size_t e = 0; e < before[i].entries.size(); ++e)
      EXPECT_EQ(db()[i].entries[e].factor, before[i].entries[e].factor);
  }
}

TEST_F(BuiltInTable, CorrectedFactorsHoldTheirPhysicalValues) {
  EXPECT_EQ(Entry(u"Temperature", u"Fahrenheit", u"Rankin").offset, 459.67);
  EXPECT_DOUBLE_EQ(Entry(u"Angle", u"degree (\u00B0)", u"radian (rad)").factor, M_PI / 180);
  EXPECT_DOUBLE_EQ(Entry(u"Angle", u"minute (')", u"radian (rad)").factor, M_PI / 10800);
  EXPECT_DOUBLE_EQ(Entry(u"Angle", u"revolution (r)", u"microradian (\u00B5rad)").factor,
                   2 * M_PI * 1e6);
  EXPECT_DOUBLE_EQ(
      Entry(u"Acceleration", u"free fall (g)", u"mile/hour second (mi/(h\u00B7s))").factor,
      9.80665 / 0.44704);
  EXPECT_DOUBLE_EQ(Entry(u"Area", u"acre", u"kilometer\u00B2 (km\u00B2)").factor, 4.0468564224e-03);
  EXPECT_DOUBLE_EQ(Entry(u"Pressure", u"kilogram/meter\u00B2", u"bar").factor, 9.80665e-05);
  // Listed lines that stand as written.
  EXPECT_EQ(Entry(u"Energy", u"BTU", u"calorie").factor, 251.9957611);
  EXPECT_EQ(Entry(u"Volume", u"drop", u"liter").factor, 6.48524e-005);
  EXPECT_EQ(Entry(u"Distance", u"nautical mile (M)", u"dekameter (dm)").factor, 185.2);
}

TEST(DefaultTableText, StoredFormAndExpansion) {
  size_t lines = 0, directives = 0;
  TableReader reader(DefaultTableText);
  std::u16string line;
  while (reader.ReadTableLine(line) == 0) {
    ++lines;
    directives += line.front() == u'@';
    EXPECT_EQ(line.find_first_of(u"\r\t#"), std::u16string::npos);
  }
  EXPECT_EQ(lines, 722u);
  EXPECT_EQ(directives, 26u);
  EXPECT_EQ(DefaultTableText.back(), u'\n');
  std::u16string expanded = ExpandSuperscripts(DefaultTableText);
  EXPECT_EQ(expanded.find_first_of(u"^~"), std::u16string::npos);
  EXPECT_EQ(expanded.size(), DefaultTableText.size());
  EXPECT_NE(DefaultTableText.find(u"Temperature,Celsius,Kelvin,1,273.15\n"), std::u16string::npos);
  EXPECT_NE(DefaultTableText.find(u"Energy,attojoule,BTU,9.478171203e-022,0\n"),
            std::u16string::npos);
}
