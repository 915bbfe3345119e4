// The window system's side of the drawing layer; see paint_surface.h.
#include "win/paint_surface.h"

#include <cstdint>

#include "gdi/surface.h"
#include "gdi/wingdi.h"
#include "win/controls/style_painter.h"
#include "win/window_table.h"

namespace win {

HDC CreateWindowSurfaceDC(HWND hwnd, bool client, const RECT& clipScreen) {
  POINT origin{0, 0};
  if (client) {
    if (!ClientToScreen(hwnd, &origin)) return nullptr;
  } else {
    RECT r{};
    if (!GetWindowRect(hwnd, &r)) return nullptr;
    origin = {r.left, r.top};
  }
  return gdi::CreateSurfaceDC(gdi::Screen(), origin, clipScreen);
}

void ReleaseSurfaceDC(HDC hdc) { DeleteDC(hdc); }

void FillDesktop(const RECT& screen) {
  HDC hdc = gdi::CreateSurfaceDC(gdi::Screen(), {0, 0}, screen);
  if (!hdc) return;
  FillRect(hdc, &screen, GetSysColorBrush(COLOR_BACKGROUND));
  DeleteDC(hdc);
}

void PaintNonClient(HWND hwnd, const RECT& clipScreen) {
  Window* w = WindowTable::Get().Find(hwnd);
  if (!w || !w->parent) return;  // top-level windows have no frame here
  int rings = ((w->style & WS_BORDER) ? 1 : 0) + ((w->exStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
  if (rings == 0) return;
  HDC hdc = CreateWindowSurfaceDC(hwnd, false, clipScreen);
  if (!hdc) return;
  RECT r{};
  GetWindowRect(hwnd, &r);
  style::DrawWindowFrame(hdc, {0, 0, r.right - r.left, r.bottom - r.top}, rings);
  DeleteDC(hdc);
}

LRESULT DefaultEraseBackground(HWND hwnd, HDC hdc) {
  Window* w = WindowTable::Get().Find(hwnd);
  if (!w || !hdc || !w->cls->wc.hbrBackground) return 0;
  RECT client{};
  GetClientRect(hwnd, &client);
  // The class brush may be a system colour + 1, as classes write
  // (HBRUSH)(COLOR_BTNFACE + 1), with or without the platform's index flag.
  HBRUSH brush = w->cls->wc.hbrBackground;
  auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value & std::uintptr_t(SYS_COLOR_INDEX_FLAG)) {
    int index = int(value & 0xFF) - 1;
    if (index < 0 || !(brush = GetSysColorBrush(index))) return 0;
  }
  return FillRect(hdc, &client, brush) ? 1 : 0;
}

}  // namespace win
