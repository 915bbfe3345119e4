// Drop-down list combo boxes: the item store and its sorted order, searches,
// the selection, and the dropped list driven by pen and keys, checked by the
// notifications the parent receives and their order.
#include "win/controls/combobox.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control_input.h"
#include "dialog_template_writer.h"
#include "win/dialog.h"

namespace {

constexpr int kId = 1009;

class ComboTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    win::RegisterComboBoxClass();
    parent = rec.Create("parent", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  }
  // The main window's category selector: 236 pixels asked for, so the list
  // shows (236 - 22 - 2) / 16 = 13 rows.
  HWND Make(DWORD style = CBS_SORT, int height = 236, int y = 12) {
    return CreateWindowExW(
        0, u"COMBOBOX", u"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | style, 58, y, 121,
        height, parent, reinterpret_cast<HMENU>(intptr_t(kId)), nullptr, nullptr);
  }
  static void Add(HWND combo, std::initializer_list<const char16_t*> texts) {
    for (const char16_t* t : texts)
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  }
  static std::u16string Text(HWND combo, int index) {
    LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (n < 0) return u"<CB_ERR>";
    std::u16string text(size_t(n) + 1, u'?');
    SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(n));
    return text;
  }
  static LRESULT Find(HWND combo, int start, const char16_t* text,
                      UINT message = CB_FINDSTRINGEXACT) {
    return SendMessageW(combo, message, WPARAM(start), reinterpret_cast<LPARAM>(text));
  }
  static RECT Dropped(HWND combo) {
    RECT r;
    SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // A visible row of the dropped list, on the screen.
  static POINT Row(HWND combo, int visibleRow) {
    RECT r = Dropped(combo);
    return {r.left + 10, r.top + 1 + visibleRow * 16 + 8};
  }
  static void TapAt(POINT screen) {
    win::PostStylus(WM_LBUTTONDOWN, screen);
    Pump();
    win::PostStylus(WM_LBUTTONUP, screen);
    Pump();
  }
  static LRESULT Sel(HWND combo) { return SendMessageW(combo, CB_GETCURSEL, 0, 0); }
  static bool IsDropped(HWND combo) { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }
  std::vector<RecordedMessage> Commands() const { return rec.Log({WM_COMMAND}); }

  HWND parent = nullptr;
};

RecordedMessage N(WORD code) { return Cmd("parent", kId, code); }

}  // namespace

TEST_F(ComboTest, SortedItemsAndTheirTexts) {
  HWND combo = Make();
  EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & CBS_SORT, CBS_SORT);
  RECT r;
  GetWindowRect(combo, &r);
  EXPECT_EQ(r.bottom - r.top, 22);  // the field; the height asked for went to the list
  EXPECT_EQ(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Volume")), 0);
  EXPECT_EQ(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"area")), 0);
  EXPECT_EQ(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Length")), 1);
  EXPECT_EQ(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"mass")), 2);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(Text(combo, 0), u"area");  // case does not decide the order
  EXPECT_EQ(Text(combo, 3), u"Volume");
  EXPECT_EQ(Text(combo, 4), u"<CB_ERR>");
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(u"")), CB_ERR);

  // CB_INSERTSTRING never sorts.
  EXPECT_EQ(SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"Zeit")), 0);
  EXPECT_EQ(SendMessageW(combo, CB_INSERTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(u"Angle")),
            5);
  EXPECT_EQ(SendMessageW(combo, CB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(u"x")), CB_ERR);
  EXPECT_EQ(Text(combo, 0), u"Zeit");
  EXPECT_EQ(Text(combo, 5), u"Angle");

  HWND plain = Make(0);
  Add(plain, {u"\\windows", u"\\My Documents", u"\\"});
  EXPECT_EQ(Text(plain, 0), u"\\windows");  // unsorted: in order of adding
  EXPECT_EQ(Text(plain, 2), u"\\");
}

