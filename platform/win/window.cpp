// Window classes, creation and destruction, and window attributes: the
// tree, window longs, text, rectangles, visibility and enabled state.
#include <algorithm>
#include <cstring>

#include "win/paint.h"
#include "win/window_table.h"

using win::Lookup;
using win::Window;
using win::WindowTable;

namespace {

std::u16string_view View(LPCWSTR text) { return text ? std::u16string_view(text) : u""; }

// Pixels the frame takes on each side of the client area. Top-level windows
// have none: the handheld shows their caption in the task bar and draws no
// frame around them.
LONG FrameWidth(const Window& w) {
  if (!w.parent) return 0;
  LONG width = 0;
  if (w.style & WS_BORDER) width += 1;
  if (w.exStyle & WS_EX_CLIENTEDGE) width += 2;
  return width;
}

// Origin of the window's client area in screen coordinates.
POINT ClientOrigin(const Window& w) {
  POINT origin{w.rect.left + FrameWidth(w), w.rect.top + FrameWidth(w)};
  if (w.pinnedToScreen) return origin;
  if (Window* parent = WindowTable::Get().Find(w.parent)) {
    POINT p = ClientOrigin(*parent);
    origin.x += p.x;
    origin.y += p.y;
  }
  return origin;
}

void DestroyTree(HWND hwnd);

}  // namespace

