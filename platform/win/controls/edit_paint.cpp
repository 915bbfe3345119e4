// The edit painter; see edit_paint.h.
#include "win/controls/edit_paint.h"

#include "gdi/wingdi.h"
#include "win/controls/ctl_color.h"
#include "win/controls/style_painter.h"
#include "win/controls/text_metrics.h"

namespace win {
namespace {

// Draws the characters [from, to) of a line, each in its own cell as the
// edit measures it, in `color`; returns the x after them.
int DrawChars(HDC hdc, const EditLine& line, size_t from, size_t to, int x, COLORREF color,
              bool password) {
  SetTextColor(hdc, color);
  for (size_t i = from; i < to; ++i) {
    char16_t c = password ? u'*' : line.text[i];
    TextOutW(hdc, x, line.y, &c, 1);
    x += metrics::CharWidth(c);
  }
  return x;
}

void PaintLine(HDC hdc, const EditLine& line, const EditLook& look, COLORREF text) {
  size_t n = line.text.size();
  // The selected part of this line, in its own positions.
  size_t lo = look.selLo > line.start ? std::min(look.selLo - line.start, n) : 0;
  size_t hi = look.selHi > line.start ? std::min(look.selHi - line.start, n) : 0;
  bool showSelection = look.focused && hi > lo;
  int x = DrawChars(hdc, line, 0, showSelection ? lo : n, line.x, text, look.password);
  if (!showSelection) return;
  int selWidth = metrics::TextWidth(look.password ? std::u16string(hi - lo, u'*')
                                                  : std::u16string(line.text.substr(lo, hi - lo)));
  RECT band{x, line.y, x + selWidth, line.y + metrics::kLineHeight};
  COLORREF onSelection = style::FillSelection(hdc, band);
  x = DrawChars(hdc, line, lo, hi, x, onSelection, look.password);
  DrawChars(hdc, line, hi, n, x, text, look.password);
}

}  // namespace

void PaintEdit(HWND hwnd, HDC hdc, const EditLook& look) {
  if (!hdc) return;
  RECT client{};
  GetClientRect(hwnd, &client);
  // A field that cannot be typed into stands on the static background.
  UINT request = look.readOnlyOrDisabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  ControlColors colors = RequestControlColors(hwnd, hdc, request);
  FillRect(hdc, &client, colors.background);
  COLORREF text = look.enabled ? GetTextColor(hdc) : GetSysColor(COLOR_GRAYTEXT);
  SetBkMode(hdc, TRANSPARENT);
  for (const EditLine& line : look.lines) PaintLine(hdc, line, look, text);
  if (look.focused && look.caretShown) {
    RECT caret{look.caret.x, look.caret.y, look.caret.x + 1, look.caret.y + metrics::kLineHeight};
    style::FillColor(hdc, caret, GetSysColor(COLOR_WINDOWTEXT));
  }
}

}  // namespace win
