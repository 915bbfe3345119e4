// The shell windows ask to be drawn again through this one call whenever
// their look changes (a menu opens, an adornment is held, the title changes).
#pragma once

#include "win/winuser.h"

namespace shell {

// Marks the whole window for repainting with its background erased.
void Redraw(HWND hwnd);

}  // namespace shell
