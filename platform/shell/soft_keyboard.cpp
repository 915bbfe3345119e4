// The soft input panel; see soft_keyboard.h.
#include "shell/soft_keyboard.h"

#include <memory>

#include "shell/redraw.h"
#include "shell/shell_paint.h"
#include "win/controls/press_tracker.h"
#include "win/input.h"
#include "win/screen_layout.h"
#include "win/window_table.h"

namespace {

constexpr LONG kKeyWidth = 20;  // one column of the 12-column grid
constexpr LONG kKeyHeight = 20;
constexpr LONG kRows = 4;
constexpr LONG kPanelHeight = kRows * kKeyHeight;

struct Panel {
  HWND window = nullptr;
  DWORD lockedFlag = 0;  // SIPF_LOCKED as last written
  bool shifted = false;
};

Panel& ThePanel() {
  static Panel panel;
  return panel;
}

struct PanelState : win::WindowState {
  win::PressTracker press;
  int held = -1;
};

// One row of the grid: keys and their widths in columns.
struct KeySpec {
  const char16_t* label;
  UINT vk;
  char16_t ch;
  int columns;
};

std::vector<shell::SoftKey> BuildKeys() {
  std::vector<std::vector<KeySpec>> rows(kRows);
  for (char16_t c = u'1'; c <= u'9'; ++c) rows[0].push_back({nullptr, UINT(c), c, 1});
  rows[0].push_back({nullptr, UINT(u'0'), u'0', 1});
  rows[0].push_back({u"\u2190", VK_BACK, u'\b', 2});  // Backspace types its character
  for (char16_t c : std::u16string_view(u"qwertyuiop")) rows[1].push_back({nullptr, UINT(c - 32), c, 1});
  rows[1].push_back({u"\u21B5", VK_RETURN, u'\r', 2});
  for (char16_t c : std::u16string_view(u"asdfghjkl")) rows[2].push_back({nullptr, UINT(c - 32), c, 1});
  rows[2].push_back({u"Shift", VK_SHIFT, 0, 3});
  for (char16_t c : std::u16string_view(u"zxcvbnm")) rows[3].push_back({nullptr, UINT(c - 32), c, 1});
  rows[3].push_back({u"space", VK_SPACE, u' ', 5});

  std::vector<shell::SoftKey> keys;
  for (LONG row = 0; row < kRows; ++row) {
    LONG x = 0;
    for (const KeySpec& k : rows[size_t(row)]) {
      LONG width = k.columns * kKeyWidth;
      std::u16string label = k.label ? k.label : std::u16string(1, k.ch);
      keys.push_back({label, k.vk, k.ch, {x, row * kKeyHeight, x + width, (row + 1) * kKeyHeight}});
      x += width;
    }
  }
  return keys;
}

int KeyAt(POINT p) {
  const auto& keys = shell::SoftKeys();
  for (size_t i = 0; i < keys.size(); ++i) {
    const RECT& r = keys[i].rect;
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return int(i);
  }
  return -1;
}

// Types a key into the focus window; Shift raises the next letter.
void Type(const shell::SoftKey& key) {
  Panel& panel = ThePanel();
  if (key.virtualKey == VK_SHIFT) {
    panel.shifted = !panel.shifted;
    return;
  }
  char16_t c = key.character;
  if (panel.shifted && c >= u'a' && c <= u'z') c = char16_t(c - 32);
  panel.shifted = false;
  win::PostKey(key.virtualKey, c);
}

LRESULT OnPenDown(HWND hwnd, PanelState& s, POINT p) {
  int key = KeyAt(p);
  if (key >= 0 && s.press.Down(hwnd, p, shell::SoftKeys()[size_t(key)].rect)) {
    s.held = key;
    shell::Redraw(hwnd);
  }
  return 0;
}

LRESULT OnPenMove(HWND hwnd, PanelState& s, POINT p) {
  if (s.press.Move(p)) shell::Redraw(hwnd);
  return 0;
}

LRESULT OnPenUp(HWND hwnd, PanelState& s, POINT p) {
  if (!s.press.tracking()) return 0;
  int key = s.held;
  s.held = -1;
  bool click = s.press.Up(p);
  shell::Redraw(hwnd);
  if (click && key >= 0) Type(shell::SoftKeys()[size_t(key)]);
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, PanelState& s, HWND taker) {
  if (taker == hwnd) return 0;
  s.held = -1;
  if (s.press.Cancel()) shell::Redraw(hwnd);
  return 0;
}

LRESULT PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    win::SetState(hwnd, std::make_unique<PanelState>());
    return 0;
  }
  PanelState* s = win::StateOf<PanelState>(hwnd);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: return shell::OnPaint(hwnd, &shell::PaintSoftKeyboard);
    case WM_LBUTTONDOWN: return OnPenDown(hwnd, *s, PointFromLParam(lParam));
    case WM_MOUSEMOVE: return OnPenMove(hwnd, *s, PointFromLParam(lParam));
    case WM_LBUTTONUP: return OnPenUp(hwnd, *s, PointFromLParam(lParam));
    case WM_CAPTURECHANGED: return OnCaptureChanged(hwnd, *s, reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

HWND EnsurePanel() {
  Panel& panel = ThePanel();
  if (IsWindow(panel.window)) return panel.window;
  shell::RegisterSoftKeyboardClass();
  RECT r = shell::SoftKeyboardRect();
  panel.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kSoftKeyboardClass, u"Input Panel",
                                 WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                 nullptr, nullptr, nullptr, nullptr);
  return panel.window;
}

