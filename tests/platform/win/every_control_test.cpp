// One dialog from a resource script with every control class, a menu bar and
// a press-and-hold popup, driven by the robot through each behaviour as a
// person would use it.
#include <gtest/gtest.h>

#include "control_input.h"
#include "every_control_res.h"
#include "host/headless/robot.h"
#include "res/modules.h"
#include "res/resources.h"
#include "shell/command_bar.h"
#include "shell/message_box.h"
#include "shell/shell.h"
#include "sys/system.h"
#include "win/controls/button.h"
#include "win/controls/combobox.h"
#include "win/controls/listview.h"
#include "win/controls/register_controls.h"
#include "win/controls/updown.h"
#include "win/dialog.h"
#include "win/menu.h"
#include "win/paint.h"
#include "gdi/surface.h"
#include "gdi/wingdi.h"

namespace {

// What the dialog saw, in the order it saw it.
struct Seen {
  std::vector<int> commands;  // WM_COMMAND ids with BN_CLICKED / menu code 0
  int drawItems = 0;
  int deltas = 0;             // UDN_DELTAPOS notifications
  int answer = 0;             // the message box's
  UINT held = 0;              // the hold popup's pick
  std::int64_t pressedAt = 0;
  HINSTANCE module = nullptr;
};
Seen* g_seen = nullptr;

void FillControls(HWND dialog) {
  HWND list = GetDlgItem(dialog, 1020);
  LVCOLUMNW column;
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 200;
  column.pszText = const_cast<LPWSTR>(u"Unit");
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, LPARAM(&column));
  for (const char16_t* text : {u"meter", u"mile"}) {
    LVITEMW item;
    item.mask = LVIF_TEXT;
    item.iItem = 99;
    item.pszText = const_cast<LPWSTR>(text);
    SendMessageW(list, LVM_INSERTITEMW, 0, LPARAM(&item));
  }
  HWND combo = GetDlgItem(dialog, 1030);
  for (const char16_t* text : {u"Distance", u"Pressure", u"Speed"})
    SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(text));
  HWND spin = GetDlgItem(dialog, 1014);
  SendMessageW(spin, UDM_SETBUDDY, WPARAM(GetDlgItem(dialog, 1012)), 0);
  SendMessageW(spin, UDM_SETRANGE32, 0, 10);
  SendMessageW(spin, UDM_SETPOS32, 0, 5);
  HWND bar = CommandBar_Create(g_seen->module, dialog, 0xE800);
  CommandBar_InsertMenubar(bar, g_seen->module, 135, 0);
  CommandBar_AddAdornments(bar, 0, 0);
}

void OnCommand(HWND dialog, int id) {
  g_seen->commands.push_back(id);
  if (id == 40001) g_seen->answer = MessageBoxW(dialog, u"Keep the changes?", u"Ask", MB_YESNO);
  if (id == IDCANCEL) EndDialog(dialog, IDCANCEL);
}

// A release at least a second after the press opens the popup there.
void OnRelease(HWND dialog, LPARAM lParam) {
  if (sys::NowSeconds() - g_seen->pressedAt < 1) return;
  HMENU menu = LoadMenuW(g_seen->module, MAKEINTRESOURCEW(136));
  POINT p = PointFromLParam(lParam);
  ClientToScreen(dialog, &p);
  g_seen->held = UINT(TrackPopupMenu(GetSubMenu(menu, 0), TPM_RETURNCMD, p.x, p.y, 0, dialog, nullptr));
  DestroyMenu(menu);
}

INT_PTR EveryControlProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: FillControls(dialog); return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0) OnCommand(dialog, LOWORD(wParam));
      return TRUE;
    case WM_DRAWITEM: ++g_seen->drawItems; return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->code != UDN_DELTAPOS) return FALSE;
      // The first step is refused, the next ones pass.
      SetWindowLongPtrW(dialog, DWL_MSGRESULT, g_seen->deltas++ == 0);
      return TRUE;
    case WM_LBUTTONDOWN: g_seen->pressedAt = sys::NowSeconds(); return TRUE;
    case WM_LBUTTONUP: OnRelease(dialog, lParam); return TRUE;
    default: return FALSE;
  }
}

class EveryControlTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    robot = std::make_unique<host::Robot>();
    win::RegisterControlClasses();
    shell::StartShell();
    seen.module = res::RegisterEmbeddedModule(mensora_res_blobs::every_control_res(), u"\\every.exe");
    g_seen = &seen;
  }
  void TearDown() override {
    FreeLibrary(seen.module);
    g_seen = nullptr;
    WindowTest::TearDown();
  }
  INT_PTR Run() {
    auto bytes = res::FindModuleResource(seen.module, res::NameOrOrdinal(RT_DIALOG), res::NameOrOrdinal(WORD(100)));
    EXPECT_TRUE(bytes.has_value());
    return bytes ? DialogBoxIndirectParamW(seen.module, *bytes, nullptr, &EveryControlProc, 0) : -1;
  }
  // A tap at a client point of a control of the active window, found when the
  // step runs.
  void TapIn(int id, LONG x, LONG y) {
    auto where = std::make_shared<POINT>();
    robot->Do([=] {
      *where = {x, y};
      ClientToScreen(GetDlgItem(GetActiveWindow(), id), where.get());
      win::PostStylus(WM_LBUTTONDOWN, *where);
    }).Do([=] { win::PostStylus(WM_LBUTTONUP, *where); });
  }
  HWND Item(int id) { return GetDlgItem(GetActiveWindow(), id); }
  std::string Dump(int id) { return host::DumpWindowTree(Item(id)); }
  Seen seen;
  // Made after the window system's reset, which forgets the input source.
  std::unique_ptr<host::Robot> robot;
};

}  // namespace

