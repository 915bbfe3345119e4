// The up-down painter; see updown_paint.h.
#include "win/controls/updown_paint.h"

#include "gdi/wingdi.h"
#include "win/controls/style_painter.h"

namespace win {
namespace {

void PaintButton(HDC hdc, const RECT& r, style::Arrow dir, bool pressed, bool enabled) {
  style::Frame kind = pressed ? style::Frame::kPressed : style::Frame::kArrow;
  style::DrawFrame(hdc, r, kind);
  style::DrawArrow(hdc, r, dir, enabled ? style::TextColor(kind) : GetSysColor(COLOR_GRAYTEXT));
}

}  // namespace

void PaintUpDown(HDC hdc, const UpDownLook& look) {
  if (!hdc) return;
  // The buttons share the line between them, as the frames of one control.
  RECT second = look.second;
  if (look.across) second.left -= 1;
  else second.top -= 1;
  PaintButton(hdc, look.first, look.across ? style::Arrow::kLeft : style::Arrow::kUp,
              look.firstPressed, look.enabled);
  PaintButton(hdc, second, look.across ? style::Arrow::kRight : style::Arrow::kDown,
              look.secondPressed, look.enabled);
}

}  // namespace win
