// Popup menus tracked by pen and keys, item states, and submenus.
#include "host/headless/robot.h"
#include "msg_recorder.h"
#include "win/menu.h"

namespace {

class MenuTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    owner = rec.Create("owner", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
    menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 32771, u"Copy");
    AppendMenuW(menu, MF_STRING, 32772, u"Cut");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 32773, u"Paste");
  }
  void TearDown() override {
    DestroyMenu(menu);
    WindowTest::TearDown();
  }
  // Screen point of row `row` of a menu shown at (20, 100).
  static POINT Row(int top, int row) { return {40, top + row * win::kMenuRowHeight + 5}; }
  HWND owner = nullptr;
  HMENU menu = nullptr;
};

}  // namespace

TEST_F(MenuTest, TapPicksTheCommandAndOutsideDismisses) {
  host::Robot robot;
  robot.Tap(Row(100, 1));
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 20, 100, 0, owner, nullptr), 32772);
  EXPECT_EQ(rec.Log({WM_INITMENUPOPUP}).size(), 1u);
  EXPECT_EQ(GetActiveWindow(), owner);  // the menu never took activation
  EXPECT_EQ(GetCapture(), nullptr);

  host::Robot second;
  // The greyed Paste row (below the separator) does nothing; a tap outside
  // then dismisses the menu.
  second.Tap({40, 100 + 2 * win::kMenuRowHeight + win::kMenuSeparatorHeight + 5}).Tap({230, 300});
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 20, 100, 0, owner, nullptr), 0);
  EXPECT_EQ(second.stepsLeft(), 1u);  // the pen has not yet lifted from the dismissing tap
  EXPECT_EQ(rec.Log({WM_INITMENUPOPUP}).size(), 1u);
}

TEST_F(MenuTest, KeysAndPostedCommand) {
  host::Robot robot;
  robot.Key(VK_DOWN).Key(VK_DOWN).Key(VK_DOWN).Key(VK_RETURN);  // skips separator and greyed
  SetFocus(owner);
  EXPECT_TRUE(TrackPopupMenu(menu, 0, 20, 100, 0, owner, nullptr));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 32771u);  // wrapped round to Copy
}

TEST_F(MenuTest, StatesAndSubmenus) {
  EXPECT_EQ(EnableMenuItem(menu, 32773, MF_ENABLED), UINT(MF_GRAYED));
  EXPECT_EQ(GetMenuState(menu, 32773, MF_BYCOMMAND), UINT(MF_STRING));
  EXPECT_EQ(EnableMenuItem(menu, 99, MF_GRAYED), 0xFFFFFFFFu);
  char16_t text[8];
  EXPECT_EQ(GetMenuStringW(menu, 1, text, 8, MF_BYPOSITION), 3);

  HMENU bar = CreateMenu();
  HMENU tools = CreatePopupMenu();
  AppendMenuW(tools, MF_STRING, 40001, u"Configuration");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), u"Tools");
  EXPECT_EQ(GetSubMenu(bar, 0), tools);
  EXPECT_EQ(GetMenuItemID(bar, 0), 0xFFFFFFFFu);
  EXPECT_EQ(EnableMenuItem(bar, 40001, MF_GRAYED), 0u);  // found in the submenu

  EnableMenuItem(bar, 40001, MF_ENABLED);
  host::Robot robot;
  // "Tools" opens its submenu at its right edge (the bar's popup is 60 px
  // wide); the first row there is the command.
  robot.Tap({30, 105}).Tap({90, 105});
  EXPECT_EQ(TrackPopupMenu(bar, TPM_RETURNCMD, 20, 100, 0, owner, nullptr), 40001);
  EXPECT_TRUE(robot.errors().empty());
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(DestroyMenu(tools));  // destroyed with its parent
}
