// Statics: text, images by type, and what a tap does with and without
// SS_NOTIFY.
#include "control_input.h"
#include "win/controls/static_control.h"

namespace {

class StaticTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    win::RegisterStaticClass();
    parent = rec.Create("parent", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  }
  HWND Make(DWORD style, const char16_t* text = u"Decimal-point precision", int id = 1055) {
    return CreateWindowExW(0, u"STATIC", text, WS_CHILD | WS_VISIBLE | style, 20, 30, 100, 14,
                           parent, reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
  }
  HWND parent = nullptr;
};

HBITMAP FakeBitmap(std::uintptr_t n) { return reinterpret_cast<HBITMAP>(n); }

}  // namespace

TEST_F(StaticTest, BitmapImageReplacedAndReturned) {
  HWND image = Make(SS_BITMAP, nullptr, 33003);
  EXPECT_EQ(SendMessageW(image, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(
      SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(FakeBitmap(0x100))),
      0);
  // The previous image comes back so that its owner can release it.
  EXPECT_EQ(
      SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(FakeBitmap(0x200))),
      LRESULT(0x100));
  EXPECT_EQ(SendMessageW(image, STM_GETIMAGE, IMAGE_BITMAP, 0), LRESULT(0x200));
  // An image of another type is refused and changes nothing.
  EXPECT_EQ(SendMessageW(image, STM_SETIMAGE, IMAGE_ICON, 0x300), 0);
  EXPECT_EQ(SendMessageW(image, STM_GETIMAGE, IMAGE_ICON, 0), 0);
  EXPECT_EQ(SendMessageW(image, STM_GETIMAGE, IMAGE_BITMAP, 0), LRESULT(0x200));
}

TEST_F(StaticTest, TextStaticTakesNoImage) {
  HWND label = Make(SS_LEFT);
  EXPECT_EQ(SendMessageW(label, STM_SETIMAGE, IMAGE_BITMAP, 0x100), 0);
  EXPECT_EQ(SendMessageW(label, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(SendMessageW(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  HWND icon = Make(SS_ICON);
  EXPECT_EQ(SendMessageW(icon, STM_SETICON, 0x400, 0), 0);
  EXPECT_EQ(SendMessageW(icon, STM_GETIMAGE, IMAGE_ICON, 0), LRESULT(0x400));
}

TEST_F(StaticTest, TapWithNotifyIsReported) {
  HWND label = Make(SS_LEFT | SS_NOTIFY);
  rec.Clear();
  Tap(label, 3, 3);
  EXPECT_TRUE(
      SameSequence({Cmd("parent", 1055, STN_CLICKED)}, rec.Log({WM_COMMAND, WM_LBUTTONDOWN})));
  rec.Clear();
  EnableWindow(label, FALSE);
  EnableWindow(label, TRUE);
  EXPECT_TRUE(SameSequence({Cmd("parent", 1055, STN_DISABLE), Cmd("parent", 1055, STN_ENABLE)},
                           rec.Log({WM_COMMAND})));
}

TEST_F(StaticTest, TapWithoutNotifyReachesTheParent) {
  HWND label = Make(SS_LEFT);
  rec.Clear();
  Pen(WM_LBUTTONDOWN, label, 3, 4);
  auto downs = rec.Log({WM_LBUTTONDOWN, WM_COMMAND});
  ASSERT_TRUE(SameSequence({Msg("parent", WM_LBUTTONDOWN)}, downs));
  // In the parent's coordinates: the static sits at (20, 30).
  MSG m{};
  rec.OnMessage("parent", [&](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT&) {
    if (msg == WM_LBUTTONUP) m.lParam = lParam;
    return false;
  });
  Pen(WM_LBUTTONUP, label, 3, 4);
  EXPECT_EQ(LOWORD(std::uintptr_t(m.lParam)), 23);
  EXPECT_EQ(HIWORD(std::uintptr_t(m.lParam)), 34);
}
