// The command bar; see command_bar.h.
//
// A pen press on a menu button opens its popup at once (the handheld does not
// wait for the release) and tracks it; the picked command is posted to the
// parent, so that a command which rebuilds or destroys the bar never runs
// inside the bar's own handler. Adornments act on release, like buttons.
#include "shell/command_bar.h"

#include <algorithm>
#include <memory>

#include "shell/redraw.h"
#include "shell/shell_paint.h"
#include "win/controls/press_tracker.h"
#include "win/controls/text_metrics.h"
#include "win/menu.h"
#include "win/screen_layout.h"
#include "win/window_table.h"

namespace {

constexpr LONG kAdornmentWidth = 24;
constexpr LONG kMenuPadding = 16;  // around a menu button's text: a finger-wide target

struct CommandBarState : win::WindowState {
  HMENU menu = nullptr;  // owned
  bool ok = false;       // CMDBAR_OK
  bool adorned = false;  // AddAdornments ran: the close button shows
  int openMenu = -1;     // the button whose popup is up
  int heldAdornment = -1;
  win::PressTracker press;
  ~CommandBarState() override {
    if (menu) DestroyMenu(menu);
  }
};

CommandBarState* StateOf(HWND bar) { return win::StateOf<CommandBarState>(bar); }

std::vector<shell::CommandBarPart> Layout(HWND bar, const CommandBarState& s) {
  using Kind = shell::CommandBarPart::Kind;
  std::vector<shell::CommandBarPart> parts;
  RECT client;
  GetClientRect(bar, &client);
  LONG x = 0;
  for (const win::MenuItemView& item : win::MenuItems(s.menu)) {
    if (item.flags & MF_SEPARATOR) continue;
    LONG width = LONG(win::metrics::TextWidth(win::WithoutMnemonics(item.text))) + kMenuPadding;
    bool greyed = item.flags & (MF_GRAYED | MF_DISABLED);
    parts.push_back({Kind::kMenu, item.text, {x, 0, x + width, client.bottom}, greyed, false});
    x += width;
  }
  LONG right = client.right;
  auto adornment = [&](Kind kind) {
    parts.push_back({kind, u"", {right - kAdornmentWidth, 0, right, client.bottom}, false, false});
    right -= kAdornmentWidth;
  };
  if (s.adorned) adornment(Kind::kClose);
  if (s.adorned && s.ok) adornment(Kind::kOk);
  for (size_t i = 0; i < parts.size(); ++i)
    parts[i].pressed = int(i) == s.openMenu || (int(i) == s.heldAdornment && s.press.pressed());
  return parts;
}

int PartAt(const std::vector<shell::CommandBarPart>& parts, POINT p) {
  for (size_t i = 0; i < parts.size(); ++i) {
    const RECT& r = parts[i].rect;
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return int(i);
  }
  return -1;
}

// The menu item behind the n-th menu button (separators have no button).
const win::MenuItemView* MenuItemOf(const std::vector<win::MenuItemView>& items, int button) {
  int n = 0;
  for (const win::MenuItemView& item : items) {
    if (item.flags & MF_SEPARATOR) continue;
    if (n++ == button) return &item;
  }
  return nullptr;
}

void PostCommand(HWND bar, UINT id) {
  if (id) PostMessageW(GetParent(bar), WM_COMMAND, WPARAM(id), 0);
}

// Opens the popup of a menu button above the bar and posts what is picked.
void OpenMenu(HWND bar, int button, const RECT& partRect) {
  CommandBarState* s = StateOf(bar);
  auto items = win::MenuItems(s->menu);
  const win::MenuItemView* item = MenuItemOf(items, button);
  if (!item) return;
  if (!item->submenu) return PostCommand(bar, item->id);  // a top-level command
  POINT at{partRect.left, 0};
  ClientToScreen(bar, &at);
  s->openMenu = button;
  shell::Redraw(bar);
  UINT chosen = UINT(TrackPopupMenu(item->submenu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_BOTTOMALIGN,
                                    at.x, at.y, 0, GetParent(bar), nullptr));
  // Tracking runs a loop: the bar may have gone meanwhile.
  if ((s = StateOf(bar)) == nullptr) return;
  s->openMenu = -1;
  shell::Redraw(bar);
  PostCommand(bar, chosen);
}

LRESULT OnCreate(HWND bar) {
  win::SetState(bar, std::make_unique<CommandBarState>());
  win::PinToScreen(bar, win::kMenuBarRect);
  return 0;
}

LRESULT OnPenDown(HWND bar, CommandBarState& s, POINT p) {
  auto parts = Layout(bar, s);
  int index = PartAt(parts, p);
  if (index < 0 || parts[size_t(index)].greyed) return 0;
  const auto& part = parts[size_t(index)];
  if (part.kind == shell::CommandBarPart::Kind::kMenu) {
    OpenMenu(bar, index, part.rect);
  } else if (s.press.Down(bar, p, part.rect)) {
    s.heldAdornment = index;
    shell::Redraw(bar);
  }
  return 0;
}

LRESULT OnPenMove(HWND bar, CommandBarState& s, POINT p) {
  if (s.press.Move(p)) shell::Redraw(bar);
  return 0;
}

LRESULT OnPenUp(HWND bar, CommandBarState& s, POINT p) {
  if (!s.press.tracking()) return 0;
  auto parts = Layout(bar, s);
  int held = s.heldAdornment;
  s.heldAdornment = -1;
  bool click = s.press.Up(p);
  shell::Redraw(bar);
  if (!click || held < 0 || size_t(held) >= parts.size()) return 0;
  if (parts[size_t(held)].kind == shell::CommandBarPart::Kind::kClose)
    PostMessageW(GetParent(bar), WM_CLOSE, 0, 0);
  else
    PostMessageW(GetParent(bar), WM_COMMAND, MAKELONG(IDOK, BN_CLICKED), 0);
  return 0;
}

LRESULT OnCaptureChanged(HWND bar, CommandBarState& s, HWND taker) {
  if (taker != bar && s.press.Cancel()) shell::Redraw(bar);
  if (taker != bar) s.heldAdornment = -1;
  return 0;
}

LRESULT CommandBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return OnCreate(bar);
  CommandBarState* s = StateOf(bar);
  if (!s) return DefWindowProcW(bar, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: return shell::OnPaint(bar, &shell::PaintCommandBar);
    case WM_LBUTTONDOWN: return OnPenDown(bar, *s, PointFromLParam(lParam));
    case WM_MOUSEMOVE: return OnPenMove(bar, *s, PointFromLParam(lParam));
    case WM_LBUTTONUP: return OnPenUp(bar, *s, PointFromLParam(lParam));
    case WM_CAPTURECHANGED: return OnCaptureChanged(bar, *s, reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcW(bar, message, wParam, lParam);
  }
}

}  // namespace

