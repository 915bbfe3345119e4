// The window system's side of the drawing layer; see paint_surface.h.
#include "win/paint_surface.h"

namespace win {

HDC CreateWindowSurfaceDC(HWND, bool, const RECT&) { return nullptr; }
void ReleaseSurfaceDC(HDC) {}
void FillDesktop(const RECT&) {}
void PaintNonClient(HWND, const RECT&) {}
LRESULT DefaultEraseBackground(HWND, HDC) { return 0; }

}  // namespace win
