// Text with the embedded "System" font: extents hold the ink, metrics match
// the dialog base units, background modes, DrawTextW layout and clipping.
#include <gtest/gtest.h>

#include <string>

#include "gdi/text.h"
#include "gdi_test_util.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The smallest rectangle holding every pixel that is not `background`.
RECT InkBox(const gdi::Surface& s, COLORREF background) {
  RECT box{s.width(), s.height(), 0, 0};
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      if (s.at(x, y) == background) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  return box;
}

class TextTest : public ::testing::Test {
 protected:
  TextTest() : surface_(120, 60, kWhite) {
    dc_ = gdi::CreateSurfaceDC(surface_, {0, 0}, surface_.bounds());
    SetBkMode(dc_, TRANSPARENT);
  }
  ~TextTest() override { DeleteDC(dc_); }

  SIZE Extent(std::u16string_view text) {
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc_, text.data(), int(text.size()), &size));
    return size;
  }

  gdi::Surface surface_;
  HDC dc_ = nullptr;
};

TEST_F(TextTest, MetricsAreTheDialogBaseUnits) {
  TEXTMETRICW tm;
  ASSERT_TRUE(GetTextMetricsW(dc_, &tm));
  EXPECT_EQ(tm.tmHeight, 14);
  EXPECT_EQ(tm.tmAveCharWidth, 7);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  EXPECT_EQ(gdi::SystemLineHeight(), 14);
  EXPECT_EQ(Extent(u"Hg").cy, 14);
  EXPECT_EQ(Extent(u"Mensora").cx, gdi::SystemTextWidth(u"Mensora"));
  EXPECT_EQ(Extent(u"").cx, 0);
}

TEST_F(TextTest, InkOfHgLiesInsideItsExtent) {
  const SIZE size = Extent(u"Hg");
  ASSERT_TRUE(TextOutW(dc_, 10, 20, u"Hg", 2));
  const RECT ink = InkBox(surface_, kWhite);
  ASSERT_LT(ink.left, ink.right) << "no ink";
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 20);
  EXPECT_LE(ink.right, 10 + size.cx);
  EXPECT_LE(ink.bottom, 20 + size.cy);
  // The g descends below the H's foot: ink reaches the lower part of the cell.
  TEXTMETRICW tm;
  GetTextMetricsW(dc_, &tm);
  EXPECT_GT(ink.bottom, 20 + tm.tmAscent);
  // Anti-aliased: some pixels are neither the text colour nor the background.
  int mixed = 0;
  for (COLORREF p : surface_.pixels()) mixed += p != kWhite && p != 0;
  EXPECT_GT(mixed, 0);
}

TEST_F(TextTest, BoldIsWiderAndFontsFollowTheirSize) {
  LOGFONTW lf;
  lf.lfHeight = -11;
  lf.lfWeight = FW_BOLD;
  HFONT bold = CreateFontIndirectW(&lf);
  const int normalWidth = Extent(u"Mensora 123").cx;
  HGDIOBJ old = SelectObject(dc_, bold);
  EXPECT_GT(Extent(u"Mensora 123").cx, normalWidth);
  EXPECT_EQ(Extent(u"Mensora 123").cx, gdi::SystemTextWidth(u"Mensora 123", true));
  lf.lfHeight = -22;
  lf.lfWeight = FW_NORMAL;
  HFONT big = CreateFontIndirectW(&lf);
  SelectObject(dc_, big);
  EXPECT_GT(Extent(u"Mensora 123").cx, normalWidth * 3 / 2);
  EXPECT_GE(Extent(u"x").cy, 26);
  SelectObject(dc_, old);
  EXPECT_TRUE(DeleteObject(bold));
  EXPECT_TRUE(DeleteObject(big));
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
}

TEST_F(TextTest, OpaqueModeFillsTheTextBoxWithTheBackgroundColour) {
  SetBkMode(dc_, OPAQUE);
  SetBkColor(dc_, RGB(0, 0, 255));
  SetTextColor(dc_, RGB(255, 255, 0));
  TextOutW(dc_, 5, 5, u"ab", 2);
  const SIZE size = Extent(u"ab");
  const RECT ink = InkBox(surface_, kWhite);
  EXPECT_EQ(ink, (RECT{5, 5, 5 + size.cx, 5 + size.cy}));
  EXPECT_EQ(surface_.at(5, 5), RGB(0, 0, 255));
  EXPECT_GT(gdi_test::CountColor(surface_, RGB(255, 255, 0), ink), 0);
}

