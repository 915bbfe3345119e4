// The fixture of the framework's tests: a fresh window system with the test
// resources as the program's own module and every control class registered.
#pragma once

#include "../win/msg_recorder.h"
#include "framework_res.h"
#include "res/modules.h"
#include "win/controls/register_controls.h"

class FrameworkTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    win::RegisterControlClasses();
    module = res::RegisterEmbeddedModule(mensora_res_blobs::framework_res(), u"\\test.exe");
    res::SetMainModule(module);
  }
  void TearDown() override {
    FreeLibrary(module);
    WindowTest::TearDown();
  }
  HINSTANCE module = nullptr;
};
