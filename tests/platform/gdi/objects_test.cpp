// The handle table and DC state: liveness of handles, selection rules,
// stock objects, system colours, saved states.
#include <gtest/gtest.h>

#include "gdi_test_util.h"

namespace {

using gdi_test::SurfaceTest;

TEST(GdiHandles, DeadAndForeignHandlesFailWithoutCrashing) {
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_TRUE(brush);
  EXPECT_TRUE(DeleteObject(brush));
  SetLastError(0);
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));

  HDC dc = CreateCompatibleDC(nullptr);
  // A brush handle where a DC is wanted, a DC where an object is wanted.
  EXPECT_EQ(SetBkColor(reinterpret_cast<HDC>(GetStockObject(WHITE_BRUSH)), 0), CLR_INVALID);
  EXPECT_FALSE(DeleteObject(dc));
  EXPECT_EQ(SelectObject(dc, dc), nullptr);
  EXPECT_EQ(SelectObject(dc, brush), nullptr);  // dead
  RECT r{0, 0, 1, 1};
  EXPECT_FALSE(FillRect(dc, &r, brush));
  EXPECT_FALSE(PatBlt(reinterpret_cast<HDC>(0x1234), 0, 0, 1, 1, PATCOPY));
  EXPECT_EQ(GetObjectW(brush, 0, nullptr), 0);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
}

TEST(GdiHandles, SelectedObjectsCannotBeDeletedUntilDeselected) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
  HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  ASSERT_TRUE(oldBitmap && oldBrush);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_EQ(SelectObject(dc, oldBrush), brush);
  EXPECT_TRUE(DeleteObject(brush));

  // A bitmap lives in one memory DC at a time; surface DCs take none.
  HDC other = CreateCompatibleDC(dc);
  EXPECT_EQ(SelectObject(other, bitmap), nullptr);
  gdi::Surface surface(2, 2);
  HDC onSurface = gdi::CreateSurfaceDC(surface, {0, 0}, surface.bounds());
  HBITMAP spare = CreateCompatibleBitmap(dc, 2, 2);
  EXPECT_EQ(SelectObject(onSurface, spare), nullptr);

  // Deleting the DC lets its bitmap go.
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteObject(spare));
  DeleteDC(other);
  DeleteDC(onSurface);
}

TEST(GdiHandles, StockObjectsSurviveDeleteObject) {
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  ASSERT_TRUE(white);
  EXPECT_TRUE(DeleteObject(white));
  EXPECT_EQ(GetObjectType(white), OBJ_BRUSH);
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), OBJ_PEN);
  EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), OBJ_FONT);
  EXPECT_EQ(GetStockObject(99), nullptr);
  LOGBRUSH lb;
  EXPECT_EQ(GetObjectW(white, sizeof lb, &lb), int(sizeof lb));
  EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
}

TEST(GdiSysColors, PlatformValuesAndPalette) {
  EXPECT_EQ(COLOR_BTNFACE, 0x4000000F);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  EXPECT_EQ(GetSysColor(15), GetSysColor(COLOR_BTNFACE));  // bare index too
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 0, 128));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHTTEXT), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(C_SYS_COLOR_TYPES), 0u);
  EXPECT_EQ(GetSysColorBrush(-5), nullptr);
}

TEST_F(SurfaceTest, SystemColourReferencesFollowSetSysColors) {
  // A colour carrying the index flag paints the element's current colour,
  // and so does its system brush after the element changes.
  HBRUSH flagged = CreateSolidBrush(COLORREF(COLOR_BTNFACE));
  RECT r{0, 0, 2, 2};
  FillRect(dc_, &r, flagged);
  EXPECT_EQ(surface_.at(0, 0), RGB(192, 192, 192));
  const int element = COLOR_BTNFACE;
  const COLORREF saved = GetSysColor(element);
  const COLORREF red = RGB(255, 0, 0);
  ASSERT_TRUE(SetSysColors(1, &element, &red));
  FillRect(dc_, &r, GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(surface_.at(1, 1), red);
  r = {4, 4, 6, 6};
  FillRect(dc_, &r, reinterpret_cast<HBRUSH>(std::uintptr_t(15 + 1)));  // COLOR_BTNFACE + 1
  EXPECT_EQ(surface_.at(4, 4), red);
  SetSysColors(1, &element, &saved);
  DeleteObject(flagged);
  const int bad = 77;
  EXPECT_FALSE(SetSysColors(1, &bad, &red));
}

TEST_F(SurfaceTest, SaveAndRestoreBringBackSelectionsAndOrigin) {
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  const int level = SaveDC(dc_);
  EXPECT_EQ(level, 1);
  SelectObject(dc_, brush);
  SetViewportOrgEx(dc_, 5, 5, nullptr);
  SetBkMode(dc_, TRANSPARENT);
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_TRUE(RestoreDC(dc_, -1));
  EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetBkMode(dc_), OPAQUE);
  POINT vp{1, 1};
  GetViewportOrgEx(dc_, &vp);
  EXPECT_EQ(vp, (POINT{0, 0}));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(RestoreDC(dc_, 1));  // nothing saved any more
}

}  // namespace