TEST_F(ComboTest, SearchesIgnoreCase) {
  HWND combo = Make(0);
  Add(combo, {u"\\windows", u"\\Windows\\Temp", u"Énergie", u"\\WINDOWS"});
  EXPECT_EQ(Find(combo, -1, u"\\WINDOWS"), 0);   // whole text, case ignored
  EXPECT_EQ(Find(combo, 0, u"\\windows"), 3);    // starts after the start index
  EXPECT_EQ(Find(combo, 3, u"\\windows"), 0);    // and wraps round
  EXPECT_EQ(Find(combo, -1, u"énergie"), 2);     // beyond ASCII too
  EXPECT_EQ(Find(combo, -1, u"\\win"), CB_ERR);  // not a prefix match
  EXPECT_EQ(Find(combo, -1, u"\\windows\\temp"), 1);
  EXPECT_EQ(Find(combo, -1, u"\\win", CB_FINDSTRING), 0);
  EXPECT_EQ(Find(combo, 0, u"\\WIN", CB_FINDSTRING), 1);
  EXPECT_EQ(Find(combo, -1, u"\\x", CB_FINDSTRING), CB_ERR);
  EXPECT_EQ(Find(Make(0), -1, u""), CB_ERR);  // empty box
}

TEST_F(ComboTest, ItemDataTravelsWithItsItem) {
  HWND combo = Make();
  Add(combo, {u"us", u"de"});
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 1, 0), TRUE);  // "us"
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 0, 1), TRUE);  // "de"
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 2, 1), CB_ERR);
  Add(combo, {u"ar"});  // inserted before both
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 1, 0), 1);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 2, 0), 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 3, 0), CB_ERR);
}

TEST_F(ComboTest, SelectionFollowsItsItemAndTheTextReflectsIt) {
  HWND combo = Make();
  Add(combo, {u"Length", u"Mass", u"Volume"});
  EXPECT_EQ(Sel(combo), CB_ERR);
  EXPECT_EQ(WindowText(combo), u"");
  rec.Clear();
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 1, 0), 1);
  EXPECT_TRUE(Commands().empty());  // CB_SETCURSEL sends nothing
  EXPECT_EQ(WindowText(combo), u"Mass");
  EXPECT_EQ(SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"Volume")), CB_ERR);
  EXPECT_EQ(WindowText(combo), u"Mass");

  Add(combo, {u"Area"});
  EXPECT_EQ(Sel(combo), 2);
  EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 0, 0), 3);
  EXPECT_EQ(Sel(combo), 1);
  EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 1, 0), 2);  // the selected one goes
  EXPECT_EQ(Sel(combo), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 5, 0), CB_ERR);

  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 7, 0), CB_ERR);  // out of range clears
  EXPECT_EQ(Sel(combo), CB_ERR);
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(SendMessageW(combo, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(u"len")), 0);
  EXPECT_EQ(Sel(combo), 0);
  EXPECT_EQ(SendMessageW(combo, CB_RESETCONTENT, 0, 0), CB_OKAY);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(Sel(combo), CB_ERR);
  EXPECT_TRUE(Commands().empty());
}

TEST_F(ComboTest, TapOpensAndAPickNotifiesInOrder) {
  HWND combo = Make();
  Add(combo, {u"Area", u"Length", u"Mass", u"Volume"});
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  rec.Clear();
  Tap(combo, 30, 10);
  EXPECT_TRUE(SameSequence({N(CBN_SETFOCUS), N(CBN_DROPDOWN)}, Commands()));
  ASSERT_TRUE(IsDropped(combo));
  EXPECT_EQ(GetFocus(), combo);

  // The list is a popup of its own above everything, owned by the combo's
  // top-level window.
  RECT field, list = Dropped(combo);
  GetWindowRect(combo, &field);
  EXPECT_EQ(list.top, field.bottom);
  EXPECT_EQ(list.bottom - list.top, 4 * 16 + 2);
  HWND popup = win::WindowFromPoint(Row(combo, 0));
  ASSERT_NE(popup, nullptr);
  EXPECT_NE(popup, combo);
  EXPECT_EQ(GetWindowLongW(popup, GWL_STYLE) & (WS_POPUP | WS_CHILD), LONG(WS_POPUP));
  EXPECT_EQ(GetWindow(popup, GW_OWNER), parent);
  EXPECT_EQ(GetWindow(popup, GW_CHILD), nullptr);
  EXPECT_EQ(GetCapture(), popup);
  EXPECT_EQ(GetActiveWindow(), parent);  // opening it activates nothing

  // During each notification: the selection, and whether the list is open.
  std::vector<std::pair<LRESULT, bool>> during;
  rec.OnMessage("parent", [&](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m == WM_COMMAND) during.push_back({Sel(combo), IsDropped(combo)});
    return false;
  });
  rec.Clear();
  TapAt(Row(combo, 2));
  EXPECT_TRUE(SameSequence({N(CBN_SELENDOK), N(CBN_CLOSEUP), N(CBN_SELCHANGE)}, Commands()));
  EXPECT_EQ(during, (std::vector<std::pair<LRESULT, bool>>{{2, true}, {2, false}, {2, false}}));
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(WindowText(combo), u"Mass");

  // Versus the program choosing: no notification at all.
  rec.Clear();
  SendMessageW(combo, CB_SETCURSEL, 3, 0);
  EXPECT_TRUE(Commands().empty());

  // Picking the item already selected still reports a change.
  Tap(combo, 30, 10);
  rec.Clear();
  TapAt(Row(combo, 3));
  EXPECT_TRUE(SameSequence({N(CBN_SELENDOK), N(CBN_CLOSEUP), N(CBN_SELCHANGE)}, Commands()));
}

