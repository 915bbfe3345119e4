// Registered classes and live windows; see window_table.h.
#include "win/window_table.h"

#include <algorithm>

#include "base/ascii_case.h"
#include "win/paint.h"

namespace win {

std::u16string FoldClassName(std::u16string_view name) { return base::FoldAscii(name); }

WindowTable& WindowTable::Get() {
  static WindowTable table;
  return table;
}

Window* WindowTable::Find(HWND hwnd) {
  auto it = windows_.find(reinterpret_cast<std::uintptr_t>(hwnd));
  return it == windows_.end() ? nullptr : it->second.get();
}

Window& WindowTable::Add(std::unique_ptr<Window> window) {
  // Handles count up and are never reused, so a stale handle stays dead.
  auto key = nextHandle_;
  nextHandle_ += 4;
  window->handle = reinterpret_cast<HWND>(key);
  Window& ref = *window;
  windows_.emplace(key, std::move(window));
  return ref;
}

void WindowTable::Remove(HWND hwnd) {
  windows_.erase(reinterpret_cast<std::uintptr_t>(hwnd));
  std::erase(topLevel_, hwnd);
  if (focus == hwnd) focus = nullptr;
  if (capture == hwnd) capture = nullptr;
  if (active == hwnd) active = nullptr;
}

WindowClass* WindowTable::FindClass(std::u16string_view name) {
  auto it = classes_.find(FoldClassName(name));
  return it == classes_.end() ? nullptr : it->second.get();
}

WindowClass* WindowTable::AddClass(const WNDCLASSW& wc) {
  auto cls = std::make_unique<WindowClass>();
  cls->name = wc.lpszClassName;
  cls->wc = wc;
  cls->wc.lpszClassName = nullptr;  // the caller's string may not live on
  cls->atom = nextAtom_++;
  WindowClass* raw = cls.get();
  classes_.emplace(FoldClassName(cls->name), std::move(cls));
  return raw;
}

bool WindowTable::RemoveClass(std::u16string_view name) {
  auto it = classes_.find(FoldClassName(name));
  if (it == classes_.end() || it->second->liveWindows > 0) return false;
  classes_.erase(it);
  return true;
}

void WindowTable::Reset() {
  windows_.clear();
  classes_.clear();
  topLevel_.clear();
  focus = capture = active = nullptr;
  activationObserver = nullptr;
  ResetPainting();
}

Window* Lookup(HWND hwnd) {
  Window* w = WindowTable::Get().Find(hwnd);
  if (!w) SetLastError(ERROR_INVALID_HANDLE);
  return w;
}

void SetState(HWND hwnd, std::unique_ptr<WindowState> state) {
  if (Window* w = Lookup(hwnd)) w->state = std::move(state);
}

HWND TopLevelOf(HWND hwnd) {
  auto& table = WindowTable::Get();
  Window* w = table.Find(hwnd);
  while (w && w->parent) w = table.Find(w->parent);
  return w ? w->handle : nullptr;
}

BOOL PinToScreen(HWND child, const RECT& screen) {
  Window* w = Lookup(child);
  if (!w || !w->parent) return FALSE;
  w->pinnedToScreen = true;
  MoveWindow(child, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
             TRUE);
  return TRUE;
}

bool CanActivate(HWND hwnd) {
  Window* w = WindowTable::Get().Find(hwnd);
  return w && !(w->exStyle & WS_EX_NOACTIVATE);
}

void RaiseInZOrder(HWND hwnd) {
  auto& table = WindowTable::Get();
  Window* w = table.Find(hwnd);
  if (!w || w->parent) return;
  auto& order = table.topLevel();
  std::erase(order, hwnd);
  auto topmost = [&](HWND h) {
    Window* o = table.Find(h);
    return o && (o->exStyle & WS_EX_TOPMOST);
  };
  // Above every window of its own band, below the first topmost one.
  auto at = order.end();
  if (!(w->exStyle & WS_EX_TOPMOST))
    at = std::find_if(order.begin(), order.end(), topmost);
  order.insert(at, hwnd);
}

void SetActivationObserver(std::function<void(HWND active)> observer) {
  WindowTable::Get().activationObserver = std::move(observer);
}

}  // namespace win
