// Pixel checks of small paintings: fills, PatBlt, BitBlt between memory DCs
// and surfaces with origins and clips, lines and rectangles, DIB sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <vector>

#include "gdi/png.h"

#include "gdi_test_util.h"

namespace {

using gdi_test::CountColor;
using gdi_test::SurfaceTest;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST_F(SurfaceTest, FillRectCoversExactlyTheRectangle) {
  HBRUSH red = CreateSolidBrush(kRed);
  RECT r{2, 3, 6, 5};
  ASSERT_TRUE(FillRect(dc_, &r, red));
  EXPECT_EQ(CountColor(surface_, kRed, surface_.bounds()), 8);
  EXPECT_EQ(CountColor(surface_, kRed, r), 8);
  // Stored as COLORREF: red in the low byte.
  EXPECT_EQ(surface_.pixels()[3 * 32 + 2], 0x000000FFu);
  DeleteObject(red);
}

TEST(SurfaceDC, OriginMovesAndClipBoundsEveryDrawing) {
  gdi::Surface s(20, 20, kWhite);
  // Logical (0,0) at (5,5); nothing may land outside [4,4)-(10,10).
  HDC dc = gdi::CreateSurfaceDC(s, {5, 5}, {4, 4, 10, 10});
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  ASSERT_TRUE(PatBlt(dc, -3, -3, 100, 100, PATCOPY));
  EXPECT_EQ(CountColor(s, 0, s.bounds()), 36);
  EXPECT_EQ(CountColor(s, 0, {4, 4, 10, 10}), 36);
  EXPECT_EQ(SetPixel(dc, 0, 0, kRed), kRed);
  EXPECT_EQ(s.at(5, 5), kRed);
  EXPECT_EQ(SetPixel(dc, 10, 10, kRed), CLR_INVALID);  // (15,15): clipped
  EXPECT_EQ(GetPixel(dc, 0, 0), kRed);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{-1, -1, 5, 5}));
  // The viewport moves drawing; an extra clip stays where it was put.
  OffsetViewportOrgEx(dc, 1, 0, nullptr);
  EXPECT_EQ(GetPixel(dc, -1, 0), kRed);
  IntersectClipRect(dc, 0, 0, 2, 2);  // device (1,0)-(3,2): surface (6,5)-(8,7)
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  PatBlt(dc, -5, -5, 30, 30, PATCOPY);
  EXPECT_EQ(CountColor(s, kWhite, {4, 4, 10, 10}), 4);
  EXPECT_EQ(CountColor(s, kWhite, {6, 5, 8, 7}), 4);
  DeleteDC(dc);
}

