// CCommandBar: built with the menu bar's style and id, its menu taken from the
// framework's resource source, and rebuilt on the same object.
#include "framework/ccommandbar.h"

#include "framework/app_state.h"
#include "../win/control_input.h"
#include "framework_fixture.h"
#include "host/headless/robot.h"

TEST_F(FrameworkTest, CommandBarCreatesInsertsAndIsRebuilt) {
  CWnd owner;
  ASSERT_TRUE(owner.Attach(rec.Create("owner", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294})));
  CCommandBar bar;
  ASSERT_TRUE(bar.Create(&owner));
  EXPECT_EQ(bar.GetStyle(), 0x50002800u);
  EXPECT_EQ(bar.GetBarStyle(), 0x2800u);
  EXPECT_EQ(bar.GetDlgCtrlID(), 0xE800);
  EXPECT_EQ(::GetParent(bar), owner.m_hWnd);
  EXPECT_FALSE(bar.Create(&owner));  // one live bar per object

  AfxSetResourceHandle(module);
  EXPECT_TRUE(bar.InsertMenuBar(300));
  EXPECT_FALSE(bar.InsertMenuBar(301));
  AfxSetResourceHandle(nullptr);
  ASSERT_TRUE(bar.AddAdornments());
  auto parts = shell::CommandBarParts(bar);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0].text, u"File");
  EXPECT_EQ(parts[1].text, u"Edit");

  // Rebuilt as a language change does: destroyed, then created again.
  bar.DestroyWindow();
  EXPECT_EQ(bar.m_hWnd, nullptr);
  ASSERT_TRUE(bar.Create(&owner));
  EXPECT_TRUE(bar.InsertMenuBar(300));
  host::Robot robot;
  robot.TapMenuBar(u"Edit").TapMenuItem(u"Copy");
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0)) DispatchMessageW(&m);
  EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
  EXPECT_TRUE(SameSequence({Msg("owner", WM_COMMAND, 3101)}, rec.Log({WM_COMMAND})));
  owner.Detach();
}

TEST_F(FrameworkTest, CommandBarWithoutWindowFails) {
  CCommandBar bar;
  EXPECT_FALSE(bar.Create(nullptr));
  EXPECT_FALSE(bar.InsertMenuBar(300));
  EXPECT_FALSE(bar.AddAdornments());
  EXPECT_EQ(bar.GetMenu(), nullptr);
}
