// How controls tell their parent what happened: WM_COMMAND with the
// control id and a notification code, or WM_NOTIFY with an NMHDR.
#pragma once

#include "win/winuser.h"

struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};

// Common WM_NOTIFY codes.
inline constexpr UINT NM_FIRST = 0u;
inline constexpr UINT NM_CLICK = NM_FIRST - 2;
inline constexpr UINT NM_DBLCLK = NM_FIRST - 3;
inline constexpr UINT NM_RETURN = NM_FIRST - 4;
inline constexpr UINT NM_SETFOCUS = NM_FIRST - 7;
inline constexpr UINT NM_KILLFOCUS = NM_FIRST - 8;

namespace win {

// Sends WM_COMMAND(MAKELONG(id, code), control) to the control's parent and
// returns its answer; 0 when the control has no parent.
LRESULT NotifyCommand(HWND control, WORD code);

// Fills the header's sender fields and sends WM_NOTIFY(id, header) to the
// parent; returns the parent's answer (0 without a parent).
LRESULT NotifyParent(HWND control, NMHDR& header);

}  // namespace win
