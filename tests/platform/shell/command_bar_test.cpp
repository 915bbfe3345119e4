// The command bar: its place on the screen whatever its parent's, its menu
// buttons and their popups, greyed items, the close adornment, and its end.
#include "shell/command_bar.h"

#include "shell_fixture.h"
#include "win/input.h"
#include "win/menu.h"

namespace {

using Kind = shell::CommandBarPart::Kind;

class CommandBarTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    owner = rec.Create("owner", WS_POPUP | WS_VISIBLE, {2, 30, 238, 291});
    bar = CommandBar_Create(module, owner, 0xE800);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(CommandBar_InsertMenubar(bar, module, 135, 0));
    ASSERT_TRUE(CommandBar_AddAdornments(bar, 0, 0));
    rec.Clear();
  }
  std::vector<RecordedMessage> Commands() { return rec.Log({WM_COMMAND, WM_CLOSE, WM_INITMENUPOPUP}); }
  HWND owner = nullptr;
  HWND bar = nullptr;
};

}  // namespace

TEST_F(CommandBarTest, SitsOverTheBottomStripAsAChildOfItsOwner) {
  EXPECT_EQ(GetParent(bar), owner);
  EXPECT_EQ(GetDlgItem(owner, 0xE800), bar);
  RECT r;
  GetWindowRect(bar, &r);
  EXPECT_EQ(r, (RECT{0, 294, 240, 320}));
  MoveWindow(owner, 20, 60, 200, 200, TRUE);  // the owner moves, the bar stays
  GetWindowRect(bar, &r);
  EXPECT_EQ(r, (RECT{0, 294, 240, 320}));
  EXPECT_EQ(win::WindowFromPoint({5, 300}), bar);
  EXPECT_EQ(CommandBar_Height(bar), 26);
  EXPECT_EQ(CommandBar_Height(owner), 0);
  EXPECT_FALSE(CommandBar_AddAdornments(owner, 0, 0));
  EXPECT_EQ(CommandBar_Create(module, reinterpret_cast<HWND>(0x4), 1), nullptr);
}

TEST_F(CommandBarTest, MenuButtonsLeftToRightAndTheCloseButtonAtTheRight) {
  auto parts = shell::CommandBarParts(bar);
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(parts[0].text, u"File");
  EXPECT_EQ(parts[1].text, u"Tools");
  EXPECT_TRUE(parts[1].greyed);
  EXPECT_EQ(parts[2].text, u"Help");
  EXPECT_EQ(parts[0].rect.left, 0);
  EXPECT_EQ(parts[1].rect.left, parts[0].rect.right);
  EXPECT_EQ(parts[3].kind, Kind::kClose);
  EXPECT_EQ(parts[3].rect.right, 240);
  // A missing menu leaves the bar as it was.
  EXPECT_FALSE(CommandBar_InsertMenubar(bar, module, 999, 0));
  EXPECT_EQ(shell::CommandBarParts(bar).size(), 4u);
  EXPECT_EQ(GetMenuItemCount(CommandBar_GetMenu(bar, 0)), 3);
}

TEST_F(CommandBarTest, ATapOpensThePopupAboveTheBarAndThePickReachesTheOwner) {
  host::Robot robot;
  robot.TapMenuBar(u"File").Do([&] {
    HWND popup = win::WindowFromPoint({10, 290});
    RECT r;
    GetWindowRect(popup, &r);
    EXPECT_EQ(r.bottom, 294);  // right above the bar
    EXPECT_EQ(r.left, 0);
    EXPECT_TRUE(shell::CommandBarParts(bar)[0].pressed);
  }).TapMenuItem(u"Locked").TapMenuItem(u"Open");
  RunRobot();
  EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
  EXPECT_TRUE(SameSequence({Msg("owner", WM_INITMENUPOPUP), Msg("owner", WM_COMMAND, 57601)},
                           Commands()));
  EXPECT_FALSE(shell::CommandBarParts(bar)[0].pressed);
}

TEST_F(CommandBarTest, GreyedMenusStayInertAndATopLevelCommandIsSentAtOnce) {
  host::Robot robot;
  robot.TapMenuBar(u"Tools").TapMenuBar(u"Help");
  RunRobot();
  EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
  EXPECT_TRUE(SameSequence({Msg("owner", WM_COMMAND, 32805)}, Commands()));
}

TEST_F(CommandBarTest, ATapOutsideThePopupDismissesIt) {
  host::Robot robot;
  robot.TapMenuBar(u"File").Tap({200, 100});
  RunRobot();
  EXPECT_TRUE(SameSequence({Msg("owner", WM_INITMENUPOPUP)}, Commands()));
}

TEST_F(CommandBarTest, TheCloseButtonClosesTheOwnerAndTheBarGoesWithIt) {
  HMENU menu = CommandBar_GetMenu(bar, 0);
  host::Robot robot;
  robot.TapClose();
  RunRobot();
  EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
  EXPECT_EQ(rec.Log({WM_CLOSE}).size(), 1u);
  EXPECT_FALSE(IsWindow(owner));  // the default handling of WM_CLOSE
  EXPECT_FALSE(IsWindow(bar));
  EXPECT_EQ(GetMenuItemCount(menu), -1);  // the bar's menu went with it
}

TEST_F(CommandBarTest, AReleaseOffTheCloseButtonDoesNothing) {
  POINT close{230, 307};
  host::Robot robot;
  robot.Press(close).Move({100, 307}).Release({100, 307});
  RunRobot();
  EXPECT_TRUE(Commands().empty());
  EXPECT_TRUE(IsWindow(owner));
}

TEST_F(CommandBarTest, ACommandThatRebuildsTheBarIsSafe) {
  rec.OnMessage("owner", [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT&) {
    if (m == WM_COMMAND && LOWORD(w) == 57601) {
      DestroyWindow(bar);
      bar = CommandBar_Create(module, owner, 0xE800);
      CommandBar_InsertMenubar(bar, module, 135, 0);
    }
    return false;
  });
  host::Robot robot;
  robot.TapMenuBar(u"File").TapMenuItem(u"Open").TapMenuBar(u"Help");
  RunRobot();
  EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
  EXPECT_EQ(rec.Log({WM_COMMAND}).size(), 2u);
  EXPECT_EQ(shell::CommandBarParts(bar).size(), 3u);  // no adornments on the new bar
}

TEST_F(CommandBarTest, TheBarIsDeafWhileItsOwnerIsDisabled) {
  EnableWindow(owner, FALSE);  // as while a modal dialog runs
  host::Robot robot;
  robot.TapMenuBar(u"Help").TapClose();
  RunRobot();
  EXPECT_TRUE(Commands().empty());
}
