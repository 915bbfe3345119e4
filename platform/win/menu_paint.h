// How a shown popup menu looks: a white panel with a black frame, one row a
// item (kMenuRowHeight) with its text, greyed items in grey, a tick before a
// checked one, an arrow after one that opens a submenu, separators as thin
// lines, and the highlighted row in the selection colour.
#pragma once

#include <vector>

#include "win/menu.h"

namespace win {

// Paints the rows of a popup menu into `client`; `hot` is the highlighted
// row (-1: none).
void PaintPopupMenu(HDC hdc, const RECT& client, const std::vector<MenuItemView>& rows, int hot);

// The width a popup needs so that its widest item's text fits between the
// tick's room and the submenu arrow's, in the System font; at least 60.
LONG PopupMenuWidth(const std::vector<MenuItemView>& rows);

}  // namespace win