TEST_F(ComboTest, TapOutsideClosesUnchanged) {
  HWND combo = Make();
  Add(combo, {u"Area", u"Length"});
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  Tap(combo, 30, 10);
  ASSERT_TRUE(IsDropped(combo));
  rec.Clear();
  TapAt({200, 280});
  EXPECT_TRUE(SameSequence({N(CBN_SELENDCANCEL), N(CBN_CLOSEUP)}, Commands()));
  EXPECT_TRUE(rec.Log({WM_LBUTTONDOWN}).empty());  // the closing tap goes nowhere else
  EXPECT_FALSE(IsDropped(combo));
  EXPECT_EQ(Sel(combo), 1);

  // A press on the field of an open list closes it too.
  Tap(combo, 30, 10);
  rec.Clear();
  Tap(combo, 30, 10);
  EXPECT_FALSE(IsDropped(combo));
  EXPECT_EQ(Commands().back().wParam, WPARAM(MAKELONG(kId, CBN_CLOSEUP)));
}

TEST_F(ComboTest, PressOnTheFieldAndSlideToARow) {
  HWND combo = Make();
  Add(combo, {u"Area", u"Length", u"Mass"});
  rec.Clear();
  Pen(WM_LBUTTONDOWN, combo, 30, 10);  // the list drops while the pen is still down
  ASSERT_TRUE(IsDropped(combo));
  EXPECT_EQ(GetCapture(), combo);
  POINT row1 = Row(combo, 1);
  win::PostStylus(WM_MOUSEMOVE, row1);
  win::PostStylus(WM_LBUTTONUP, row1);
  Pump();
  EXPECT_TRUE(SameSequence(
      {N(CBN_SETFOCUS), N(CBN_DROPDOWN), N(CBN_SELENDOK), N(CBN_CLOSEUP), N(CBN_SELCHANGE)},
      Commands()));
  EXPECT_EQ(Sel(combo), 1);
}

TEST_F(ComboTest, LongListScrolls) {
  HWND combo = Make(0, 22 + 2 + 5 * 16);  // five rows
  for (int i = 0; i < 12; ++i) {
    std::u16string t = u"item " + std::u16string(1, char16_t(u'A' + i));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
  }
  SendMessageW(combo, CB_SETCURSEL, 9, 0);
  Tap(combo, 30, 10);
  RECT list = Dropped(combo);
  EXPECT_EQ(list.bottom - list.top, 5 * 16 + 2);
  EXPECT_EQ(SendMessageW(combo, CB_GETTOPINDEX, 0, 0), 5);  // the selection is in view
  POINT lineDown{list.right - 5, list.bottom - 5}, lineUp{list.right - 5, list.top + 5};
  TapAt(lineDown);
  EXPECT_TRUE(IsDropped(combo));  // scrolling keeps it open
  EXPECT_EQ(SendMessageW(combo, CB_GETTOPINDEX, 0, 0), 6);
  TapAt(lineDown);
  TapAt(lineDown);  // held at the last page
  EXPECT_EQ(SendMessageW(combo, CB_GETTOPINDEX, 0, 0), 7);
  TapAt(lineUp);
  TapAt({list.right - 5, list.top + 16});  // the track above the thumb: a page up
  EXPECT_EQ(SendMessageW(combo, CB_GETTOPINDEX, 0, 0), 1);
  TapAt(Row(combo, 0));
  EXPECT_EQ(Sel(combo), 1);
  EXPECT_EQ(WindowText(combo), u"item B");
}

