// CCommandBar: the framework's menu bar object over the shell's command bar.
// The object outlives its window: after the window is destroyed (with its
// parent, or to rebuild the bar) Create may run again on the same object.
#pragma once

#include "framework/cwnd.h"
#include "shell/command_bar.h"

// Control-bar style bits: the low word (and CBRS_FLYBY's neighbour) of a
// bar's creation style belong to the bar, not to the window system.
inline constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
inline constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
inline constexpr DWORD CBRS_ALL = 0x0040FFFF;

class CCommandBar : public CWnd {
 public:
  // Creates the bar as a child of `parent` with control id `id`, over the
  // screen's menu bar strip; the window keeps `style` (hidden unless it
  // holds WS_VISIBLE) and its CBRS_ bits become the bar style. FALSE when a
  // live bar is bound to this object already or the parent is not a window.
  BOOL Create(CWnd* parent, DWORD style = 0x50002800, UINT id = 0xE800);

  // Shows menu resource `menuId` of the framework's resource source
  // (AfxGetResourceHandle()) as the bar's menus. FALSE without a bar or
  // when the menu is missing or malformed.
  BOOL InsertMenuBar(UINT menuId);

  // The close button, plus OK with CMDBAR_OK. FALSE without a bar.
  BOOL AddAdornments(DWORD flags = 0);

  // The control-bar style (CBRS_ bits); it changes no look or behaviour.
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD style) { m_dwStyle = style; }

  // The menu shown, owned by the bar; nullptr without one.
  HMENU GetMenu() const { return CommandBar_GetMenu(m_hWnd, 0); }

 private:
  DWORD m_dwStyle = 0;
};