TEST_F(SurfaceTest, PatBltRasterOperations) {
  HBRUSH red = CreateSolidBrush(kRed);
  SelectObject(dc_, red);
  PatBlt(dc_, 0, 0, 4, 4, PATCOPY);
  PatBlt(dc_, 0, 0, 2, 2, DSTINVERT);
  EXPECT_EQ(surface_.at(0, 0), RGB(0, 255, 255));
  PatBlt(dc_, 2, 2, 2, 2, PATINVERT);  // red ^ red
  EXPECT_EQ(surface_.at(3, 3), 0u);
  PatBlt(dc_, 4, 4, -2, -2, BLACKNESS);  // negative sizes extend up-left
  EXPECT_EQ(surface_.at(2, 2), 0u);
  PatBlt(dc_, 0, 0, 1, 1, WHITENESS);
  EXPECT_EQ(surface_.at(0, 0), kWhite);
  EXPECT_FALSE(PatBlt(dc_, 0, 0, 1, 1, SRCCOPY));  // needs a source
  // A hollow brush paints nothing.
  SelectObject(dc_, GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(PatBlt(dc_, 10, 10, 4, 4, PATCOPY));
  EXPECT_EQ(surface_.at(11, 11), kWhite);
  DeleteObject(red);
}

// A 4 x 4 memory bitmap: left half red, right half blue.
HBITMAP TwoColourTile(HDC mem) {
  HBITMAP bitmap = CreateCompatibleBitmap(mem, 4, 4);
  SelectObject(mem, bitmap);
  HBRUSH red = CreateSolidBrush(kRed), blue = CreateSolidBrush(kBlue);
  RECT left{0, 0, 2, 4}, right{2, 0, 4, 4};
  FillRect(mem, &left, red);
  FillRect(mem, &right, blue);
  DeleteObject(red);
  DeleteObject(blue);
  return bitmap;
}

TEST(BitBlt, TilesFromAMemoryDcThroughOriginAndClip) {
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP tile = TwoColourTile(mem);
  gdi::Surface s(16, 16, kWhite);
  HDC dc = gdi::CreateSurfaceDC(s, {2, 2}, {2, 2, 12, 12});
  for (int y = 0; y < 16; y += 4) {
    for (int x = 0; x < 16; x += 4) ASSERT_TRUE(BitBlt(dc, x, y, 4, 4, mem, 0, 0, SRCCOPY));
  }
  // Tiles start at the origin (2,2); columns alternate red, blue by 2.
  EXPECT_EQ(s.at(2, 2), kRed);
  EXPECT_EQ(s.at(4, 2), kBlue);
  EXPECT_EQ(s.at(6, 11), kRed);
  EXPECT_EQ(s.at(9, 11), kBlue);
  EXPECT_EQ(s.at(11, 11), kRed);
  EXPECT_EQ(CountColor(s, kWhite, {2, 2, 12, 12}), 0);
  EXPECT_EQ(CountColor(s, kWhite, s.bounds()), 16 * 16 - 100);
  DeleteDC(dc);
  DeleteDC(mem);
  DeleteObject(tile);
}

TEST(BitBlt, SourceOutsideItsBitmapDrawsNothingAndRopsCombine) {
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP tile = TwoColourTile(mem);
  gdi::Surface s(8, 8, kWhite);
  HDC dc = gdi::CreateSurfaceDC(s, {0, 0}, s.bounds());
  // Source (2,2)-(6,6) is half outside the 4 x 4 bitmap.
  BitBlt(dc, 0, 0, 4, 4, mem, 2, 2, SRCCOPY);
  EXPECT_EQ(s.at(0, 0), kBlue);
  EXPECT_EQ(s.at(1, 1), kBlue);
  EXPECT_EQ(s.at(2, 2), kWhite);
  BitBlt(dc, 4, 4, 4, 4, mem, 0, 0, SRCAND);  // white & colour = colour
  EXPECT_EQ(s.at(4, 4), kRed);
  BitBlt(dc, 4, 4, 4, 4, mem, 0, 0, SRCINVERT);  // colour ^ colour = black
  EXPECT_EQ(s.at(7, 7), 0u);
  BitBlt(dc, 0, 4, 2, 2, mem, 0, 0, NOTSRCCOPY);
  EXPECT_EQ(s.at(0, 4), RGB(0, 255, 255));
  DeleteDC(dc);
  DeleteDC(mem);
  DeleteObject(tile);
}

TEST(BitBlt, OverlappingCopyWithinOneSurface) {
  gdi::Surface s(8, 1, kWhite);
  for (int x = 0; x < 8; ++x) s.set(x, 0, COLORREF(x));
  HDC dc = gdi::CreateSurfaceDC(s, {0, 0}, s.bounds());
  ASSERT_TRUE(BitBlt(dc, 1, 0, 6, 1, dc, 0, 0, SRCCOPY));
  for (int x = 1; x < 7; ++x) EXPECT_EQ(s.at(x, 0), COLORREF(x - 1)) << x;
  DeleteDC(dc);
}

TEST(StretchBlt, ScalesAndMirrorsAtTheNearestPixel) {
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP tile = TwoColourTile(mem);  // 4 x 4: red | blue
  gdi::Surface s(8, 8, kWhite);
  HDC dc = gdi::CreateSurfaceDC(s, {0, 0}, s.bounds());
  ASSERT_TRUE(StretchBlt(dc, 0, 0, 8, 8, mem, 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(CountColor(s, kRed, {0, 0, 4, 8}), 32);
  EXPECT_EQ(CountColor(s, kBlue, {4, 0, 8, 8}), 32);
  // Mirrored left to right: blue comes first.
  ASSERT_TRUE(StretchBlt(dc, 4, 0, -4, 2, mem, 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(s.at(0, 0), kBlue);
  EXPECT_EQ(s.at(3, 1), kRed);
  DeleteDC(dc);
  DeleteDC(mem);
  DeleteObject(tile);
}

TEST(TransparentImage, KeepsTheDestinationUnderTheKeyColour) {
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP tile = TwoColourTile(mem);
  gdi::Surface s(4, 4, kWhite);
  HDC dc = gdi::CreateSurfaceDC(s, {0, 0}, s.bounds());
  ASSERT_TRUE(TransparentImage(dc, 0, 0, 4, 4, mem, 0, 0, 4, 4, kBlue));
  EXPECT_EQ(CountColor(s, kRed, s.bounds()), 8);
  EXPECT_EQ(CountColor(s, kWhite, s.bounds()), 8);
  // A bitmap may be the source once no DC holds it.
  EXPECT_FALSE(TransparentImage(dc, 0, 0, 4, 4, tile, 0, 0, 4, 4, kRed));
  SelectObject(mem, GetStockObject(BLACK_BRUSH));
  DeleteDC(mem);
  s.Fill(kWhite);
  ASSERT_TRUE(TransparentImage(dc, 0, 0, 4, 4, tile, 0, 0, 4, 4, kRed));
  EXPECT_EQ(CountColor(s, kBlue, s.bounds()), 8);
  EXPECT_EQ(s.at(0, 0), kWhite);
  DeleteObject(tile);
  EXPECT_FALSE(TransparentImage(dc, 0, 0, 4, 4, tile, 0, 0, 4, 4, kRed));
  DeleteDC(dc);
}

TEST_F(SurfaceTest, LinesExcludeTheirEndPoint) {
  MoveToEx(dc_, 1, 1, nullptr);
  ASSERT_TRUE(LineTo(dc_, 6, 1));
  EXPECT_EQ(CountColor(surface_, 0, {0, 0, 32, 32}), 5);
  EXPECT_EQ(surface_.at(6, 1), kWhite);
  POINT pos;
  MoveToEx(dc_, 0, 0, &pos);
  EXPECT_EQ(pos, (POINT{6, 1}));
  // A diagonal touches one pixel per step.
  LineTo(dc_, 4, 4);
  EXPECT_EQ(surface_.at(3, 3), 0u);
  EXPECT_EQ(surface_.at(4, 4), kWhite);
  HPEN wide = CreatePen(PS_SOLID, 3, kRed);
  SelectObject(dc_, wide);
  MoveToEx(dc_, 10, 20, nullptr);
  LineTo(dc_, 20, 20);
  // Ten 3 x 3 stamps centred on the points: 12 x 3 pixels.
  EXPECT_EQ(CountColor(surface_, kRed, {0, 0, 32, 32}), 36);
  EXPECT_EQ(CountColor(surface_, kRed, {9, 19, 21, 22}), 36);
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  DeleteObject(wide);
}

TEST_F(SurfaceTest, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
  HBRUSH blue = CreateSolidBrush(kBlue);
  SelectObject(dc_, blue);
  ASSERT_TRUE(Rectangle(dc_, 2, 2, 8, 6));
  EXPECT_EQ(CountColor(surface_, 0, surface_.bounds()), 2 * 6 + 2 * 2);
  EXPECT_EQ(CountColor(surface_, kBlue, surface_.bounds()), 4 * 2);
  EXPECT_EQ(surface_.at(7, 5), 0u);   // right-1, bottom-1 outlined
  EXPECT_EQ(surface_.at(8, 6), kWhite);
  // Without a pen the fill is one pixel smaller each way.
  SelectObject(dc_, GetStockObject(NULL_PEN));
  Rectangle(dc_, 10, 10, 14, 14);
  EXPECT_EQ(CountColor(surface_, kBlue, {10, 10, 14, 14}), 9);
  RECT frame{20, 20, 25, 25};
  FrameRect(dc_, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(CountColor(surface_, 0, frame), 16);
  SelectObject(dc_, GetStockObject(WHITE_BRUSH));
  DeleteObject(blue);
}

BITMAPINFO* MakeInfo(std::vector<std::uint8_t>& storage, int w, int h, int bpp, int colors) {
  storage.assign(sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * std::size_t(std::max(colors, 1)), 0);
  auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
  info->bmiHeader = BITMAPINFOHEADER{};
  info->bmiHeader.biWidth = w;
  info->bmiHeader.biHeight = h;
  info->bmiHeader.biBitCount = WORD(bpp);
  info->bmiHeader.biClrUsed = DWORD(colors);
  return info;
}

TEST(DibSection, DrawingReachesTheCallersMemoryInItsOwnLayout) {
  std::vector<std::uint8_t> storage;
  BITMAPINFO* info = MakeInfo(storage, 3, 2, 24, 0);  // bottom-up
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(dib && bits);
  HDC mem = CreateCompatibleDC(nullptr);
  SelectObject(mem, dib);
  SetPixel(mem, 0, 0, RGB(10, 20, 30));  // top-left: the LAST stored row
  const auto* bytes = static_cast<const std::uint8_t*>(bits);
  const std::size_t stride = 12;  // 9 bytes padded to 12
  EXPECT_EQ(bytes[stride + 0], 30);  // blue first
  EXPECT_EQ(bytes[stride + 1], 20);
  EXPECT_EQ(bytes[stride + 2], 10);
  // The caller's writes show in the next drawing call.
  auto* writable = static_cast<std::uint8_t*>(bits);
  writable[3] = 0xFF;  // bottom row, x = 1, blue
  EXPECT_EQ(GetPixel(mem, 1, 1), RGB(0, 0, 255));
  BITMAP bm;
  ASSERT_EQ(GetObjectW(dib, sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 3);
  EXPECT_EQ(bm.bmBitsPixel, 24);
  EXPECT_EQ(bm.bmWidthBytes, 12);
  EXPECT_EQ(bm.bmBits, bits);
  DeleteDC(mem);
  DeleteObject(dib);
}

TEST(DibSection, PalettedTopDownTakesTheNearestColour) {
  std::vector<std::uint8_t> storage;
  BITMAPINFO* info = MakeInfo(storage, 4, -2, 8, 2);
  info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
  reinterpret_cast<RGBQUAD*>(info->bmiColors)[1] = RGBQUAD{255, 255, 255, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(dib);
  HDC mem = CreateCompatibleDC(nullptr);
  SelectObject(mem, dib);
  SetPixel(mem, 2, 0, RGB(200, 220, 210));  // nearest: white, index 1
  EXPECT_EQ(static_cast<const std::uint8_t*>(bits)[2], 1);
  EXPECT_EQ(GetPixel(mem, 2, 0), kWhite);
  DeleteDC(mem);
  DeleteObject(dib);
}

TEST(DibSection, RefusesWhatItCannotHold) {
  std::vector<std::uint8_t> storage;
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, MakeInfo(storage, 4, 4, 16, 0), DIB_RGB_COLORS, &bits,
                             nullptr, 0), nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, MakeInfo(storage, 0, 4, 32, 0), DIB_RGB_COLORS, &bits,
                             nullptr, 0), nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, MakeInfo(storage, 100000, 100000, 32, 0), DIB_RGB_COLORS,
                             &bits, nullptr, 0), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST(HostileCoordinates, AreClampedWithoutOverflowOrStrayPixels) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  gdi::Surface s(8, 8, kWhite);
  HDC dc = gdi::CreateSurfaceDC(s, {2, 2}, s.bounds());
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP tile = TwoColourTile(mem);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(PatBlt(dc, kMax - 1, kMax - 1, kMax, kMax, PATCOPY));
  EXPECT_TRUE(BitBlt(dc, kMax - 2, 0, kMax, 4, mem, kMin, kMin, SRCCOPY));
  EXPECT_TRUE(StretchBlt(dc, kMin, kMin, kMax, kMax, mem, kMax, kMax, kMin, 3, SRCCOPY));
  RECT huge{kMin, kMin, kMax, kMax};
  RECT measured = {kMax - 1, kMax - 1, kMax, kMax};
  EXPECT_EQ(DrawTextW(dc, u"wide", -1, &measured, DT_CALCRECT), 14);
  EXPECT_TRUE(FrameRect(dc, &huge, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
  EXPECT_EQ(CountColor(s, kWhite, s.bounds()), 64);  // the frame lies far outside
  SetViewportOrgEx(dc, kMax, kMax, nullptr);
  OffsetViewportOrgEx(dc, kMax, kMax, nullptr);
  EXPECT_TRUE(TextOutW(dc, kMax, kMax, u"x", 1));
  MoveToEx(dc, kMin, kMin, nullptr);
  EXPECT_TRUE(LineTo(dc, kMax, kMax));
  EXPECT_EQ(SetPixel(dc, kMax, kMax, kRed), CLR_INVALID);
  EXPECT_EQ(IntersectClipRect(dc, kMin, kMin, kMax, kMax), SIMPLEREGION);
  EXPECT_EQ(CountColor(s, kWhite, s.bounds()), 64);
  DeleteDC(dc);
  DeleteDC(mem);
  DeleteObject(tile);
}

TEST(Screen, IsTheHandheldFramebufferAndExportsAsPng) {
  gdi::Surface& screen = gdi::Screen();
  EXPECT_EQ(screen.width(), 240);
  EXPECT_EQ(screen.height(), 320);
  HDC dc = gdi::CreateSurfaceDC(screen, {0, 0}, screen.bounds());
  SetPixel(dc, 239, 319, RGB(1, 2, 3));
  DeleteDC(dc);
  const auto path = std::filesystem::temp_directory_path() / "gdi_screen_test.png";
  ASSERT_TRUE(gdi::WriteScreenPng(path));
  std::string error;
  auto image = gdi::ReadPng(path, &error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(image->at(239, 319), gdi::MakePixel(1, 2, 3));
  std::filesystem::remove(path);
}

}  // namespace
