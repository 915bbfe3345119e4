// The shell's classes and start; see shell.h.
#include "shell/shell.h"

#include "shell/command_bar.h"
#include "shell/soft_keyboard.h"
#include "shell/task_bar.h"

namespace shell {

void RegisterShellClasses() {
  RegisterCommandBarClass();
  RegisterTaskBarClass();
  RegisterSoftKeyboardClass();
}

HWND StartShell() {
  RegisterShellClasses();
  return CreateTaskBar();
}

}  // namespace shell
