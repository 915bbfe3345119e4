// The "STATIC" control class: text (SS_LEFT, SS_CENTER, SS_RIGHT) and images
// (SS_BITMAP, SS_ICON), with the platform's message protocol. Styles (SS_*)
// and image types (IMAGE_*) live in winconst.h.
#pragma once

#include "win/winuser.h"

// --- Messages ----------------------------------------------------------------
inline constexpr UINT STM_SETICON = 0x0170;  // wParam: HICON; returns the previous one
inline constexpr UINT STM_GETICON = 0x0171;
inline constexpr UINT STM_SETIMAGE =
    0x0172;  // wParam: IMAGE_*, lParam: handle; returns the previous
inline constexpr UINT STM_GETIMAGE =
    0x0173;  // wParam: IMAGE_*; null when it does not match the style

// --- Notifications (WM_COMMAND, only with SS_NOTIFY) -------------------------
inline constexpr WORD STN_CLICKED = 0;
inline constexpr WORD STN_DBLCLK = 1;
inline constexpr WORD STN_ENABLE = 2;
inline constexpr WORD STN_DISABLE = 3;

namespace win {

// Registers the "STATIC" class; does nothing when it is registered already.
void RegisterStaticClass();

}  // namespace win
