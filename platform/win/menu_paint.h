// How a popup menu ("#32768") looks: a white panel with a black frame, its
// items' texts (greyed when disabled), the item under the pen in the
// selection colour, separators as a thin line, and an arrow beside items
// that open a submenu.
#pragma once

#include <string>
#include <vector>

#include "win/winuser.h"

namespace win {

struct MenuRowLook {
  std::u16string text;
  int height = 0;
  bool separator = false;
  bool grayed = false;
  bool checked = false;
  bool submenu = false;
};

// Width a popup needs for these rows: the widest text plus the room for a
// check mark and a submenu arrow.
LONG MenuPopupWidth(const std::vector<MenuRowLook>& rows);

// Paints the whole popup, `hot` (or -1) highlighted; nothing on a null DC.
void PaintMenuPopup(HWND popup, HDC hdc, const std::vector<MenuRowLook>& rows, int hot);

}  // namespace win
