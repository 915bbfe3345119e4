// The task bar: the strip over the top 26 pixels of the screen that shows
// the active window's title and, when that window asks for one, an "ok"
// button at the right end. A window asks with the extended style
// WS_EX_CAPTIONOKBTN, which SHInitDialog's done-button flag sets. Tapping
// "ok" posts WM_COMMAND(IDOK) to the active window. The bar never becomes
// the active window itself and stays above the programs' windows.
#pragma once

#include <string>

#include "win/winuser.h"

inline constexpr const char16_t* kTaskBarClass = u"TaskBar";

namespace shell {

// Creates the task bar, or returns the one that exists. It follows every
// change of the active window from then on. nullptr only when the window
// cannot be created.
HWND CreateTaskBar();

// The task bar, or nullptr when none exists.
HWND TaskBar();

// What the task bar shows now, as painting and tests read it.
struct TaskBarLook {
  std::u16string title;  // the active window's text; empty without one
  bool ok = false;       // the "ok" button shows
  bool okPressed = false;
  RECT okRect;           // in the bar's client coordinates (= screen)
};
TaskBarLook LookOfTaskBar();

// Registers the task bar's class; does nothing when it is registered.
void RegisterTaskBarClass();

}  // namespace shell
