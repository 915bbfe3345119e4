// The "COMBOBOX" control class as a drop-down list (CBS_DROPDOWNLIST),
// sorted (CBS_SORT) or not, with the platform's message protocol. Styles
// (CBS_*) live in winconst.h.
//
// Notifications (WM_COMMAND to the parent), in the order they are sent:
//   tap on the closed box:    CBN_SETFOCUS (if it had no focus), CBN_DROPDOWN,
//                             then the list opens
//   tap on an item:           CBN_SELENDOK, CBN_CLOSEUP (the list has closed),
//                             CBN_SELCHANGE; the selection is already the
//                             item's during all three, and CBN_SELCHANGE comes
//                             even when the item was selected before
//   tap outside the list:     CBN_SELENDCANCEL, CBN_CLOSEUP; no change
//   Up/Down/Home/End or a typed first letter, closed:
//                             CBN_SELENDOK, CBN_SELCHANGE
//   Up/Down/Home/End, open:   CBN_SELCHANGE (the list stays open); then Enter
//                             gives CBN_SELENDOK, CBN_CLOSEUP and Escape
//                             CBN_SELENDCANCEL, CBN_CLOSEUP
//   losing the focus:         CBN_SELENDCANCEL (and CBN_CLOSEUP if open),
//                             CBN_KILLFOCUS
//   CB_SHOWDROPDOWN:          TRUE: CBN_DROPDOWN; FALSE while open:
//                             CBN_SELENDCANCEL, CBN_CLOSEUP
// CB_SETCURSEL and every other message send none.
#pragma once

#include "win/winuser.h"

// --- Messages ----------------------------------------------------------------
inline constexpr UINT CB_ADDSTRING = 0x0143;  // lParam: text; -> index (sorted place with CBS_SORT)
inline constexpr UINT CB_DELETESTRING = 0x0144;  // wParam: index; -> items left
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;  // -> index, or CB_ERR with no selection
inline constexpr UINT CB_GETLBTEXT = 0x0148;  // wParam: index, lParam: buffer big enough; -> length
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_INSERTSTRING = 0x014A;  // wParam: index (-1: the end), never sorted
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_FINDSTRING = 0x014C;    // wParam: start, lParam: prefix, case ignored
inline constexpr UINT CB_SELECTSTRING = 0x014D;  // as CB_FINDSTRING, and selects what it finds
inline constexpr UINT CB_SETCURSEL = 0x014E;     // wParam: index; -1 or out of range clears, CB_ERR
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;  // wParam: TRUE opens, FALSE closes
inline constexpr UINT CB_GETITEMDATA = 0x0150;
inline constexpr UINT CB_SETITEMDATA = 0x0151;  // wParam: index, lParam: data; -> TRUE or CB_ERR
inline constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;  // lParam: RECT*, screen coordinates
inline constexpr UINT CB_GETITEMHEIGHT = 0x0154;          // wParam: -1 the field, else a list row
inline constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
inline constexpr UINT CB_FINDSTRINGEXACT =
    0x0158;                                     // wParam: start, lParam: whole text, case ignored
inline constexpr UINT CB_GETTOPINDEX = 0x015B;  // the first row the open list shows
inline constexpr UINT CB_SETTOPINDEX = 0x015C;

// Results.
inline constexpr LRESULT CB_OKAY = 0;
inline constexpr LRESULT CB_ERR = -1;
inline constexpr LRESULT CB_ERRSPACE = -2;

// --- Notifications (WM_COMMAND) ----------------------------------------------
inline constexpr WORD CBN_ERRSPACE = WORD(-1);
inline constexpr WORD CBN_SELCHANGE = 1;
inline constexpr WORD CBN_DBLCLK = 2;
inline constexpr WORD CBN_SETFOCUS = 3;
inline constexpr WORD CBN_KILLFOCUS = 4;
inline constexpr WORD CBN_EDITCHANGE = 5;
inline constexpr WORD CBN_EDITUPDATE = 6;
inline constexpr WORD CBN_DROPDOWN = 7;
inline constexpr WORD CBN_CLOSEUP = 8;
inline constexpr WORD CBN_SELENDOK = 9;
inline constexpr WORD CBN_SELENDCANCEL = 10;

namespace win {

// Registers the "COMBOBOX" class and the class of its dropped list; does
// nothing when they are registered already.
void RegisterComboBoxClass();

}  // namespace win
