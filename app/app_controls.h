// The controls the main window uses that other rooms provide: the
// tap-reporting edit field and the menu bar. Until those rooms are merged,
// stand-ins with the same surface keep the window building: a plain edit
// field that reports nothing, and a menu bar that cannot be created.
#pragma once

#include "framework/cedit.h"
#include "framework/cwnd.h"

#if __has_include("dialogs/tap_edit.h")
#include "dialogs/tap_edit.h"
#else
class CTapEdit : public CEdit {};
#endif

#if __has_include("framework/ccommandbar.h")
#include "framework/ccommandbar.h"
#else
class CCommandBar : public CWnd {
 public:
  BOOL Create(CWnd*, DWORD = 0x50002800, UINT = 0xE800) { return FALSE; }
  BOOL InsertMenuBar(UINT) { return FALSE; }
  BOOL AddAdornments(DWORD = 0) { return FALSE; }
};
#endif
