// A sample sheet painted on the screen and written to gdi_sheet.png in the
// build directory, for a person to look at: a tiled bitmap background, the
// system colours, text in several sizes and weights, alignment in boxes.
#include <gtest/gtest.h>

#include <string>

#include "gdi/png.h"
#include "gdi_test_res.h"
#include "gdi_test_util.h"
#include "res/modules.h"
#include "res/resources.h"

namespace {

HFONT MakeFont(int pixels, bool bold) {
  LOGFONTW lf;
  lf.lfHeight = -pixels;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  return CreateFontIndirectW(&lf);
}

void Tile(HDC dc, HBITMAP bitmap, const RECT& area) {
  BITMAP bm;
  GetObjectW(bitmap, sizeof bm, &bm);
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bitmap);
  for (LONG x = area.left; x < area.right; x += bm.bmWidth) {
    for (LONG y = area.top; y < area.bottom; y += bm.bmHeight) {
      BitBlt(dc, int(x), int(y), bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    }
  }
  SelectObject(mem, old);
  DeleteDC(mem);
}

void Swatches(HDC dc, int top) {
  const struct {
    int index;
    const char16_t* name;
  } colors[] = {{COLOR_BTNFACE, u"face"},     {COLOR_BTNSHADOW, u"shadow"},
                {COLOR_BTNHIGHLIGHT, u"light"}, {COLOR_3DDKSHADOW, u"dark"},
                {COLOR_HIGHLIGHT, u"select"}, {COLOR_WINDOW, u"window"}};
  HFONT small = MakeFont(9, false);
  HGDIOBJ old = SelectObject(dc, small);
  int x = 4;
  for (const auto& c : colors) {
    RECT box{x, top, x + 36, top + 20};
    FillRect(dc, &box, GetSysColorBrush(c.index));
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT label{x, top + 20, x + 36, top + 34};
    DrawTextW(dc, c.name, -1, &label, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    x += 39;
  }
  SelectObject(dc, old);
  DeleteObject(small);
}

TEST(SampleSheet, PaintsAndWritesAPng) {
  HINSTANCE module = res::RegisterEmbeddedModule(mensora_res_blobs::gdi_test_res(), u"sheet.exe");
  HBITMAP tile = LoadBitmapW(module, MAKEINTRESOURCEW(101));
  ASSERT_NE(tile, nullptr);
  gdi::Surface& screen = gdi::Screen();
  HDC dc = gdi::CreateSurfaceDC(screen, {0, 0}, screen.bounds());
  RECT all{0, 0, 240, 320};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  Tile(dc, tile, {0, 0, 240, 64});

  // Captions over the tiles: black with a white shadow, transparent.
  SetBkMode(dc, TRANSPARENT);
  RECT caption{8, 8, 232, 24};
  SetTextColor(dc, RGB(255, 255, 255));
  DrawTextW(dc, u"Temperature", -1, &caption, DT_SINGLELINE);
  caption = {7, 7, 231, 23};
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, u"Temperature", -1, &caption, DT_SINGLELINE);

  Swatches(dc, 70);

  int y = 110;
  for (int pixels : {9, 11, 13, 16}) {
    for (bool bold : {false, true}) {
      HFONT font = MakeFont(pixels, bold);
      HGDIOBJ old = SelectObject(dc, font);
      const std::u16string text = std::u16string(bold ? u"Bold " : u"Normal ") +
                                  u"Hg 0123456789 " + std::u16string(1, char16_t(u'0' + pixels % 10));
      TextOutW(dc, 4, y, text.c_str(), int(text.size()));
      SIZE size;
      GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
      y += size.cy;
      SelectObject(dc, old);
      DeleteObject(font);
    }
  }

  // Alignment and wrapping in framed boxes, opaque highlight text.
  RECT box{4, 240, 116, 280};
  FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DrawTextW(dc, u"Centred", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  RECT wrap{124, 240, 236, 282};
  FrameRect(dc, &wrap, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT inside{wrap.left + 3, wrap.top + 1, wrap.right - 3, wrap.bottom - 1};
  DrawTextW(dc, u"Word wrapped text that runs over lines", -1, &inside, DT_WORDBREAK);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
  SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  RECT selected{4, 286, 236, 300};
  DrawTextW(dc, u"&Selected line with an ellipsis at its very end", -1, &selected,
            DT_SINGLELINE | DT_END_ELLIPSIS);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  RECT right{4, 302, 236, 318};
  DrawTextW(dc, u"grey, right aligned", -1, &right, DT_RIGHT | DT_SINGLELINE);

  DeleteDC(dc);
  DeleteObject(tile);
  const std::string path = std::string(MENSORA_GDI_TEST_DATA_DIR) + "/gdi_sheet.png";
  std::string error;
  ASSERT_TRUE(gdi::WriteScreenPng(path, &error)) << error;
  EXPECT_TRUE(gdi::ReadPng(path, &error)) << error;
}

}  // namespace
