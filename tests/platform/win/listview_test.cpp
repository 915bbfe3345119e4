// The list view in report view: sorted insertion and item access, finding,
// selection and focus with their notifications, taps on rows and below
// them, the header's row, scrolling, columns and looks.
#include "win/controls/listview.h"

#include <string>
#include <vector>

#include "msg_recorder.h"
#include "win/input.h"

namespace {

constexpr int kId = 1003;
constexpr int kRow = 16;  // the stand-in row height

// What the parent heard, as rows the shared recorder can compare: the
// notification code in place of the message, the item in place of wParam.
struct Heard {
  std::vector<RecordedMessage> rows;
  std::vector<NMLISTVIEW> changes;  // LVN_ITEMCHANGING / LVN_ITEMCHANGED
};

RecordedMessage N(UINT code, int item = -1) { return {"dlg", code, WPARAM(LONG_PTR(item)), true}; }
RecordedMessage N0(UINT code) { return {"dlg", code, 0, false}; }  // item not compared

class ListViewTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    RegisterListViewClass();
    dlg = rec.Create("dlg", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
    rec.OnMessage("dlg", [this](HWND, UINT m, WPARAM, LPARAM l, LRESULT& result) {
      if (m != WM_NOTIFY) return false;
      auto* hdr = reinterpret_cast<const NMHDR*>(l);
      int item = -1;
      if (hdr->code == NM_CLICK)
        item = reinterpret_cast<const NMITEMACTIVATE*>(l)->iItem;
      else if (hdr->code >= LVN_DELETEALLITEMS && hdr->code <= LVN_ITEMCHANGING)
        item = reinterpret_cast<const NMLISTVIEW*>(l)->iItem;
      heard.rows.push_back(N(hdr->code, item));
      if (hdr->code == LVN_ITEMCHANGING || hdr->code == LVN_ITEMCHANGED)
        heard.changes.push_back(*reinterpret_cast<const NMLISTVIEW*>(l));
      result = hdr->code == LVN_ITEMCHANGING ? refuseChanges
                                             : answerDeleteAll && hdr->code == LVN_DELETEALLITEMS;
      return true;
    });
  }
  HWND Make(DWORD style, int height = 61, int width = 120) {
    return CreateWindowExW(0, WC_LISTVIEW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT | style, 10,
                           10, width, height, dlg, reinterpret_cast<HMENU>(intptr_t(kId)), nullptr,
                           nullptr);
  }
  static int Insert(HWND list, const char16_t* text, int at = 1000, LPARAM param = 0) {
    LVITEMW item;
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = at;
    item.pszText = const_cast<LPWSTR>(text);
    item.lParam = param;
    return int(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  }
  static std::u16string Text(HWND list, int index, int subItem = 0) {
    char16_t buffer[64] = {};
    LVITEMW item;
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  static std::vector<std::u16string> Texts(HWND list) {
    std::vector<std::u16string> out;
    for (int i = 0; i < SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); ++i)
      out.push_back(Text(list, i));
    return out;
  }
  static BOOL SetState(HWND list, int index, UINT state, UINT mask) {
    LVITEMW item;
    item.state = state;
    item.stateMask = mask;
    return BOOL(SendMessageW(list, LVM_SETITEMSTATE, WPARAM(LONG_PTR(index)),
                             reinterpret_cast<LPARAM>(&item)));
  }
  static int Next(HWND list, UINT flags, int start = -1) {
    return int(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(LONG_PTR(start)), LPARAM(flags)));
  }
  static int Find(HWND list, UINT flags, const char16_t* text, int start = -1, LPARAM param = 0) {
    LVFINDINFOW find;
    find.flags = flags;
    find.psz = text;
    find.lParam = param;
    return int(SendMessageW(list, LVM_FINDITEMW, WPARAM(LONG_PTR(start)),
                            reinterpret_cast<LPARAM>(&find)));
  }
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  static void Tap(HWND list, POINT client) {
    ClientToScreen(list, &client);
    win::PostStylus(WM_LBUTTONDOWN, client);
    win::PostStylus(WM_LBUTTONUP, client);
    Pump();
  }
  HWND FilledList(DWORD style, std::initializer_list<const char16_t*> texts, int height = 61) {
    HWND list = Make(style, height);
    LVCOLUMNW column;
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = const_cast<LPWSTR>(u"PARAMETRES PARAMETRES");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (const char16_t* t : texts) Insert(list, t);
    return list;
  }

