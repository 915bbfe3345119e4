// Keyboard focus, stylus capture and the active top-level window.
#include <algorithm>

#include "win/paint.h"
#include "win/window_table.h"

using win::Lookup;
using win::WindowTable;

HWND SetFocus(HWND hwnd) {
  auto& table = WindowTable::Get();
  const HWND original = table.focus;
  if (hwnd && (!Lookup(hwnd) || !IsWindowEnabled(hwnd))) return nullptr;
  if (hwnd == original) return original;
  if (hwnd) {
    HWND top = win::TopLevelOf(hwnd);
    if (table.active != top) {
      SetActiveWindow(top);
      if (table.focus == hwnd) return original;  // activation put it there
    }
  }
  // Activation may have moved the focus already; the change starts from there.
  HWND previous = table.focus;
  // The old window learns of the change first, then the new one; either
  // may move the focus again, and the last move wins.
  if (previous && IsWindow(previous)) SendMessageW(previous, WM_KILLFOCUS, WPARAM(hwnd), 0);
  if (hwnd && !IsWindow(hwnd)) return original;
  table.focus = hwnd;
  if (hwnd) SendMessageW(hwnd, WM_SETFOCUS, WPARAM(previous), 0);
  return original;
}

HWND GetFocus() { return WindowTable::Get().focus; }

HWND SetCapture(HWND hwnd) {
  auto& table = WindowTable::Get();
  HWND previous = table.capture;
  if (!Lookup(hwnd)) return previous;
  table.capture = hwnd;
  if (previous && previous != hwnd) SendMessageW(previous, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
  return previous;
}

BOOL ReleaseCapture() {
  auto& table = WindowTable::Get();
  HWND previous = table.capture;
  table.capture = nullptr;
  if (previous) SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return WindowTable::Get().capture; }

HWND SetActiveWindow(HWND hwnd) {
  auto& table = WindowTable::Get();
  HWND previous = table.active;
  if (hwnd) {
    if (!Lookup(hwnd)) return nullptr;
    hwnd = win::TopLevelOf(hwnd);
    if (!win::CanActivate(hwnd)) return nullptr;  // shell strips never take activation
  }
  if (hwnd == previous) return previous;
  table.active = hwnd;
  // The active window comes to the top of the screen (of its band).
  if (hwnd) {
    auto& order = table.topLevel();
    auto position = [&] { return std::find(order.begin(), order.end(), hwnd) - order.begin(); };
    auto before = position();
    win::RaiseInZOrder(hwnd);
    if (position() != before) win::InvalidateWhole(hwnd);  // raised over others
  }
  if (previous && IsWindow(previous))
    SendMessageW(previous, WM_ACTIVATE, WA_INACTIVE, LPARAM(hwnd));
  if (hwnd && table.active == hwnd) SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, LPARAM(previous));
  // The shell follows activation (the task bar shows the active window).
  if (table.activationObserver) table.activationObserver(table.active);
  return previous;
}

HWND GetActiveWindow() { return WindowTable::Get().active; }
HWND SetForegroundWindow(HWND hwnd) { return SetActiveWindow(hwnd); }
HWND GetForegroundWindow() { return GetActiveWindow(); }
