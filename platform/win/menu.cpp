// Menu objects and popup menu tracking; see menu.h.
#include "win/menu.h"

#include <algorithm>
#include <map>
#include <memory>

#include "res/menu_template.h"
#include "res/modules.h"
#include "win/menu_paint.h"
#include "win/queue.h"
#include "win/screen_layout.h"
#include "win/window_table.h"

namespace {

struct Item {
  UINT flags = 0;
  UINT id = 0;
  std::u16string text;
  HMENU submenu = nullptr;
};

struct Menu {
  std::vector<Item> items;
};

struct Menus {
  std::map<std::uintptr_t, std::unique_ptr<Menu>> all;
  std::uintptr_t next = 0x7000;
};

// Never destroyed: windows that own menus (the command bar) can still be
// released by the window table's own destructor when the process exits, and
// that must find the menus alive whatever the order of static destruction.
Menus& TheMenus() {
  static Menus* menus = new Menus;
  return *menus;
}

Menu* Find(HMENU menu) {
  auto& all = TheMenus().all;
  auto it = all.find(reinterpret_cast<std::uintptr_t>(menu));
  if (it == all.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return it->second.get();
}

HMENU NewMenu() {
  Menus& menus = TheMenus();
  auto key = menus.next++;
  menus.all.emplace(key, std::make_unique<Menu>());
  return reinterpret_cast<HMENU>(key);
}

// The item an MF_BYCOMMAND / MF_BYPOSITION reference names, searching
// submenus for commands.
Item* Locate(HMENU menu, UINT item, UINT flags) {
  Menu* m = Find(menu);
  if (!m) return nullptr;
  if (flags & MF_BYPOSITION) return item < m->items.size() ? &m->items[item] : nullptr;
  for (Item& i : m->items) {
    if (!i.submenu && i.id == item) return &i;
    if (i.submenu)
      if (Item* inner = Locate(i.submenu, item, flags)) return inner;
  }
  return nullptr;
}

HMENU Build(const std::vector<res::MenuItem>& items) {
  HMENU menu = NewMenu();
  for (const res::MenuItem& item : items) {
    if (item.popup) {
      AppendMenuW(menu, (item.flags & ~MF_POPUP) | MF_POPUP,
                  reinterpret_cast<UINT_PTR>(Build(item.children)), item.text.c_str());
    } else if (item.separator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu, item.flags, item.id, item.text.c_str());
    }
  }
  return menu;
}

// --- Tracking ----------------------------------------------------------------

constexpr RECT kScreen = win::kScreenRect;

struct PopupState : win::WindowState {
  std::vector<Item> items;
  int hot = -1;
  bool done = false;
  UINT chosen = 0;
};

int RowHeight(const Item& item) {
  return (item.flags & MF_SEPARATOR) ? win::kMenuSeparatorHeight : win::kMenuRowHeight;
}

bool Selectable(const Item& item) {
  return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
}

// The item at a client point, or -1.
int ItemAt(const PopupState& s, POINT p, LONG width) {
  if (p.x < 0 || p.x >= width || p.y < 0) return -1;
  int top = 0;
  for (size_t i = 0; i < s.items.size(); ++i) {
    int bottom = top + RowHeight(s.items[i]);
    if (p.y < bottom) return int(i);
    top = bottom;
  }
  return -1;
}

LONG ClientWidth(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return r.right;
}

void Finish(PopupState& s, UINT chosen) {
  s.done = true;
  s.chosen = chosen;
}

UINT TrackAt(HMENU menu, UINT flags, POINT at, HWND owner);

// Moves the highlight; the menu is drawn again when it changed.
void SetHot(HWND hwnd, PopupState& s, int hot) {
  if (s.hot == hot) return;
  s.hot = hot;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void OnPenDown(HWND hwnd, PopupState& s, POINT p) {
  SetHot(hwnd, s, ItemAt(s, p, ClientWidth(hwnd)));
  if (s.hot < 0) Finish(s, 0);  // a tap outside dismisses the menu
}

void OnPenUp(HWND hwnd, PopupState& s, POINT p, HWND owner) {
  int index = ItemAt(s, p, ClientWidth(hwnd));
  SetHot(hwnd, s, -1);
  if (index < 0 || !Selectable(s.items[size_t(index)])) return;
  const Item& item = s.items[size_t(index)];
  if (!item.submenu) return Finish(s, item.id);
  RECT r;
  GetWindowRect(hwnd, &r);
  int top = r.top;
  for (int i = 0; i < index; ++i) top += RowHeight(s.items[size_t(i)]);
  UINT chosen = TrackAt(item.submenu, TPM_LEFTALIGN, {r.right, top}, owner);
  if (chosen) Finish(s, chosen);
}

void OnKey(HWND hwnd, PopupState& s, UINT key) {
  int n = int(s.items.size());
  auto step = [&](int dir) {
    int i = s.hot;
    for (int k = 0; k < n; ++k) {
      i = i < 0 ? (dir > 0 ? 0 : n - 1) : (i + dir + n) % n;
      if (Selectable(s.items[size_t(i)])) return i;
    }
    return s.hot;
  };
  if (key == VK_DOWN) SetHot(hwnd, s, step(1));
  if (key == VK_UP) SetHot(hwnd, s, step(-1));
  if (key == VK_ESCAPE) Finish(s, 0);
  if (key == VK_RETURN && s.hot >= 0 && !s.items[size_t(s.hot)].submenu)
    Finish(s, s.items[size_t(s.hot)].id);
}

HWND g_trackOwner = nullptr;  // the owner of the innermost tracked menu

LRESULT OnPaint(HWND hwnd, const PopupState& s) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  std::vector<win::MenuItemView> rows;
  for (const Item& i : s.items) rows.push_back({i.flags, i.id, i.text, i.submenu});
  RECT client;
  GetClientRect(hwnd, &client);
  if (hdc) win::PaintPopupMenu(hdc, client, rows, s.hot);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  PopupState* s = win::StateOf<PopupState>(hwnd);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_LBUTTONDOWN: OnPenDown(hwnd, *s, PointFromLParam(lParam)); return 0;
    case WM_MOUSEMOVE: SetHot(hwnd, *s, ItemAt(*s, PointFromLParam(lParam), ClientWidth(hwnd))); return 0;
    case WM_PAINT: return OnPaint(hwnd, *s);
    case WM_LBUTTONUP: OnPenUp(hwnd, *s, PointFromLParam(lParam), g_trackOwner); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd && !s->done) Finish(*s, 0);
      return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void EnsurePopupClass() {
  win::RegisterSystemClass(kPopupMenuClass, &PopupProc);
}

// Width of the widest item, measured in the font as the painter lays it out.
LONG PopupWidth(const std::vector<Item>& items) {
  std::vector<win::MenuItemView> rows;
  for (const Item& i : items) rows.push_back({i.flags, i.id, i.text, i.submenu});
  return std::min<LONG>(win::PopupMenuWidth(rows), kScreen.right);
}

UINT TrackAt(HMENU menu, UINT flags, POINT at, HWND owner) {
  Menu* m = Find(menu);
  if (!m || m->items.empty()) return 0;
  EnsurePopupClass();
  auto state = std::make_unique<PopupState>();
  state->items = m->items;
  LONG width = PopupWidth(state->items), height = 0;
  for (const Item& i : state->items) height += RowHeight(i);
  LONG x = at.x, y = at.y;
  if (flags & TPM_RIGHTALIGN) x -= width;
  else if (flags & TPM_CENTERALIGN) x -= width / 2;
  if (flags & TPM_BOTTOMALIGN) y -= height;
  else if (flags & TPM_VCENTERALIGN) y -= height / 2;
  x = std::clamp<LONG>(x, kScreen.left, std::max<LONG>(kScreen.left, kScreen.right - width));
  y = std::clamp<LONG>(y, kScreen.top, std::max<LONG>(kScreen.top, kScreen.bottom - height));

  HWND popup = CreateWindowExW(WS_EX_TOPMOST, kPopupMenuClass, u"", WS_POPUP, x, y, width, height,
                               owner, nullptr, nullptr, nullptr);
  if (!popup) return 0;
  PopupState* s = state.get();
  win::SetState(popup, std::move(state));
  ShowWindow(popup, SW_SHOWNA);  // the owner stays active
  SetCapture(popup);
  HWND outerOwner = g_trackOwner;
  g_trackOwner = owner;
  win::RunNestedLoop([&] { return !IsWindow(popup) || s->done; },
                     [&](MSG& msg) {
                       if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
                       if (msg.message == WM_KEYDOWN && IsWindow(popup)) OnKey(popup, *s, UINT(msg.wParam));
                       return true;  // keys belong to the menu while it is up
                     });
  g_trackOwner = outerOwner;
  UINT chosen = IsWindow(popup) ? s->chosen : 0;
  if (GetCapture() == popup) ReleaseCapture();
  if (IsWindow(popup)) DestroyWindow(popup);
  return chosen;
}

}  // namespace

