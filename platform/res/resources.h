// The platform's resource names and values: resource types, the integer
// resource macros and the data-file load flag. Values are the handheld's.
// Menu and dialog style bits (MF_*, DS_*) live with the window constants,
// which the .rc scripts share; the parsers here keep private copies of the
// few layout bits they need.
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
inline constexpr DWORD LOAD_LIBRARY_AS_DATAFILE = 0x00000002;
