// Message boxes: a modal dialog with a text, an icon and one of the standard
// button sets, built by the platform itself.
#pragma once

#include "win/winuser.h"

inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
inline constexpr UINT MB_YESNOCANCEL = 0x00000003;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_RETRYCANCEL = 0x00000005;
inline constexpr UINT MB_TYPEMASK = 0x0000000F;
inline constexpr UINT MB_ICONMASK = 0x000000F0;
inline constexpr UINT MB_DEFBUTTON2 = 0x00000100;
inline constexpr UINT MB_DEFBUTTON3 = 0x00000200;
inline constexpr UINT MB_DEFMASK = 0x00000F00;
inline constexpr UINT MB_APPLMODAL = 0x00000000;
inline constexpr UINT MB_SETFOREGROUND = 0x00010000;
inline constexpr UINT MB_TOPMOST = 0x00040000;

// Shows `text` under `caption` with the buttons and icon `type` names, modal
// to `owner` (or to nothing), and returns the id of the button chosen
// (IDOK, IDCANCEL, IDYES, IDNO …). Escape answers IDCANCEL when there is a
// Cancel button, IDOK for a lone OK button, and does nothing otherwise.
// The icon's sound plays when the box opens. Returns 0 when the box cannot
// be shown (an unknown button set).
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
