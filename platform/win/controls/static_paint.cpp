// The static painter; see static_paint.h.
#include "win/controls/static_paint.h"

#include <array>

#include "gdi/wingdi.h"
#include "win/controls/button_paint.h"
#include "win/controls/ctl_color.h"
#include "win/controls/style_painter.h"

namespace win {
namespace {

enum class Draw { kText, kBitmap, kFill, kFrame, kNothing };

// What each SS_TYPEMASK value draws: DrawText's format for text, the system
// colour of a plain rectangle or frame.
struct StaticPaint {
  Draw draw;
  UINT format;
  int color;
};

constexpr UINT kWrap = DT_WORDBREAK;
constexpr UINT kLine = DT_SINGLELINE;

// clang-format off
constexpr std::array<StaticPaint, 0x13> kPaints{{
    /* SS_LEFT           0x00 */ {Draw::kText,    DT_LEFT | kWrap,   0},
    /* SS_CENTER         0x01 */ {Draw::kText,    DT_CENTER | kWrap, 0},
    /* SS_RIGHT          0x02 */ {Draw::kText,    DT_RIGHT | kWrap,  0},
    /* SS_ICON           0x03 */ {Draw::kNothing, 0,                 0},
    /* SS_BLACKRECT      0x04 */ {Draw::kFill,    0,                 COLOR_WINDOWFRAME},
    /* SS_GRAYRECT       0x05 */ {Draw::kFill,    0,                 COLOR_BTNSHADOW},
    /* SS_WHITERECT      0x06 */ {Draw::kFill,    0,                 COLOR_WINDOW},
    /* SS_BLACKFRAME     0x07 */ {Draw::kFrame,   0,                 COLOR_WINDOWFRAME},
    /* SS_GRAYFRAME      0x08 */ {Draw::kFrame,   0,                 COLOR_BTNSHADOW},
    /* SS_WHITEFRAME     0x09 */ {Draw::kFrame,   0,                 COLOR_WINDOW},
    /* SS_USERITEM       0x0A */ {Draw::kNothing, 0,                 0},
    /* SS_SIMPLE         0x0B */ {Draw::kText,    DT_LEFT | kLine,   0},
    /* SS_LEFTNOWORDWRAP 0x0C */ {Draw::kText,    DT_LEFT | kLine,   0},
    /* SS_OWNERDRAW      0x0D */ {Draw::kNothing, 0,                 0},
    /* SS_BITMAP         0x0E */ {Draw::kBitmap,  0,                 0},
    /* SS_ENHMETAFILE    0x0F */ {Draw::kNothing, 0,                 0},
    /* SS_ETCHEDHORZ     0x10 */ {Draw::kFrame,   0,                 COLOR_BTNSHADOW},
    /* SS_ETCHEDVERT     0x11 */ {Draw::kFrame,   0,                 COLOR_BTNSHADOW},
    /* SS_ETCHEDFRAME    0x12 */ {Draw::kFrame,   0,                 COLOR_BTNSHADOW},
}};
// clang-format on

constexpr StaticPaint kUnknown{Draw::kNothing, 0, 0};

void PaintText(HDC hdc, const StaticLook& look, RECT client, UINT format) {
  if (look.text.empty()) return;
  if (!look.enabled) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(hdc, TRANSPARENT);
  if (look.style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (look.style & SS_CENTERIMAGE) format = (format & ~DWORD(kWrap)) | kLine | DT_VCENTER;
  DrawTextW(hdc, look.text.c_str(), int(look.text.size()), &client, format);
}

void PaintBitmap(HDC hdc, const StaticLook& look, const RECT& client) {
  if (!look.bitmap) return;
  if (look.style & SS_CENTERIMAGE) {
    DrawBitmapCentred(hdc, look.bitmap, client);
    return;
  }
  BITMAP info{};
  if (!GetObjectW(look.bitmap, sizeof info, &info)) return;
  HDC memory = CreateCompatibleDC(hdc);
  HGDIOBJ old = SelectObject(memory, look.bitmap);
  BitBlt(hdc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace

void PaintStatic(HWND hwnd, HDC hdc, const StaticLook& look) {
  if (!hdc) return;
  DWORD type = look.style & SS_TYPEMASK;
  const StaticPaint& paint = type < kPaints.size() ? kPaints[type] : kUnknown;
  RECT client{};
  GetClientRect(hwnd, &client);
  ControlColors colors = RequestControlColors(hwnd, hdc, WM_CTLCOLORSTATIC);
  switch (paint.draw) {
    case Draw::kText:
      FillRect(hdc, &client, colors.background);
      PaintText(hdc, look, client, paint.format);
      break;
    case Draw::kBitmap:
      FillRect(hdc, &client, colors.background);
      PaintBitmap(hdc, look, client);
      break;
    case Draw::kFill:
      style::FillColor(hdc, client, GetSysColor(paint.color));
      break;
    case Draw::kFrame:
      FrameRect(hdc, &client, GetSysColorBrush(paint.color));
      break;
    case Draw::kNothing:
      break;
  }
}

}  // namespace win