HMENU CreateMenu() { return NewMenu(); }
HMENU CreatePopupMenu() { return NewMenu(); }

BOOL DestroyMenu(HMENU menu) {
  Menu* m = Find(menu);
  if (!m) return FALSE;
  std::vector<HMENU> submenus;
  for (const Item& i : m->items)
    if (i.submenu) submenus.push_back(i.submenu);
  TheMenus().all.erase(reinterpret_cast<std::uintptr_t>(menu));
  for (HMENU sub : submenus) DestroyMenu(sub);
  return TRUE;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  Menu* m = Find(menu);
  if (!m) return FALSE;
  Item item;
  item.flags = flags & ~UINT(MF_BYPOSITION);
  if (flags & MF_POPUP) {
    item.submenu = reinterpret_cast<HMENU>(idOrSubmenu);
    if (!Find(item.submenu) || item.submenu == menu) return FALSE;
  } else if (!(flags & MF_SEPARATOR)) {
    item.id = UINT(idOrSubmenu);
  }
  if (text && !(flags & MF_SEPARATOR)) item.text = text;
  m->items.push_back(std::move(item));
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT item, UINT flags) {
  Menu* m = Find(menu);
  if (!m) return FALSE;
  for (size_t i = 0; i < m->items.size(); ++i) {
    bool match = (flags & MF_BYPOSITION) ? i == item : (!m->items[i].submenu && m->items[i].id == item);
    if (!match) continue;
    HMENU sub = m->items[i].submenu;
    m->items.erase(m->items.begin() + long(i));
    if (sub) DestroyMenu(sub);
    return TRUE;
  }
  return FALSE;
}

