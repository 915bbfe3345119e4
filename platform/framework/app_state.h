// Process-wide framework state: the current resource source (where dialog
// templates, menus and strings are looked up) and the application object.
#pragma once

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
