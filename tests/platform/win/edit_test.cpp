// The edit control: its notifications in order, the selection protocol, the
// limit and the field's size, typing, keys, the stylus, the clipboard, and
// multi-line wrapping and scrolling.
#include "win/controls/edit.h"

#include <functional>

#include "dialog_template_writer.h"
#include "msg_recorder.h"
#include "win/clipboard.h"
#include "win/dialog.h"
#include "win/input.h"

namespace {

constexpr int kId = 1005;
constexpr int kCharWidth = 7;  // the stand-in metric
constexpr int kMargin = 1;

RecordedMessage Command(WORD code) { return {"dlg", WM_COMMAND, MAKELONG(WORD(kId), code), true}; }

class EditTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    RegisterEditClass();
    win::ResetClipboard();
    beeps = 0;
    win::SetEditBeep([this] { ++beeps; });
    dlg = rec.Create("dlg", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  }
  void TearDown() override {
    win::SetEditBeep(nullptr);
    win::ResetClipboard();
    WindowTest::TearDown();
  }
  HWND Make(DWORD style, int width = 100, int height = 20, const char16_t* text = u"") {
    return CreateWindowExW(0, kEditClass, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width,
                           height, dlg, reinterpret_cast<HMENU>(intptr_t(kId)), nullptr, nullptr);
  }
  static std::pair<DWORD, DWORD> Sel(HWND edit) {
    DWORD start = 99, end = 99;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  // Client point of the boundary before character `k` of a left-aligned line.
  static POINT Screen(HWND edit, int k, int y = 5) {
    POINT p{kMargin + k * kCharWidth, y};
    ClientToScreen(edit, &p);
    return p;
  }
  std::vector<RecordedMessage> Commands() { return rec.Log({WM_COMMAND}); }

  HWND dlg = nullptr;
  int beeps = 0;
};

}  // namespace

TEST_F(EditTest, SetTextSendsUpdateThenChangeSingleAndMultiLine) {
  for (DWORD style : {DWORD(ES_AUTOHSCROLL), DWORD(ES_MULTILINE | ES_READONLY)}) {
    HWND edit = Make(style);
    SendMessageW(edit, EM_SETMODIFY, TRUE, 0);
    rec.Clear();
    SetWindowTextW(edit, u"12.5");
    EXPECT_TRUE(SameSequence({Command(EN_UPDATE), Command(EN_CHANGE)}, Commands()));
    EXPECT_EQ(WindowText(edit), u"12.5");
    EXPECT_EQ(Sel(edit), std::make_pair(DWORD(0), DWORD(0)));  // caret to the start
    EXPECT_FALSE(SendMessageW(edit, EM_GETMODIFY, 0, 0));
    char16_t small[3];
    EXPECT_EQ(GetWindowTextW(edit, small, 3), 2);
    EXPECT_EQ(std::u16string(small), u"12");
    DestroyWindow(edit);
  }
}

TEST_F(EditTest, SelectionProtocol) {
  HWND edit = Make(ES_AUTOHSCROLL, 100, 20, u"123456");
  SendMessageW(edit, EM_SETSEL, 0, -1);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(0), DWORD(6)));
  SendMessageW(edit, EM_SETSEL, 4, 1);  // reversed: reported in order, caret at 1
  EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), LRESULT(MAKELONG(1, 4)));
  SendMessageW(edit, EM_SETSEL, WPARAM(-1), 0);  // deselect, the caret stays
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(1), DWORD(1)));
  SendMessageW(edit, EM_SETSEL, 2, 100);  // past the end: the end
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(2), DWORD(6)));
  rec.Clear();
  SendMessageW(edit, EM_SETSEL, 0, 3);
  EXPECT_TRUE(Commands().empty());  // selecting is not a change
}

