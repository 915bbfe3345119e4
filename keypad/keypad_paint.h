// The keypad's few calls into the drawing and painting layers, kept in one
// place: filling the dialog's background and asking for a full repaint.
#pragma once

#include "win/winuser.h"

namespace tessapad {

// Fills `rect` of `dc` with a solid brush of `color` (0x00BBGGRR) by a
// pattern copy and releases the brush. Does nothing for a null context.
void FillBackground(HDC dc, const RECT& rect, COLORREF color);

// Marks the whole client area of `hwnd` for repainting, background erased.
void InvalidateAll(HWND hwnd);

}  // namespace tessapad
