// The popup menu painter; see menu_paint.h.
#include "win/menu_paint.h"

#include <algorithm>

#include "gdi/text.h"
#include "gdi/wingdi.h"
#include "win/controls/style_painter.h"

namespace win {
namespace {

constexpr int kTextLeft = 14;    // room for a check mark before the text
constexpr int kArrowRoom = 14;   // room for a submenu arrow after it
constexpr int kMinWidth = 60;

// The text before a tab; what follows it is an accelerator, not shown here.
std::u16string Label(const std::u16string& text) { return text.substr(0, text.find(u'\t')); }

}  // namespace

LONG MenuPopupWidth(const std::vector<MenuRowLook>& rows) {
  int widest = 0;
  for (const MenuRowLook& r : rows) widest = std::max(widest, gdi::SystemTextWidth(Label(r.text)));
  return std::max(kMinWidth, kTextLeft + widest + kArrowRoom);
}

void PaintMenuPopup(HWND popup, HDC hdc, const std::vector<MenuRowLook>& rows, int hot) {
  if (!hdc) return;
  RECT client{};
  GetClientRect(popup, &client);
  RECT inside = style::DrawFrame(hdc, client, style::Frame::kPopup);
  SetBkMode(hdc, TRANSPARENT);
  LONG top = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const MenuRowLook& r = rows[i];
    // The first and last rows give their outer pixel line to the frame.
    RECT row{inside.left, std::max(top, inside.top), inside.right,
             std::min(top + r.height, inside.bottom)};
    top += r.height;
    if (r.separator) {
      style::DrawSeparator(hdc, row);
      continue;
    }
    COLORREF color = style::TextColor(style::Frame::kPopup);
    if (int(i) == hot && !r.grayed) color = style::FillSelection(hdc, row);
    if (r.grayed) color = GetSysColor(COLOR_GRAYTEXT);
    if (r.checked) style::DrawTick(hdc, {row.left + 2, row.top + 3, row.left + 12, row.bottom - 3}, color);
    RECT text{row.left + kTextLeft - 1, row.top, row.right - kArrowRoom, row.bottom};
    std::u16string label = Label(r.text);
    SetTextColor(hdc, color);
    DrawTextW(hdc, label.c_str(), int(label.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (r.submenu)
      style::DrawArrow(hdc, {row.right - kArrowRoom, row.top, row.right, row.bottom},
                       style::Arrow::kRight, color);
  }
}

}  // namespace win
