// The fixture of the shell's tests: a fresh window system with the shell's
// classes, the test resources as the program's module, and a helper that runs
// the message loop until the robot has no step left.
#pragma once

#include "../win/control_input.h"
#include "../win/msg_recorder.h"
#include "host/headless/robot.h"
#include "res/modules.h"
#include "shell/shell.h"
#include "shell/soft_keyboard.h"
#include "shell_res.h"
#include "win/controls/register_controls.h"

class ShellTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    shell::ResetSoftKeyboard();
    win::RegisterControlClasses();
    shell::RegisterShellClasses();
    module = res::RegisterEmbeddedModule(mensora_res_blobs::shell_res(), u"\\shell.exe");
  }
  void TearDown() override {
    FreeLibrary(module);
    WindowTest::TearDown();
  }
  // Dispatches until the robot's last step has run and the queue is empty.
  static void RunRobot() {
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  HINSTANCE module = nullptr;
};
