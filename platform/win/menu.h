// Menus: menu objects built in code or loaded from menu resources, their
// items and states, and popup menus tracked at a point until the user picks
// a command or dismisses them.
#pragma once

#include <string>
#include <vector>

#include "win/winuser.h"

inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;

inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_VCENTERALIGN = 0x0010;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

// The window class of a popup menu while it is shown.
inline constexpr const char16_t* kPopupMenuClass = u"#32768";

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys a menu and its submenus; FALSE for an unknown handle.
BOOL DestroyMenu(HMENU menu);

// Appends an item: a command (id), a submenu (MF_POPUP, the submenu's handle
// as id; the menu then owns it) or a separator. FALSE for an unknown menu
// or submenu.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text);
// Removes an item (by command or position), destroying its submenu.
BOOL DeleteMenu(HMENU menu, UINT item, UINT flags);

// Loads a menu resource of a module (null: the program) as a menu with its
// popups; nullptr with the last error when it is missing or malformed.
HMENU LoadMenuW(HINSTANCE module, LPCWSTR name);

int GetMenuItemCount(HMENU menu);  // -1 for an unknown menu
UINT GetMenuItemID(HMENU menu, int position);  // 0xFFFFFFFF for a popup or none
HMENU GetSubMenu(HMENU menu, int position);
// Sets MF_GRAYED/MF_DISABLED/MF_ENABLED of an item (searched through the
// submenus by command); returns the previous state or 0xFFFFFFFF.
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags);

// Shows a popup menu at a screen point (aligned by the TPM_ flags and kept
// on the screen) and tracks it in a nested loop: a tap on an enabled item
// picks it, a tap outside or Escape dismisses the menu, Up/Down/Enter work
// too. The owner receives WM_INITMENUPOPUP first (unless TPM_NONOTIFY). With
// TPM_RETURNCMD the picked command is returned (0 when dismissed);
// otherwise it is posted to the owner as WM_COMMAND and the result is TRUE
// when something was picked. A quit request dismisses the menu.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* ignored);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPVOID params);

namespace win {

// One item as painting and the menu bar read it.
struct MenuItemView {
  UINT flags = 0;
  UINT id = 0;
  std::u16string text;
  HMENU submenu = nullptr;
};

// The items of a menu, or an empty list for an unknown handle.
std::vector<MenuItemView> MenuItems(HMENU menu);

// Layout of a shown popup menu: row heights and the hot item, for painting.
inline constexpr int kMenuRowHeight = 20;
inline constexpr int kMenuSeparatorHeight = 7;

// The screen rectangle of the item with this text in a shown popup menu
// window; FALSE when `popup` is not one or holds no such item.
BOOL PopupItemRect(HWND popup, std::u16string_view text, RECT* screen);

}  // namespace win
