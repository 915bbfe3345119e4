// The dialog manager: dialogs built from DLGTEMPLATE/DLGTEMPLATEEX
// resources, their modal loops, and the keyboard interface that moves the
// focus between controls and turns Enter and Escape into commands.
#pragma once

#include <span>

#include "win/winuser.h"

using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// The class name of dialog windows.
inline constexpr const char16_t* kDialogClass = u"#32770";

namespace win {

// Dialog base units in pixels: 7 across, 14 down, so one dialog unit is
// 1.75 pixels both ways (a 135 x 149 dialog is 236 x 261 pixels).
inline constexpr int kBaseUnitX = 7;
inline constexpr int kBaseUnitY = 14;

// Dialog units to pixels, rounded to nearest: the one place that converts.
RECT DialogUnitsToPixels(int x, int y, int cx, int cy);

}  // namespace win

// Creates a modeless dialog from template bytes: the dialog window, then each
// control in template order (ids, styles, texts, positions in pixels), then
// WM_INITDIALOG with `param`. When the dialog procedure answers TRUE, the
// focus goes to the first control that can take it. Returns nullptr when the
// template does not parse or a control's class is unknown (unless
// DS_NOFAILCREATE), with the last error set.
HWND CreateDialogIndirectParamW(HINSTANCE instance, std::span<const std::byte> dialogTemplate,
                                HWND parent, DLGPROC dialogProc, LPARAM param);

// Runs a modal dialog: the owner is disabled, the dialog is created and, unless
// EndDialog ran during WM_INITDIALOG, shown and activated whatever its style
// bits say; its loop runs until EndDialog. Afterwards the dialog is destroyed,
// the owner enabled and activated again. Returns the EndDialog result, or -1
// when the dialog cannot be created. A quit request ends the loop (and is
// passed on to the enclosing loops) with the result 0.
INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, std::span<const std::byte> dialogTemplate,
                                HWND owner, DLGPROC dialogProc, LPARAM param);

// Ends a modal dialog with `result` once its current message returns. FALSE
// for a window that is not a dialog.
BOOL EndDialog(HWND dialog, INT_PTR result);

// The dialog window class's procedure: the dialog procedure first, then the
// default handling of WM_CLOSE (IDCANCEL), WM_NEXTDLGCTL, activation and
// focus; answers of messages that return values come from DWL_MSGRESULT.
LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The keyboard interface for a message addressed to the dialog or one of its
// controls: Tab and Shift+Tab move the focus, Enter sends the default button's
// command (IDOK when there is none), Escape sends IDCANCEL, unless the focused
// control asks for those keys through WM_GETDLGCODE. Returns TRUE when the
// message was consumed.
BOOL IsDialogMessageW(HWND dialog, MSG* msg);

// The next (or previous) control after `control` that is visible, enabled and
// has WS_TABSTOP, in template order and wrapping; `control` null starts at
// the beginning. Returns nullptr when there is none.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);

// Sends a WM_COMMAND to the dialog as a control with this id would.
void SendDlgCommand(HWND dialog, int id, WORD code = BN_CLICKED);
