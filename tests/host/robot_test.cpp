// The robot drives a modal dialog the way a person would: taps land in the
// dialog that is up at that moment, and checks run between steps.
#include "host/headless/robot.h"

#include "../platform/win/dialog_template_writer.h"
#include "../platform/win/msg_recorder.h"
#include "sys/system.h"
#include "win/dialog.h"

namespace {

INT_PTR EndOnTap(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) EndDialog(dialog, 5);
  return FALSE;
}

class RobotTest : public WindowTest {
 protected:
  TemplateWriter form{WS_POPUP | WS_CAPTION, 135, 149, u"Robot"};
};

}  // namespace

TEST_F(RobotTest, TapsTypesAndChecksInsideAModalDialog) {
  form.Item(10, WS_TABSTOP | WS_VISIBLE, 10, 10, 40, 20).Item(11, WS_TABSTOP | WS_VISIBLE, 60, 10, 40, 20);
  rec.OnMessage("?", [](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m == WM_LBUTTONUP && GetDlgCtrlID(h) == 11) SendDlgCommand(GetParent(h), IDOK);
    return false;
  });
  host::Robot robot;
  robot.ExpectActive(u"Robot").TapControl(10).Type(u"42").Do([&] {
    EXPECT_NE(host::DumpWindowTree().find("Recorder #10 \"\" (18,44)-(88,79) focus"), std::string::npos)
        << host::DumpWindowTree();
  }).TapControl(11);
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, form.bytes(), nullptr, EndOnTap, 0), 5);
  EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
  EXPECT_EQ(robot.stepsLeft(), 0u);
  EXPECT_EQ(rec.Log({WM_CHAR}).size(), 2u);
  EXPECT_EQ(rec.Log({WM_LBUTTONDOWN}).size(), 2u);
}

TEST_F(RobotTest, MissingControlsAndWrongDialogsAreErrors) {
  host::Robot robot;
  robot.ExpectActive(u"Other").TapControl(99);
  robot.SetStayAlive(true);
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, form.bytes(), nullptr, EndOnTap, 0), 0);
  ASSERT_EQ(robot.errors().size(), 3u);
  EXPECT_EQ(robot.errors()[0], "active window is 'Robot', expected 'Other'");
  EXPECT_EQ(robot.errors()[1], "no visible control 99");
  EXPECT_EQ(robot.errors()[2], "the program waits for input after the last step");
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT);
}

TEST_F(RobotTest, HoldMovesTheClockBetweenPressAndRelease) {
  HWND pad = rec.Create("pad", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  std::vector<std::int64_t> times;
  rec.OnMessage("pad", [&](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP) times.push_back(sys::NowSeconds());
    return false;
  });
  {
    host::Robot robot;
    robot.Hold({50, 50}, 3).Tap({60, 60});
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0)) DispatchMessageW(&m);
    EXPECT_EQ(rec.Log({WM_LBUTTONDOWN, WM_LBUTTONUP}).size(), 4u);
  }
  ASSERT_EQ(times.size(), 4u);
  EXPECT_EQ(times[1] - times[0], 3);
  EXPECT_EQ(times[3], times[2]);  // a tap takes no time
  (void)pad;
  // The robot's clock went with it: the real one is back.
  EXPECT_GT(sys::NowSeconds(), 1700000000);
}
