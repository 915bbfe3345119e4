// The shell as a whole: its window classes and its start.
#pragma once

#include "win/winuser.h"

namespace shell {

// Registers the shell's window classes (command bar, task bar, soft
// keyboard panel). Safe to call more than once.
void RegisterShellClasses();

// Brings the shell up before a program's first window: its classes and the
// task bar. Returns the task bar (nullptr when it cannot be created).
HWND StartShell();

}  // namespace shell