TEST_F(TextTest, DrawTextMeasuresAndAligns) {
  RECT calc{0, 0, 0, 0};
  EXPECT_EQ(DrawTextW(dc_, u"Hello", -1, &calc, DT_SINGLELINE | DT_CALCRECT), 14);
  EXPECT_EQ(calc.right, Extent(u"Hello").cx);
  EXPECT_EQ(InkBox(surface_, kWhite).right, 0);  // measuring draws nothing

  // Centred both ways: the ink's middle is near the rectangle's middle.
  RECT box{20, 10, 100, 50};
  ASSERT_EQ(DrawTextW(dc_, u"Hello", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 14);
  const RECT ink = InkBox(surface_, kWhite);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 60.0, 2.0);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30.0, 3.0);

  // Right alignment ends the text at the right edge.
  surface_.Fill(kWhite);
  RECT right{0, 0, 100, 20};
  DrawTextW(dc_, u"Hello", 5, &right, DT_RIGHT | DT_SINGLELINE);
  EXPECT_LE(InkBox(surface_, kWhite).right, 100);
  EXPECT_GE(InkBox(surface_, kWhite).right, 97);
}

TEST_F(TextTest, WordBreakWrapsAndClipsToTheRectangle) {
  RECT calc{0, 0, 60, 0};
  const int height = DrawTextW(dc_, u"one two three four", -1, &calc, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_GE(height, 28);
  EXPECT_EQ(height % 14, 0);
  EXPECT_LE(calc.right, 60);
  RECT twoLines{0, 0, 60, 28};
  DrawTextW(dc_, u"one\ntwo\r\nthree", -1, &twoLines, DT_LEFT);
  const RECT ink = InkBox(surface_, kWhite);
  EXPECT_LE(ink.bottom, 28);  // the third line is clipped away
  EXPECT_GT(ink.bottom, 14);
}

TEST_F(TextTest, PrefixesUnderlineAndEllipsisFits) {
  RECT a{0, 0, 0, 0}, b{0, 0, 0, 0}, c{0, 0, 0, 0};
  DrawTextW(dc_, u"&File", -1, &a, DT_CALCRECT | DT_SINGLELINE);
  DrawTextW(dc_, u"File", -1, &b, DT_CALCRECT | DT_SINGLELINE);
  DrawTextW(dc_, u"&File", -1, &c, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(a.right, b.right);
  EXPECT_GT(c.right, b.right);
  RECT amp{0, 0, 0, 0};
  DrawTextW(dc_, u"a&&b", -1, &amp, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(amp.right, Extent(u"a&b").cx);

  // The underline is a full run of text colour one pixel below the baseline.
  RECT r{0, 0, 100, 14};
  DrawTextW(dc_, u"&File", -1, &r, DT_SINGLELINE);
  TEXTMETRICW tm;
  GetTextMetricsW(dc_, &tm);
  const int fWidth = Extent(u"F").cx;
  EXPECT_EQ(gdi_test::CountColor(surface_, 0, {0, tm.tmAscent + 1, fWidth, tm.tmAscent + 2}),
            fWidth);

  RECT narrow{0, 20, 40, 34};
  DrawTextW(dc_, u"A rather long caption", -1, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS);
  RECT measured = narrow;
  DrawTextW(dc_, u"A rather long caption", -1, &measured,
            DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
  EXPECT_LE(measured.right, 40);
}

TEST_F(TextTest, BadArgumentsFailCleanly) {
  SIZE size;
  EXPECT_FALSE(GetTextExtentPoint32W(dc_, nullptr, 3, &size));
  EXPECT_FALSE(GetTextExtentPoint32W(dc_, u"x", -1, &size));
  RECT r{0, 0, 10, 10};
  EXPECT_EQ(DrawTextW(dc_, nullptr, -1, &r, 0), 0);
  EXPECT_EQ(DrawTextW(dc_, u"x", -1, nullptr, 0), 0);
  HDC dead = CreateCompatibleDC(nullptr);
  DeleteDC(dead);
  EXPECT_EQ(DrawTextW(dead, u"x", -1, &r, 0), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  // Lone surrogates, controls and characters the font lacks draw safely.
  const char16_t odd[] = {0xD800, u'a', 0xDC00, 0x0007, 0xD83D, 0xDE00, 0x4E2D, 0};
  EXPECT_TRUE(TextOutW(dc_, 0, 0, odd, 7));
  EXPECT_TRUE(GetTextExtentPoint32W(dc_, odd, 7, &size));
}

}  // namespace
