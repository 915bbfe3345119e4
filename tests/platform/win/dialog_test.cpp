// The dialog manager: templates to windows, the focus rule of WM_INITDIALOG,
// the keyboard interface, and modal runs with their owner.
#include <functional>
#include <vector>

#include "dialog_template_writer.h"
#include "msg_recorder.h"
#include "win/dialog.h"
#include "win/controls/register_controls.h"
#include "win/input.h"

namespace {

// The dialog procedure of the tests: records commands and ends on IDOK or
// IDCANCEL; `init` decides what WM_INITDIALOG answers.
std::vector<int> g_commands;
std::function<INT_PTR(HWND)> g_init;

INT_PTR TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return g_init ? g_init(dialog) : TRUE;
  if (message == WM_COMMAND) {
    g_commands.push_back(LOWORD(wParam));
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam) + 100);
    return TRUE;
  }
  return FALSE;
}

class DialogTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    g_commands.clear();
    g_init = nullptr;
    form.Item(1001, WS_TABSTOP, 5, 5, 50, 12)
        .Item(1002, WS_TABSTOP | WS_DISABLED, 5, 20, 50, 12)
        .Item(1003, WS_VISIBLE, 5, 35, 50, 12)  // no tab stop
        .Item(1004, WS_TABSTOP | WS_VISIBLE, 5, 50, 50, 12)
        .Item(1005, WS_TABSTOP | WS_VISIBLE, 5, 65, 50, 12);
  }
  // Runs the robot's steps one per idle turn of the loop.
  void Robot(std::vector<std::function<void()>> steps) {
    auto pending = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    win::SetIdleHandler([pending, i = size_t(0)]() mutable {
      if (i >= pending->size()) return false;
      (*pending)[i++]();
      return true;
    });
  }
  TemplateWriter form{WS_POPUP | WS_CAPTION, 135, 149, u"Test"};
};

}  // namespace

TEST(DialogUnits, MapWithBaseUnitsSevenByFourteen) {
  EXPECT_EQ(win::DialogUnitsToPixels(0, 0, 135, 149), (RECT{0, 0, 236, 261}));
  EXPECT_EQ(win::DialogUnitsToPixels(4, 8, 2, 2), (RECT{7, 14, 11, 18}));
}

TEST_F(DialogTest, BuildsControlsAndFocusesTheFirstTabStop) {
  HWND dialog = CreateDialogIndirectParamW(nullptr, form.bytes(), nullptr, TestDialogProc, 0);
  ASSERT_TRUE(dialog);
  RECT r;
  GetWindowRect(dialog, &r);
  EXPECT_EQ(r.right - r.left, 236);
  EXPECT_EQ(r.bottom - r.top, 261);
  EXPECT_EQ(WindowText(dialog), u"Test");
  HWND c1 = GetDlgItem(dialog, 1001);
  ASSERT_TRUE(c1);
  GetWindowRect(c1, &r);
  EXPECT_EQ(r.left, 9);  // 5 units = 8.75 pixels
  // 1001 is hidden (no WS_VISIBLE), 1002 disabled: 1004 is the first stop.
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1004));
  EXPECT_FALSE(IsWindowVisible(dialog));  // modeless without WS_VISIBLE

  SendMessageW(dialog, WM_NEXTDLGCTL, 0, 0);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1005));
  SendMessageW(dialog, WM_NEXTDLGCTL, 0, 0);  // wraps past the hidden and disabled
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1004));
  SendMessageW(dialog, WM_NEXTDLGCTL, 1, 0);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1005));
}

TEST_F(DialogTest, FocusNotificationAnsweredByNextDlgCtl) {
  // A field that must never keep the focus passes it on.
  rec.OnMessage("?", [](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m == WM_SETFOCUS && GetDlgCtrlID(h) == 1004) SendMessageW(GetParent(h), WM_NEXTDLGCTL, 0, 0);
    return false;
  });
  HWND dialog = CreateDialogIndirectParamW(nullptr, form.bytes(), nullptr, TestDialogProc, 0);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1005));
}

