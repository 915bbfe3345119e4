// The task bar follows activation, shows "ok" when the active window asks for
// it, posts IDOK from it, and never takes activation or sinks below windows.
// SHInitDialog's flags set dialogs up for it.
#include "shell/task_bar.h"

#include "shell/init_dialog.h"
#include "shell_fixture.h"
#include "win/input.h"

namespace {

class TaskBarTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    taskBar = shell::StartShell();
    ASSERT_NE(taskBar, nullptr);
  }
  HWND taskBar = nullptr;
};

}  // namespace

TEST_F(TaskBarTest, ShowsTheActiveWindowsTitleAndFollowsActivation) {
  EXPECT_EQ(shell::LookOfTaskBar().title, u"");
  HWND first = rec.Create("first", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  SetWindowTextW(first, u"Mensora");
  EXPECT_EQ(shell::LookOfTaskBar().title, u"Mensora");
  HWND second = rec.Create("second", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  SetWindowTextW(second, u"Enter Text");
  EXPECT_EQ(shell::LookOfTaskBar().title, u"Enter Text");
  DestroyWindow(second);
  EXPECT_EQ(GetActiveWindow(), first);  // not the task bar
  EXPECT_EQ(shell::LookOfTaskBar().title, u"Mensora");
  EXPECT_EQ(shell::StartShell(), taskBar);  // one task bar only
}

TEST_F(TaskBarTest, NeverActiveAndAlwaysOnTop) {
  HWND app = rec.Create("app", WS_POPUP | WS_VISIBLE, {0, 0, 240, 320});
  EXPECT_EQ(SetActiveWindow(taskBar), nullptr);
  EXPECT_EQ(GetActiveWindow(), app);
  SetActiveWindow(app);
  EXPECT_EQ(win::WindowFromPoint({10, 10}), taskBar);
  EXPECT_EQ(win::WindowFromPoint({10, 100}), app);
  DestroyWindow(app);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(TaskBarTest, OkShowsForTheCaptionStyleAndPostsIdok) {
  HWND plain = rec.Create("plain", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  EXPECT_FALSE(shell::LookOfTaskBar().ok);
  HWND asking = rec.Create("asking", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  SetWindowLongW(asking, GWL_EXSTYLE, LONG(WS_EX_CAPTIONOKBTN));
  shell::TaskBarLook look = shell::LookOfTaskBar();
  EXPECT_TRUE(look.ok);
  EXPECT_EQ(look.okRect.right, 240);
  rec.Clear();
  host::Robot robot;
  robot.TapOk().Do([&] { SetActiveWindow(plain); }).TapOk();  // the second has no "ok"
  RunRobot();
  ASSERT_EQ(robot.errors().size(), 1u);
  EXPECT_EQ(robot.errors()[0], "nothing to tap ok");
  EXPECT_TRUE(SameSequence({Msg("asking", WM_COMMAND, MAKELONG(IDOK, BN_CLICKED))},
                           rec.Log({WM_COMMAND})));
}

TEST_F(TaskBarTest, InitDialogSizesMarksAndLowersTheKeyboard) {
  HWND dialog = rec.Create("dialog", WS_POPUP | WS_VISIBLE, {10, 40, 200, 200});
  SipShowIM(SIPF_ON);
  SHINITDLGINFO info{SHIDIM_FLAGS, dialog, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN};
  ASSERT_TRUE(SHInitDialog(&info));
  RECT r;
  GetWindowRect(dialog, &r);
  EXPECT_EQ(r, (RECT{0, 26, 240, 294}));
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN);
  EXPECT_TRUE(shell::LookOfTaskBar().ok);
  EXPECT_FALSE(IsWindowVisible(shell::SoftKeyboard()));

  info.dwFlags = SHIDIF_FULLSCREENNOMENUBAR;
  ASSERT_TRUE(SHInitDialog(&info));
  GetWindowRect(dialog, &r);
  EXPECT_EQ(r, (RECT{0, 26, 240, 320}));
  SipShowIM(SIPF_ON);
  info.dwFlags = SHIDIF_SIZEDLG;  // the part the keyboard leaves free
  ASSERT_TRUE(SHInitDialog(&info));
  GetWindowRect(dialog, &r);
  EXPECT_EQ(r, (RECT{0, 26, 240, shell::SoftKeyboardRect().top}));
}

TEST_F(TaskBarTest, InitDialogRefusesBadArguments) {
  HWND dialog = rec.Create("dialog", WS_POPUP | WS_VISIBLE, {10, 40, 200, 200});
  HWND child = rec.Create("child", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, dialog, 5);
  EXPECT_FALSE(SHInitDialog(nullptr));
  SHINITDLGINFO info{SHIDIM_FLAGS, child, SHIDIF_SIZEDLGFULLSCREEN};
  EXPECT_FALSE(SHInitDialog(&info));
  info.hDlg = reinterpret_cast<HWND>(0x4);
  EXPECT_FALSE(SHInitDialog(&info));
  info = {0, dialog, SHIDIF_SIZEDLGFULLSCREEN};  // no SHIDIM_FLAGS: flags ignored
  EXPECT_TRUE(SHInitDialog(&info));
  RECT r;
  GetWindowRect(dialog, &r);
  EXPECT_EQ(r, (RECT{10, 40, 200, 200}));
}
