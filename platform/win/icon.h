// Icons: the icon groups of a module's resources (RT_GROUP_ICON with its
// RT_ICON images) as icon objects that windows can be given (WM_SETICON).
#pragma once

#include <vector>

#include "win/winuser.h"

// Loads icon group `name` of a module (null: the program). Returns the icon,
// or nullptr with ERROR_RESOURCE_NAME_NOT_FOUND when the group or one of its
// images is missing, ERROR_RESOURCE_DATA_NOT_FOUND when the group or an
// image is malformed (see res/icon_group.h), ERROR_INVALID_HANDLE for an
// unknown module. Each call makes a new object; release it with DestroyIcon.
HICON LoadIconW(HINSTANCE module, LPCWSTR name);

// Releases an icon; FALSE with ERROR_INVALID_HANDLE for an unknown one.
BOOL DestroyIcon(HICON icon);

namespace win {

// The square sizes an icon holds (16, 32 ...), in the group's order; empty
// for an unknown handle.
std::vector<int> IconSizes(HICON icon);

}  // namespace win
