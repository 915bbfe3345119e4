// The table grammar and the two writers it feeds: which lines are applied,
// how names and numbers are read, and what directives change.
#include <gtest/gtest.h>

#include "data/table_loader.h"

namespace {

class TableText : public ::testing::Test {
 protected:
  void Load(std::u16string_view text) { loader.LoadTableText(text); }
  const Category& At(size_t i) { return loader.database().at(i); }

  ProcessSettings settings{{}, 0x00C0C0C0};
  ConversionLoader loader{settings};
};

}  // namespace

TEST_F(TableText, DropsMalformedLinesAndKeepsOthers) {
  Load(u"  # note\n"
       u"\t \n"
       u"Temperature,Celsius,Kelvin,1,\n"     // empty offset
       u",Celsius,Kelvin,1,0\n"               // empty category
       u"Temperature,,Kelvin,1,0\n"           // empty unit
       u"Temperature,Celsius,Kelvin\n"        // too few commas
       u"x#y,a,b,1,0\n"                       // a category, not a comment
       u"Temperature,Celsius,Kelvin,1,0,5\n"  // offset text "0,5" reads 0
       u"Temperature,Celsius,Fahrenheit,1.8,32");  // no line feed: not read
  ASSERT_EQ(loader.database().size(), 2u);
  EXPECT_EQ(At(0).name, u"x#y");
  EXPECT_EQ(At(1).name, u"Temperature");
  EXPECT_EQ(At(1).units, (std::vector<std::u16string>{u"Celsius", u"Kelvin"}));
  EXPECT_EQ(At(1).entries[0].offset, 0.0);
  EXPECT_EQ(At(1).color, 0x00C0C0C0u);
  EXPECT_EQ(At(1).bitmapPath, u"*");
}

TEST_F(TableText, BlanksNextToCommasBelongToTheNames) {
  Load(u"  Temperature ,Celsius, Kelvin,1,0\nTemperature , Kelvin,Celsius,abc,0\n");
  ASSERT_EQ(loader.database().size(), 1u);
  EXPECT_EQ(At(0).name, u"Temperature ");
  EXPECT_EQ(At(0).units, (std::vector<std::u16string>{u"Celsius", u" Kelvin"}));
  // "abc" reads as factor 0 and overwrites the computed inverse.
  EXPECT_EQ(FindEntry(At(0), 1, 0)->factor, 0.0);
}

TEST_F(TableText, OverwriteLeavesTheOppositeDirection) {
  Load(u"L,a,b,2,1\nL,a,b,4,3\n");
  const Category& c = At(0);
  ASSERT_EQ(c.entries.size(), 2u);
  EXPECT_EQ(c.entries[0].factor, 4);
  EXPECT_EQ(c.entries[0].offset, 3);
  EXPECT_EQ(c.entries[1].factor, 0.5);   // still from the first line
  EXPECT_EQ(c.entries[1].offset, -0.5);  // (-o) * (1/f)
}

TEST_F(TableText, ZeroFactorAddsNoInverse) {
  Load(u"Z,a,b,0,5\nZ,a,c,2,0\nZ,c,d,0,1\n");
  const Category& c = At(0);
  EXPECT_EQ(c.entries.size(), 1u + 2u + 1u);
  EXPECT_EQ(FindEntry(c, 1, 0), nullptr);
  EXPECT_EQ(FindEntry(c, 3, 2), nullptr);
}

TEST_F(TableText, SameUnitTwice) {
  Load(u"X,u,u,2,0\n");
  EXPECT_EQ(At(0).units, (std::vector<std::u16string>{u"u", u"u"}));
  EXPECT_EQ(At(0).entries.size(), 2u);
  EXPECT_EQ(At(0).entries[1].fromUnit, 1);

  Load(u"X,u,u,4,0\n");  // existing category: the first unit u is found twice
  ASSERT_EQ(At(0).units.size(), 2u);
  const ConversionEntry* self = FindEntry(At(0), 0, 0);
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(self->factor, 4);
}

TEST_F(TableText, DirectivesSetSettingsAndCategories) {
  Load(u"@digits,0\n@notation,-3\n@defbitmap,\\x.bmp\n");
  EXPECT_EQ(settings.display.digits, 1);
  EXPECT_EQ(settings.display.notation, 1);
  EXPECT_EQ(settings.display.defbitmap, u"\\x.bmp");
  Load(u"@digits,25\n@notation,0\n");
  EXPECT_EQ(settings.display.digits, 10);
  EXPECT_EQ(settings.display.notation, 0);
  Load(u"@digits,x\n@digits\n@other,1\n@,1\n@color,Mass\n");
  EXPECT_EQ(settings.display.digits, 1);
  EXPECT_TRUE(loader.database().empty());

  Load(u"@color,,255\n@bitmap,NewName,x.bmp\n@bitmap,NewName,\nNewName,a,b,1,0\n@color,NewName,-1\n");
  ASSERT_EQ(loader.database().size(), 2u);
  EXPECT_EQ(At(0).name, u"");
  EXPECT_EQ(At(0).color, 255u);
  EXPECT_EQ(At(1).color, 0xFFFFFFFFu);
  EXPECT_EQ(At(1).bitmapPath, u"");
  EXPECT_EQ(At(1).units.size(), 2u);
}

TEST_F(TableText, DefcolorTakesTheButtonFaceWhateverTheNumber) {
  LoaderHooks hooks;
  hooks.buttonFaceColor = [] { return ColorRef{0x00D6D3CE}; };
  ConversionLoader withFace(settings, hooks);
  withFace.LoadTableText(u"@defcolor,255\n");
  EXPECT_EQ(settings.display.defcolor, 0x00D6D3CEu);
  EXPECT_EQ(settings.newCategoryColor, 0x00D6D3CEu);
}

TEST(TableReader, ReturnsOnlyLinesEndingWithALineFeed) {
  TableReader reader(u"a\r\n\nb");
  std::u16string line = u"untouched";
  EXPECT_EQ(reader.ReadTableLine(line), 0);
  EXPECT_EQ(line, u"a\r");
  EXPECT_EQ(reader.ReadTableLine(line), 0);
  EXPECT_EQ(line, u"");
  EXPECT_EQ(reader.ReadTableLine(line), -1);
  EXPECT_EQ(line, u"");
}
