// Sending messages and the platform's default handling of them.
#include <algorithm>

#include <utility>

#include "win/controls/ctl_color.h"
#include "win/paint_surface.h"
#include "win/window_table.h"

using win::Lookup;
using win::Window;
using win::WindowTable;

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  // The procedure is read before the call: a handler may subclass or destroy
  // the window, and the handle alone is carried through.
  return CallWindowProcW(w->proc, hwnd, message, wParam, lParam);
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

namespace {

LRESULT CopyText(const std::u16string& text, WPARAM capacity, LPARAM buffer) {
  auto* out = reinterpret_cast<char16_t*>(buffer);
  if (!out || capacity == 0) return 0;
  size_t n = std::min(text.size(), size_t(capacity) - 1);
  std::copy_n(text.data(), n, out);
  out[n] = u'\0';
  return LRESULT(n);
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (cs && cs->lpszName) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_SETTEXT: {
      auto* text = reinterpret_cast<const char16_t*>(lParam);
      w->text = text ? text : u"";
      // The active window's title shows in the shell: it hears of the change.
      auto& table = WindowTable::Get();
      if (hwnd == table.active && table.activationObserver) table.activationObserver(hwnd);
      return TRUE;
    }
    case WM_GETTEXT:
      return CopyText(w->text, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return LRESULT(w->text.size());
    case WM_SETICON:  // the window keeps the handle; the caller keeps the icon
      if (wParam > ICON_BIG) return 0;
      return reinterpret_cast<LRESULT>(std::exchange(w->icons[wParam], reinterpret_cast<HICON>(lParam)));
    case WM_GETICON:
      return wParam > ICON_BIG ? 0 : reinterpret_cast<LRESULT>(w->icons[wParam]);
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return win::DefaultEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(
          win::DefaultControlColors(reinterpret_cast<HDC>(wParam), message));
    case WM_ACTIVATE:
      // An activated window without a focused descendant takes the focus.
      if (LOWORD(wParam) != WA_INACTIVE) {
        HWND focus = WindowTable::Get().focus;
        if (!focus || win::TopLevelOf(focus) != hwnd) SetFocus(hwnd);
      }
      return 0;
    default:
      return 0;
  }
}
