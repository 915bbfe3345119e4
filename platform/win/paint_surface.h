// The window system's side of the drawing layer: DCs on the screen for a
// window, the desktop under all windows, window frames and the default
// background erase. Internal to platform/win.
#pragma once

#include "win/winuser.h"

namespace win {

// A DC whose (0,0) is the window's client origin (`client`) or its window
// origin, drawing only inside `clipScreen` (screen coordinates). nullptr
// when nothing can be drawn. Released with ReleaseSurfaceDC.
HDC CreateWindowSurfaceDC(HWND hwnd, bool client, const RECT& clipScreen);
void ReleaseSurfaceDC(HDC hdc);

// Fills screen area not covered by any window.
void FillDesktop(const RECT& screen);

// Draws the window's frame (WS_BORDER, WS_EX_CLIENTEDGE) inside `clipScreen`.
void PaintNonClient(HWND hwnd, const RECT& clipScreen);

// DefWindowProc's WM_ERASEBKGND: fills the client area with the class
// background brush. Returns 1 when it filled, 0 when there is no brush.
LRESULT DefaultEraseBackground(HWND hwnd, HDC hdc);

}  // namespace win
