// The shell's windows on the screen: the task bar's blue strip with the
// title in white and "ok", the grey menu bar with its menus and close
// button, and the soft keyboard, checked by pixels and written as a PNG for
// a person to look at.
#include "gdi/surface.h"
#include "gdi/wingdi.h"
#include "shell/command_bar.h"
#include "shell/init_dialog.h"
#include "shell/task_bar.h"
#include "shell_fixture.h"
#include "win/dialog.h"
#include "win/dialog_builder.h"
#include "win/paint.h"

namespace {

INT_PTR PlainProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Counts the pixels of a colour inside a screen rectangle.
int Count(const RECT& r, COLORREF color) {
  int n = 0;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x) n += gdi::Screen().at(int(x), int(y)) == color;
  return n;
}

// Counts the near-black pixels (text is smoothed at its edges).
int CountDark(const RECT& r) {
  int n = 0;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x) {
      COLORREF c = gdi::Screen().at(int(x), int(y));
      n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 150;
    }
  return n;
}

class ShellPaintTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    shell::StartShell();
    win::DialogTemplateBuilder form(WS_POPUP | WS_CAPTION, 135, 149, u"Mensora");
    form.Item(1, BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 40, 20, 50, 14, u"BUTTON", u"Convert");
    form.Item(2, ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP, 10, 50, 110, 14, u"EDIT", u"");
    dialog = CreateDialogIndirectParamW(module, form.bytes(), nullptr, &PlainProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    bar = CommandBar_Create(module, dialog, 0xE800);
    CommandBar_InsertMenubar(bar, module, 135, 0);
    CommandBar_AddAdornments(bar, 0, 0);
  }
  HWND dialog = nullptr;
  HWND bar = nullptr;
};

}  // namespace

TEST_F(ShellPaintTest, TaskBarMenuBarAndKeyboardOnTheScreen) {
  SHINITDLGINFO info{SHIDIM_FLAGS, dialog, SHIDIF_DONEBUTTON};
  SHInitDialog(&info);
  SipShowIM(SIPF_ON);
  SetFocus(GetDlgItem(dialog, 2));
  win::PaintPending();

  const COLORREF blue = RGB(0, 0, 128), white = RGB(255, 255, 255);
  EXPECT_EQ(gdi::Screen().at(1, 1), blue);
  EXPECT_GT(Count({2, 2, 120, 24}, white), 40);  // the title's letters
  shell::TaskBarLook look = shell::LookOfTaskBar();
  EXPECT_GT(Count(look.okRect, white), 30);       // "ok" and its outline
  RECT keyboard = shell::SoftKeyboardRect();
  EXPECT_GT(Count(keyboard, white), 2000);         // white keys
  EXPECT_GT(Count(keyboard, RGB(0, 0, 0)), 500);   // frames and labels
  // The menu bar: grey ground, black menu texts, greyed "Tools".
  const COLORREF grey = RGB(212, 208, 200);
  EXPECT_EQ(gdi::Screen().at(150, 310), grey);
  auto parts = shell::CommandBarParts(bar);
  RECT file = parts[0].rect;
  OffsetRect(&file, 0, 294);
  EXPECT_GT(CountDark(file), 15);
  RECT tools = parts[1].rect;
  OffsetRect(&tools, 0, 294);
  EXPECT_EQ(CountDark(tools), 0);

  std::string error;
  const std::string path = std::string(MENSORA_SHELL_SHOT_DIR) + "/shell_screen.png";
  ASSERT_TRUE(gdi::WriteScreenPng(path, &error)) << error;
}

TEST_F(ShellPaintTest, AHeldMenuIsDrawnInvertedAboveTheBar) {
  win::PaintPending();
  host::Robot robot;
  robot.TapMenuBar(u"File").Do([&] {
    win::PaintPending();
    RECT file = shell::CommandBarParts(bar)[0].rect;
    OffsetRect(&file, 0, 294);
    EXPECT_GT(Count(file, GetSysColor(COLOR_HIGHLIGHT)), 100);
    std::string error;
    const std::string path = std::string(MENSORA_SHELL_SHOT_DIR) + "/shell_menu.png";
    EXPECT_TRUE(gdi::WriteScreenPng(path, &error)) << error;
  }).Tap({200, 100});
  RunRobot();
  EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
}
