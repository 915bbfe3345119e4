// CCommandBar; see ccommandbar.h.
#include "framework/ccommandbar.h"

#include "framework/app_state.h"

BOOL CCommandBar::Create(CWnd* parent, DWORD style, UINT id) {
  if ((m_hWnd && IsWindow(m_hWnd)) || !parent) return FALSE;
  HWND bar = CommandBar_Create(AfxGetInstanceHandle(), parent->m_hWnd, int(id));
  if (!bar) return FALSE;
  SetWindowLongW(bar, GWL_STYLE, LONG(style | WS_CHILD));
  if (!(style & WS_VISIBLE)) CommandBar_Show(bar, FALSE);
  m_dwStyle = style & CBRS_ALL;
  if (!SubclassWindow(bar)) {
    ::DestroyWindow(bar);
    return FALSE;
  }
  return TRUE;
}

BOOL CCommandBar::InsertMenuBar(UINT menuId) {
  return CommandBar_InsertMenubar(m_hWnd, AfxGetResourceHandle(), WORD(menuId), 0);
}

BOOL CCommandBar::AddAdornments(DWORD flags) { return CommandBar_AddAdornments(m_hWnd, flags, 0); }