  HWND dlg = nullptr;
  Heard heard;
  LRESULT refuseChanges = 0;
  bool answerDeleteAll = false;
};

constexpr UINT kSel = LVIS_SELECTED, kFoc = LVIS_FOCUSED;

}  // namespace

TEST_F(ListViewTest, SortedInsertionAndItemAccess) {
  HWND list = Make(LVS_SORTASCENDING);
  EXPECT_EQ(Insert(list, u"metre"), 0);
  EXPECT_EQ(Insert(list, u"Foot"), 0);
  EXPECT_EQ(Insert(list, u"inch"), 1);
  EXPECT_EQ(Insert(list, u"foot", 0), 1);  // after the equal text, whatever the index asked
  EXPECT_EQ(Insert(list, u"Yard", 0, 77), 4);
  EXPECT_EQ(Texts(list),
            (std::vector<std::u16string>{u"Foot", u"foot", u"inch", u"metre", u"Yard"}));

  // Changing a text does not move the row.
  LVITEMW text;
  text.pszText = const_cast<LPWSTR>(u"acre");
  EXPECT_TRUE(SendMessageW(list, LVM_SETITEMTEXTW, 4, reinterpret_cast<LPARAM>(&text)));
  EXPECT_EQ(Text(list, 4), u"acre");

  LVITEMW item;
  char16_t small[3];
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  item.iItem = 4;
  item.pszText = small;
  item.cchTextMax = 3;
  EXPECT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(std::u16string(small), u"ac");
  EXPECT_EQ(item.lParam, 77);
  item.iItem = 5;
  EXPECT_FALSE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));

  HWND plain = Make(0);
  Insert(plain, u"b");
  EXPECT_EQ(Insert(plain, u"a", 0), 0);
  EXPECT_EQ(Insert(plain, u"c", 99), 2);  // past the end: appended
  EXPECT_EQ(Insert(plain, u"x", -1), -1);
  EXPECT_EQ(Texts(plain), (std::vector<std::u16string>{u"a", u"b", u"c"}));
  HWND down = Make(LVS_SORTDESCENDING);
  for (const char16_t* t : {u"b", u"c", u"a"}) Insert(down, t);
  EXPECT_EQ(Texts(down), (std::vector<std::u16string>{u"c", u"b", u"a"}));
}

TEST_F(ListViewTest, FindsWholeTextsIgnoringCase) {
  HWND list = Make(0);
  for (const char16_t* t : {u"Inch", u"inches", u"metre", u"INCH"}) Insert(list, t, 1000, 10);
  EXPECT_EQ(Find(list, LVFI_STRING, u"inch"), 0);
  EXPECT_EQ(Find(list, LVFI_STRING, u"inch", 0), 3);  // the search starts after `start`
  EXPECT_EQ(Find(list, LVFI_STRING, u"inch", 3), -1);
  EXPECT_EQ(Find(list, LVFI_STRING | LVFI_WRAP, u"inch", 3), 0);
  EXPECT_EQ(Find(list, LVFI_STRING, u"inche"), -1);
  EXPECT_EQ(Find(list, LVFI_PARTIAL | LVFI_STRING, u"INCHE"), 1);
  EXPECT_EQ(Find(list, LVFI_STRING, u"M\u00C9TRE"), -1);
  EXPECT_EQ(Find(list, LVFI_STRING, u"METRE"), 2);
  EXPECT_EQ(Find(list, LVFI_PARAM, nullptr, 1, 10), 2);
}

