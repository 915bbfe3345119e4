// The golden screenshot: the dialog holding every control, painted by the
// idle path, written to PNG and compared with the committed picture. Set
// MENSORA_UPDATE_GOLDEN=1 to write a new golden after looking at it.
#include <cstdlib>
#include <filesystem>

#include "every_control_dialog.h"
#include "gdi/png.h"
#include "gdi/surface.h"
#include "msg_recorder.h"
#include "win/controls/button.h"
#include "win/controls/combobox.h"
#include "win/menu.h"
#include "win/queue.h"
#include "win/controls/register_controls.h"
#include "win/paint.h"

namespace {

// Per channel, what font rasterisation may move without being a change.
constexpr int kChannelTolerance = 24;
// Pixels allowed beyond that (antialiasing at glyph edges).
constexpr int kOutliersAllowed = 40;

int Diff(std::uint32_t a, std::uint32_t b, int shift) {
  return std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
}

class GoldenTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    win::RegisterControlClasses();
    paint_test::Module();
  }
  // Paints, writes the screen as `name` beside the test binary and compares
  // it with the golden of that name.
  void Check(const std::string& name) {
    win::PaintPending();
    std::filesystem::path actual = std::filesystem::path(OUTPUT_DIR) / name;
    std::filesystem::path golden = std::filesystem::path(GOLDEN_DIR) / name;
    ASSERT_TRUE(gdi::WriteScreenPng(actual));
    if (const char* update = std::getenv("MENSORA_UPDATE_GOLDEN"); update && *update == '1') {
      ASSERT_TRUE(gdi::WriteScreenPng(golden));
      GTEST_SKIP() << "golden written: " << golden;
    }
    std::string error;
    auto expected = gdi::ReadPng(golden, &error);
    ASSERT_TRUE(expected) << error;
    auto got = gdi::ReadPng(actual, &error);
    ASSERT_TRUE(got) << error;
    ASSERT_EQ(expected->width(), got->width());
    ASSERT_EQ(expected->height(), got->height());
    int outliers = 0;
    for (int y = 0; y < got->height(); ++y)
      for (int x = 0; x < got->width(); ++x) {
        auto a = expected->at(x, y), b = got->at(x, y);
        int worst = std::max({Diff(a, b, 0), Diff(a, b, 8), Diff(a, b, 16)});
        if (worst > kChannelTolerance) ++outliers;
      }
    EXPECT_LE(outliers, kOutliersAllowed) << "compare " << actual << " with " << golden;
  }
};

}  // namespace

TEST_F(GoldenTest, EveryControlDialog) {
  HWND dialog = paint_test::CreateEveryControlDialog(false);
  ASSERT_NE(dialog, nullptr);
  SetFocus(GetDlgItem(dialog, 11));
  SendMessageW(GetDlgItem(dialog, 20), BM_SETSTATE, TRUE, 0);  // ">>" held
  Check("every_control.png");
}

TEST_F(GoldenTest, DroppedList) {
  HWND dialog = paint_test::CreateEveryControlDialog(true);
  ASSERT_NE(dialog, nullptr);
  SendMessageW(GetDlgItem(dialog, 14), CB_SHOWDROPDOWN, TRUE, 0);
  Check("dropped_list.png");
}

TEST_F(GoldenTest, PopupMenu) {
  HWND dialog = paint_test::CreateEveryControlDialog(true);
  ASSERT_NE(dialog, nullptr);
  HMENU sub = CreatePopupMenu();  AppendMenuW(sub, MF_STRING, 41, u"Celsius");
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 31, u"Open table...");
  AppendMenuW(menu, MF_STRING | MF_GRAYED, 32, u"Save settings");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | MF_CHECKED, 33, u"Scientific");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"Units");
  // The first idle turn of the menu's loop, when everything is painted,
  // takes the picture; no input comes, so the menu closes.
  bool taken = false;
  win::SetIdleHandler([&] {
    if (!taken) Check("popup_menu.png");
    taken = true;
    return false;
  });
  PostMessageW(dialog, WM_KEYDOWN, VK_DOWN, 0);  // the menu's keys: the first item is hot
  TrackPopupMenu(menu, TPM_LEFTALIGN, 60, 150, 0, dialog, nullptr);
  EXPECT_TRUE(taken);
  DestroyMenu(menu);
  DestroyMenu(sub);
}
