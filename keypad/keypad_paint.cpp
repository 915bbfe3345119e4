// The keypad's drawing calls; see keypad_paint.h.
#include "keypad/keypad_paint.h"

#include "gdi/wingdi.h"

namespace tessapad {

void FillBackground(HDC dc, const RECT& rect, COLORREF color) {
  if (!dc) return;
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ previous = SelectObject(dc, brush);
  PatBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATCOPY);
  SelectObject(dc, previous);  // deselected first, so that it can be deleted
  DeleteObject(brush);
}

void InvalidateAll(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

}  // namespace tessapad
