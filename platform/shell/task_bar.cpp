// The task bar; see task_bar.h. Title and "ok" are read from the active
// window whenever they are needed, so a title or style changed after
// activation shows at the next repaint; activation itself triggers one.
#include "shell/task_bar.h"

#include <memory>

#include "shell/redraw.h"
#include "shell/shell_paint.h"
#include "win/controls/press_tracker.h"
#include "win/screen_layout.h"
#include "win/window_table.h"

namespace {

constexpr LONG kOkWidth = 32;

struct TaskBarState : win::WindowState {
  win::PressTracker press;
};

HWND g_taskBar = nullptr;  // handles are never reused: a dead one stays dead

TaskBarState* State() { return win::StateOf<TaskBarState>(g_taskBar); }

bool WantsOk(HWND hwnd) {
  return hwnd && (DWORD(GetWindowLongW(hwnd, GWL_EXSTYLE)) & WS_EX_CAPTIONOKBTN);
}

RECT OkRect() {
  const RECT& bar = win::kTaskBarRect;
  return {bar.right - kOkWidth, bar.top, bar.right, bar.bottom};
}

LRESULT OnPenDown(HWND bar, TaskBarState& s, POINT p) {
  if (WantsOk(GetActiveWindow()) && s.press.Down(bar, p, OkRect())) shell::Redraw(bar);
  return 0;
}

LRESULT OnPenMove(HWND bar, TaskBarState& s, POINT p) {
  if (s.press.Move(p)) shell::Redraw(bar);
  return 0;
}

LRESULT OnPenUp(HWND bar, TaskBarState& s, POINT p) {
  if (!s.press.tracking()) return 0;
  bool click = s.press.Up(p);
  shell::Redraw(bar);
  HWND active = GetActiveWindow();
  if (click && WantsOk(active)) PostMessageW(active, WM_COMMAND, MAKELONG(IDOK, BN_CLICKED), 0);
  return 0;
}

LRESULT OnCaptureChanged(HWND bar, TaskBarState& s, HWND taker) {
  if (taker != bar && s.press.Cancel()) shell::Redraw(bar);
  return 0;
}

LRESULT TaskBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    win::SetState(bar, std::make_unique<TaskBarState>());
    return 0;
  }
  TaskBarState* s = win::StateOf<TaskBarState>(bar);
  if (!s) return DefWindowProcW(bar, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: return shell::OnPaint(bar, &shell::PaintTaskBar);
    case WM_LBUTTONDOWN: return OnPenDown(bar, *s, PointFromLParam(lParam));
    case WM_MOUSEMOVE: return OnPenMove(bar, *s, PointFromLParam(lParam));
    case WM_LBUTTONUP: return OnPenUp(bar, *s, PointFromLParam(lParam));
    case WM_CAPTURECHANGED: return OnCaptureChanged(bar, *s, reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcW(bar, message, wParam, lParam);
  }
}

}  // namespace

namespace shell {

void RegisterTaskBarClass() {
  win::RegisterSystemClass(kTaskBarClass, &TaskBarProc);
}

HWND TaskBar() { return IsWindow(g_taskBar) ? g_taskBar : nullptr; }

HWND CreateTaskBar() {
  if (HWND existing = TaskBar()) return existing;
  RegisterTaskBarClass();
  const RECT& r = win::kTaskBarRect;
  g_taskBar = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kTaskBarClass, u"", WS_POPUP,
                              r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                              nullptr, nullptr);
  if (!g_taskBar) return nullptr;
  ShowWindow(g_taskBar, SW_SHOWNA);
  win::SetActivationObserver([](HWND) {
    if (HWND bar = TaskBar()) Redraw(bar);
  });
  return g_taskBar;
}

TaskBarLook LookOfTaskBar() {
  TaskBarLook look;
  HWND active = GetActiveWindow();
  if (active) look.title = WindowText(active);
  look.ok = WantsOk(active);
  look.okRect = OkRect();
  if (TaskBarState* s = State()) look.okPressed = look.ok && s->press.pressed();
  return look;
}

}  // namespace shell
