// Up-down controls: the range and position protocol, arrow presses asking
// the parent first (UDN_DELTAPOS) and reporting after (WM_HSCROLL), wrapping,
// the buddy's text, and arrow keys.
#include "win/controls/updown.h"

#include <optional>
#include <vector>

#include "control_input.h"

namespace {

constexpr int kId = 1020;

class UpDownTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    win::RegisterUpDownClass();
    parent = rec.Create("parent", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
    // The parent records every UDN_DELTAPOS and answers with `refuse`, after
    // applying `changeDelta` when set.
    rec.OnMessage("parent", [this](HWND, UINT m, WPARAM, LPARAM lParam, LRESULT& result) {
      if (m != WM_NOTIFY) return false;
      auto* nm = reinterpret_cast<NMUPDOWN*>(lParam);
      EXPECT_EQ(nm->hdr.code, UDN_DELTAPOS);
      EXPECT_EQ(nm->hdr.idFrom, UINT_PTR(kId));
      notes.push_back(*nm);
      if (changeDelta) nm->iDelta = *changeDelta;
      result = refuse;
      return true;
    });
  }
  // The configuration dialog's precision spinner: 49 x 25 pixels.
  HWND Make(DWORD style) {
    return CreateWindowExW(0, UPDOWN_CLASSW, u"Spin1", WS_CHILD | WS_VISIBLE | style, 124, 42, 49,
                           25, parent, reinterpret_cast<HMENU>(intptr_t(kId)), nullptr, nullptr);
  }
  int Pos(HWND u) { return short(LOWORD(std::uintptr_t(SendMessageW(u, UDM_GETPOS, 0, 0)))); }
  void Right(HWND u) { Tap(u, 40, 12); }
  void Left(HWND u) { Tap(u, 8, 12); }

  HWND parent = nullptr;
  std::vector<NMUPDOWN> notes;
  LRESULT refuse = 0;
  std::optional<int> changeDelta;
};

constexpr DWORD kSpinner = UDS_HORZ | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_ALIGNLEFT;

}  // namespace

TEST_F(UpDownTest, RangeAndPositionProtocol) {
  HWND u = Make(kSpinner);
  EXPECT_EQ(SendMessageW(u, UDM_GETRANGE, 0, 0),
            LRESULT(MAKELONG(0, 100)));  // the default: 100 down to 0
  EXPECT_EQ(SendMessageW(u, UDM_SETBASE, 10, 0), 10);
  EXPECT_EQ(SendMessageW(u, UDM_SETBASE, 8, 0), 0);  // refused
  EXPECT_EQ(SendMessageW(u, UDM_GETBASE, 0, 0), 10);
  SendMessageW(u, UDM_SETRANGE, 0, 0x0001000A);  // minimum 1, maximum 10
  EXPECT_EQ(SendMessageW(u, UDM_GETRANGE, 0, 0), 0x0001000A);
  EXPECT_EQ(SendMessageW(u, UDM_SETPOS, 0, MAKELONG(4, 0)), 0);  // returns the previous position
  // Without a buddy to read, the platform flags the position in the high word.
  EXPECT_EQ(SendMessageW(u, UDM_GETPOS, 0, 0), LRESULT(MAKELONG(4, 1)));
  SendMessageW(u, UDM_SETPOS, 0, MAKELONG(WORD(-3), 0));  // held within the range
  EXPECT_EQ(Pos(u), 1);
  SendMessageW(u, UDM_SETPOS, 0, 99);
  EXPECT_EQ(Pos(u), 10);

  SendMessageW(u, UDM_SETRANGE32, WPARAM(-70000), 70000);
  int lo = 0, hi = 0;
  SendMessageW(u, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
  EXPECT_EQ(lo, -70000);
  EXPECT_EQ(hi, 70000);
  EXPECT_EQ(SendMessageW(u, UDM_SETPOS32, 0, -65000), 10);
  BOOL error = FALSE;
  EXPECT_EQ(SendMessageW(u, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), -65000);
  EXPECT_TRUE(error);
}

TEST_F(UpDownTest, DeltaPosAcceptedThenCancelled) {
  HWND u = Make(kSpinner);
  SendMessageW(u, UDM_SETRANGE, 0, 0x0001000A);
  SendMessageW(u, UDM_SETPOS, 0, 4);
  rec.Clear();
  Right(u);  // accepted: asked first, moved, then reported
  EXPECT_TRUE(SameSequence(
      {Msg("parent", WM_NOTIFY, kId), Msg("parent", WM_HSCROLL, MAKELONG(SB_THUMBPOSITION, 5))},
      rec.Log({WM_NOTIFY, WM_HSCROLL, WM_VSCROLL})));
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].iPos, 4);
  EXPECT_EQ(notes[0].iDelta, 1);
  EXPECT_EQ(Pos(u), 5);

  refuse = 1;
  rec.Clear();
  Left(u);  // cancelled: no move, but still reported
  EXPECT_TRUE(SameSequence(
      {Msg("parent", WM_NOTIFY, kId), Msg("parent", WM_HSCROLL, MAKELONG(SB_THUMBPOSITION, 5))},
      rec.Log({WM_NOTIFY, WM_HSCROLL, WM_VSCROLL})));
  EXPECT_EQ(notes.back().iDelta, -1);
  EXPECT_EQ(Pos(u), 5);
}

TEST_F(UpDownTest, ParentMayChangeTheStep) {
  HWND u = Make(kSpinner);
  SendMessageW(u, UDM_SETRANGE, 0, 0x0001000A);
  SendMessageW(u, UDM_SETPOS, 0, 4);
  changeDelta = 3;
  Right(u);
  EXPECT_EQ(Pos(u), 7);
  changeDelta = 9;  // beyond the maximum: held at it
  Right(u);
  EXPECT_EQ(Pos(u), 10);
}

