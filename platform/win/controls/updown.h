// The up-down control ("msctls_updown32"): two arrows that step a position
// within a range, optionally written into a buddy window's text, with the
// platform's message protocol. Styles (UDS_*) live in winconst.h.
#pragma once

#include "win/controls/notify.h"
#include "win/winuser.h"

inline constexpr const char16_t* UPDOWN_CLASSW = u"msctls_updown32";
inline constexpr const char16_t* UPDOWN_CLASS = UPDOWN_CLASSW;

// --- Messages ----------------------------------------------------------------
// 16-bit forms carry signed shorts.
inline constexpr UINT UDM_SETRANGE = WM_USER + 101;  // lParam: MAKELONG(max, min); returns 0
inline constexpr UINT UDM_GETRANGE = WM_USER + 102;  // -> MAKELONG(max, min)
inline constexpr UINT UDM_SETPOS = WM_USER + 103;  // lParam: MAKELONG(pos, 0); returns the previous
inline constexpr UINT UDM_GETPOS = WM_USER + 104;  // -> MAKELONG(pos, error): error is non-zero
                                                   //    unless a buddy's text gave a valid position
inline constexpr UINT UDM_SETBUDDY = WM_USER + 105;  // wParam: HWND; returns the previous buddy
inline constexpr UINT UDM_GETBUDDY = WM_USER + 106;
inline constexpr UINT UDM_SETBASE =
    WM_USER + 109;  // wParam: 10 or 16; returns the previous, 0 if refused
inline constexpr UINT UDM_GETBASE = WM_USER + 110;
inline constexpr UINT UDM_SETRANGE32 = WM_USER + 111;  // wParam: min, lParam: max
inline constexpr UINT UDM_GETRANGE32 = WM_USER + 112;  // wParam: int* min, lParam: int* max
inline constexpr UINT UDM_SETPOS32 = WM_USER + 113;    // lParam: position; returns the previous
inline constexpr UINT UDM_GETPOS32 = WM_USER + 114;    // lParam: BOOL* error (may be null)

// --- Notifications (WM_NOTIFY) -----------------------------------------------
inline constexpr UINT UDN_FIRST = 0u - 721u;
// Sent before an arrow moves the position; a non-zero answer cancels the
// move. The parent may change iDelta.
inline constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

struct NMUPDOWN {
  NMHDR hdr;
  int iPos = 0;    // the position before the move
  int iDelta = 0;  // the proposed change
};

namespace win {

// Registers the up-down class; does nothing when it is registered already.
void RegisterUpDownClass();

}  // namespace win