namespace shell {

void RegisterCommandBarClass() {
  win::RegisterSystemClass(kCommandBarClass, &CommandBarProc);
}

std::vector<CommandBarPart> CommandBarParts(HWND bar) {
  CommandBarState* s = StateOf(bar);
  return s ? Layout(bar, *s) : std::vector<CommandBarPart>{};
}

}  // namespace shell

HWND CommandBar_Create(HINSTANCE instance, HWND parent, int id) {
  if (!win::Lookup(parent)) return nullptr;
  shell::RegisterCommandBarClass();
  return CreateWindowExW(0, kCommandBarClass, u"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(std::intptr_t(id)), instance, nullptr);
}

BOOL CommandBar_InsertMenubar(HWND bar, HINSTANCE module, WORD menuId, int) {
  CommandBarState* s = StateOf(bar);
  if (!s) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  HMENU menu = LoadMenuW(module, reinterpret_cast<LPCWSTR>(std::uintptr_t(menuId)));
  if (!menu) return FALSE;
  if (s->menu) DestroyMenu(s->menu);
  s->menu = menu;
  shell::Redraw(bar);
  return TRUE;
}

BOOL CommandBar_AddAdornments(HWND bar, DWORD flags, UINT) {
  CommandBarState* s = StateOf(bar);
  if (!s) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  s->adorned = true;
  s->ok = s->ok || (flags & CMDBAR_OK);
  shell::Redraw(bar);
  return TRUE;
}

int CommandBar_Height(HWND bar) { return StateOf(bar) ? int(win::kMenuBarHeight) : 0; }

HMENU CommandBar_GetMenu(HWND bar, int) {
  CommandBarState* s = StateOf(bar);
  return s ? s->menu : nullptr;
}

BOOL CommandBar_Show(HWND bar, BOOL show) {
  if (!win::Lookup(bar)) return FALSE;
  ShowWindow(bar, show ? SW_SHOWNA : SW_HIDE);
  return TRUE;
}