TEST_F(UpDownTest, EndsHoldOrWrap) {
  HWND held = Make(kSpinner);
  SendMessageW(held, UDM_SETRANGE, 0, 0x0001000A);
  SendMessageW(held, UDM_SETPOS, 0, 10);
  Right(held);
  EXPECT_EQ(Pos(held), 10);
  SendMessageW(held, UDM_SETPOS, 0, 1);
  Left(held);
  EXPECT_EQ(Pos(held), 1);
  DestroyWindow(held);

  HWND wraps = Make(kSpinner | UDS_WRAP);
  SendMessageW(wraps, UDM_SETRANGE, 0, 0x0001000A);
  SendMessageW(wraps, UDM_SETPOS, 0, 10);
  Right(wraps);
  EXPECT_EQ(Pos(wraps), 1);
  Left(wraps);
  EXPECT_EQ(Pos(wraps), 10);
}

TEST_F(UpDownTest, VerticalArrowsAndReversedDefaultRange) {
  HWND u = Make(0);
  SendMessageW(u, UDM_SETPOS, 0, 50);
  rec.Clear();
  Tap(u, 20, 3);  // the top arrow, over a range whose maximum (0) is below its minimum
  EXPECT_EQ(notes.back().iDelta, -1);
  EXPECT_EQ(Pos(u), 49);
  EXPECT_EQ(rec.Log({WM_VSCROLL}).size(), 1u);
  EXPECT_TRUE(rec.Log({WM_HSCROLL}).empty());
}

TEST_F(UpDownTest, BuddyTextFollowsInTheBase) {
  HWND buddy = rec.Create("buddy", WS_CHILD | WS_VISIBLE, {50, 42, 120, 67}, parent, 1019);
  HWND u = Make(UDS_SETBUDDYINT);
  SendMessageW(u, UDM_SETRANGE32, 0, 100000);
  EXPECT_EQ(SendMessageW(u, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0), 0);
  EXPECT_EQ(SendMessageW(u, UDM_GETBUDDY, 0, 0), reinterpret_cast<LRESULT>(buddy));
  SendMessageW(u, UDM_SETPOS32, 0, 12345);
  EXPECT_EQ(WindowText(buddy), u"12,345");
  SendMessageW(u, UDM_SETBASE, 16, 0);
  EXPECT_EQ(WindowText(buddy), u"0x3039");
  SendMessageW(u, UDM_SETPOS32, 0, 10);
  EXPECT_EQ(WindowText(buddy), u"0x000A");
  SendMessageW(u, UDM_SETBASE, 10, 0);

  // The buddy's text is read back: a valid number in range clears the error.
  SetWindowTextW(buddy, u"1,077");
  EXPECT_EQ(SendMessageW(u, UDM_GETPOS, 0, 0), LRESULT(MAKELONG(1077, 0)));
  SetWindowTextW(buddy, u"7a");
  EXPECT_EQ(SendMessageW(u, UDM_GETPOS, 0, 0), LRESULT(MAKELONG(1077, 1)));
  SetWindowTextW(buddy, u"200000");
  EXPECT_EQ(HIWORD(std::uintptr_t(SendMessageW(u, UDM_GETPOS, 0, 0))), 1);

  // An arrow starts from the buddy's number, and an unchanged text is not rewritten.
  SetWindowTextW(buddy, u"41");
  rec.Clear();
  Tap(u, 20, 3);  // vertical: the top arrow increments over 0..100000
  EXPECT_EQ(WindowText(buddy), u"42");
  EXPECT_EQ(rec.Log({WM_SETTEXT}).size(), 1u);
  rec.Clear();
  SendMessageW(u, UDM_SETPOS32, 0, 42);
  EXPECT_TRUE(rec.Log({WM_SETTEXT}).empty());
}

TEST_F(UpDownTest, ThousandsSeparatorCanBeTurnedOff) {
  HWND buddy = rec.Create("buddy", WS_CHILD | WS_VISIBLE, {0, 0, 40, 20}, parent, 1019);
  HWND u = Make(UDS_SETBUDDYINT | UDS_NOTHOUSANDS);
  SendMessageW(u, UDM_SETRANGE32, WPARAM(-5000), 5000);
  SendMessageW(u, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageW(u, UDM_SETPOS32, 0, -1234);
  EXPECT_EQ(WindowText(buddy), u"-1234");
}

TEST_F(UpDownTest, ArrowKeysStepWhenAsked) {
  HWND u = Make(kSpinner);
  SendMessageW(u, UDM_SETRANGE, 0, 0x0001000A);
  SendMessageW(u, UDM_SETPOS, 0, 4);
  SetFocus(u);
  Key(VK_RIGHT);
  Key(VK_UP);
  EXPECT_EQ(Pos(u), 6);
  Key(VK_LEFT);
  EXPECT_EQ(Pos(u), 5);
  EXPECT_EQ(notes.size(), 3u);

  HWND deaf = Make(UDS_HORZ);
  SendMessageW(deaf, UDM_SETRANGE, 0, 0x0001000A);
  SendMessageW(deaf, UDM_SETPOS, 0, 4);
  SetFocus(deaf);
  Key(VK_RIGHT);
  EXPECT_EQ(Pos(deaf), 4);
}

TEST_F(UpDownTest, PressTakesTheCaptureOnlyForItsArrow) {
  HWND u = Make(kSpinner);
  Pen(WM_LBUTTONDOWN, u, 40, 12);
  EXPECT_EQ(GetCapture(), u);
  Pen(WM_LBUTTONUP, u, 40, 12);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(notes.size(), 1u);  // the step is the press; the release adds none
}