bool PanelShown() { return IsWindowVisible(ThePanel().window); }

BOOL ShowPanel(bool show) {
  if (!show) {
    if (IsWindow(ThePanel().window)) ShowWindow(ThePanel().window, SW_HIDE);
    return TRUE;
  }
  HWND panel = EnsurePanel();
  if (!panel) return FALSE;
  ShowWindow(panel, SW_SHOWNA);
  return TRUE;
}

}  // namespace

namespace shell {

const std::vector<SoftKey>& SoftKeys() {
  static const std::vector<SoftKey> keys = BuildKeys();
  return keys;
}

bool SoftKeyboardShifted() { return ThePanel().shifted; }

HWND SoftKeyboard() { return IsWindow(ThePanel().window) ? ThePanel().window : nullptr; }

RECT SoftKeyboardRect() {
  const RECT& work = win::kWorkArea;
  return {work.left, work.bottom - kPanelHeight, work.right, work.bottom};
}

int SoftKeyboardHeldKey() {
  PanelState* s = win::StateOf<PanelState>(ThePanel().window);
  return s && s->press.pressed() ? s->held : -1;
}

void RegisterSoftKeyboardClass() {
  win::RegisterSystemClass(kSoftKeyboardClass, &PanelProc);
}

void ResetSoftKeyboard() { ThePanel() = Panel{}; }

}  // namespace shell

BOOL SipShowIM(DWORD flags) {
  if (flags != SIPF_ON && flags != SIPF_OFF) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return ShowPanel(flags == SIPF_ON);
}

BOOL SHSipInfo(UINT action, UINT, void* info, UINT) {
  auto* sip = static_cast<SIPINFO*>(info);
  if ((action != SPI_GETSIPINFO && action != SPI_SETSIPINFO) || !sip ||
      sip->cbSize != sizeof(SIPINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Panel& panel = ThePanel();
  if (action == SPI_SETSIPINFO) {
    panel.lockedFlag = sip->fdwFlags & SIPF_LOCKED;
    return ShowPanel(sip->fdwFlags & SIPF_ON);
  }
  bool on = PanelShown();
  sip->fdwFlags = SIPF_DOCKED | panel.lockedFlag | (on ? SIPF_ON : SIPF_OFF);
  sip->rcSipRect = shell::SoftKeyboardRect();
  sip->rcVisibleDesktop = win::kWorkArea;
  if (on) sip->rcVisibleDesktop.bottom = sip->rcSipRect.top;
  sip->dwImDataSize = 0;
  sip->pvImData = nullptr;
  return TRUE;
}
