// The platform's edit control, window class "EDIT": single-line and
// multi-line text fields with a caret and a selection, typing, the stylus,
// the clipboard, and the notifications the platform sends to the parent.
//
// Message protocol (values in win/winconst.h):
//   WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH  the whole text; setting it puts
//       the caret at the start, clears the modified flag and ignores the limit.
//   EM_SETSEL(start, end)   anchor and caret; start -1 drops the selection
//       (caret kept), an end past the text (or -1) means the end: (0,-1) selects
//       all. No notification, no scrolling.
//   EM_GETSEL(DWORD* start, DWORD* end)  the ordered selection, also packed
//       as MAKELONG(start, end) (-1 when either exceeds 0xFFFF).
//   EM_REPLACESEL(canUndo, text)  replaces the selection, within the limit,
//       read-only or not; scrolls the caret into view.
//   EM_LIMITTEXT = EM_SETLIMITTEXT(n)  the most characters the user may enter
//       (0: the largest: 0x7FFFFFFE single-line, 0xFFFFFFFF multi-line);
//       EM_GETLIMITTEXT. The default is 32767.
//   EM_SCROLLCARET, EM_GETLINECOUNT, EM_LINEINDEX, EM_LINELENGTH,
//   EM_LINEFROMCHAR, EM_GETFIRSTVISIBLELINE, EM_LINESCROLL(chars, lines)
//       (multi-line only; FALSE for single-line), EM_SCROLL(SB_...) and
//       WM_VSCROLL, EM_SETREADONLY(flag) (changes ES_READONLY),
//       EM_GETMODIFY/EM_SETMODIFY, EM_GETRECT(RECT*).
//   WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR  through the platform clipboard;
//       read-only blocks all but WM_COPY.
//   WM_GETDLGCODE  DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS, plus
//       DLGC_WANTALLKEYS for ES_MULTILINE | ES_WANTRETURN.
// Notifications (WM_COMMAND to the parent): EN_UPDATE then EN_CHANGE after
// every change of the text (WM_SETTEXT included), EN_MAXTEXT when the limit
// or the field's size refuses text, EN_SETFOCUS, EN_KILLFOCUS, and EN_VSCROLL
// when the scroll bar or a key moves the lines (not EM_LINESCROLL).
// Input: WM_CHAR types (Backspace arrives as its character, VK_BACK; Ctrl+C,
// Ctrl+V, Ctrl+X as theirs); WM_KEYDOWN moves the caret (Shift, tracked from
// WM_KEYDOWN/WM_KEYUP of VK_SHIFT, extends the selection) and Delete deletes;
// the pen places the caret and selects by dragging, with the capture.
#pragma once

#include <functional>

#include "win/winuser.h"

inline constexpr const char16_t* kEditClass = u"EDIT";

// Registers the "EDIT" class; does nothing when it is already registered.
void RegisterEditClass();

namespace win {

// What an edit sounds when it refuses a typed character (ES_NUMBER). The
// system's beep is plugged in here; without it a refusal is silent.
void SetEditBeep(std::function<void()> beep);

}  // namespace win
