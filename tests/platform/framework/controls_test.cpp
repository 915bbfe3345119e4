// The control wrappers over real controls of a dialog built from a
// template, and the framework's small helpers: menus, image-list handles,
// time, the busy cursor and bitmap buttons.
#include <vector>

#include "framework/app_state.h"
#include "framework/cbitmapbutton.h"
#include "framework/ccombobox.h"
#include "framework/cdialog.h"
#include "framework/cedit.h"
#include "framework/cimagelist.h"
#include "win/controls/image_list.h"
#include "framework/clistctrl.h"
#include "framework/cmenu.h"
#include "framework/cspinbuttonctrl.h"
#include "framework/cstatic.h"
#include "framework/ctime.h"
#include "framework/cwaitcursor.h"
#include "framework_fixture.h"
#include "gdi/surface.h"
#include "host/headless/robot.h"
#include "res/resources.h"
#include "sys/system.h"

namespace {

constexpr int kEdit = 2001, kCheck = 2002, kPic = 2003, kStatic = 2004, kCombo = 2005,
              kList = 2006, kSpin = 2007;

// Binds every control in OnInitDialog and fills the combo and the list.
class CControlsDlg : public CDialog {
 public:
  CControlsDlg() : CDialog(201) {}
  CEdit m_edit;
  CButton m_check;
  CBitmapButton m_pic;
  CStatic m_static;
  CComboBox m_combo;
  CListCtrl m_list;
  CSpinButtonCtrl m_spin;
  int checkClicks = 0;
  std::vector<int> addedAt;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_edit.SubclassDlgItem(kEdit, this);
    m_check.SubclassDlgItem(kCheck, this);
    m_pic.AutoLoad(kPic, this);
    m_static.SubclassDlgItem(kStatic, this);
    m_combo.SubclassDlgItem(kCombo, this);
    m_list.SubclassDlgItem(kList, this);
    m_spin.SubclassDlgItem(kSpin, this);
    int data = 10;
    for (const char16_t* unit : {u"metre", u"foot", u"inch"}) {
      const int at = m_combo.AddString(unit);
      addedAt.push_back(at);
      m_combo.SetItemData(at, UINT_PTR(data++));
    }
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);  // a tap anywhere on a row picks it
    m_list.InsertColumn(0, u"Unit", LVCFMT_LEFT, 80);
    m_list.InsertColumn(1, u"Factor", LVCFMT_RIGHT, 40, 1);
    for (int i = 0; i < 8; ++i) {
      const int at = m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, u"row", 0, 0, 0, LPARAM(100 + i));
      m_list.SetItemText(at, 1, i % 2 ? u"odd" : u"even");
    }
    return TRUE;
  }
  void OnCheck() { ++checkClicks; }
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map(CDialog::GetThisMessageMap(), {
        MapControl(BN_CLICKED, kCheck, &CControlsDlg::OnCheck),
    });
    return &map;
  }
};

using ControlsTest = FrameworkTest;

}  // namespace

TEST_F(ControlsTest, TapsAndTypingReadBackThroughTheWrappers) {
  CControlsDlg dlg;
  host::Robot robot;
  robot.TapControl(kCheck)
      .TapControl(kList)
      .TapControl(kEdit)
      .Type(u"12.5")
      .Do([&] {
        EXPECT_EQ(dlg.checkClicks, 1);
        EXPECT_EQ(dlg.m_check.GetCheck(), int(BST_CHECKED));

        // The tapped row is selected and keeps its own data and texts.
        const int row = dlg.m_list.GetNextItem(-1, LVNI_SELECTED);
        ASSERT_GE(row, 0);
        EXPECT_EQ(dlg.m_list.GetItemState(row, LVIS_SELECTED), UINT(LVIS_SELECTED));
        EXPECT_EQ(dlg.m_list.GetNextItem(row, LVNI_SELECTED), -1);
        EXPECT_EQ(dlg.m_list.GetItemData(row), UINT_PTR(100 + row));
        EXPECT_EQ(dlg.m_list.GetItemText(row, 0), u"row");
        EXPECT_EQ(dlg.m_list.GetItemText(row, 1), row % 2 ? u"odd" : u"even");

        EXPECT_EQ(dlg.m_edit.GetWindowText(), u"12.5");
        int start = -1, end = -1;
        dlg.m_edit.GetSel(start, end);
        EXPECT_EQ(start, 4);
        EXPECT_EQ(end, 4);
        dlg.m_edit.SetSel(0, -1);
        dlg.m_edit.GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 4);
        dlg.m_edit.ReplaceSel(u"7");
        EXPECT_EQ(dlg.m_edit.GetWindowText(), u"7");
        dlg.EndDialog(IDOK);
      });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(robot.errors().empty());
  EXPECT_EQ(dlg.m_list.m_hWnd, nullptr);
}