ATOM RegisterClassW(const WNDCLASSW* wc) {
  auto& table = WindowTable::Get();
  if (!wc || !wc->lpfnWndProc || View(wc->lpszClassName).empty() ||
      table.FindClass(wc->lpszClassName)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return table.AddClass(*wc)->atom;
}

void win::RegisterSystemClass(LPCWSTR className, WNDPROC proc) {
  if (View(className).empty() || WindowTable::Get().FindClass(View(className))) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.lpszClassName = className;
  RegisterClassW(&wc);
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  return WindowTable::Get().RemoveClass(View(className)) ? TRUE : FALSE;
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR className, WNDCLASSW* wc) {
  win::WindowClass* cls = WindowTable::Get().FindClass(View(className));
  if (!cls || !wc) return FALSE;
  *wc = cls->wc;
  wc->lpszClassName = cls->name.c_str();
  return TRUE;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount) {
  Window* w = Lookup(hwnd);
  if (!w || !buffer || maxCount <= 0) return 0;
  size_t n = std::min(w->cls->name.size(), size_t(maxCount - 1));
  std::copy_n(w->cls->name.data(), n, buffer);
  buffer[n] = u'\0';
  return int(n);
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  auto& table = WindowTable::Get();
  win::WindowClass* cls = table.FindClass(View(className));
  if (!cls) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Window* parentWindow = parent ? Lookup(parent) : nullptr;
  if (parent && !parentWindow) return nullptr;

  auto owned = std::make_unique<Window>();
  owned->cls = cls;
  owned->proc = cls->wc.lpfnWndProc;
  owned->style = style;
  owned->exStyle = exStyle;
  owned->instance = instance;
  owned->id = reinterpret_cast<LONG_PTR>(menu);
  owned->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
  if (style & WS_CHILD) {
    owned->parent = parent;
  } else {
    owned->owner = parent ? win::TopLevelOf(parent) : nullptr;
  }
  if ((style & WS_CHILD) && !parentWindow) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Window& w = table.Add(std::move(owned));
  HWND hwnd = w.handle;
  ++cls->liveWindows;
  if (w.parent) {
    parentWindow->children.push_back(hwnd);
  } else {
    win::RaiseInZOrder(hwnd);
  }

  CREATESTRUCTW cs{param, instance, menu, parent, height, width, y, x, LONG(style), windowName,
                   className, exStyle};
  auto csParam = reinterpret_cast<LPARAM>(&cs);
  if (!SendMessageW(hwnd, WM_NCCREATE, 0, csParam) || SendMessageW(hwnd, WM_CREATE, 0, csParam) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if (!IsWindow(hwnd)) return nullptr;  // a handler destroyed it
  win::InvalidateWhole(hwnd);
  if (!(style & WS_CHILD) && (style & WS_VISIBLE) && win::CanActivate(hwnd)) SetActiveWindow(hwnd);
  return hwnd;
}

namespace {

void DestroyTree(HWND hwnd) {
  auto& table = WindowTable::Get();
  Window* w = table.Find(hwnd);
  if (!w || w->destroying) return;
  w->destroying = true;
  SendMessageW(hwnd, WM_DESTROY, 0, 0);
  if ((w = table.Find(hwnd)) == nullptr) return;
  for (HWND child : std::vector<HWND>(w->children)) DestroyTree(child);
  SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
  if ((w = table.Find(hwnd)) == nullptr) return;
  if (Window* parent = table.Find(w->parent)) std::erase(parent->children, hwnd);
  --w->cls->liveWindows;
  table.Remove(hwnd);
}

bool Contains(HWND ancestor, HWND hwnd) {
  auto& table = WindowTable::Get();
  for (Window* w = table.Find(hwnd); w; w = table.Find(w->parent))
    if (w->handle == ancestor) return true;
  return false;
}

}  // namespace

BOOL DestroyWindow(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  auto& table = WindowTable::Get();
  // Owned top-level windows go first, as the platform does.
  for (HWND other : std::vector<HWND>(table.topLevel()))
    if (Window* o = table.Find(other); o && o->owner == hwnd) DestroyWindow(other);
  if (table.focus && Contains(hwnd, table.focus)) SetFocus(nullptr);
  if (table.capture && Contains(hwnd, table.capture)) ReleaseCapture();
  bool wasActive = table.active == hwnd;
  HWND owner = w->owner;
  if (IsWindowVisible(hwnd)) win::ExposeScreen(win::VisibleScreenRect(hwnd));
  DestroyTree(hwnd);
  if (wasActive) {
    // The owner, or else the topmost remaining visible window, takes over.
    HWND next = IsWindowVisible(owner) ? owner : nullptr;
    for (auto it = table.topLevel().rbegin(); !next && it != table.topLevel().rend(); ++it)
      if (IsWindowVisible(*it) && win::CanActivate(*it)) next = *it;
    if (next) SetActiveWindow(next);
    else if (table.activationObserver) table.activationObserver(nullptr);  // none is active now
  }
  return TRUE;
}

BOOL IsWindow(HWND hwnd) { return WindowTable::Get().Find(hwnd) ? TRUE : FALSE; }

HWND GetParent(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  return w->parent ? w->parent : w->owner;
}

HWND GetDlgItem(HWND dialog, int id) {
  Window* w = Lookup(dialog);
  if (!w) return nullptr;
  for (HWND child : w->children)
    if (Window* c = WindowTable::Get().Find(child); c && c->id == id) return child;
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  Window* w = Lookup(hwnd);
  return w ? int(w->id) : 0;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  auto& table = WindowTable::Get();
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (relation == GW_OWNER) return w->owner;
  Window* parent = table.Find(w->parent);
  if (!parent) return nullptr;  // siblings of top-level windows: not needed here
  const auto& siblings = parent->children;
  auto it = std::find(siblings.begin(), siblings.end(), hwnd);
  switch (relation) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return it + 1 < siblings.end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV: return it > siblings.begin() ? *(it - 1) : nullptr;
    default: return nullptr;
  }
}

BOOL IsChild(HWND parent, HWND hwnd) {
  return hwnd != parent && IsWindow(parent) && Contains(parent, hwnd) ? TRUE : FALSE;
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    case GWL_ID: return w->id;
    case GWL_STYLE: return LONG(w->style);
    case GWL_EXSTYLE: return LONG(w->exStyle);
    case GWL_USERDATA: return w->userData;
    case DWL_MSGRESULT: return w->dialogLongs[0];
    case DWL_DLGPROC: return w->dialogLongs[1];
    case DWL_USER: return w->dialogLongs[2];
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
  }
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  Window* w = Lookup(hwnd);
  if (!w) return 0;
  LONG_PTR previous = GetWindowLongPtrW(hwnd, index);
  switch (index) {
    case GWL_WNDPROC:
      // Subclassing: the new procedure must be callable; null is refused.
      if (!value) return 0;
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWL_ID: w->id = value; break;
    case GWL_STYLE: w->style = DWORD(value); break;
    case GWL_EXSTYLE: w->exStyle = DWORD(value); break;
    case GWL_USERDATA: w->userData = value; break;
    case DWL_MSGRESULT: w->dialogLongs[0] = value; break;
    case DWL_DLGPROC: w->dialogLongs[1] = value; break;
    case DWL_USER: w->dialogLongs[2] = value; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
  }
  return previous;
}

