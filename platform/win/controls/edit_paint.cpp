// The edit painter; see edit_paint.h.
#include "win/controls/edit_paint.h"

#include <string>

#include "gdi/wingdi.h"
#include "win/controls/ctl_color.h"
#include "win/controls/style_painter.h"
#include "win/controls/text_metrics.h"

namespace win {
namespace {

// The characters [from, to) of a line as shown (stars for a password).
std::u16string Shown(const EditLine& line, size_t from, size_t to, bool password) {
  return password ? std::u16string(to - from, u'*') : std::u16string(line.text.substr(from, to - from));
}

// Where the boundary before character `k` of a line lies, as the edit
// measures it.
int XOf(const EditLine& line, size_t k, bool password) {
  return line.x + metrics::TextWidth(Shown(line, 0, k, password));
}

void DrawRun(HDC hdc, const EditLine& line, size_t from, size_t to, COLORREF color, bool password) {
  if (from >= to) return;
  std::u16string text = Shown(line, from, to, password);
  SetTextColor(hdc, color);
  TextOutW(hdc, XOf(line, from, password), line.y, text.c_str(), int(text.size()));
}

void PaintLine(HDC hdc, const EditLine& line, const EditLook& look, COLORREF text) {
  size_t n = line.text.size();
  // The selected part of this line, in its own positions.
  size_t lo = look.selLo > line.start ? std::min(look.selLo - line.start, n) : 0;
  size_t hi = look.selHi > line.start ? std::min(look.selHi - line.start, n) : 0;
  if (!look.focused || hi <= lo) {
    DrawRun(hdc, line, 0, n, text, look.password);
    return;
  }
  RECT band{XOf(line, lo, look.password), line.y, XOf(line, hi, look.password),
            line.y + metrics::kLineHeight};
  COLORREF onSelection = style::FillSelection(hdc, band);
  DrawRun(hdc, line, 0, lo, text, look.password);
  DrawRun(hdc, line, lo, hi, onSelection, look.password);
  DrawRun(hdc, line, hi, n, text, look.password);
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
