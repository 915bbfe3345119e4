// The combo box painters; see combobox_paint.h.
#include "win/controls/combobox_paint.h"

#include "gdi/wingdi.h"
#include "win/controls/ctl_color.h"
#include "win/controls/style_painter.h"

namespace win {
namespace {

constexpr int kPadding = 3;  // pixels left of a row's or the field's text

void DrawRowText(HDC hdc, const std::u16string& text, RECT r, COLORREF color) {
  r.left += kPadding;
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, color);
  DrawTextW(hdc, text.c_str(), int(text.size()), &r,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawArrowButton(HDC hdc, const RECT& r, style::Arrow dir, bool pressed) {
  style::Frame kind = pressed ? style::Frame::kPressed : style::Frame::kArrow;
  style::DrawFrame(hdc, r, kind);
  style::DrawArrow(hdc, r, dir, style::TextColor(kind));
}

}  // namespace

void PaintComboField(HWND hwnd, HDC hdc, const ComboFieldLook& look) {
  if (!hdc) return;
  RECT client{};
  GetClientRect(hwnd, &client);
  ControlColors colors = RequestControlColors(hwnd, hdc, WM_CTLCOLOREDIT);
  COLORREF text = look.enabled ? GetTextColor(hdc) : GetSysColor(COLOR_GRAYTEXT);
  RECT inside = style::DrawFrame(hdc, client, style::Frame::kField);
  RECT button{client.right - look.buttonWidth, client.top, client.right, client.bottom};
  RECT field{inside.left, inside.top, button.left, inside.bottom};
  FillRect(hdc, &field, colors.background);
  if (look.focused && !look.text.empty()) {
    RECT band = field;
    InflateRect(&band, -1, -1);
    text = style::FillSelection(hdc, band);
  }
  DrawRowText(hdc, look.text, field, text);
  DrawArrowButton(hdc, button, style::Arrow::kDown, look.pressed);
}

void PaintComboList(HWND list, HDC hdc, const ComboListLook& look) {
  if (!hdc) return;
  RECT client{};
  GetClientRect(list, &client);
  RECT inside = style::DrawFrame(hdc, client, style::Frame::kPopup);
  // The combo's parent colours the rows, as it would a list box's.
  ControlColors colors = RequestControlColorsOf(GetParent(look.combo), list, hdc, WM_CTLCOLORLISTBOX);
  FillRect(hdc, &inside, colors.background);
  COLORREF text = GetTextColor(hdc);
  for (size_t i = 0; i < look.rows.size(); ++i) {
    LONG top = look.rowsRect.top + LONG(i) * look.itemHeight;
    RECT row{look.rowsRect.left, top, look.rowsRect.right, top + look.itemHeight};
    COLORREF color = int(i) == look.highlighted ? style::FillSelection(hdc, row) : text;
    DrawRowText(hdc, look.rows[i], row, color);
  }
  if (!look.scrolls) return;
  RECT track{look.lineUp.left, look.lineUp.bottom - 1, look.lineUp.right, look.lineDown.top + 1};
  style::DrawFrame(hdc, track, style::Frame::kField);
  DrawArrowButton(hdc, look.lineUp, style::Arrow::kUp, false);
  DrawArrowButton(hdc, look.lineDown, style::Arrow::kDown, false);
  style::DrawFrame(hdc, look.thumb, style::Frame::kButton);
}

}  // namespace win
