// CMenu: a menu handle with its calls. A menu the object loaded or created
// is its own and destroyed with it; an attached handle stays the caller's.
#pragma once

#include <memory>
#include <vector>

#include "framework/cwnd.h"
#include "win/menu.h"

class CMenu {
 public:
  CMenu() = default;
  ~CMenu();
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  HMENU GetSafeHmenu() const { return m_hMenu; }
  operator HMENU() const { return m_hMenu; }

  // A menu resource of the current resource source, or of `module`. FALSE
  // when one is held already or the resource is missing.
  BOOL LoadMenu(UINT id);
  BOOL LoadMenu(HINSTANCE module, UINT id);
  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  // Destroys the held menu, owned or not, and its submenus.
  BOOL DestroyMenu();

  // Holds a handle the caller keeps owning; FALSE when one is held already.
  BOOL Attach(HMENU menu);
  // Lets the handle go undestroyed; the caller owns it from now on.
  HMENU Detach();

  BOOL AppendMenu(UINT flags, UINT_PTR idOrSubmenu = 0, const char16_t* text = nullptr) {
    return ::AppendMenuW(m_hMenu, flags, idOrSubmenu, text);
  }
  // Returns the previous state, or 0xFFFFFFFF when there is no such item.
  UINT EnableMenuItem(UINT item, UINT flags) { return ::EnableMenuItem(m_hMenu, item, flags); }
  DWORD CheckMenuItem(UINT item, UINT flags) { return ::CheckMenuItem(m_hMenu, item, flags); }
  UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
  int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
  UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
  // The popup at a position, as an object this menu keeps (valid until the
  // menu is destroyed, detached or replaced); nullptr when there is none.
  CMenu* GetSubMenu(int position);
  // With TPM_RETURNCMD the picked command (0 when dismissed); otherwise the
  // command is posted to the owner and the result says whether one was picked.
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* ignored = nullptr) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, ignored);
  }

 private:
  BOOL Take(HMENU menu, bool owned);
  bool m_owned = false;
  std::vector<std::unique_ptr<CMenu>> m_subMenus;
};