TEST_F(ListViewTest, SingleSelectionFocusAndNextItem) {
  HWND list = FilledList(LVS_SINGLESEL, {u"a", u"b", u"c", u"d"});
  EXPECT_EQ(Next(list, LVNI_SELECTED), -1);
  EXPECT_TRUE(SetState(list, 1, kSel | kFoc, kSel | kFoc));
  EXPECT_TRUE(SetState(list, 3, kSel, kSel));
  EXPECT_EQ(Next(list, LVNI_SELECTED), 3);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_EQ(Next(list, LVNI_FOCUSED), 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 1, kSel | kFoc), LRESULT(kFoc));
  SetState(list, 2, kFoc, kFoc);  // one focused item at a time
  EXPECT_EQ(Next(list, LVNI_FOCUSED), 2);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 1, kFoc), 0);

  EXPECT_EQ(Next(list, LVNI_ALL), 0);
  EXPECT_EQ(Next(list, LVNI_ALL, 1), 2);
  EXPECT_EQ(Next(list, LVNI_ALL, 3), -1);
  EXPECT_EQ(Next(list, LVNI_ABOVE, 2), 1);
  EXPECT_EQ(Next(list, LVNI_SELECTED | LVNI_FOCUSED), -1);
  EXPECT_EQ(Next(list, LVNI_TORIGHT, 0), -1);
  EXPECT_FALSE(SetState(list, 9, kSel, kSel));

  // Without LVS_SINGLESEL several rows may be selected; -1 means all rows.
  HWND multi = FilledList(0, {u"a", u"b", u"c"});
  SetState(multi, 0, kSel, kSel);
  SetState(multi, 2, kSel, kSel);
  EXPECT_EQ(SendMessageW(multi, LVM_GETSELECTEDCOUNT, 0, 0), 2);
  SetState(multi, -1, 0, kSel);
  EXPECT_EQ(Next(multi, LVNI_SELECTED), -1);
}

TEST_F(ListViewTest, StateChangesAreReportedAndCanBeRefused) {
  HWND list = FilledList(LVS_SINGLESEL, {u"a", u"b"});
  heard = {};
  SetState(list, 0, kSel | kFoc, kSel | kFoc);
  ASSERT_TRUE(SameSequence({N(LVN_ITEMCHANGING, 0), N(LVN_ITEMCHANGED, 0)}, heard.rows));
  EXPECT_EQ(heard.changes[1].uOldState, 0u);
  EXPECT_EQ(heard.changes[1].uNewState, kSel | kFoc);
  EXPECT_EQ(heard.changes[1].uChanged, UINT(LVIF_STATE));
  heard = {};
  SetState(list, 0, kSel | kFoc, kSel | kFoc);  // no change, no word
  EXPECT_TRUE(heard.rows.empty());

  refuseChanges = TRUE;
  heard = {};
  EXPECT_FALSE(SetState(list, 1, kSel, kSel));
  EXPECT_TRUE(SameSequence({N(LVN_ITEMCHANGING, 1)}, heard.rows));
  EXPECT_EQ(Next(list, LVNI_SELECTED), 0);
}

