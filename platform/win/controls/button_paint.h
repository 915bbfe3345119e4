// How a button looks: push buttons (default ones with a thicker frame, held
// ones inverted), check boxes and radio buttons with their box and mark,
// group boxes, and BS_BITMAP images. Owner-drawn buttons are drawn by their
// parent (button.cpp sends WM_DRAWITEM) and never come here.
#pragma once

#include <string>

#include "win/winuser.h"

namespace win {

// What the painter needs to know of one button.
struct ButtonLook {
  DWORD style = 0;
  bool pushed = false;
  bool focused = false;
  bool enabled = true;
  UINT check = 0;  // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
  std::u16string text;
  HBITMAP bitmap = nullptr;  // with BS_BITMAP
};

// Paints the whole button into `hdc` (client coordinates), after asking the
// parent for its colours. Does nothing on a null DC.
void PaintButton(HWND hwnd, HDC hdc, const ButtonLook& look);

// Draws `bitmap` centred in `r` (its top-left corner at r's when it is
// larger). Shared by buttons and statics; nothing for a null bitmap.
void DrawBitmapCentred(HDC hdc, HBITMAP bitmap, const RECT& r);

}  // namespace win
