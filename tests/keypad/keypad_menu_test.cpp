// The entry field's press-and-hold menu, timed by the injected clock, its
// four commands on the whole entry, and the guard that turns a failure
// inside the keypad into a plain "cancelled".
#include <stdexcept>

#include "framework/cwinapp.h"
#include "keypad_fixture.h"
#include "win/input.h"
#include "win/menu.h"

namespace {

bool MenuShown() {
  for (HWND top : win::WindowTable::Get().topLevel()) {
    char16_t cls[32] = {};
    GetClassNameW(top, cls, 32);
    if (std::u16string(cls) == kPopupMenuClass && IsWindowVisible(top)) return true;
  }
  return false;
}

POINT CentreOf(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class KeypadMenuTest : public KeypadTest {
 protected:
  // Presses the entry field at clock second `down` and lifts the pen on it
  // at second `up`.
  host::Robot& Hold(host::Robot& robot, std::int64_t down, std::int64_t up) {
    return robot.Do([this, down] { now = down; })
        .PressControl(IDC_ENTRY)
        .Do([this, up] { now = up; })
        .ReleaseControl(IDC_ENTRY);
  }
  // Picks the menu's item at `row` (0 Cut, 1 Copy, 2 Delete, 3 Paste).
  static host::Robot& Pick(host::Robot& robot, int row) {
    robot.Do([] { EXPECT_TRUE(MenuShown()); });
    for (int i = 0; i <= row; ++i) robot.Key(VK_DOWN);
    return robot.Key(VK_RETURN);
  }
};

TEST_F(KeypadMenuTest, PastedTextPassesThroughTheEntryRule) {
  win::WriteClipboardText(nullptr, u"-12a.5.6");
  host::Robot robot;
  Keys(robot, u"7");  // replaced: the paste takes the whole entry
  Hold(robot, 1000, 1001);
  Pick(robot, 3);
  robot.Do([&] {
    EXPECT_FALSE(MenuShown());
    EXPECT_EQ(Entry(), u"12.56");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{5, 5}));
  });
  robot.TapControl(IDOK);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 3), 1);
  EXPECT_EQ(value, u"12.56");
}

TEST_F(KeypadMenuTest, OnlyAHoldIntoTheNextClockSecondWithoutMovingOpensTheMenu) {
  host::Robot robot;
  Hold(robot, 5000, 5000);  // within one second
  robot.Do([] { EXPECT_FALSE(MenuShown()); });
  Hold(robot, 5001, 5002);  // late in one second, early in the next
  robot.Do([] { EXPECT_TRUE(MenuShown()); }).Key(VK_ESCAPE);
  robot.Do([] { EXPECT_FALSE(MenuShown()); });
  // A move between press and release, however long the hold.
  robot.Do([this] { now = 6000; })
      .PressControl(IDC_ENTRY)
      .Do([] { win::PostStylus(WM_MOUSEMOVE, CentreOf(Item(IDC_ENTRY))); })
      .Do([this] { now = 6005; })
      .ReleaseControl(IDC_ENTRY);
  robot.Do([] { EXPECT_FALSE(MenuShown()); });
  // A release that slid off the field.
  robot.Do([this] { now = 7000; })
      .PressControl(IDC_ENTRY)
      .Do([this] { now = 7003; })
      .Do([] { win::PostStylus(WM_LBUTTONUP, CentreOf(Item(IDC_CLEAR))); });
  robot.Do([] {
    EXPECT_FALSE(MenuShown());
    EXPECT_EQ(Entry(), u"");  // nothing was cleared either: the pen was held by the field
  });
  // A hold on the dialog's own background, near its top-left corner: inside
  // the field's size but not on the field, so no menu.
  auto corner = [] {
    POINT p{2, 2};
    ClientToScreen(Keypad(), &p);
    return p;
  };
  robot.Do([this, corner] { now = 8000, win::PostStylus(WM_LBUTTONDOWN, corner()); })
      .Do([this, corner] { now = 8002, win::PostStylus(WM_LBUTTONUP, corner()); });
  robot.Do([] { EXPECT_FALSE(MenuShown()); });
  robot.TapControl(IDCANCEL);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 2), 0);
}

TEST_F(KeypadMenuTest, CommandsActOnTheWholeEntry) {
  host::Robot robot;
  Keys(robot, u"12.5");
  robot.Do([] { Select(1, 2); });
  Hold(robot, 100, 101);
  Pick(robot, 1);  // Copy: the whole text, selected afterwards
  robot.Do([] {
    EXPECT_EQ(win::ReadClipboardText(nullptr), u"12.5");
    EXPECT_EQ(Entry(), u"12.5");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 4}));
  });
  Hold(robot, 200, 201);
  Pick(robot, 0);  // Cut
  robot.Do([] {
    EXPECT_EQ(Entry(), u"");
    EXPECT_EQ(win::ReadClipboardText(nullptr), u"12.5");
  });
  Keys(robot, u"9");
  robot.Do([] { win::WriteClipboardText(nullptr, u"kept"); });
  Hold(robot, 300, 301);
  Pick(robot, 2);  // Delete: the clipboard is left alone
  robot.Do([] {
    EXPECT_EQ(Entry(), u"");
    EXPECT_EQ(win::ReadClipboardText(nullptr), u"kept");
  });
  Keys(robot, u"8");
  Hold(robot, 400, 401);
  robot.Key(VK_ESCAPE);  // dismissed: nothing happens
  robot.Do([] { EXPECT_EQ(Entry(), u"8"); });
  robot.TapControl(IDOK);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 2), 1);
  EXPECT_EQ(value, u"8");
}

TEST_F(KeypadMenuTest, AFailingHandlerEndsTheKeypadAsCancelled) {
  win::SetClipboardBridge({nullptr, []() -> std::optional<std::u16string> {
                             throw std::runtime_error("the desktop clipboard is gone");
                           }});
  host::Robot robot;
  Keys(robot, u"5");
  Hold(robot, 10, 11);
  Pick(robot, 3);
  std::u16string value = u"caller's";
  EXPECT_EQ(Run(robot, value, 2), 0);
  EXPECT_EQ(value, u"caller's");
  EXPECT_TRUE(win::WindowTable::Get().topLevel().empty());
}

TEST_F(KeypadMenuTest, AFailureUnwindingTheModalRunLeavesNoKeypadAndAUsableOwner) {
  struct App : CWinApp {} app;
  CWnd main;
  main.Attach(rec.Create("main", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294}));
  app.m_pMainWnd = &main;
  AfxSetResourceHandle(program);
  host::Robot robot;
  Keys(robot, u"5");
  robot.Do([] { throw std::runtime_error("a failure inside the run"); });
  std::u16string value = u"caller's";
  EXPECT_EQ(TSP_InputNumber(value, 0, 2), 0);
  EXPECT_EQ(value, u"caller's");
  EXPECT_TRUE(IsWindowEnabled(main.m_hWnd));
  EXPECT_EQ(win::WindowTable::Get().topLevel().size(), 1u);  // the main window only
  EXPECT_EQ(AfxGetResourceHandle(), program);
  main.Detach();
}

}  // namespace
