// The popup menu painter; see menu_paint.h.
#include "win/menu_paint.h"

#include <algorithm>

#include "gdi/text.h"
#include "gdi/wingdi.h"
#include "win/controls/style_painter.h"

namespace win {
namespace {

constexpr LONG kTextIndent = 14;  // room for the tick
constexpr LONG kArrowWidth = 10;

// Text before a tab is the item's name; what follows (an accelerator) is
// not shown on the handheld.
std::u16string Label(const std::u16string& text) { return text.substr(0, text.find(u'\t')); }

}  // namespace

LONG PopupMenuWidth(const std::vector<MenuItemView>& rows) {
  int widest = 0;
  for (const MenuItemView& row : rows)
    if (!(row.flags & MF_SEPARATOR)) widest = std::max(widest, gdi::SystemTextWidth(Label(row.text)));
  // Frame, tick room, text, arrow room, frame, and a little air.
  return std::max<LONG>(60, 1 + kTextIndent + widest + kArrowWidth + 2 + 1 + 4);
}

void PaintPopupMenu(HDC hdc, const RECT& client, const std::vector<MenuItemView>& rows, int hot) {
  style::DrawFrame(hdc, client, style::Frame::kPopup);
  SetBkMode(hdc, TRANSPARENT);
  LONG top = client.top;
  for (size_t i = 0; i < rows.size(); ++i) {
    const MenuItemView& row = rows[i];
    bool separator = row.flags & MF_SEPARATOR;
    RECT r{client.left + 1, top, client.right - 1, top + (separator ? kMenuSeparatorHeight : kMenuRowHeight)};
    top = r.bottom;
    if (separator) {
      style::DrawSeparator(hdc, r);
      continue;
    }
    bool greyed = row.flags & (MF_GRAYED | MF_DISABLED);
    COLORREF color = style::TextColor(style::Frame::kPopup);
    if (int(i) == hot && !greyed) color = style::FillSelection(hdc, r);
    if (greyed) color = GetSysColor(COLOR_GRAYTEXT);
    if (row.flags & MF_CHECKED) style::DrawTick(hdc, {r.left + 2, r.top + 4, r.left + 12, r.bottom - 4}, color);
    if (row.submenu)
      style::DrawArrow(hdc, {r.right - kArrowWidth - 2, r.top, r.right - 2, r.bottom}, style::Arrow::kRight, color);
    RECT textRect{r.left + kTextIndent, r.top, r.right - kArrowWidth - 2, r.bottom};
    std::u16string label = Label(row.text);
    SetTextColor(hdc, color);
    DrawTextW(hdc, label.c_str(), int(label.size()), &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
}

}  // namespace win
