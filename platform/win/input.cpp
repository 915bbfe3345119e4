// Routing host and robot input to windows; see input.h.
#include "win/input.h"

#include "win/window_table.h"

namespace win {
namespace {

bool Inside(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

HWND DeepestChildAt(HWND hwnd, POINT screen) {
  Window* w = WindowTable::Get().Find(hwnd);
  if (!w) return nullptr;
  for (HWND child : w->children) {
    RECT r;
    if (IsWindowVisible(child) && GetWindowRect(child, &r) && Inside(r, screen))
      return DeepestChildAt(child, screen);
  }
  return hwnd;
}

bool EnabledWithAncestors(HWND hwnd) {
  for (HWND h = hwnd; h; h = (WindowTable::Get().Find(h) ? WindowTable::Get().Find(h)->parent : nullptr))
    if (!IsWindowEnabled(h)) return false;
  return true;
}

LPARAM PackPoint(POINT p) { return LPARAM(MAKELONG(WORD(p.x), WORD(p.y))); }

// A visible child of `top` placed in screen coordinates (a menu bar) that
// holds the point, searched before the top-level window's own area.
HWND PinnedChildAt(HWND top, POINT screen) {
  Window* w = WindowTable::Get().Find(top);
  if (!w) return nullptr;
  for (HWND child : w->children) {
    Window* c = WindowTable::Get().Find(child);
    RECT r;
    if (c && c->pinnedToScreen && IsWindowVisible(child) && GetWindowRect(child, &r) &&
        Inside(r, screen))
      return DeepestChildAt(child, screen);
  }
  return nullptr;
}

}  // namespace

HWND WindowFromPoint(POINT screen) {
  const auto& order = WindowTable::Get().topLevel();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    if (!IsWindowVisible(*it)) continue;
    if (HWND pinned = PinnedChildAt(*it, screen)) return pinned;
    RECT r;
    if (GetWindowRect(*it, &r) && Inside(r, screen)) return DeepestChildAt(*it, screen);
  }
  return nullptr;
}

HWND PostStylus(UINT message, POINT screen) {
  HWND target = GetCapture();
  if (!target) target = WindowFromPoint(screen);
  if (!target || (!GetCapture() && !EnabledWithAncestors(target))) return nullptr;
  POINT client = screen;
  ScreenToClient(target, &client);
  WPARAM keys = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
  PostMessageW(target, message, keys, PackPoint(client));
  return target;
}

HWND PostKey(UINT virtualKey, char16_t character) {
  HWND focus = GetFocus();
  if (!focus) return nullptr;
  PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
  if (character) PostMessageW(focus, WM_CHAR, character, 1);
  PostMessageW(focus, WM_KEYUP, virtualKey, LPARAM(0xC0000001));
  return focus;
}

HWND PostText(std::u16string_view text) {
  HWND focus = GetFocus();
  if (!focus) return nullptr;
  for (char16_t c : text) PostMessageW(focus, WM_CHAR, c, 1);
  return focus;
}

}  // namespace win
