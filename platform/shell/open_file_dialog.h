// The open-file dialog: a full-screen modal dialog that browses the
// handheld's folders and returns the full handheld path of the file chosen.
//
// Layout, top to bottom: an "Up" button and the current folder; the file
// type combo (the filters); a list of the folder's subfolders, then its
// files matching the chosen type, each group sorted; the file name; OK and
// Cancel. A tap on a folder opens it; a tap on a file puts its name in the
// name field; OK (or Enter) takes the name, Cancel (or Escape) gives up.
#pragma once

#include "win/winuser.h"

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;

// CommDlgExtendedError values.
inline constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
inline constexpr DWORD CDERR_INITIALIZATION = 0x0002;
inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

// The control ids of the dialog, for tests and scripts.
inline constexpr int IDC_OFN_UP = 1101;
inline constexpr int IDC_OFN_FOLDER = 1102;
inline constexpr int IDC_OFN_TYPE_LABEL = 1103;
inline constexpr int IDC_OFN_TYPE = 1104;
inline constexpr int IDC_OFN_LIST = 1105;
inline constexpr int IDC_OFN_NAME_LABEL = 1106;
inline constexpr int IDC_OFN_NAME = 1107;

struct OPENFILENAMEW {
  DWORD lStructSize = sizeof(OPENFILENAMEW);
  HWND hwndOwner = nullptr;
  HINSTANCE hInstance = nullptr;
  LPCWSTR lpstrFilter = nullptr;  // "text\0pattern\0...\0\0"
  LPWSTR lpstrCustomFilter = nullptr;
  DWORD nMaxCustFilter = 0;
  DWORD nFilterIndex = 0;  // 1-based; the one chosen on return
  LPWSTR lpstrFile = nullptr;  // in: initial name (may be empty); out: full path
  DWORD nMaxFile = 0;
  LPWSTR lpstrFileTitle = nullptr;  // out: the name alone, when not null
  DWORD nMaxFileTitle = 0;
  LPCWSTR lpstrInitialDir = nullptr;
  LPCWSTR lpstrTitle = nullptr;  // default "Open"
  DWORD Flags = 0;
  WORD nFileOffset = 0;     // out: where the name starts in lpstrFile
  WORD nFileExtension = 0;  // out: where the extension starts, or the end
  LPCWSTR lpstrDefExt = nullptr;
  LPARAM lCustData = 0;
  void* lpfnHook = nullptr;  // hooks and custom templates are not supported
  LPCWSTR lpTemplateName = nullptr;
};

// Runs the dialog modally to `ofn->hwndOwner`. It opens in lpstrInitialDir,
// else the folder of a path in lpstrFile, else "\My Documents", else "\"
// (whichever exists first), with the name part of lpstrFile in the name
// field. On OK returns TRUE with the full path in lpstrFile, nFileOffset,
// nFileExtension, lpstrFileTitle and nFilterIndex set. A name without an
// extension gets lpstrDefExt when that is a plain extension (no "\", "." or
// "/", at most 3 characters); anything else there is ignored. With
// OFN_FILEMUSTEXIST a name that does not exist is refused with a message
// and the dialog stays. Returns FALSE, lpstrFile untouched, on Cancel or a
// close request (CommDlgExtendedError 0), and FALSE with: CDERR_STRUCTSIZE
// for a wrong lStructSize or null ofn; CDERR_INITIALIZATION when lpstrFile
// is null, nMaxFile is 0 or the dialog cannot be made; FNERR_BUFFERTOOSMALL
// when the path does not fit nMaxFile (the first unit of lpstrFile then
// holds the size needed, terminator included).
BOOL GetOpenFileNameW(OPENFILENAMEW* ofn);

// Why the last GetOpenFileNameW returned FALSE; 0 after a cancel.
DWORD CommDlgExtendedError();
