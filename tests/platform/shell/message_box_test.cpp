// Message boxes answer with the button chosen, by pen and by keys, and play
// their icon's sound.
#include <gtest/gtest.h>

#include <vector>

#include <cstdlib>
#include <string>

#include "gdi/surface.h"
#include "host/headless/robot.h"
#include "shell/message_box.h"
#include "sys/system.h"
#include "win/queue.h"
#include "win/window_table.h"

namespace {

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::WindowTable::Get().Reset();
    win::ResetQueue();
    sys::SetBeepHandler([this](UINT t) { beeps.push_back(t); });
  }
  void TearDown() override {
    sys::SetBeepHandler({});
    win::WindowTable::Get().Reset();
    win::ResetQueue();
  }
  std::vector<UINT> beeps;
};

}  // namespace

TEST_F(MessageBoxTest, ButtonsKeysAndSound) {
  {
    host::Robot robot;
    robot.ExpectActive(u"Language").TapControl(IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, u"Close the program now?", u"Language", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
  }
  EXPECT_EQ(beeps, std::vector<UINT>{MB_ICONQUESTION});
  {
    host::Robot robot;
    robot.Key(VK_RETURN, u'\r');  // the default button: Yes, or No with MB_DEFBUTTON2
    EXPECT_EQ(MessageBoxW(nullptr, u"x", u"t", MB_YESNO | MB_DEFBUTTON2), IDNO);
  }
  {
    host::Robot robot;
    robot.Key(VK_ESCAPE).Key(VK_ESCAPE);  // no Cancel: Escape does nothing, the run ends
    EXPECT_EQ(MessageBoxW(nullptr, u"x", u"t", MB_YESNO), 0);
    MSG msg;  // the run ended as a quit request does: take it off the queue
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
  }
  {
    host::Robot robot;
    robot.Key(VK_ESCAPE);
    EXPECT_EQ(MessageBoxW(nullptr, u"LangPack dll loading error", nullptr, MB_OK), IDOK);
  }
  {
    host::Robot robot;
    robot.Key(VK_ESCAPE);
    EXPECT_EQ(MessageBoxW(nullptr, u"x", u"t", MB_OKCANCEL), IDCANCEL);
  }
  EXPECT_EQ(MessageBoxW(nullptr, u"x", u"t", 0x0F), 0);  // no such button set
}

TEST_F(MessageBoxTest, ItsTextAndButtonsReachTheScreen) {
  host::Robot robot;
  int inkInText = 0, buttonFrames = 0;
  robot.Do([&] {
    // The screen as the loop left it before asking for input.
    const char* shot = std::getenv("MENSORA_SHOT_DIR");
    if (shot) gdi::WriteScreenPng(std::string(shot) + "/message_box.png");
    HWND box = GetActiveWindow();
    HWND yes = GetDlgItem(box, IDYES);
    RECT r;
    GetWindowRect(yes, &r);
    buttonFrames = gdi::Screen().at(r.left, r.top) == RGB(0, 0, 0);
    GetWindowRect(box, &r);
    for (LONG y = r.top; y < r.bottom; ++y)
      for (LONG x = r.left; x < r.right; ++x) inkInText += gdi::Screen().at(x, y) == RGB(0, 0, 0);
  });
  robot.TapControl(IDYES);
  EXPECT_EQ(MessageBoxW(nullptr, u"Save the changes?", u"Custom", MB_YESNO), IDYES);
  EXPECT_TRUE(buttonFrames);
  EXPECT_GT(inkInText, 200) << "frames and text in black";
}
