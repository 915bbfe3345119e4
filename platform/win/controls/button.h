// The "BUTTON" control class: push and default push buttons, check boxes
// and owner-drawn buttons, with the platform's message protocol. Styles
// (BS_*) and BN_CLICKED live in winconst.h so that resource scripts see them.
#pragma once

#include "win/winuser.h"

// --- Messages ----------------------------------------------------------------
inline constexpr UINT BM_GETCHECK = 0x00F0;  // -> BST_UNCHECKED/CHECKED/INDETERMINATE
inline constexpr UINT BM_SETCHECK = 0x00F1;  // wParam: the check state; returns 0
inline constexpr UINT BM_GETSTATE = 0x00F2;  // -> check state | BST_PUSHED | BST_FOCUS
inline constexpr UINT BM_SETSTATE = 0x00F3;  // wParam: TRUE pushed look, FALSE normal
inline constexpr UINT BM_SETSTYLE = 0x00F4;  // wParam: the new BS_* style
inline constexpr UINT BM_CLICK = 0x00F5;     // a press and release, as the pen makes them
inline constexpr UINT BM_GETIMAGE = 0x00F6;  // wParam IMAGE_BITMAP -> the BS_BITMAP image
inline constexpr UINT BM_SETIMAGE = 0x00F7;  // wParam IMAGE_BITMAP, lParam HBITMAP -> previous

// Check and push states.
inline constexpr UINT BST_UNCHECKED = 0x0000;
inline constexpr UINT BST_CHECKED = 0x0001;
inline constexpr UINT BST_INDETERMINATE = 0x0002;
inline constexpr UINT BST_PUSHED = 0x0004;
inline constexpr UINT BST_FOCUS = 0x0008;

// --- Notifications (WM_COMMAND; BN_CLICKED is in winconst.h) -----------------
inline constexpr WORD BN_PAINT = 1;
inline constexpr WORD BN_HILITE = 2;
inline constexpr WORD BN_UNHILITE = 3;
inline constexpr WORD BN_DISABLE = 4;
inline constexpr WORD BN_DOUBLECLICKED = 5;
inline constexpr WORD BN_SETFOCUS = 6;   // only with BS_NOTIFY
inline constexpr WORD BN_KILLFOCUS = 7;  // only with BS_NOTIFY

// --- Owner drawing -----------------------------------------------------------
// WM_DRAWITEM(id, DRAWITEMSTRUCT*) goes to the parent of an owner-drawn
// control whenever it must be drawn; the parent answers TRUE when it drew.
inline constexpr UINT ODT_MENU = 1;
inline constexpr UINT ODT_LISTBOX = 2;
inline constexpr UINT ODT_COMBOBOX = 3;
inline constexpr UINT ODT_BUTTON = 4;
inline constexpr UINT ODT_STATIC = 5;

// itemAction: what changed.
inline constexpr UINT ODA_DRAWENTIRE = 0x0001;
inline constexpr UINT ODA_SELECT = 0x0002;
inline constexpr UINT ODA_FOCUS = 0x0004;

// itemState: how the item looks now.
inline constexpr UINT ODS_SELECTED = 0x0001;  // a button: held down
inline constexpr UINT ODS_GRAYED = 0x0002;
inline constexpr UINT ODS_DISABLED = 0x0004;
inline constexpr UINT ODS_CHECKED = 0x0008;
inline constexpr UINT ODS_FOCUS = 0x0010;

struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = nullptr;
  HDC hDC = nullptr;  // the button's DC, client coordinates
  RECT rcItem;        // the control's client rectangle
  UINT_PTR itemData = 0;
};

namespace win {

// Registers the "BUTTON" class; does nothing when it is registered already.
void RegisterButtonClass();

}  // namespace win
