// How a static looks: its text left, centred or right (SS_LEFT wraps words,
// SS_SIMPLE and SS_LEFTNOWORDWRAP do not), its bitmap at (0,0) or centred
// with SS_CENTERIMAGE, and the plain rectangles and frames of SS_*RECT and
// SS_*FRAME, on the background its parent answers to WM_CTLCOLORSTATIC.
#pragma once

#include <string>

#include "win/winuser.h"

namespace win {

struct StaticLook {
  DWORD style = 0;
  bool enabled = true;
  std::u16string text;
  HBITMAP bitmap = nullptr;  // SS_BITMAP's image
};

// Paints the whole static into `hdc`; nothing on a null DC.
void PaintStatic(HWND hwnd, HDC hdc, const StaticLook& look);

}  // namespace win
