// CWaitCursor: shows the busy cursor for the object's lifetime, through the
// hook a host installs with AfxSetBusyCursorHook.
#pragma once

#include "framework/app_state.h"

class CWaitCursor {
 public:
  CWaitCursor() { AfxBeginWaitCursor(); }
  ~CWaitCursor() { AfxEndWaitCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;

  // Shows the busy cursor again, after something has put the arrow back.
  void Restore() { AfxRestoreWaitCursor(); }
};
