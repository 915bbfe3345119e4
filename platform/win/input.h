// Input as it reaches the window system from a host or a test: stylus
// presses, moves and releases at screen points, and keys. Each is posted to
// the queue as the message the target window receives.
#pragma once

#include <string_view>

#include "win/winuser.h"

namespace win {

// The deepest visible window at a screen point: the topmost top-level window
// that contains it, then its children (the first in z-order wins). Disabled
// windows are included; nullptr when nothing is there.
HWND WindowFromPoint(POINT screen);

// Posts WM_LBUTTONDOWN, WM_MOUSEMOVE or WM_LBUTTONUP to the capturing window,
// or else to the window under the point, in its client coordinates. A
// disabled target (or one under a disabled ancestor) drops the input, which
// is how an owner stays deaf while its modal dialog runs. Returns the
// window that will receive it, or nullptr when it was dropped.
HWND PostStylus(UINT message, POINT screen);

// Posts WM_KEYDOWN (and WM_CHAR for keys that type a character) and
// WM_KEYUP to the focus window. Returns it, or nullptr without focus.
HWND PostKey(UINT virtualKey, char16_t character = 0);

// Posts WM_CHAR for each code unit of `text` to the focus window.
HWND PostText(std::u16string_view text);

}  // namespace win
