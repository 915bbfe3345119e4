// What the main window paints, read back from the screen: the category's
// colour or its bitmap repeated from the client area's corner, and the two
// field captions in black with a white shadow.
#include "app_fixture.h"
#include "gdi/bmp_reader.h"
#include "gdi/surface.h"
#include "win/paint.h"

namespace apptest {
namespace {

// A point of the main window's client area that no control covers: left of
// the unit lists, below the buttons.
constexpr POINT kOpenGround{3, 40};

POINT OnScreen(POINT client) {
  ClientToScreen(AppTest::Dlg().m_hWnd, &client);
  return client;
}

void ShowCategory(const char16_t* name) {
  SendMessageW(AppTest::Item(IDC_CATEGORY), CB_SELECTSTRING, WPARAM(-1), LPARAM(name));
  AppTest::Dlg().OnSelChangeCategory();
  win::PaintPending();
}

TEST_F(AppTest, ACategoryWithoutBitmapIsFilledWithItsColour) {
  host::Robot robot;
  robot.Do([&] {
    ShowCategory(u"Volume Dry");
    const POINT p = OnScreen(kOpenGround);
    EXPECT_EQ(gdi::Screen().at(p.x, p.y), COLORREF(16711680));
    ShowCategory(u"Density");
    EXPECT_EQ(gdi::Screen().at(p.x, p.y), COLORREF(65280));
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, ACategoryBitmapIsRepeatedFromTheClientAreasCorner) {
  const fs::path tile = fs::path(MENSORA_BITMAP_DIR) / "temperature.bmp";
  fs::create_directories(base_ / "device" / "windows");
  fs::copy_file(tile, base_ / "device" / "windows" / "temperature.bmp");
  const gdi::BmpResult bmp = gdi::ReadBmpFile(tile);
  ASSERT_EQ(bmp.error, gdi::BmpError::kOk);
  host::Robot robot;
  robot.Do([&] {
    ShowCategory(u"Temperature");
    const int w = bmp.image.width(), h = bmp.image.height();
    // Open ground in the first cell, and the same column further down, in
    // the second row of cells.
    for (POINT client : {kOpenGround, POINT{kOpenGround.x, kOpenGround.y + h}, POINT{5, 200}}) {
      const POINT p = OnScreen(client);
      EXPECT_EQ(gdi::Screen().at(p.x, p.y), bmp.image.GetColor(client.x % w, client.y % h))
          << "client point " << client.x << "," << client.y;
    }
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, TheFieldCaptionsAreBlackWithAWhiteShadow) {
  host::Robot robot;
  robot.Do([&] {
    ShowCategory(u"Volume Dry");
    RECT field;
    GetWindowRect(Item(IDC_VALUE), &field);
    int black = 0, white = 0;
    for (LONG y = field.top + 3; y < field.bottom + 3; ++y)
      for (LONG x = field.left - 66; x < field.left - 6; ++x) {
        COLORREF c = gdi::Screen().at(x, y);
        // The text is smoothed: count pixels near black and near white.
        black += GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64;
        white += GetRValue(c) > 192 && GetGValue(c) > 192 && GetBValue(c) > 192;
      }
    EXPECT_GT(black, 10);
    EXPECT_GT(white, 10);
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

}  // namespace
}  // namespace apptest
