// Process-wide framework state: the current resource source (where dialog
// templates, menus and strings are looked up) and the application object.
#pragma once

#include <functional>

#include "base/wintypes.h"

class CWinApp;

// The module whose resources the framework uses: the program's own unless
// something (a language pack) has been selected. Null means the program.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);

// The program's own module (its embedded resources).
HINSTANCE AfxGetInstanceHandle();

// The application object, once constructed.
CWinApp* AfxGetApp();

// The busy cursor. The hook (a host's) is told true to show it and false to
// put the arrow back; without a hook nothing is shown. Begin and End nest:
// only the outermost pair reaches the hook. Restore shows it again while a
// wait is running (after a dialog put the arrow back), and does nothing
// otherwise.
void AfxSetBusyCursorHook(std::function<void(bool)> hook);
void AfxBeginWaitCursor();
void AfxEndWaitCursor();
void AfxRestoreWaitCursor();
