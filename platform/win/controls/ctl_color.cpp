// Control colour requests; see ctl_color.h.
#include "win/controls/ctl_color.h"

#include "gdi/wingdi.h"

namespace win {

HBRUSH DefaultControlColors(HDC hdc, UINT message) {
  bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  int back = field ? COLOR_WINDOW : COLOR_BTNFACE;
  int text = field ? COLOR_WINDOWTEXT : COLOR_BTNTEXT;
  if (hdc) {
    SetTextColor(hdc, GetSysColor(text));
    SetBkColor(hdc, GetSysColor(back));
  }
  return GetSysColorBrush(back);
}

ControlColors RequestControlColors(HWND control, HDC hdc, UINT message) {
  return RequestControlColorsOf(GetParent(control), control, hdc, message);
}

ControlColors RequestControlColorsOf(HWND parent, HWND control, HDC hdc, UINT message) {
  if (hdc) DefaultControlColors(hdc, message);  // what a parent changes starts from these
  LRESULT answer = parent && hdc ? SendMessageW(parent, message, reinterpret_cast<WPARAM>(hdc),
                                                reinterpret_cast<LPARAM>(control))
                                 : 0;
  if (answer) return {reinterpret_cast<HBRUSH>(answer), true};
  return {DefaultControlColors(hdc, message), false};
}

}  // namespace win