LONG GetWindowLongW(HWND hwnd, int index) { return LONG(GetWindowLongPtrW(hwnd, index)); }
LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
  return LONG(SetWindowLongPtrW(hwnd, index, value));
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!Lookup(hwnd)) return FALSE;
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")) ? TRUE
                                                                                        : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount) {
  if (!Lookup(hwnd) || !buffer || maxCount <= 0) return 0;
  return int(SendMessageW(hwnd, WM_GETTEXT, WPARAM(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) { return int(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

std::u16string WindowText(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  std::u16string text(size_t(length) + 1, u'\0');
  int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(size_t(std::max(copied, 0)));
  return text;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  Window* w = Lookup(hwnd);
  if (!w || !rect) return FALSE;
  POINT origin{0, 0};
  Window* parent = WindowTable::Get().Find(w->parent);
  if (parent && !w->pinnedToScreen) origin = ClientOrigin(*parent);
  *rect = {w->rect.left + origin.x, w->rect.top + origin.y, w->rect.right + origin.x,
           w->rect.bottom + origin.y};
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  Window* w = Lookup(hwnd);
  if (!w || !rect) return FALSE;
  LONG frame = FrameWidth(*w);
  *rect = {0, 0, std::max<LONG>(0, w->rect.right - w->rect.left - 2 * frame),
           std::max<LONG>(0, w->rect.bottom - w->rect.top - 2 * frame)};
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  RECT old = w->rect;
  RECT newRect{x, y, x + std::max(width, 0), y + std::max(height, 0)};
  if (old == newRect) return TRUE;
  if (IsWindowVisible(hwnd)) win::ExposeScreen(win::VisibleScreenRect(hwnd));
  w->rect = newRect;
  win::InvalidateWhole(hwnd);
  if (old.left != x || old.top != y) SendMessageW(hwnd, WM_MOVE, 0, LPARAM(MAKELONG(WORD(x), WORD(y))));
  if ((w = WindowTable::Get().Find(hwnd)) == nullptr) return TRUE;
  if (old.right - old.left != width || old.bottom - old.top != height) {
    RECT client;
    GetClientRect(hwnd, &client);
    SendMessageW(hwnd, WM_SIZE, 0, LPARAM(MAKELONG(WORD(client.right), WORD(client.bottom))));
  }
  return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  if (flags & SWP_NOMOVE) x = w->rect.left, y = w->rect.top;
  if (flags & SWP_NOSIZE) cx = w->rect.right - w->rect.left, cy = w->rect.bottom - w->rect.top;
  MoveWindow(hwnd, x, y, cx, cy, TRUE);
  if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  Window* w = Lookup(hwnd);
  if (!w || !point) return FALSE;
  POINT origin = ClientOrigin(*w);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  Window* w = Lookup(hwnd);
  if (!w || !point) return FALSE;
  POINT origin = ClientOrigin(*w);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

BOOL ShowWindow(HWND hwnd, int command) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  bool wasVisible = w->style & WS_VISIBLE;
  bool show = command != SW_HIDE;
  if (show != wasVisible) {
    SendMessageW(hwnd, WM_SHOWWINDOW, show, 0);
    if ((w = WindowTable::Get().Find(hwnd)) == nullptr) return wasVisible;
    if (!show && IsWindowVisible(hwnd)) win::ExposeScreen(win::VisibleScreenRect(hwnd));
    w->style = show ? (w->style | WS_VISIBLE) : (w->style & ~DWORD(WS_VISIBLE));
    if (show) win::InvalidateWhole(hwnd);
  }
  auto& table = WindowTable::Get();
  bool topLevel = !w->parent;
  if (topLevel && show && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
      win::CanActivate(hwnd)) {
    SetActiveWindow(hwnd);
  } else if (!show && table.focus && (table.focus == hwnd || IsChild(hwnd, table.focus))) {
    SetFocus(topLevel ? nullptr : win::TopLevelOf(hwnd));
  }
  return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  auto& table = WindowTable::Get();
  Window* w = table.Find(hwnd);
  if (!w) return FALSE;
  for (; w; w = table.Find(w->parent))
    if (!(w->style & WS_VISIBLE)) return FALSE;
  return TRUE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  bool wasDisabled = w->style & WS_DISABLED;
  if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
  w->style = enable ? (w->style & ~DWORD(WS_DISABLED)) : (w->style | WS_DISABLED);
  auto& table = WindowTable::Get();
  if (!enable && (table.focus == hwnd || IsChild(hwnd, table.focus))) SetFocus(nullptr);
  if (!enable && (table.capture == hwnd)) ReleaseCapture();
  SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = WindowTable::Get().Find(hwnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}
