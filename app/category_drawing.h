// The drawing calls behind the main window's appearance, in one place: the
// button-face colour, loading and releasing bitmap files, the tiled or solid
// background, the field captions with their shadow, and invalidation. The
// window decides what to draw (mensora_dlg_appearance.cpp); these only draw.
#pragma once

#include <string_view>

#include "win/winuser.h"

namespace appearance {

// The system's button-face colour (GetSysColor(COLOR_BTNFACE)).
COLORREF ButtonFaceColor();

// A device-independent bitmap file, by handheld path, as a bitmap object
// (SHLoadDIBitmap); nullptr when the file is missing or not a bitmap.
HBITMAP LoadBitmapFile(std::u16string_view path);

// Deletes a bitmap object; a null handle is ignored.
void ReleaseBitmap(HBITMAP bitmap);

// Copies `bitmap` unscaled to every cell of a grid from (0, 0): columns at
// x = 0, bw, 2bw ... while x < width, left to right, and within a column
// rows at y = 0, bh ... while y < height, top to bottom. Nothing for a
// width or height of 0 or a bitmap that cannot be selected.
void PaintTiledBitmap(HDC dc, HBITMAP bitmap, int width, int height);

// Fills (0, 0)-(width, height) with a solid brush of `color`.
void PaintSolid(HDC dc, COLORREF color, int width, int height);

// One caption: its text and its rectangle relative to the window's top-left
// corner (title bar included).
struct Caption {
  std::u16string_view text;
  RECT rect;
};

// Draws the captions on the whole window's drawing context, transparent,
// single-line, in the window's font when it has one: first in white, then
// one pixel left and up in black, so each shows black with a white shadow.
void PaintCaptions(HWND window, const Caption& first, const Caption& second);

// Runs the window's begin and end of painting, which validates it.
void ValidateByPainting(HWND window);

// Invalidates the whole client area of a window, with erasing.
void InvalidateWithErase(HWND window);

}  // namespace appearance