TEST_F(ListViewTest, TapOnARowSelectsAndFocusesIt) {
  HWND list = FilledList(LVS_SINGLESEL | LVS_NOCOLUMNHEADER, {u"a", u"b", u"c"});
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  SetState(list, 0, kSel | kFoc, kSel | kFoc);
  heard = {};
  Tap(list, {90, 2 * kRow + 3});
  EXPECT_TRUE(SameSequence({N0(NM_SETFOCUS), N(LVN_ITEMCHANGING, 2), N(LVN_ITEMCHANGING, 0),
                            N(LVN_ITEMCHANGED, 0), N(LVN_ITEMCHANGED, 2), N(NM_CLICK, 2)},
                           heard.rows));
  ASSERT_EQ(heard.changes.size(), 4u);
  EXPECT_EQ(heard.changes[2].uOldState, kSel | kFoc);  // row 0 gives up both at once
  EXPECT_EQ(heard.changes[2].uNewState, 0u);
  EXPECT_EQ(heard.changes[3].uNewState, kSel | kFoc);
  EXPECT_EQ(Next(list, LVNI_SELECTED), 2);
  EXPECT_EQ(Next(list, LVNI_FOCUSED), 2);
  EXPECT_EQ(GetCapture(), nullptr);

  heard = {};
  Tap(list, {5, 2 * kRow + 3});  // the selected row again: only the click
  EXPECT_TRUE(SameSequence({N(NM_CLICK, 2)}, heard.rows));
}

TEST_F(ListViewTest, TapBelowTheLastRowLeavesNoRowSelected) {
  HWND list = FilledList(LVS_SINGLESEL | LVS_NOCOLUMNHEADER, {u"a", u"b"});
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  SetFocus(list);
  SetState(list, 1, kSel | kFoc, kSel | kFoc);
  heard = {};
  Tap(list, {10, 2 * kRow + 5});
  EXPECT_TRUE(
      SameSequence({N(LVN_ITEMCHANGING, 1), N(LVN_ITEMCHANGED, 1), N(NM_CLICK, -1)}, heard.rows));
  EXPECT_EQ(Next(list, LVNI_SELECTED), -1);
  EXPECT_EQ(Next(list, LVNI_FOCUSED), 1);  // the focus stays
}

TEST_F(ListViewTest, WithoutFullRowSelectOnlyTheLabelIsHit) {
  HWND list = FilledList(LVS_SINGLESEL | LVS_NOCOLUMNHEADER, {u"ab", u"cd"});
  Tap(list, {60, 3});  // beside the short label
  EXPECT_EQ(Next(list, LVNI_SELECTED), -1);
  Tap(list, {5, kRow + 3});
  EXPECT_EQ(Next(list, LVNI_SELECTED), 1);
  // A small image list puts an icon before the label.
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL,
               reinterpret_cast<LPARAM>(reinterpret_cast<HIMAGELIST>(0x1234)));
  LVHITTESTINFO hit;
  hit.pt = {20, 3};
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
  EXPECT_EQ(hit.flags, UINT(LVHT_ONITEMLABEL));
  hit.pt = {5, 3};
  SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  EXPECT_EQ(hit.flags, UINT(LVHT_ONITEMICON));
  hit.pt = {110, 3};
  EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
}

TEST_F(ListViewTest, TheHeaderTakesTheFirstRow) {
  HWND withHeader = FilledList(LVS_SINGLESEL, {u"a", u"b", u"c", u"d"});
  HWND without = FilledList(LVS_SINGLESEL | LVS_NOCOLUMNHEADER, {u"a", u"b", u"c", u"d"});
  EXPECT_EQ(SendMessageW(withHeader, LVM_GETCOUNTPERPAGE, 0, 0), 2);  // (61 - 16) / 16
  EXPECT_EQ(SendMessageW(without, LVM_GETCOUNTPERPAGE, 0, 0), 3);
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  SendMessageW(withHeader, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, (RECT{0, 2 * kRow, 100, 3 * kRow}));
  Tap(withHeader, {3, 5});  // on the header
  EXPECT_EQ(Next(withHeader, LVNI_SELECTED), -1);
  Tap(withHeader, {3, kRow + 5});
  EXPECT_EQ(Next(withHeader, LVNI_SELECTED), 0);
}

