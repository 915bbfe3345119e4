// The soft keyboard: shown and hidden by SipShowIM and SHSipInfo, its state
// read back, and its keys typing into the focus window.
#include "shell/soft_keyboard.h"

#include "shell_fixture.h"
#include "win/controls/edit.h"

namespace {

class SoftKeyboardTest : public ShellTest {
 protected:
  SIPINFO Info() {
    SIPINFO info;
    info.cbSize = sizeof info;
    EXPECT_TRUE(SHSipInfo(SPI_GETSIPINFO, 0, &info, 0));
    return info;
  }
};

}  // namespace

TEST_F(SoftKeyboardTest, ShownAndHiddenAboveTheMenuBar) {
  EXPECT_EQ(Info().fdwFlags & SIPF_ON, 0u);
  ASSERT_TRUE(SipShowIM(SIPF_ON));
  HWND panel = shell::SoftKeyboard();
  ASSERT_TRUE(IsWindowVisible(panel));
  RECT r;
  GetWindowRect(panel, &r);
  EXPECT_EQ(r.bottom, 294);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 240);
  SIPINFO info = Info();
  EXPECT_EQ(info.fdwFlags, SIPF_ON | SIPF_DOCKED);
  EXPECT_EQ(info.rcSipRect, r);
  EXPECT_EQ(info.rcVisibleDesktop, (RECT{0, 26, 240, r.top}));
  EXPECT_NE(GetActiveWindow(), panel);

  info.fdwFlags &= ~SIPF_ON;  // written back without SIPF_ON: hidden
  ASSERT_TRUE(SHSipInfo(SPI_SETSIPINFO, 0, &info, 0));
  EXPECT_FALSE(IsWindowVisible(panel));
  EXPECT_EQ(Info().rcVisibleDesktop, (RECT{0, 26, 240, 294}));
  info.fdwFlags |= SIPF_ON | SIPF_LOCKED;
  ASSERT_TRUE(SHSipInfo(SPI_SETSIPINFO, 0, &info, 0));
  EXPECT_TRUE(IsWindowVisible(panel));
  EXPECT_EQ(Info().fdwFlags, SIPF_ON | SIPF_DOCKED | SIPF_LOCKED);
  ASSERT_TRUE(SipShowIM(SIPF_OFF));
  EXPECT_FALSE(IsWindowVisible(panel));
}

TEST_F(SoftKeyboardTest, BadArgumentsAreRefused) {
  SIPINFO info;
  info.cbSize = sizeof info - 1;
  EXPECT_FALSE(SHSipInfo(SPI_GETSIPINFO, 0, &info, 0));
  EXPECT_FALSE(SHSipInfo(SPI_GETSIPINFO, 0, nullptr, 0));
  info.cbSize = sizeof info;
  EXPECT_FALSE(SHSipInfo(226, 0, &info, 0));
  EXPECT_FALSE(SipShowIM(7));
  EXPECT_EQ(shell::SoftKeyboard(), nullptr);
}

TEST_F(SoftKeyboardTest, KeysTypeIntoTheFocusWindow) {
  HWND dialog = rec.Create("dialog", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  HWND edit = CreateWindowExW(0, kEditClass, u"", WS_CHILD | WS_VISIBLE | WS_BORDER, 5, 5, 200, 20,
                              dialog, reinterpret_cast<HMENU>(10), nullptr, nullptr);
  SetFocus(edit);
  SipShowIM(SIPF_ON);
  host::Robot robot;
  robot.TapSoftKey(u"1").TapSoftKey(u"a").TapSoftKey(u"Shift").TapSoftKey(u"b").TapSoftKey(u"c")
      .TapSoftKey(u"space").TapSoftKey(u"x").TapSoftKey(u"\u2190").TapSoftKey(u"\u21B5");
  RunRobot();
  EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
  EXPECT_EQ(WindowText(edit), u"1aBc ");
  EXPECT_EQ(GetFocus(), edit);  // the panel never takes the focus
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(shell::SoftKeys().size(), 11u + 11u + 10u + 8u);
  EXPECT_FALSE(shell::SoftKeyboardShifted());  // Shift raised one letter only
}
