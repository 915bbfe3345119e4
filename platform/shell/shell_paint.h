// How the shell's own windows look: the task bar (dark blue, the title in
// white bold, an outlined "ok"), the menu bar (light grey with the menu
// texts, a held menu inverted, the close "X" at the right) and the soft
// keyboard (a grey tray of white keys with black frames). Each painter reads
// the window's look from its owner's public view and draws nothing else.
#pragma once

#include "win/winuser.h"

namespace shell {

void PaintTaskBar(HWND bar, HDC hdc);
void PaintCommandBar(HWND bar, HDC hdc);
void PaintSoftKeyboard(HWND panel, HDC hdc);

// The WM_PAINT handler the three windows share: BeginPaint, the painter,
// EndPaint. Returns 0.
LRESULT OnPaint(HWND hwnd, void (*painter)(HWND, HDC));

}  // namespace shell
