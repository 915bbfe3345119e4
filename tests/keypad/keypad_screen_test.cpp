// The keypad as it appears: painted by the idle path over a light green
// background, with one key held down, written as keypad.png beside the test
// binary for a person to look at, and checked at a few telling pixels.
#include <filesystem>

#include "gdi/surface.h"
#include "gdi/wingdi.h"
#include "keypad_fixture.h"
#include "win/paint.h"

namespace {

constexpr COLORREF kLightGreen = RGB(0xC0, 0xF0, 0xC0);

POINT ScreenPointOf(HWND hwnd, POINT client) {
  ClientToScreen(hwnd, &client);
  return client;
}

TEST_F(KeypadTest, PaintsItsKeysOverTheCallersBackground) {
  host::Robot robot;
  Keys(robot, u"12.5");
  robot.PressControl(IDC_KEY_3);
  robot.Do([&] {
    win::PaintPending();
    ASSERT_TRUE(gdi::WriteScreenPng(std::filesystem::path(OUTPUT_DIR) / "keypad.png"));
    const gdi::Surface& screen = gdi::Screen();
    // Between the keys 1 and 2 (dialog units 36-38 across) lies the background.
    POINT gap = ScreenPointOf(Item(IDC_KEY_1), {0, 10});
    RECT key1;
    GetWindowRect(Item(IDC_KEY_1), &key1);
    EXPECT_EQ(screen.at(key1.right + 1, gap.y), kLightGreen);
    // Each key shows its image at its top-left corner: key 3 held, key 4 up.
    HINSTANCE keypad = AfxGetResourceHandle();
    auto imagePixel = [&](const char16_t* name, int x, int y) {
      HBITMAP bitmap = LoadBitmapW(keypad, name);
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ previous = SelectObject(dc, bitmap);
      COLORREF c = GetPixel(dc, x, y);
      SelectObject(dc, previous);
      DeleteDC(dc);
      DeleteObject(bitmap);
      return c;
    };
    for (int id : {IDC_KEY_3, IDC_KEY_4}) {
      POINT corner = ScreenPointOf(Item(id), {24, 24});
      EXPECT_EQ(screen.at(corner.x, corner.y),
                imagePixel(id == IDC_KEY_3 ? u"BTN_NUM3D" : u"BTN_NUM4U", 24, 24)) << id;
    }
  });
  robot.ReleaseControl(IDC_KEY_3).TapControl(IDOK);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 2, kLightGreen), 1);
  EXPECT_EQ(value, u"12.53");
}

}  // namespace