TEST_F(EditTest, TypingStopsAtTheLimitWithMaxText) {
  HWND edit = Make(ES_AUTOHSCROLL);
  SendMessageW(edit, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 3);
  SetFocus(edit);
  rec.Clear();
  win::PostText(u"1234");
  Pump();
  EXPECT_EQ(WindowText(edit), u"123");
  EXPECT_TRUE(
      SameSequence({Command(EN_UPDATE), Command(EN_CHANGE), Command(EN_UPDATE), Command(EN_CHANGE),
                    Command(EN_UPDATE), Command(EN_CHANGE), Command(EN_MAXTEXT)},
                   Commands()));
  EXPECT_TRUE(SendMessageW(edit, EM_GETMODIFY, 0, 0));

  // A selection frees its room; EM_REPLACESEL is cut short like typing.
  SendMessageW(edit, EM_SETSEL, 1, 2);
  win::PostText(u"9");
  Pump();
  EXPECT_EQ(WindowText(edit), u"193");
  rec.Clear();
  SendMessageW(edit, EM_SETSEL, 3, 3);
  SendMessageW(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"45"));
  EXPECT_EQ(WindowText(edit), u"193");
  EXPECT_TRUE(SameSequence({Command(EN_MAXTEXT)}, Commands()));
  // WM_SETTEXT is the program's, not the user's: no limit.
  SetWindowTextW(edit, u"123456");
  EXPECT_EQ(WindowText(edit), u"123456");
  SendMessageW(edit, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(EditTest, FieldWithoutAutoScrollRefusesTextBeyondItsWidth) {
  // 44 pixels less the margins hold six characters of seven pixels.
  HWND fixed = Make(0, 44);
  SetFocus(fixed);
  win::PostText(u"12345678");
  Pump();
  EXPECT_EQ(WindowText(fixed), u"123456");
  EXPECT_EQ(rec.Log({WM_COMMAND}).back().wParam, WPARAM(MAKELONG(kId, EN_MAXTEXT)));
  DestroyWindow(fixed);

  HWND scrolling = Make(ES_AUTOHSCROLL, 44);
  SetFocus(scrolling);
  win::PostText(u"12345678");
  Pump();
  EXPECT_EQ(WindowText(scrolling), u"12345678");
}

TEST_F(EditTest, DigitsOnlyFieldBeepsAtOtherCharacters) {
  HWND edit = Make(ES_NUMBER | ES_AUTOHSCROLL);
  SetFocus(edit);
  rec.Clear();
  win::PostText(u"1a.2");
  Pump();
  EXPECT_EQ(WindowText(edit), u"12");
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(Commands().size(), 4u);  // two changes, nothing for the refusals
  // Only typing is filtered: the program may put anything there.
  SendMessageW(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"x"));
  EXPECT_EQ(WindowText(edit), u"12x");
}

TEST_F(EditTest, ParentFilteringInsideChangeNotification) {
  // A parent that rewrites the text from EN_CHANGE, as an entry rule does:
  // the field must cope with being changed while it notifies.
  HWND edit = Make(ES_AUTOHSCROLL);
  rec.OnMessage("dlg", [](HWND, UINT m, WPARAM w, LPARAM l, LRESULT&) {
    if (m != WM_COMMAND || HIWORD(w) != EN_CHANGE) return false;
    HWND field = reinterpret_cast<HWND>(l);
    std::u16string text = WindowText(field), digits;
    for (char16_t c : text)
      if (c >= u'0' && c <= u'9') digits += c;
    if (digits != text) {
      SetWindowTextW(field, digits.c_str());
      SendMessageW(field, EM_SETSEL, digits.size(), digits.size());
    }
    return true;
  });
  SetFocus(edit);
  win::PostText(u"1x2-3");
  Pump();
  EXPECT_EQ(WindowText(edit), u"123");
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(3), DWORD(3)));
}

TEST_F(EditTest, PasteReplacesTheSelection) {
  HWND edit = Make(ES_AUTOHSCROLL, 100, 20, u"1.000");
  ASSERT_TRUE(win::WriteClipboardText(nullptr, u"42"));
  SendMessageW(edit, EM_SETSEL, 2, 4);
  rec.Clear();
  SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(edit), u"1.420");
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(4), DWORD(4)));
  EXPECT_TRUE(SameSequence({Command(EN_UPDATE), Command(EN_CHANGE)}, Commands()));
}

