// The thread's message queue: posted messages, the quit request, waiting for
// input, dispatching, and nested modal loops.
#include "win/queue.h"

#include <deque>
#include <optional>

#include "win/paint.h"
#include "win/window_table.h"

namespace {

struct Queue {
  std::deque<MSG> posted;
  std::optional<int> quitCode;  // set by PostQuitMessage until WM_QUIT is taken
  win::IdleHandler idle;
  DWORD clock = 0;  // message time stamps count up
};

Queue& TheQueue() {
  static Queue queue;
  return queue;
}

bool Matches(const MSG& m, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (hwnd && m.hwnd != hwnd) return false;
  if (filterMin == 0 && filterMax == 0) return true;
  return m.message >= filterMin && m.message <= filterMax;
}

// Takes (or copies) the first matching message; WM_QUIT comes after posted
// messages.
bool Take(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove) {
  Queue& q = TheQueue();
  for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
    if (!Matches(*it, hwnd, filterMin, filterMax)) continue;
    if (msg) *msg = *it;
    if (remove) q.posted.erase(it);
    return true;
  }
  if (q.quitCode) {
    if (msg) *msg = MSG{nullptr, WM_QUIT, WPARAM(*q.quitCode), 0, q.clock, {}};
    if (remove) q.quitCode.reset();
    return true;
  }
  return false;
}

}  // namespace

namespace win {

void SetIdleHandler(IdleHandler handler) { TheQueue().idle = std::move(handler); }

void ResetQueue() {
  Queue& q = TheQueue();
  q.posted.clear();
  q.quitCode.reset();
  q.idle = nullptr;
}

bool RunNestedLoop(const std::function<bool()>& done, const std::function<bool(MSG&)>& filter) {
  MSG msg;
  while (!done()) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(int(msg.wParam));
      return false;
    }
    if (filter && filter(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace win

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd && !win::Lookup(hwnd)) return FALSE;
  Queue& q = TheQueue();
  q.posted.push_back(MSG{hwnd, message, wParam, lParam, ++q.clock, {}});
  return TRUE;
}

void PostQuitMessage(int exitCode) { TheQueue().quitCode = exitCode; }

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  Queue& q = TheQueue();
  while (!Take(msg, hwnd, filterMin, filterMax, true)) {
    // The queue is idle: the screen is brought up to date before the host
    // is asked for input, so what a person (or a test) sees is current.
    if (win::PaintPending() && Take(msg, hwnd, filterMin, filterMax, true)) break;
    if (!q.idle || !q.idle()) PostQuitMessage(0);
  }
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  return Take(msg, hwnd, filterMin, filterMax, removeFlags & PM_REMOVE) ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
  // Keyboard input arrives with its characters already (see the input
  // functions), so there is nothing to translate.
  return msg && msg->message == WM_KEYDOWN ? TRUE : FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg || !msg->hwnd) return 0;  // thread messages have no window
  return SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
