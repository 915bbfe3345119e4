// The button painter; see button_paint.h.
#include "win/controls/button_paint.h"

#include <algorithm>

#include "gdi/wingdi.h"
#include "win/controls/button.h"
#include "win/controls/ctl_color.h"
#include "win/controls/style_painter.h"

namespace win {
namespace {

constexpr int kBoxSize = 13;  // check box and radio button mark
constexpr int kBoxGap = 4;    // between the box and the text

enum class Shape { kPush, kCheck, kRadio, kGroup };

// The shape of each BS_TYPEMASK value (owner-drawn never reaches here).
Shape ShapeOf(DWORD style) {
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return (style & BS_PUSHLIKE) ? Shape::kPush : Shape::kCheck;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return (style & BS_PUSHLIKE) ? Shape::kPush : Shape::kRadio;
    case BS_GROUPBOX:
      return Shape::kGroup;
    default:
      return Shape::kPush;
  }
}

void DrawLabel(HDC hdc, const std::u16string& text, RECT r, UINT format, COLORREF color) {
  if (text.empty()) return;
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, color);
  DrawTextW(hdc, text.c_str(), int(text.size()), &r, format | DT_SINGLELINE | DT_NOPREFIX);
}

COLORREF LabelColor(const ButtonLook& look, COLORREF normal) {
  return look.enabled ? normal : GetSysColor(COLOR_GRAYTEXT);
}

UINT HorizontalAlign(DWORD style, UINT fallback) {
  switch (style & BS_CENTER) {
    case BS_LEFT: return DT_LEFT;
    case BS_RIGHT: return DT_RIGHT;
    case BS_CENTER: return DT_CENTER;
    default: return fallback;
  }
}

void PaintPush(HWND hwnd, HDC hdc, const ButtonLook& look, const RECT& client) {
  ControlColors colors = RequestControlColors(hwnd, hdc, WM_CTLCOLORBTN);
  style::Frame kind = look.pushed ? style::Frame::kPressed
                      : (look.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? style::Frame::kDefaultButton
                                                                       : style::Frame::kButton;
  bool checkedLike = ShapeOf(look.style & ~DWORD(BS_PUSHLIKE)) != Shape::kPush &&
                     look.check == BST_CHECKED;
  if (checkedLike) kind = style::Frame::kPressed;
  RECT inside = style::DrawFrame(hdc, client, kind);
  // A parent's own brush colours the face (not the inverted, held look).
  if (colors.fromParent && kind != style::Frame::kPressed) FillRect(hdc, &inside, colors.background);
  if ((look.style & BS_BITMAP) && look.bitmap) {
    DrawBitmapCentred(hdc, look.bitmap, inside);
  } else {
    DrawLabel(hdc, look.text, inside, HorizontalAlign(look.style, DT_CENTER) | DT_VCENTER,
              LabelColor(look, style::TextColor(kind)));
  }
  if (look.focused) {
    RECT mark = inside;
    InflateRect(&mark, -2, -2);
    style::DrawFocus(hdc, mark);
  }
}

void PaintBox(HWND hwnd, HDC hdc, const ButtonLook& look, const RECT& client, Shape shape) {
  ControlColors colors = RequestControlColors(hwnd, hdc, WM_CTLCOLORSTATIC);
  FillRect(hdc, &client, colors.background);
  COLORREF text = GetTextColor(hdc);
  LONG top = (client.top + client.bottom - kBoxSize) / 2;
  RECT box{client.left, top, client.left + kBoxSize, top + kBoxSize};
  RECT inside = style::DrawFrame(hdc, box, style::Frame::kCheckBox);
  if (look.pushed) style::FillColor(hdc, inside, GetSysColor(COLOR_BTNFACE));
  COLORREF mark = LabelColor(look, style::TextColor(style::Frame::kCheckBox));
  if (shape == Shape::kRadio && look.check == BST_CHECKED) {
    RECT dot = inside;
    InflateRect(&dot, -3, -3);
    style::FillColor(hdc, dot, mark);
  } else if (look.check == BST_CHECKED) {
    style::DrawTick(hdc, inside, mark);
  } else if (look.check == BST_INDETERMINATE) {
    RECT grey = inside;
    InflateRect(&grey, -2, -2);
    style::FillColor(hdc, grey, GetSysColor(COLOR_GRAYTEXT));
  }
  RECT label{box.right + kBoxGap, client.top, client.right, client.bottom};
  DrawLabel(hdc, look.text, label, HorizontalAlign(look.style, DT_LEFT) | DT_VCENTER,
            LabelColor(look, text));
  if (look.focused) {
    SIZE extent{};
    GetTextExtentPoint32W(hdc, look.text.c_str(), int(look.text.size()), &extent);
    RECT mark2{label.left - 1, client.top, std::min(label.right, label.left + extent.cx + 1),
               client.bottom};
    style::DrawFocus(hdc, mark2);
  }
}

void PaintGroup(HWND hwnd, HDC hdc, const ButtonLook& look, const RECT& client) {
  ControlColors colors = RequestControlColors(hwnd, hdc, WM_CTLCOLORSTATIC);
  COLORREF text = GetTextColor(hdc);
  TEXTMETRICW tm{};
  GetTextMetricsW(hdc, &tm);
  LONG half = tm.tmHeight / 2;
  RECT frame{client.left, client.top + half, client.right, client.bottom};
  FrameRect(hdc, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
  if (look.text.empty()) return;
  SIZE extent{};
  GetTextExtentPoint32W(hdc, look.text.c_str(), int(look.text.size()), &extent);
  RECT label{client.left + 6, client.top, client.left + 10 + extent.cx, client.top + tm.tmHeight};
  FillRect(hdc, &label, colors.background);
  InflateRect(&label, -2, 0);
  DrawLabel(hdc, look.text, label, DT_LEFT | DT_TOP, LabelColor(look, text));
}

}  // namespace

void DrawBitmapCentred(HDC hdc, HBITMAP bitmap, const RECT& r) {
  if (!hdc || !bitmap) return;
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return;
  LONG x = r.left + std::max<LONG>(0, (r.right - r.left - info.bmWidth) / 2);
  LONG y = r.top + std::max<LONG>(0, (r.bottom - r.top - info.bmHeight) / 2);
  HDC memory = CreateCompatibleDC(hdc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(hdc, x, y, std::min<LONG>(info.bmWidth, r.right - x), std::min<LONG>(info.bmHeight, r.bottom - y),
         memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void PaintButton(HWND hwnd, HDC hdc, const ButtonLook& look) {
  if (!hdc) return;
  RECT client{};
  GetClientRect(hwnd, &client);
  switch (Shape shape = ShapeOf(look.style)) {
    case Shape::kPush: PaintPush(hwnd, hdc, look, client); break;
    case Shape::kCheck:
    case Shape::kRadio: PaintBox(hwnd, hdc, look, client, shape); break;
    case Shape::kGroup: PaintGroup(hwnd, hdc, look, client); break;
  }
}

}  // namespace win
