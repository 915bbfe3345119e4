// How a report list view looks: the column header, rows 16 pixels tall with
// their texts column by column, the selected row highlighted (the whole row
// with LVS_EX_FULLROWSELECT, the label otherwise), the list's background
// and text background colours, and a vertical scroll bar when the rows do
// not all fit.
#pragma once

#include <string>
#include <vector>

#include "win/winuser.h"
#include "win/controls/listview.h"

namespace win {

struct ListViewColumnLook {
  std::u16string heading;
  int width = 0;
  bool right = false;   // LVCFMT_RIGHT
  bool center = false;  // LVCFMT_CENTER
};

struct ListViewRowLook {
  std::vector<std::u16string> texts;  // column by column
  bool selected = false;
  int image = 0;  // index in the small image list
};

struct ListViewLook {
  std::vector<ListViewColumnLook> columns;
  std::vector<ListViewRowLook> rows;  // every row, from the first
  int top = 0;                        // first visible row
  int headerHeight = 0;
  int iconWidth = 0;                  // room before the first column's text
  HIMAGELIST smallImages = nullptr;   // the rows' icons, when set
  bool fullRow = false;
  bool enabled = true;
  COLORREF background = 0, textBackground = 0, textColor = 0;
};

// Width of the scroll bar a list (or a dropped combo list) shows.
inline constexpr int kScrollBarWidth = 13;

// Paints the whole client area; nothing on a null DC.
void PaintListView(HWND hwnd, HDC hdc, const ListViewLook& look);

// A vertical scroll bar in `r`: arrows at both ends and a thumb for `first`
// of `total` rows with `visible` shown. Shared with the combo box's list.
void PaintVerticalScrollBar(HDC hdc, const RECT& r, int first, int visible, int total);

}  // namespace win