TEST_F(ListViewTest, ScrollingByRows) {
  HWND list = FilledList(LVS_SINGLESEL | LVS_NOCOLUMNHEADER,
                         {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"}, 48);
  auto top = [&] { return SendMessageW(list, LVM_GETTOPINDEX, 0, 0); };
  EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 5, FALSE));
  EXPECT_EQ(top(), 3);
  SendMessageW(list, LVM_ENSUREVISIBLE, 4, FALSE);  // already visible
  EXPECT_EQ(top(), 3);
  SendMessageW(list, LVM_ENSUREVISIBLE, 1, FALSE);
  EXPECT_EQ(top(), 1);
  EXPECT_FALSE(SendMessageW(list, LVM_ENSUREVISIBLE, 10, FALSE));
  SendMessageW(list, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(top(), 7);  // the last page stays full
  SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(top(), 7);
  SendMessageW(list, LVM_SCROLL, 0, -20);  // rounded to one row
  EXPECT_EQ(top(), 6);
  SendMessageW(list, WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(top(), 3);

  Tap(list, {3, kRow + 3});  // the second visible row
  EXPECT_EQ(Next(list, LVNI_SELECTED), 4);
  SetFocus(list);
  win::PostKey(VK_END);
  Pump();
  EXPECT_EQ(Next(list, LVNI_SELECTED), 9);
  EXPECT_EQ(top(), 7);  // the key keeps its row in view

  for (int i = 0; i < 6; ++i) SendMessageW(list, LVM_DELETEITEM, 0, 0);
  EXPECT_EQ(top(), 1);  // four rows left, three shown
}

TEST_F(ListViewTest, DeletionNotifications) {
  HWND list = FilledList(0, {u"a", u"b", u"c"});
  heard = {};
  EXPECT_TRUE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
  EXPECT_FALSE(SendMessageW(list, LVM_DELETEITEM, 5, 0));
  EXPECT_TRUE(SameSequence({N(LVN_DELETEITEM, 1)}, heard.rows));
  heard = {};
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  EXPECT_TRUE(SameSequence({N(LVN_DELETEALLITEMS, -1), N(LVN_DELETEITEM, 0), N(LVN_DELETEITEM, 1)},
                           heard.rows));
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);

  Insert(list, u"x");
  answerDeleteAll = true;  // the parent declines the per-item reports
  heard = {};
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  EXPECT_TRUE(SameSequence({N(LVN_DELETEALLITEMS, -1)}, heard.rows));
}

TEST_F(ListViewTest, ColumnsSubItemsAndExtendedStyles) {
  HWND list = Make(LVS_NOCOLUMNHEADER);
  LVCOLUMNW column;
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.fmt = LVCFMT_RIGHT;
  column.cx = 147;
  column.pszText = const_cast<LPWSTR>(u"Units");
  EXPECT_EQ(SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)), 0);
  EXPECT_EQ(SendMessageW(list, LVM_INSERTCOLUMNW, 5, reinterpret_cast<LPARAM>(&column)), 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 147);
  EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, 98));
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 98);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 7, 0), 0);
  // Column widths are sized from text widths in the list's font.
  EXPECT_EQ(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(u"MM")),
            2 * SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(u"M")));
  char16_t heading[16];
  LVCOLUMNW out;
  out.mask = LVCF_TEXT | LVCF_FMT;
  out.pszText = heading;
  out.cchTextMax = 16;
  SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&out));
  EXPECT_EQ(std::u16string(heading), u"Units");
  EXPECT_EQ(out.fmt, LVCFMT_LEFT);  // the first column is always left-aligned
  SendMessageW(list, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&out));
  EXPECT_EQ(out.fmt, LVCFMT_RIGHT);

  // A sub-item's text lives in its column.
  Insert(list, u"metre");
  LVITEMW sub;
  sub.iSubItem = 1;
  sub.pszText = const_cast<LPWSTR>(u"m");
  EXPECT_TRUE(SendMessageW(list, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&sub)));
  EXPECT_EQ(Text(list, 0, 1), u"m");
  EXPECT_EQ(Text(list, 0), u"metre");

  EXPECT_EQ(
      SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
      0);
  EXPECT_EQ(SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, 0),
            LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT);
}