TEST_F(DialogTest, ModalRunKeysAndOwner) {
  HWND owner = rec.Create("owner", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  HWND seen = nullptr;
  Robot({[&] {
           seen = GetActiveWindow();
           EXPECT_FALSE(IsWindowEnabled(owner));
           EXPECT_TRUE(IsWindowVisible(seen));
           EXPECT_EQ(win::PostStylus(WM_LBUTTONDOWN, {238, 290}), nullptr);  // the owner is deaf
           win::PostKey(VK_TAB);
         },
         [&] {
           EXPECT_EQ(GetFocus(), GetDlgItem(seen, 1005));
           win::PostKey(VK_RETURN, u'\r');
         }});
  INT_PTR result = DialogBoxIndirectParamW(nullptr, form.bytes(), owner, TestDialogProc, 0);
  EXPECT_EQ(result, IDOK + 100);
  EXPECT_EQ(g_commands, std::vector<int>{IDOK});
  EXPECT_FALSE(IsWindow(seen));
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);

  Robot({[] { win::PostKey(VK_ESCAPE); }});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, form.bytes(), owner, TestDialogProc, 0), IDCANCEL + 100);
}

TEST_F(DialogTest, EndDialogDuringInitNeverShows) {
  g_init = [](HWND d) {
    EndDialog(d, 7);
    return TRUE;
  };
  int idle = 0;
  win::SetIdleHandler([&] { return ++idle < 0; });
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, form.bytes(), nullptr, TestDialogProc, 0), 7);
  EXPECT_EQ(idle, 0);  // no loop ran
  EXPECT_TRUE(rec.Log({WM_SHOWWINDOW}).empty());
}

TEST_F(DialogTest, QuitDuringNestedModalLoops) {
  HWND owner = rec.Create("owner", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  int depth = 0;
  g_init = [&](HWND d) {
    if (++depth < 2) {
      // A dialog that opens another from its own initialisation.
      EXPECT_EQ(DialogBoxIndirectParamW(nullptr, form.bytes(), d, TestDialogProc, 0), 0);
    }
    return TRUE;
  };
  Robot({[] { PostQuitMessage(4660); }});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, form.bytes(), owner, TestDialogProc, 0), 0);
  MSG msg;
  EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.wParam, 4660u);  // passed on to the outermost loop
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogTest, BrokenTemplatesFailCleanly) {
  auto bytes = form.bytes();
  for (size_t n = 0; n < bytes.size(); n += 3)
    EXPECT_EQ(CreateDialogIndirectParamW(nullptr, bytes.first(n), nullptr, TestDialogProc, 0), nullptr);
  TemplateWriter unknown{WS_POPUP, 50, 50, u"x"};
  unknown.Item(1, 0, 0, 0, 1, 1);
  win::WindowTable::Get().RemoveClass(u"Recorder");
  EXPECT_EQ(CreateDialogIndirectParamW(nullptr, unknown.bytes(), nullptr, TestDialogProc, 0), nullptr);
}

TEST_F(DialogTest, EveryControlClassBuildsFromATemplate) {
  win::RegisterControlClasses();
  win::RegisterControlClasses();  // a second call changes nothing
  TemplateWriter all{WS_POPUP | WS_CAPTION, 135, 149, u"All"};
  all.Item(1, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 5, 5, 40, 14, u"BUTTON", u"OK")
      .Item(2, BS_AUTOCHECKBOX | WS_VISIBLE, 5, 20, 40, 14, u"BUTTON", u"Check")
      .Item(3, SS_LEFT | WS_VISIBLE, 5, 35, 40, 10, u"STATIC", u"Label")
      .Item(4, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE, 5, 50, 60, 14, u"EDIT", u"12")
      .Item(5, LVS_REPORT | LVS_SINGLESEL | WS_VISIBLE, 5, 65, 120, 40, u"SysListView32")
      .Item(6, CBS_DROPDOWNLIST | WS_VISIBLE, 5, 110, 80, 60, u"COMBOBOX")
      .Item(7, UDS_HORZ | WS_VISIBLE, 90, 110, 20, 14, u"msctls_updown32");
  HWND dialog = CreateDialogIndirectParamW(nullptr, all.bytes(), nullptr, TestDialogProc, 0);
  ASSERT_TRUE(dialog);
  for (int id = 1; id <= 7; ++id) EXPECT_TRUE(GetDlgItem(dialog, id)) << id;
  EXPECT_EQ(WindowText(GetDlgItem(dialog, 4)), u"12");
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1));
}
