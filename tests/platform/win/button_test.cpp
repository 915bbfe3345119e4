// Buttons: clicks by pen, space and BM_CLICK, check boxes, owner drawing and
// focus notifications, checked by what the parent receives.
#include "win/controls/button.h"

#include <vector>

#include "control_input.h"

namespace {

constexpr int kId = 1013;

class ButtonTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    win::RegisterButtonClass();
    parent = rec.Create("parent", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
  }
  // Each new button goes below the previous one.
  HWND Make(DWORD style, int id = kId) {
    int y = 10 + 40 * made++;
    return CreateWindowExW(0, u"BUTTON", u"OK", WS_CHILD | WS_VISIBLE | style, 10, y, 60, 30,
                           parent, reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
  }
  std::vector<RecordedMessage> Commands() const { return rec.Log({WM_COMMAND}); }
  bool Pushed(HWND b) const { return SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED; }
  HWND parent = nullptr;
  int made = 0;
};

}  // namespace

TEST_F(ButtonTest, TapInsideClicksOnRelease) {
  HWND b = Make(BS_PUSHBUTTON);
  rec.Clear();
  Pen(WM_LBUTTONDOWN, b, 5, 5);
  EXPECT_TRUE(Pushed(b));
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(GetCapture(), b);
  EXPECT_TRUE(Commands().empty());  // nothing until the pen lifts
  Pen(WM_LBUTTONUP, b, 50, 20);
  EXPECT_FALSE(Pushed(b));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(SameSequence({Cmd("parent", kId, BN_CLICKED)}, Commands()));
}

TEST_F(ButtonTest, ReleasedOutsideGivesNoClick) {
  HWND b = Make(BS_DEFPUSHBUTTON);
  rec.Clear();
  Pen(WM_LBUTTONDOWN, b, 5, 5);
  Pen(WM_MOUSEMOVE, b, 100, 5);  // slides off: the look comes up
  EXPECT_FALSE(Pushed(b));
  Pen(WM_MOUSEMOVE, b, 10, 5);  // and back on
  EXPECT_TRUE(Pushed(b));
  Pen(WM_MOUSEMOVE, b, 10, 80);
  Pen(WM_LBUTTONUP, b, 10, 80);
  EXPECT_FALSE(Pushed(b));
  EXPECT_TRUE(Commands().empty());
}

TEST_F(ButtonTest, LosingTheCaptureEndsThePressWithoutAClick) {
  HWND b = Make(BS_PUSHBUTTON);
  HWND other = rec.Create("other", WS_CHILD | WS_VISIBLE, {100, 100, 120, 120}, parent, 5);
  Pen(WM_LBUTTONDOWN, b, 5, 5);
  SetCapture(other);
  EXPECT_FALSE(Pushed(b));
  ReleaseCapture();
  rec.Clear();
  Pen(WM_LBUTTONUP, b, 5, 5);
  EXPECT_TRUE(Commands().empty());
}

TEST_F(ButtonTest, AutoCheckBoxTogglesBeforeTheParentHears) {
  HWND box = Make(BS_AUTOCHECKBOX);
  std::vector<LRESULT> seen;
  rec.OnMessage("parent", [&](HWND, UINT m, WPARAM, LPARAM lParam, LRESULT&) {
    if (m == WM_COMMAND)
      seen.push_back(SendMessageW(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0));
    return false;
  });
  Tap(box, 5, 5);
  Tap(box, 5, 5);
  EXPECT_EQ(seen, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED}));
  SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
  EXPECT_EQ(SendMessageW(box, BM_GETSTATE, 0, 0) & BST_CHECKED, LRESULT(BST_CHECKED));
}