TEST_F(ControlsTest, ComboKeepsSortedItemsWithTheirData) {
  CControlsDlg dlg;
  host::Robot robot;
  robot.Do([&] {
    CComboBox& combo = dlg.m_combo;
    EXPECT_EQ(dlg.addedAt, (std::vector<int>{0, 0, 1}));  // metre, then foot before it, inch between
    ASSERT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetLBText(0), u"foot");
    EXPECT_EQ(combo.GetLBText(1), u"inch");
    EXPECT_EQ(combo.GetLBText(2), u"metre");
    EXPECT_EQ(combo.GetLBText(3), u"");
    EXPECT_EQ(combo.GetItemData(2), 10u);
    EXPECT_EQ(combo.GetItemData(0), 11u);
    EXPECT_EQ(combo.FindStringExact(-1, u"INCH"), 1);
    EXPECT_EQ(combo.FindStringExact(-1, u"inc"), int(CB_ERR));
    EXPECT_EQ(combo.GetCurSel(), int(CB_ERR));
    EXPECT_EQ(combo.SetCurSel(2), 2);
    EXPECT_EQ(combo.GetLBText(combo.GetCurSel()), u"metre");
    dlg.EndDialog(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(robot.errors().empty());
}

TEST_F(ControlsTest, ListTextsDataAndSelection) {
  CControlsDlg dlg;
  host::Robot robot;
  robot.Do([&] {
    CListCtrl& list = dlg.m_list;
    EXPECT_EQ(list.GetItemCount(), 8);
    // Longer than any first guess at a buffer.
    const std::u16string longText(300, u'x');
    EXPECT_TRUE(list.SetItemText(3, 0, longText.c_str()));
    EXPECT_EQ(list.GetItemText(3, 0), longText);
    EXPECT_EQ(list.GetItemText(3, 1), u"odd");

    EXPECT_TRUE(list.SetItemData(5, 4242));
    EXPECT_EQ(list.GetItemData(5), 4242u);
    LVFINDINFOW find;
    find.flags = LVFI_PARAM;
    find.lParam = 4242;
    EXPECT_EQ(list.FindItem(&find), 5);

    EXPECT_TRUE(list.SetItemState(6, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 6);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 6);
    EXPECT_TRUE(list.SetItemState(-1, 0, LVIS_SELECTED));  // every item
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_TRUE(list.EnsureVisible(7, FALSE));

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemCount(), 7);
    EXPECT_EQ(list.GetItemData(4), 4242u);

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetItemText(0, 0), u"");
    dlg.EndDialog(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(robot.errors().empty());
}

TEST_F(ControlsTest, SpinRangesAndBuddy) {
  CControlsDlg dlg;
  host::Robot robot;
  robot.Do([&] {
    CSpinButtonCtrl& spin = dlg.m_spin;
    spin.SetRange32(-5, 70000);
    int lower = 0, upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, -5);
    EXPECT_EQ(upper, 70000);
    spin.SetRange(1, 9);
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, 9);
    spin.SetPos(4);
    EXPECT_EQ(spin.SetPos(7), 4);
    EXPECT_EQ(spin.GetPos(), 7);
    EXPECT_EQ(spin.SetBuddy(&dlg.m_edit), nullptr);
    EXPECT_EQ(spin.GetBuddy(), &dlg.m_edit);
    dlg.EndDialog(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(robot.errors().empty());
}

TEST_F(ControlsTest, MenuLoadsOwnsAndKeepsSubmenus) {
  HMENU kept = nullptr;
  {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(300));
    EXPECT_FALSE(menu.LoadMenu(300));  // one menu per object
    CMenu* file = menu.GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(menu.GetSubMenu(0), file);  // the same kept object
    EXPECT_EQ(menu.GetSubMenu(5), nullptr);
    EXPECT_EQ(file->GetMenuItemID(0), 3001u);
    EXPECT_EQ(menu.EnableMenuItem(3002, MF_ENABLED), UINT(MF_GRAYED));
    EXPECT_EQ(file->GetMenuState(3002, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(menu.EnableMenuItem(9999, MF_GRAYED), 0xFFFFFFFFu);
    kept = menu.GetSafeHmenu();
  }
  EXPECT_EQ(GetMenuItemCount(kept), -1);  // destroyed with its owner

  HMENU popup = CreatePopupMenu();
  {
    CMenu borrowed;
    ASSERT_TRUE(borrowed.Attach(popup));
    EXPECT_TRUE(borrowed.AppendMenu(MF_STRING, 41, u"one"));
    EXPECT_TRUE(borrowed.AppendMenu(MF_SEPARATOR));
  }
  EXPECT_EQ(GetMenuItemCount(popup), 2);  // an attached menu stays the caller's
  EXPECT_TRUE(DestroyMenu(popup));

  CMenu own;
  ASSERT_TRUE(own.CreatePopupMenu());
  HMENU handle = own;
  own.DestroyMenu();
  EXPECT_EQ(own.GetSafeHmenu(), nullptr);
  EXPECT_EQ(GetMenuItemCount(handle), -1);
}

TEST(ImageListTest, AttachDetachAndCreateNeverDestroy) {
  CImageList list;
  const auto first = reinterpret_cast<HIMAGELIST>(0x10);
  EXPECT_FALSE(list.Attach(nullptr));
  EXPECT_TRUE(list.Attach(first));
  EXPECT_FALSE(list.Attach(reinterpret_cast<HIMAGELIST>(0x20)));
  EXPECT_EQ(list.Detach(), first);
  EXPECT_EQ(list.GetSafeHandle(), nullptr);

  EXPECT_FALSE(list.Create(0, 16, 0, 4, 4));  // no such size
  EXPECT_TRUE(list.Create(16, 16, 0, 4, 4));  // a real list
  HIMAGELIST created = list.Detach();
  EXPECT_EQ(ImageList_GetImageCount(created), 0);
  EXPECT_TRUE(ImageList_Destroy(created));
  CImageList::SetFactory([](int cx, int, UINT, int, int) {
    return reinterpret_cast<HIMAGELIST>(UINT_PTR(cx));
  });
  EXPECT_TRUE(list.Create(16, 16, 0, 4, 4));
  EXPECT_EQ(list.GetSafeHandle(), reinterpret_cast<HIMAGELIST>(16));
  CImageList::SetFactory(nullptr);
}

TEST(TimeTest, ReadsTheInjectedClockInWholeSeconds) {
  std::int64_t now = 1700000000;
  sys::SetClock([&] { return now; });
  const CTime start = CTime::GetCurrentTime();
  EXPECT_EQ(start.GetTime(), 1700000000);
  now += 90;
  const CTime later = CTime::GetCurrentTime();
  EXPECT_EQ(later - start, 90);
  EXPECT_LT(start, later);
  EXPECT_EQ(later, CTime(1700000090));
  sys::SetClock({});
  EXPECT_GT(CTime::GetCurrentTime(), CTime(1500000000));  // the real clock again
}

TEST(WaitCursorTest, OnlyTheOutermostWaitReachesTheHook) {
  std::vector<bool> calls;
  AfxSetBusyCursorHook([&](bool busy) { calls.push_back(busy); });
  {
    CWaitCursor outer;
    {
      CWaitCursor inner;
      inner.Restore();
    }
    EXPECT_EQ(calls, (std::vector<bool>{true, true}));
  }
  EXPECT_EQ(calls, (std::vector<bool>{true, true, false}));
  AfxRestoreWaitCursor();  // no wait running
  AfxEndWaitCursor();      // unbalanced: ignored
  { CWaitCursor again; }
  EXPECT_EQ(calls, (std::vector<bool>{true, true, false, true, false}));
  AfxSetBusyCursorHook(nullptr);
  { CWaitCursor silent; }
}

TEST_F(ControlsTest, BitmapButtonLoadsItsSlotsFromTheResourceSource) {
  CBitmapButton button;
  EXPECT_FALSE(button.LoadBitmaps(401, 402));  // not in the resources: ids kept, no images
  EXPECT_EQ(button.GetBitmapId(CBitmapButton::kDown), 402u);
  EXPECT_EQ(button.GetBitmap(CBitmapButton::kUp), nullptr);

  std::vector<UINT> asked;
  std::vector<std::u16string> askedNames;
  HINSTANCE askedModule = nullptr;
  CBitmapButton::SetLoadBitmapHook([&](HINSTANCE from, LPCWSTR name) {
    askedModule = from;
    if (!IS_INTRESOURCE(name)) {
      askedNames.emplace_back(name);
      return reinterpret_cast<HBITMAP>(UINT_PTR(0x1000 + askedNames.size()));
    }
    UINT id = UINT(reinterpret_cast<UINT_PTR>(name));
    asked.push_back(id);
    return id == 403 ? nullptr : reinterpret_cast<HBITMAP>(UINT_PTR(id));
  });
  EXPECT_TRUE(button.LoadBitmaps(401, 0, 403, 404));
  EXPECT_EQ(asked, (std::vector<UINT>{401, 403, 404}));
  EXPECT_EQ(askedModule, AfxGetResourceHandle());
  EXPECT_EQ(button.GetBitmap(CBitmapButton::kUp), reinterpret_cast<HBITMAP>(401));
  EXPECT_EQ(button.GetBitmap(CBitmapButton::kDown), nullptr);
  EXPECT_EQ(button.GetBitmap(CBitmapButton::kFocus), nullptr);
  EXPECT_EQ(button.GetBitmap(CBitmapButton::kDisabled), reinterpret_cast<HBITMAP>(404));
  EXPECT_FALSE(button.LoadBitmaps(403));  // the up image is the one that counts
  // By name: the names reach the loader as they are, ids read back as 0.
  EXPECT_TRUE(button.LoadBitmaps(u"KEYU", u"KEYD"));
  EXPECT_EQ(askedNames, (std::vector<std::u16string>{u"KEYU", u"KEYD"}));
  EXPECT_EQ(button.GetBitmap(CBitmapButton::kDown), reinterpret_cast<HBITMAP>(0x1002));
  EXPECT_EQ(button.GetBitmap(CBitmapButton::kFocus), nullptr);
  EXPECT_EQ(button.GetBitmapId(CBitmapButton::kUp), 0u);
  EXPECT_EQ(button.GetBitmapName(CBitmapButton::kUp), res::NameOrOrdinal(u"KEYU"));
  // The image for a state: held first, then focus, then disabled, each only
  // when loaded; the up image otherwise.
  auto image = [](UINT_PTR id) { return reinterpret_cast<HBITMAP>(id); };
  EXPECT_TRUE(button.LoadBitmaps(401, 402, 405, 404));
  EXPECT_EQ(button.BitmapForState(ODS_SELECTED | ODS_FOCUS | ODS_DISABLED), image(402));
  EXPECT_EQ(button.BitmapForState(ODS_FOCUS | ODS_DISABLED), image(405));
  EXPECT_EQ(button.BitmapForState(ODS_DISABLED), image(404));
  EXPECT_EQ(button.BitmapForState(0), image(401));
  EXPECT_TRUE(button.LoadBitmaps(401, 0, 403));  // 403 does not load
  EXPECT_EQ(button.BitmapForState(ODS_SELECTED | ODS_FOCUS), image(401));
  CBitmapButton::SetLoadBitmapHook(nullptr);

  CControlsDlg dlg;
  host::Robot robot;
  robot.Do([&] {
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.GetDlgItem(kPic)->m_hWnd), &dlg.m_pic);
    EXPECT_EQ(dlg.m_pic.GetWindowText(), u"Pic");
    dlg.EndDialog(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(robot.errors().empty());
}

TEST_F(ControlsTest, BitmapButtonDrawsItsDownImageWhileHeld) {
  CControlsDlg dlg;
  host::Robot robot;
  COLORREF up = 0, down = 0, after = 0;
  POINT corner{};
  robot.Do([&] {
    ASSERT_TRUE(dlg.m_pic.LoadBitmaps(500, 501));
    dlg.m_pic.Invalidate();
    RECT r;
    GetWindowRect(dlg.m_pic.m_hWnd, &r);
    corner = {r.left, r.top};
  });
  robot.Do([&] { up = gdi::Screen().at(corner.x, corner.y); });
  robot.PressControl(kPic);
  robot.Do([&] { down = gdi::Screen().at(corner.x, corner.y); });
  robot.ReleaseControl(kPic);
  robot.Do([&] {
    after = gdi::Screen().at(corner.x, corner.y);
    dlg.EndDialog(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(robot.errors().empty());
  EXPECT_EQ(up, RGB(176, 196, 222)) << "the tile's corner";
  EXPECT_EQ(down, RGB(255, 255, 255)) << "the badge's corner";
  EXPECT_EQ(after, up);
}
