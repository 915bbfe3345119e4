// The fixture of the keypad's tests: a fresh window system, the test
// program's own resources as the main module, a clock the test sets, an
// empty clipboard, and helpers that read the keypad while a robot drives it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "../platform/win/msg_recorder.h"
#include "framework/app_state.h"
#include "host/headless/robot.h"
#include "keypad/keypad_ids.h"
#include "keypad/tessapad.h"
#include "keypad_test_res.h"
#include "res/modules.h"
#include "sys/system.h"
#include "win/clipboard.h"
#include "win/controls/register_controls.h"

class KeypadTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    win::RegisterControlClasses();
    win::ResetClipboard();
    program = res::RegisterEmbeddedModule(mensora_res_blobs::keypad_test_res(), u"\\test.exe");
    res::SetMainModule(program);
    sys::SetClock([this] { return now; });
  }
  void TearDown() override {
    sys::SetClock(nullptr);
    win::ResetClipboard();
    AfxSetResourceHandle(nullptr);
    FreeLibrary(program);
    WindowTest::TearDown();
  }

  // Runs the keypad through the library's export while `robot` acts in it;
  // every robot step must have run without error.
  int Run(host::Robot& robot, std::u16string& value, int decimals,
          COLORREF background = RGB(0xC0, 0xF0, 0xC0)) {
    int result = TSP_InputNumber(value, background, decimals);
    EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
    EXPECT_EQ(robot.stepsLeft(), 0u);
    return result;
  }

 public:
  // The keypad (the active window) and its controls, read during a step.
  static HWND Keypad() { return GetActiveWindow(); }
  static HWND Item(int id) { return GetDlgItem(Keypad(), id); }
  static std::u16string Entry() { return WindowText(Item(IDC_ENTRY)); }
  static std::pair<DWORD, DWORD> Selection() {
    DWORD start = 0, end = 0;
    SendMessageW(Item(IDC_ENTRY), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return {start, end};
  }
  static void Select(int start, int end) {
    SendMessageW(Item(IDC_ENTRY), EM_SETSEL, WPARAM(start), LPARAM(end));
  }

  // Taps the keys for `digits` ("0" to "9", "." and "<" for backspace).
  static host::Robot& Keys(host::Robot& robot, std::u16string_view digits) {
    for (char16_t c : digits) {
      int id = c == u'.' ? IDC_KEY_DOT : c == u'<' ? IDC_KEY_BACK : c == u'0' ? IDC_KEY_0
             : c == u'1' ? IDC_KEY_1 : IDC_KEY_2 + (c - u'2');
      robot.TapControl(id);
    }
    return robot;
  }

 protected:
  HINSTANCE program = nullptr;
  std::int64_t now = 1'000'000;
};