HMENU LoadMenuW(HINSTANCE module, LPCWSTR name) {
  auto parsed = res::LoadMenuTemplate(module, res::NameOrOrdinal::FromPointer(name));
  if (!parsed) return nullptr;
  return Build(parsed->items);
}

int GetMenuItemCount(HMENU menu) {
  Menu* m = Find(menu);
  return m ? int(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  Item* item = Locate(menu, UINT(position), MF_BYPOSITION);
  return item && !item->submenu ? item->id : 0xFFFFFFFFu;
}

HMENU GetSubMenu(HMENU menu, int position) {
  Item* item = Locate(menu, UINT(position), MF_BYPOSITION);
  return item ? item->submenu : nullptr;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  Item* i = Locate(menu, item, flags);
  if (!i) return 0xFFFFFFFFu;
  UINT previous = i->flags & (MF_GRAYED | MF_DISABLED);
  i->flags = (i->flags & ~UINT(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return previous;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  Item* i = Locate(menu, item, flags);
  if (!i) return 0xFFFFFFFFu;
  DWORD previous = i->flags & MF_CHECKED;
  i->flags = (i->flags & ~UINT(MF_CHECKED)) | (flags & MF_CHECKED);
  return previous;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  Item* i = Locate(menu, item, flags);
  return i ? i->flags : 0xFFFFFFFFu;
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags) {
  Item* i = Locate(menu, item, flags);
  if (!i) return 0;
  if (!buffer || maxCount <= 0) return int(i->text.size());
  size_t n = std::min(i->text.size(), size_t(maxCount - 1));
  std::copy_n(i->text.data(), n, buffer);
  buffer[n] = u'\0';
  return int(n);
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPVOID) {
  if (!Find(menu)) return FALSE;
  if (owner && !(flags & TPM_NONOTIFY))
    SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  UINT chosen = TrackAt(menu, flags, {x, y}, owner);
  if (flags & TPM_RETURNCMD) return BOOL(chosen);
  if (chosen && owner) PostMessageW(owner, WM_COMMAND, chosen, 0);
  return chosen ? TRUE : FALSE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

namespace win {

std::vector<MenuItemView> MenuItems(HMENU menu) {
  std::vector<MenuItemView> out;
  if (Menu* m = Find(menu))
    for (const Item& i : m->items) out.push_back({i.flags, i.id, i.text, i.submenu});
  return out;
}

std::u16string WithoutMnemonics(std::u16string_view text) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;  // the marked (or doubled) character follows
    else if (text[i] == u'&') continue;
    out += text[i];
  }
  return out;
}

BOOL PopupItemRect(HWND popup, std::u16string_view text, RECT* screen) {
  PopupState* s = StateOf<PopupState>(popup);
  RECT r;
  if (!s || !screen || !GetWindowRect(popup, &r)) return FALSE;
  LONG top = r.top;
  for (const Item& item : s->items) {
    LONG bottom = top + RowHeight(item);
    if (!(item.flags & MF_SEPARATOR) && (item.text == text || WithoutMnemonics(item.text) == text)) {
      *screen = {r.left, top, r.right, bottom};
      return TRUE;
    }
    top = bottom;
  }
  return FALSE;
}

}  // namespace win
