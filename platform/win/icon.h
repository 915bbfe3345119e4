// Icons: the icon groups of a module's resources (RT_GROUP_ICON with its
// RT_ICON images) as icon objects that windows can be given (WM_SETICON).
#pragma once

#include <cstdint>
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

// One image of an icon as pixels, rows from the top, 0xAARRGGBB with alpha
// 0 where the icon's mask makes it transparent and 255 elsewhere.
struct IconPicture {
  int size = 0;  // width and height; 0 when there is no picture
  std::vector<std::uint32_t> argb;
};

// The picture of the icon's image of `size` pixels; an empty picture for an
// unknown icon, a size it does not hold, or an image that does not decode.
IconPicture IconImage(HICON icon, int size);

}  // namespace win