TEST_F(EditTest, CutCopyClearAndReadOnly) {
  HWND edit = Make(ES_AUTOHSCROLL, 100, 20, u"12.75");
  SendMessageW(edit, EM_SETSEL, 0, 2);
  SendMessageW(edit, WM_COPY, 0, 0);
  EXPECT_EQ(win::ReadClipboardText(nullptr), u"12");
  EXPECT_EQ(WindowText(edit), u"12.75");
  SendMessageW(edit, EM_SETSEL, 2, 5);
  SendMessageW(edit, WM_CUT, 0, 0);
  EXPECT_EQ(win::ReadClipboardText(nullptr), u".75");
  EXPECT_EQ(WindowText(edit), u"12");
  SendMessageW(edit, EM_SETSEL, 0, 1);
  SendMessageW(edit, WM_CLEAR, 0, 0);
  EXPECT_EQ(WindowText(edit), u"2");
  EXPECT_EQ(win::ReadClipboardText(nullptr), u".75");  // clear leaves the clipboard

  SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  rec.Clear();
  for (UINT m : {WM_CUT, WM_CLEAR, WM_PASTE}) SendMessageW(edit, m, 0, 0);
  SetFocus(edit);
  win::PostText(u"9");
  win::PostKey(VK_BACK, u'\b');
  win::PostKey(VK_DELETE);
  Pump();
  EXPECT_EQ(WindowText(edit), u"2");
  EXPECT_TRUE(rec.Log({WM_COMMAND}).size() == 1u);  // EN_SETFOCUS only
  SendMessageW(edit, WM_COPY, 0, 0);                // giving text away still works
  EXPECT_EQ(win::ReadClipboardText(nullptr), u"2");
}

TEST_F(EditTest, KeysMoveTheCaretAndShiftSelects) {
  HWND edit = Make(ES_AUTOHSCROLL, 100, 20, u"abcdef");
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 6, 6);
  win::PostKey(VK_LEFT);
  win::PostKey(VK_LEFT);
  Pump();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(4), DWORD(4)));
  SendMessageW(edit, WM_KEYDOWN, VK_SHIFT, 0);
  win::PostKey(VK_HOME);
  Pump();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(0), DWORD(4)));
  win::PostKey(VK_RIGHT);  // still extending: the caret end moves
  Pump();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(1), DWORD(4)));
  SendMessageW(edit, WM_KEYUP, VK_SHIFT, 0);
  win::PostKey(VK_END);
  Pump();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(6), DWORD(6)));

  win::PostKey(VK_BACK, u'\b');  // backspace arrives as its character
  Pump();
  EXPECT_EQ(WindowText(edit), u"abcde");
  SendMessageW(edit, EM_SETSEL, 1, 1);
  win::PostKey(VK_DELETE);
  Pump();
  EXPECT_EQ(WindowText(edit), u"acde");
  SendMessageW(edit, EM_SETSEL, 1, 3);
  win::PostKey(VK_BACK, u'\b');  // a selection goes as a whole
  Pump();
  EXPECT_EQ(WindowText(edit), u"ae");
  win::PostText(u"\r\x1b");  // a single-line field types neither
  Pump();
  EXPECT_EQ(WindowText(edit), u"ae");
}

TEST_F(EditTest, StylusPlacesTheCaretAndDragSelects) {
  HWND edit = Make(ES_AUTOHSCROLL, 100, 20, u"0123456789");
  HWND other = rec.Create("other", WS_CHILD | WS_VISIBLE, {150, 10, 170, 30}, dlg, 9);
  SetFocus(other);
  rec.Clear();
  win::PostStylus(WM_LBUTTONDOWN, Screen(edit, 2));
  Pump();
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(GetCapture(), edit);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(2), DWORD(2)));
  EXPECT_TRUE(SameSequence({Command(EN_SETFOCUS)}, Commands()));
  win::PostStylus(WM_MOUSEMOVE, Screen(edit, 5));
  Pump();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(2), DWORD(5)));
  win::PostStylus(WM_MOUSEMOVE, Screen(edit, 1));  // back past the anchor
  win::PostStylus(WM_LBUTTONUP, Screen(edit, 1));
  Pump();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(1), DWORD(2)));
  EXPECT_EQ(GetCapture(), nullptr);
  win::PostStylus(WM_MOUSEMOVE, Screen(edit, 8));  // no longer selecting
  Pump();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(1), DWORD(2)));
  rec.Clear();
  SetFocus(other);
  EXPECT_TRUE(SameSequence({Command(EN_KILLFOCUS)}, Commands()));
}

