#include "framework/cmenu.h"

#include "framework/app_state.h"

CMenu::~CMenu() {
  if (m_owned) DestroyMenu();
}

BOOL CMenu::Take(HMENU menu, bool owned) {
  if (!menu || m_hMenu) return FALSE;
  m_hMenu = menu;
  m_owned = owned;
  return TRUE;
}

BOOL CMenu::LoadMenu(UINT id) { return LoadMenu(AfxGetResourceHandle(), id); }

BOOL CMenu::LoadMenu(HINSTANCE module, UINT id) {
  if (m_hMenu) return FALSE;
  const auto name = reinterpret_cast<LPCWSTR>(UINT_PTR(id & 0xFFFFu));
  return Take(::LoadMenuW(module, name), true);
}

BOOL CMenu::CreateMenu() { return m_hMenu ? FALSE : Take(::CreateMenu(), true); }
BOOL CMenu::CreatePopupMenu() { return m_hMenu ? FALSE : Take(::CreatePopupMenu(), true); }

BOOL CMenu::DestroyMenu() {
  HMENU menu = Detach();
  return menu ? ::DestroyMenu(menu) : FALSE;
}

BOOL CMenu::Attach(HMENU menu) { return Take(menu, false); }

HMENU CMenu::Detach() {
  m_subMenus.clear();
  HMENU menu = m_hMenu;
  m_hMenu = nullptr;
  m_owned = false;
  return menu;
}

CMenu* CMenu::GetSubMenu(int position) {
  HMENU sub = ::GetSubMenu(m_hMenu, position);
  if (!sub) return nullptr;
  for (auto& kept : m_subMenus)
    if (kept->m_hMenu == sub) return kept.get();
  auto wrapper = std::make_unique<CMenu>();
  wrapper->Attach(sub);
  m_subMenus.push_back(std::move(wrapper));
  return m_subMenus.back().get();
}