TEST_F(ComboTest, KeysMoveTheSelection) {
  HWND combo = Make();
  Add(combo, {u"Area", u"Length", u"Mass"});
  SetFocus(combo);
  rec.Clear();
  Key(VK_DOWN);  // closed: the choice ends at once
  EXPECT_TRUE(SameSequence({N(CBN_SELENDOK), N(CBN_SELCHANGE)}, Commands()));
  EXPECT_EQ(Sel(combo), 0);
  Key(VK_END);
  EXPECT_EQ(Sel(combo), 2);
  Key(VK_DOWN);  // held at the end
  EXPECT_EQ(Sel(combo), 2);
  Add(combo, {u"Angle"});
  Key('A', u'a');  // the next item that begins with the letter, round the end
  EXPECT_EQ(Sel(combo), 0);
  Key('A', u'a');
  EXPECT_EQ(WindowText(combo), u"Area");

  rec.Clear();
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  Key(VK_UP);  // open: the list stays open
  EXPECT_TRUE(IsDropped(combo));
  Key(VK_RETURN, u'\r');
  EXPECT_TRUE(SameSequence({N(CBN_DROPDOWN), N(CBN_SELCHANGE), N(CBN_SELENDOK), N(CBN_CLOSEUP)},
                           Commands()));
  EXPECT_EQ(WindowText(combo), u"Angle");

  rec.Clear();
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  Key(VK_ESCAPE);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_TRUE(SameSequence({N(CBN_DROPDOWN), N(CBN_SELENDCANCEL), N(CBN_CLOSEUP), N(CBN_DROPDOWN),
                            N(CBN_SELENDCANCEL), N(CBN_CLOSEUP)},
                           Commands()));
}

TEST_F(ComboTest, LosingTheFocusClosesTheList) {
  HWND combo = Make();
  Add(combo, {u"Area"});
  Tap(combo, 30, 10);
  rec.Clear();
  SetFocus(parent);
  EXPECT_TRUE(SameSequence({N(CBN_SELENDCANCEL), N(CBN_CLOSEUP), N(CBN_KILLFOCUS)}, Commands()));
  EXPECT_FALSE(IsDropped(combo));
}

TEST_F(ComboTest, ListGoesAboveNearTheScreenBottomAndDiesWithItsOwner) {
  HWND combo = Make(0, 236, 240);  // the field at screen y 266
  Add(combo, {u"a", u"b", u"c"});
  Tap(combo, 30, 10);
  RECT field, list = Dropped(combo);
  GetWindowRect(combo, &field);
  EXPECT_EQ(list.bottom, field.top);
  HWND popup = win::WindowFromPoint(Row(combo, 0));
  DestroyWindow(parent);
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_FALSE(IsWindow(combo));
}

// In a modal dialog built from a template: Enter closes the open list
// instead of ending the dialog; the next Enter ends it.
namespace {
std::vector<WORD> g_codes;
INT_PTR ComboDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    HWND combo = GetDlgItem(dialog, kId);
    for (const char16_t* t : {u"us", u"de"})
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == kId) g_codes.push_back(HIWORD(wParam));
  if (LOWORD(wParam) == IDOK) EndDialog(dialog, IDOK);
  return TRUE;
}
}  // namespace

TEST_F(ComboTest, EnterInADialogClosesTheListFirst) {
  g_codes.clear();
  TemplateWriter form{WS_POPUP | WS_CAPTION, 131, 150, u""};
  form.Item(WORD(kId), WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 22, 17, 107, 67,
            u"COMBOBOX");
  HWND combo = nullptr;
  std::vector<std::function<void()>> steps{
      [&] {
        combo = GetDlgItem(GetActiveWindow(), kId);
        POINT p = OnScreen(combo, 20, 10);
        win::PostStylus(WM_LBUTTONDOWN, p);
        win::PostStylus(WM_LBUTTONUP, p);
      },
      [&] {
        EXPECT_TRUE(IsDropped(combo));
        win::PostKey(VK_DOWN);
      },
      [&] { win::PostKey(VK_RETURN, u'\r'); },
      [&] {
        EXPECT_FALSE(IsDropped(combo));
        EXPECT_TRUE(IsWindow(combo));  // the dialog is still running
        win::PostKey(VK_RETURN, u'\r');
      }};
  size_t next = 0;
  win::SetIdleHandler([&] {
    if (next >= steps.size()) return false;
    steps[next++]();
    return true;
  });
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, form.bytes(), parent, ComboDialogProc, 0), IDOK);
  EXPECT_EQ(next, steps.size());
  EXPECT_EQ(g_codes, (std::vector<WORD>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK,
                                        CBN_CLOSEUP, CBN_SELENDCANCEL, CBN_KILLFOCUS}));
}
