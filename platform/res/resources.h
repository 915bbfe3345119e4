// The platform's resource names and values: resource types, the integer
// resource macros, the data-file load flag, and the menu and dialog bits that
// the template parsers and their users share. Values are the handheld's.
#pragma once

#include <cstdint>

#include "base/wintypes.h"

// An integer resource id travels in a string pointer whose value is < 0x10000.
inline LPWSTR MAKEINTRESOURCEW(std::uintptr_t id) {
  return reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(LPCWSTR p) { return (reinterpret_cast<std::uintptr_t>(p) >> 16) == 0; }
#define MAKEINTRESOURCE MAKEINTRESOURCEW

// Resource types.
inline constexpr WORD kRtCursor = 1, kRtBitmap = 2, kRtIcon = 3, kRtMenu = 4, kRtDialog = 5,
                      kRtString = 6, kRtGroupCursor = 12, kRtGroupIcon = 14;
inline const LPCWSTR RT_CURSOR = MAKEINTRESOURCEW(kRtCursor);
inline const LPCWSTR RT_BITMAP = MAKEINTRESOURCEW(kRtBitmap);
inline const LPCWSTR RT_ICON = MAKEINTRESOURCEW(kRtIcon);
inline const LPCWSTR RT_MENU = MAKEINTRESOURCEW(kRtMenu);
inline const LPCWSTR RT_DIALOG = MAKEINTRESOURCEW(kRtDialog);
inline const LPCWSTR RT_STRING = MAKEINTRESOURCEW(kRtString);
inline const LPCWSTR RT_GROUP_CURSOR = MAKEINTRESOURCEW(kRtGroupCursor);
inline const LPCWSTR RT_GROUP_ICON = MAKEINTRESOURCEW(kRtGroupIcon);

// LoadLibraryExW flags: the module is mapped as data and nothing runs.
inline constexpr DWORD DONT_RESOLVE_DLL_REFERENCES = 0x00000001;
inline constexpr DWORD LOAD_LIBRARY_AS_DATAFILE = 0x00000002;

// Menu item option bits (MENUITEMTEMPLATE) and their MENUEX counterparts.
inline constexpr UINT MF_GRAYED = 0x0001, MF_DISABLED = 0x0002, MF_BITMAP = 0x0004,
                      MF_CHECKED = 0x0008, MF_POPUP = 0x0010, MF_MENUBARBREAK = 0x0020,
                      MF_MENUBREAK = 0x0040, MF_END = 0x0080, MF_OWNERDRAW = 0x0100,
                      MF_SEPARATOR = 0x0800, MF_HELP = 0x4000;
inline constexpr UINT MFT_STRING = 0x0000, MFT_BITMAP = 0x0004, MFT_RADIOCHECK = 0x0200,
                      MFT_SEPARATOR = 0x0800, MFT_RIGHTJUSTIFY = 0x4000;
inline constexpr UINT MFS_GRAYED = 0x0003, MFS_CHECKED = 0x0008, MFS_HILITE = 0x0080,
                      MFS_DEFAULT = 0x1000;

// Dialog template style bits that change the template's layout.
inline constexpr DWORD DS_SETFONT = 0x00000040;
inline constexpr DWORD DS_FIXEDSYS = 0x00000008;
inline constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;
