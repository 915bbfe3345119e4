// Full-screen dialog set-up by the shell (SHInitDialog): sizing a dialog to
// the work area, the task bar's "ok" button and the soft keyboard's state.
#pragma once

#include "win/winuser.h"

// SHINITDLGINFO::dwMask
inline constexpr DWORD SHIDIM_FLAGS = 0x0001;

// SHINITDLGINFO::dwFlags
inline constexpr DWORD SHIDIF_DONEBUTTON = 0x0001;        // "ok" in the task bar
inline constexpr DWORD SHIDIF_SIZEDLG = 0x0002;           // the work area above the panel
inline constexpr DWORD SHIDIF_SIZEDLGFULLSCREEN = 0x0004; // the whole work area
inline constexpr DWORD SHIDIF_SIPDOWN = 0x0008;           // hide the soft keyboard
inline constexpr DWORD SHIDIF_FULLSCREENNOMENUBAR = 0x0010;  // down to the screen's bottom
inline constexpr DWORD SHIDIF_EMPTYMENU = 0x0020;         // accepted, no effect

struct SHINITDLGINFO {
  DWORD dwMask = 0;
  HWND hDlg = nullptr;
  DWORD dwFlags = 0;
};

// Applies dwFlags to the dialog when dwMask holds SHIDIM_FLAGS: the done
// button sets WS_EX_CAPTIONOKBTN (so the task bar shows "ok" while the
// dialog is active); SHIDIF_SIPDOWN hides the soft keyboard; the size flags
// move the dialog over the work area (SHIDIF_SIZEDLGFULLSCREEN), over the
// part of it the soft keyboard leaves free (SHIDIF_SIZEDLG), or from below
// the task bar to the bottom of the screen (SHIDIF_FULLSCREENNOMENUBAR,
// which wins over the others). Returns FALSE with ERROR_INVALID_PARAMETER
// for a null pointer and ERROR_INVALID_HANDLE for a dead or child window.
BOOL SHInitDialog(SHINITDLGINFO* info);
