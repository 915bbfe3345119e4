// The main window's drawing calls; see category_drawing.h.
#include "app/category_drawing.h"

#include "gdi/wingdi.h"
#include "shell/sh_bitmap.h"

namespace appearance {

COLORREF ButtonFaceColor() { return GetSysColor(COLOR_BTNFACE); }

HBITMAP LoadBitmapFile(std::u16string_view path) {
  std::u16string copy(path);
  return SHLoadDIBitmap(copy.c_str());
}

void ReleaseBitmap(HBITMAP bitmap) {
  if (bitmap) DeleteObject(bitmap);
}

void PaintTiledBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
  HDC source = CreateCompatibleDC(dc);
  if (!source) return;
  HGDIOBJ previous = SelectObject(source, bitmap);
  for (int x = 0; x < width; x += info.bmWidth)
    for (int y = 0; y < height; y += info.bmHeight)
      BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

void PaintSolid(HDC dc, COLORREF color, int width, int height) {
  HBRUSH brush = CreateSolidBrush(color);
  RECT area{0, 0, width, height};
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void PaintCaptions(HWND window, const Caption& first, const Caption& second) {
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  HGDIOBJ previousFont = nullptr;
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)))
    previousFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  auto draw = [&](COLORREF color, int shift) {
    SetTextColor(dc, color);
    for (const Caption* c : {&first, &second}) {
      RECT r{c->rect.left - shift, c->rect.top - shift, c->rect.right - shift, c->rect.bottom - shift};
      std::u16string text(c->text);
      DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_SINGLELINE);
    }
  };
  draw(RGB(255, 255, 255), 0);
  draw(RGB(0, 0, 0), 1);
  if (previousFont) SelectObject(dc, previousFont);
  ReleaseDC(window, dc);
}

void ValidateByPainting(HWND window) {
  PAINTSTRUCT ps;
  BeginPaint(window, &ps);
  EndPaint(window, &ps);
}

void InvalidateWithErase(HWND window) { InvalidateRect(window, nullptr, TRUE); }

}  // namespace appearance