TEST_F(EveryControlTest, ButtonsChecksAndOwnerDrawing) {
  robot->TapControl(1001).TapControl(1003).Do([&] {
    EXPECT_NE(Dump(1003).find("checked"), std::string::npos) << Dump(1003);
  }).TapControl(1003).Do([&] {
    EXPECT_EQ(SendMessageW(Item(1003), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Dump(1003).find("checked"), std::string::npos);
  }).TapControl(1004).TapControl(IDOK).TapClose();
  EXPECT_EQ(Run(), IDCANCEL);  // the close button ends it
  EXPECT_TRUE(robot->errors().empty()) << robot->errors().front();
  EXPECT_EQ(seen.commands, (std::vector<int>{1001, 1003, 1003, 1004, IDOK, IDCANCEL}));
  EXPECT_GE(seen.drawItems, 2);  // pushed and released looks
}

TEST_F(EveryControlTest, EditsTakeWhatTheirStylesAllow) {
  robot->TapControl(1010).Type(u"hello").TapControl(1011).Type(u"x").TapControl(1012).Type(u"a1b2")
      .TapControl(1013).Type(u"one").Key(VK_RETURN, u'\r').Type(u"two").Do([&] {
        EXPECT_EQ(WindowText(Item(1010)), u"hello");
        EXPECT_EQ(WindowText(Item(1011)), u"fixed");  // read-only
        EXPECT_EQ(WindowText(Item(1012)), u"512");    // digits only, after the up-down's 5
        EXPECT_EQ(WindowText(Item(1013)), u"one\r\ntwo");
        EXPECT_NE(Dump(1010).find("sel=5..5"), std::string::npos) << Dump(1010);
        SendMessageW(Item(1010), EM_SETSEL, 1, 3);
        EXPECT_NE(Dump(1010).find("sel=1..3"), std::string::npos) << Dump(1010);
      }).TapClose();
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_TRUE(robot->errors().empty()) << robot->errors().front();
}

TEST_F(EveryControlTest, ListRowsComboAndUpDown) {
  TapIn(1020, 20, 16 + 16 + 8);  // the second row, under the header
  robot->Do([&] { EXPECT_NE(Dump(1020).find("cur=1"), std::string::npos) << Dump(1020); });
  TapIn(1020, 20, 66);  // below the last row: nothing selected
  robot->Do([&] { EXPECT_NE(Dump(1020).find("cur=-1"), std::string::npos) << Dump(1020); });
  robot->TapControl(1030).Do([&] {
    EXPECT_TRUE(SendMessageW(Item(1030), CB_GETDROPPEDSTATE, 0, 0));
    RECT r;
    SendMessageW(Item(1030), CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&r));
    LONG row = LONG(SendMessageW(Item(1030), CB_GETITEMHEIGHT, 0, 0));
    win::PostStylus(WM_LBUTTONDOWN, {r.left + 10, r.top + 2 * row + row / 2});
  }).Do([&] {
    RECT r;
    SendMessageW(Item(1030), CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&r));
    LONG row = LONG(SendMessageW(Item(1030), CB_GETITEMHEIGHT, 0, 0));
    win::PostStylus(WM_LBUTTONUP, {r.left + 10, r.top + 2 * row + row / 2});
  }).Do([&] {
    EXPECT_NE(Dump(1030).find("cur=2"), std::string::npos) << Dump(1030);
    EXPECT_EQ(WindowText(Item(1030)), u"Speed");
  });
  TapIn(1014, 5, 3);  // the upper arrow: refused
  robot->Do([&] { EXPECT_EQ(WindowText(Item(1012)), u"5"); });
  TapIn(1014, 5, 3);  // accepted
  robot->Do([&] { EXPECT_EQ(WindowText(Item(1012)), u"6"); }).TapClose();
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_TRUE(robot->errors().empty()) << robot->errors().front();
  EXPECT_EQ(seen.deltas, 2);
}

TEST_F(EveryControlTest, MenuBarMessageBoxAndHoldPopup) {
  robot->TapMenuBar(u"Tools").TapMenuItem(u"Ask").ExpectActive(u"Ask").TapControl(IDYES)
      .ExpectActive(u"Every Control").TapMenuBar(u"About")
      .Tap({100, 256})                 // a short tap: no popup
      .Hold({100, 256}, 2).TapMenuItem(u"Paste").TapClose();
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_TRUE(robot->errors().empty()) << robot->errors().front();
  EXPECT_EQ(seen.answer, IDYES);
  EXPECT_EQ(seen.held, 40011u);
  EXPECT_EQ(seen.commands, (std::vector<int>{40001, 40003, IDCANCEL}));
}

TEST_F(EveryControlTest, TheDialogWithItsMenuBarOnTheScreen) {
  robot->TapControl(1003).TapControl(1010).Type(u"42").Do([&] {
    win::PaintPending();
    std::string error;
    EXPECT_TRUE(gdi::WriteScreenPng(std::string(OUTPUT_DIR) + "/every_control_shell.png", &error)) << error;
    // The menu bar's grey strip under the dialog, the task bar's blue above.
    EXPECT_EQ(gdi::Screen().at(200, 300), RGB(212, 208, 200));
    EXPECT_EQ(gdi::Screen().at(200, 5), RGB(0, 0, 128));
  }).TapClose();
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_TRUE(robot->errors().empty()) << robot->errors().front();
}
