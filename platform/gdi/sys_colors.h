// The handheld's system colour table: the palette of display elements that
// GetSysColor reads and every COLORREF carrying SYS_COLOR_INDEX_FLAG names.
// Internal to the room; products use wingdi.h.
#pragma once

#include "base/wintypes.h"

namespace gdi::detail {

// The element index of a COLOR_* value (flag or not), or -1 when unknown.
int SysColorIndex(int nIndex);

}  // namespace gdi::detail