TEST_F(ButtonTest, CheckStatesKeptByType) {
  HWND manual = Make(BS_CHECKBOX, 1);
  HWND push = Make(BS_PUSHBUTTON, 2);
  HWND three = Make(BS_AUTO3STATE, 3);
  Tap(manual, 5, 5);  // a plain check box leaves its check to the parent
  EXPECT_EQ(SendMessageW(manual, BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));
  SendMessageW(manual, BM_SETCHECK, BST_INDETERMINATE, 0);  // beyond its states: held at checked
  EXPECT_EQ(SendMessageW(manual, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
  SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);  // a push button keeps no check
  EXPECT_EQ(SendMessageW(push, BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));
  for (LRESULT expected : {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}) {
    Tap(three, 5, 5);
    EXPECT_EQ(SendMessageW(three, BM_GETCHECK, 0, 0), expected);
  }
}

TEST_F(ButtonTest, OwnerDrawnKeyAsksTheParentToDrawEachLook) {
  HWND key = Make(BS_OWNERDRAW | BS_CENTER | BS_VCENTER);
  struct Drawn {
    UINT action, state;
  };
  std::vector<Drawn> drawn;
  rec.OnMessage("parent", [&](HWND, UINT m, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (m != WM_DRAWITEM) return false;
    auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    EXPECT_EQ(wParam, WPARAM(kId));
    EXPECT_EQ(dis->CtlType, ODT_BUTTON);
    EXPECT_EQ(dis->CtlID, UINT(kId));
    EXPECT_EQ(dis->hwndItem, key);
    EXPECT_NE(dis->hDC, nullptr);  // the button's own DC
    EXPECT_EQ(dis->rcItem, (RECT{0, 0, 60, 30}));
    drawn.push_back({dis->itemAction, dis->itemState});
    result = TRUE;
    return true;
  });
  rec.Clear();
  Pen(WM_LBUTTONDOWN, key, 5, 5);  // focus first, then the down look
  Pen(WM_MOUSEMOVE, key, 90, 5);   // slid off: the up look
  Pen(WM_MOUSEMOVE, key, 9, 5);    // back on: down again
  Pen(WM_LBUTTONUP, key, 9, 5);
  ASSERT_EQ(drawn.size(), 5u);
  EXPECT_EQ(drawn[0].action, ODA_FOCUS);
  EXPECT_EQ(drawn[0].state, ODS_FOCUS);
  EXPECT_EQ(drawn[1].action, ODA_SELECT);
  EXPECT_EQ(drawn[1].state, ODS_SELECTED | ODS_FOCUS);
  EXPECT_EQ(drawn[2].state, ODS_FOCUS);
  EXPECT_EQ(drawn[3].state, ODS_SELECTED | ODS_FOCUS);
  EXPECT_EQ(drawn[4].action, ODA_SELECT);
  EXPECT_EQ(drawn[4].state, ODS_FOCUS);
  // The click comes after the up look is drawn.
  RecordedMessage draw = Msg("parent", WM_DRAWITEM);
  EXPECT_TRUE(SameSequence({draw, draw, draw, draw, draw, Cmd("parent", kId, BN_CLICKED)},
                           rec.Log({WM_COMMAND, WM_DRAWITEM})));
}

TEST_F(ButtonTest, DialogCodesByType) {
  EXPECT_EQ(SendMessageW(Make(BS_PUSHBUTTON), WM_GETDLGCODE, 0, 0),
            DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  HWND def = Make(BS_DEFPUSHBUTTON);
  EXPECT_EQ(SendMessageW(def, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  SendMessageW(def, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);  // the dialog manager moves the default
  EXPECT_EQ(SendMessageW(def, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  EXPECT_TRUE(GetWindowLongW(def, GWL_STYLE) & WS_VISIBLE);  // high bits kept
  EXPECT_EQ(SendMessageW(Make(BS_AUTOCHECKBOX), WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
  EXPECT_EQ(SendMessageW(Make(BS_OWNERDRAW), WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
  EXPECT_EQ(SendMessageW(Make(BS_AUTORADIOBUTTON), WM_GETDLGCODE, 0, 0),
            DLGC_BUTTON | DLGC_RADIOBUTTON);
  EXPECT_EQ(SendMessageW(Make(BS_GROUPBOX), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(ButtonTest, SpaceKeyAndClickMessageClick) {
  HWND b = Make(BS_PUSHBUTTON);
  SetFocus(b);
  rec.Clear();
  win::PostKey(VK_SPACE, u' ');
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));  // key down: pushed, no click yet
  DispatchMessageW(&m);
  EXPECT_TRUE(Pushed(b));
  EXPECT_TRUE(Commands().empty());
  Pump();
  EXPECT_FALSE(Pushed(b));
  EXPECT_TRUE(SameSequence({Cmd("parent", kId, BN_CLICKED)}, Commands()));

  rec.Clear();
  SendMessageW(b, BM_CLICK, 0, 0);
  EXPECT_TRUE(SameSequence({Cmd("parent", kId, BN_CLICKED)}, Commands()));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, SetStateShowsThePushedLookWithoutClicking) {
  HWND b = Make(BS_PUSHBUTTON);
  rec.Clear();
  SendMessageW(b, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(Pushed(b));
  SendMessageW(b, BM_SETSTATE, FALSE, 0);
  EXPECT_FALSE(Pushed(b));
  EXPECT_TRUE(Commands().empty());
}

TEST_F(ButtonTest, FocusNotificationsOnlyWithNotifyStyle) {
  HWND plain = Make(BS_PUSHBUTTON, 1);
  HWND notifying = Make(BS_PUSHBUTTON | BS_NOTIFY, 2);
  rec.Clear();
  SetFocus(plain);
  SetFocus(notifying);
  SetFocus(plain);
  EXPECT_TRUE(
      SameSequence({Cmd("parent", 2, BN_SETFOCUS), Cmd("parent", 2, BN_KILLFOCUS)}, Commands()));
  EXPECT_EQ(SendMessageW(plain, BM_GETSTATE, 0, 0) & BST_FOCUS, LRESULT(BST_FOCUS));
  EXPECT_EQ(SendMessageW(notifying, BM_GETSTATE, 0, 0) & BST_FOCUS, 0);
}