TEST_F(EditTest, MultiLineWrapsAtWordsAndBreaks) {
  // 72 pixels less the margins: ten digits a line (digits are 7 pixels wide).
  HWND edit = Make(ES_MULTILINE | ES_READONLY | WS_VSCROLL, 72, 42,
                   u"one two three four\r\n0123456789012345\r\n");
  // "one two " | "three four" | "0123456789" | "012345" | ""
  EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessageW(edit, EM_LINEINDEX, 1, 0), 8);
  EXPECT_EQ(SendMessageW(edit, EM_LINEINDEX, 2, 0), 20);
  EXPECT_EQ(SendMessageW(edit, EM_LINEINDEX, 3, 0), 30);
  EXPECT_EQ(SendMessageW(edit, EM_LINELENGTH, 20, 0), 10);
  EXPECT_EQ(SendMessageW(edit, EM_LINEFROMCHAR, 19, 0), 1);
  EXPECT_EQ(SendMessageW(edit, EM_LINEINDEX, 9, 0), -1);
  EXPECT_EQ(SendMessageW(Make(ES_AUTOHSCROLL), EM_GETLINECOUNT, 0, 0), 1);

  // Right over "\r\n" takes both; a read-only field still moves its caret.
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 18, 18);
  win::PostKey(VK_RIGHT);
  Pump();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(20), DWORD(20)));
}

TEST_F(EditTest, MultiLineScrolling) {
  // Three visible lines of 14 pixels; five lines of text.
  HWND edit = Make(ES_MULTILINE | ES_READONLY | WS_VSCROLL, 72, 42, u"1\r\n2\r\n3\r\n4\r\n5");
  rec.Clear();
  SendMessageW(edit, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
  EXPECT_TRUE(SameSequence({Command(EN_VSCROLL)}, Commands()));
  SendMessageW(edit, WM_VSCROLL, SB_PAGEDOWN, 0);  // the last page stays full
  EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 2);
  rec.Clear();
  SendMessageW(edit, WM_VSCROLL, SB_LINEDOWN, 0);  // nothing moves, nothing said
  EXPECT_TRUE(Commands().empty());
  EXPECT_TRUE(SendMessageW(edit, EM_LINESCROLL, 0, -5));
  EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_TRUE(Commands().empty());        // the program's scrolling is not reported
  SendMessageW(edit, EM_SETSEL, 12, 12);  // on line 4
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 2);
  EXPECT_FALSE(SendMessageW(Make(ES_AUTOHSCROLL), EM_LINESCROLL, 0, 1));
}

TEST_F(EditTest, SubclassThatSwallowsThePenLeavesTheFieldUntouched) {
  // A field that reports the pen's touch to its parent instead of handling
  // it, and passes the release on: the release alone must not select,
  // focus, or release a capture the field never took.
  static WNDPROC original;
  static int reports;
  reports = 0;
  HWND edit = Make(ES_AUTOHSCROLL, 100, 20, u"0.0000");
  original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      edit, GWL_WNDPROC,
      reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m != WM_LBUTTONDOWN) return CallWindowProcW(original, h, m, w, l);
        ++reports;
        SendMessageW(GetParent(h), WM_USER, 255, 0);
        return 0;
      })));
  HWND other = rec.Create("other", WS_CHILD | WS_VISIBLE, {150, 10, 170, 30}, dlg, 9);
  SetCapture(other);
  ReleaseCapture();
  SetFocus(other);
  SendMessageW(edit, EM_SETSEL, 0, 0);
  win::PostStylus(WM_LBUTTONDOWN, Screen(edit, 3));
  win::PostStylus(WM_LBUTTONUP, Screen(edit, 3));
  Pump();
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(GetFocus(), other);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD(0), DWORD(0)));
}

namespace {
INT_PTR HelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) EndDialog(dialog, IDOK);
  return message == WM_COMMAND;
}
}  // namespace

TEST_F(EditTest, ReadOnlyHelpFieldInADialog) {
  // Entering by focus selects the whole text; Enter is the dialog's (no
  // ES_WANTRETURN) and ends it; the field scrolls and refuses typing.
  TemplateWriter form{WS_POPUP | WS_CAPTION, 135, 150, u"Help"};
  form.Item(1046, ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE, 7,
            7, 121, 119, u"EDIT", u"Tap a unit.");
  std::vector<std::function<void()>> steps = {
      [&] {
        HWND field = GetFocus();
        ASSERT_EQ(GetDlgCtrlID(field), 1046);
        EXPECT_EQ(Sel(field), std::make_pair(DWORD(0), DWORD(11)));
        win::PostText(u"x");
        win::PostKey(VK_RETURN, u'\r');
      },
  };
  size_t next = 0;
  win::SetIdleHandler([&] {
    if (next >= steps.size()) return false;
    steps[next++]();
    return true;
  });
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, form.bytes(), dlg, HelpDialogProc, 0), IDOK);
  EXPECT_EQ(next, 1u);
}
