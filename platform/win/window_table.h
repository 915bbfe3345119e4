// The window system's own records: registered classes and live windows,
// keyed by handle. Internal to the platform; products use winuser.h.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "win/winuser.h"

namespace win {

// A control's instance state: one object created with the window and
// destroyed with it.
struct WindowState {
  virtual ~WindowState() = default;
};

struct WindowClass {
  std::u16string name;
  WNDCLASSW wc;
  ATOM atom = 0;
  int liveWindows = 0;
};

struct Window {
  HWND handle = nullptr;
  WindowClass* cls = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  LONG_PTR id = 0;  // control id for children, menu for top-level windows
  LONG_PTR userData = 0;
  LONG_PTR dialogLongs[3] = {0, 0, 0};  // DWL_MSGRESULT, DWL_DLGPROC, DWL_USER
  HINSTANCE instance = nullptr;
  std::u16string text;
  HICON icons[2] = {};  // WM_SETICON's ICON_SMALL and ICON_BIG
  RECT rect;  // in the parent's client coordinates; screen for top-level
  HWND parent = nullptr;
  HWND owner = nullptr;
  std::vector<HWND> children;  // z-order from the top: creation order
  bool destroying = false;
  // A child whose rect is in screen coordinates and which may lie outside
  // its parent (the menu bar at the bottom of the screen).
  bool pinnedToScreen = false;
  std::unique_ptr<WindowState> state;
  // Painting: the invalid part in window coordinates (frame included; empty
  // when none), whether the background must be erased first, and what was
  // drawn through GetDC since the last paint pass (screen coordinates).
  RECT update;
  bool erase = false;
  bool eraseRefused = false;  // the last WM_ERASEBKGND answered 0 (PAINTSTRUCT.fErase)
  std::vector<RECT> drawnDirectly;
};

// Folds ASCII letters, as class names compare.
std::u16string FoldClassName(std::u16string_view name);

class WindowTable {
 public:
  static WindowTable& Get();

  // The live window for a handle, or nullptr (handles are never reused).
  Window* Find(HWND hwnd);
  Window& Add(std::unique_ptr<Window> window);
  void Remove(HWND hwnd);

  WindowClass* FindClass(std::u16string_view name);
  WindowClass* AddClass(const WNDCLASSW& wc);
  bool RemoveClass(std::u16string_view name);

  // Top-level windows from the bottom of the screen to the top.
  std::vector<HWND>& topLevel() { return topLevel_; }

  // Forgets everything (for tests): windows, classes, focus and capture.
  void Reset();

  HWND focus = nullptr;
  HWND capture = nullptr;
  HWND active = nullptr;
  // Told of every change of the active window, after WM_ACTIVATE went out,
  // and of every new text of the active window.
  std::function<void(HWND active)> activationObserver;

 private:
  std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows_;
  std::map<std::u16string, std::unique_ptr<WindowClass>> classes_;
  std::vector<HWND> topLevel_;
  std::uintptr_t nextHandle_ = 0x10000;
  ATOM nextAtom_ = 0xC000;
};

// Finds the window or sets ERROR_INVALID_HANDLE and returns nullptr.
Window* Lookup(HWND hwnd);

// The state object of a window of the platform's own controls, or nullptr.
template <typename T>
T* StateOf(HWND hwnd) {
  Window* w = WindowTable::Get().Find(hwnd);
  return w ? dynamic_cast<T*>(w->state.get()) : nullptr;
}
void SetState(HWND hwnd, std::unique_ptr<WindowState> state);

// The top-level window that holds hwnd (hwnd itself when it has no parent).
HWND TopLevelOf(HWND hwnd);

// Places a child in screen coordinates, outside its parent's area if need
// be: its rect is taken as screen coordinates from now on, and input finds it
// before its top-level window. FALSE for a dead window or a top-level one.
BOOL PinToScreen(HWND child, const RECT& screen);

// Whether a top-level window may become the active one: shell strips
// (WS_EX_NOACTIVATE) never do.
bool CanActivate(HWND hwnd);

// Moves a top-level window to the top of its band: topmost windows
// (WS_EX_TOPMOST) stay above all others.
void RaiseInZOrder(HWND hwnd);

// Sets the activation observer (empty: none); WindowTable::Reset drops it.
void SetActivationObserver(std::function<void(HWND active)> observer);

}  // namespace win
