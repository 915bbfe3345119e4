// Invalidation and the paint passes, checked by the messages windows receive:
// erase before paint, parent before children, what is above a painted area
// painted again, hidden and destroyed windows, and the idle queue.
#include <vector>

#include "msg_recorder.h"
#include "win/paint.h"

namespace {

class PaintTest : public WindowTest {
 protected:
  std::vector<RecordedMessage> Paints() const { return rec.Log({WM_PAINT, WM_ERASEBKGND}); }
  static RecordedMessage Paint(const std::string& w) { return {w, WM_PAINT}; }
  static RecordedMessage Erase(const std::string& w) { return {w, WM_ERASEBKGND}; }
  // A dialog-like top-level window with two children side by side.
  void MakeDialog() {
    top = rec.Create("top", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
    left = rec.Create("left", WS_CHILD | WS_VISIBLE, {10, 10, 60, 40}, top, 1);
    right = rec.Create("right", WS_CHILD | WS_VISIBLE, {100, 10, 160, 40}, top, 2);
  }
  HWND top = nullptr, left = nullptr, right = nullptr;
};

}  // namespace

TEST_F(PaintTest, IdlePaintsParentThenChildrenEachErasedFirst) {
  MakeDialog();
  rec.Clear();
  EXPECT_TRUE(win::PaintPending());
  // The first created child is on top, so it is painted last.
  EXPECT_TRUE(SameSequence({Erase("top"), Paint("top"), Erase("right"), Paint("right"),
                            Erase("left"), Paint("left")},
                           Paints()));
}

TEST_F(PaintTest, NothingIsPaintedTwiceWhenIdle) {
  MakeDialog();
  win::PaintPending();
  rec.Clear();
  EXPECT_FALSE(win::PaintIsPending());
  EXPECT_FALSE(win::PaintPending());
  EXPECT_TRUE(Paints().empty());
}

TEST_F(PaintTest, InvalidatingAChildPaintsOnlyIt) {
  MakeDialog();
  win::PaintPending();
  rec.Clear();
  InvalidateRect(left, nullptr, FALSE);
  win::PaintPending();
  EXPECT_TRUE(SameSequence({Paint("left")}, Paints()));
}

TEST_F(PaintTest, ParentAreaRepaintsOnlyTheChildrenItCovers) {
  MakeDialog();
  win::PaintPending();
  rec.Clear();
  RECT r{0, 0, 30, 30};  // over "left" only
  InvalidateRect(top, &r, TRUE);
  win::PaintPending();
  EXPECT_TRUE(SameSequence({Erase("top"), Paint("top"), Erase("left"), Paint("left")}, Paints()));
}

TEST_F(PaintTest, UpdateRectAccumulatesAndValidates) {
  MakeDialog();
  win::PaintPending();
  RECT a{5, 5, 10, 10}, b{20, 5, 30, 12}, got;
  InvalidateRect(top, &a, FALSE);
  InvalidateRect(top, &b, FALSE);
  EXPECT_TRUE(GetUpdateRect(top, &got, FALSE));
  EXPECT_EQ(got, (RECT{5, 5, 30, 12}));
  RECT leftHalf{0, 0, 20, 100};
  ValidateRect(top, &leftHalf);  // what remains is still one rectangle
  EXPECT_TRUE(GetUpdateRect(top, &got, FALSE));
  EXPECT_EQ(got, (RECT{20, 5, 30, 12}));
  ValidateRect(top, nullptr);
  EXPECT_FALSE(GetUpdateRect(top, &got, FALSE));
  EXPECT_EQ(got, (RECT{}));
  RECT outside{500, 500, 600, 600};
  InvalidateRect(top, &outside, TRUE);  // clipped away: nothing is invalid
  EXPECT_FALSE(GetUpdateRect(top, &got, FALSE));
}

TEST_F(PaintTest, GetUpdateRectWithEraseErasesOnce) {
  MakeDialog();
  win::PaintPending();
  rec.Clear();
  InvalidateRect(left, nullptr, TRUE);
  RECT got;
  EXPECT_TRUE(GetUpdateRect(left, &got, TRUE));
  EXPECT_EQ(got, (RECT{0, 0, 50, 30}));
  win::PaintPending();
  EXPECT_TRUE(SameSequence({Erase("left"), Paint("left")}, Paints()));
}

TEST_F(PaintTest, BeginPaintReportsTheAreaAndARefusedErase) {
  MakeDialog();
  win::PaintPending();
  PAINTSTRUCT seen;
  rec.OnMessage("left", [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& result) {
    if (m == WM_ERASEBKGND) return result = 0, true;  // not erased
    if (m != WM_PAINT) return false;
    BeginPaint(h, &seen);
    EndPaint(h, &seen);
    return result = 0, true;
  });
  RECT r{2, 3, 12, 13};
  InvalidateRect(left, &r, TRUE);
  win::PaintPending();
  EXPECT_EQ(seen.rcPaint, r);
  EXPECT_TRUE(seen.fErase);
  InvalidateRect(left, &r, FALSE);
  win::PaintPending();
  EXPECT_FALSE(seen.fErase);
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceAndOnlyWhenInvalid) {
  MakeDialog();
  win::PaintPending();
  rec.Clear();
  UpdateWindow(top);
  EXPECT_TRUE(Paints().empty());
  InvalidateRect(right, nullptr, TRUE);
  UpdateWindow(top);
  EXPECT_TRUE(SameSequence({Erase("right"), Paint("right")}, Paints()));
  rec.Clear();
  win::PaintPending();
  EXPECT_TRUE(Paints().empty());
  EXPECT_FALSE(UpdateWindow(reinterpret_cast<HWND>(0x1234)));
}

TEST_F(PaintTest, HiddenWindowsKeepNothingAndPaintWholeWhenShown) {
  MakeDialog();
  win::PaintPending();
  ShowWindow(right, SW_HIDE);
  win::PaintPending();
  rec.Clear();
  EXPECT_TRUE(InvalidateRect(right, nullptr, TRUE));
  RECT got;
  EXPECT_FALSE(GetUpdateRect(right, &got, FALSE));
  win::PaintPending();
  EXPECT_TRUE(Paints().empty());
  ShowWindow(right, SW_SHOW);
  win::PaintPending();
  EXPECT_TRUE(SameSequence({Erase("right"), Paint("right")}, Paints()));
}

TEST_F(PaintTest, HidingAChildRepaintsWhatWasUnderIt) {
  MakeDialog();
  win::PaintPending();
  rec.Clear();
  ShowWindow(left, SW_HIDE);
  win::PaintPending();
  EXPECT_TRUE(SameSequence({Erase("top"), Paint("top")}, Paints()));
}

TEST_F(PaintTest, WhatALowerWindowPaintsIsCoveredAgainByTheUpperOne) {
  MakeDialog();
  HWND popup = rec.Create("popup", WS_POPUP | WS_VISIBLE, {50, 100, 150, 150});
  win::PaintPending();
  rec.Clear();
  InvalidateRect(top, nullptr, TRUE);
  win::PaintPending();
  EXPECT_TRUE(SameSequence({Erase("top"), Paint("top"), Erase("right"), Paint("right"),
                            Erase("left"), Paint("left"), Erase("popup"), Paint("popup")},
                           Paints()));
  rec.Clear();
  InvalidateRect(popup, nullptr, TRUE);  // the upper one alone: nothing under it repaints
  win::PaintPending();
  EXPECT_TRUE(SameSequence({Erase("popup"), Paint("popup")}, Paints()));
}

TEST_F(PaintTest, DrawingThroughGetDCRecomposesWhatIsAbove) {
  MakeDialog();
  rec.Create("popup", WS_POPUP | WS_VISIBLE, {0, 30, 240, 60});  // over both children
  win::PaintPending();
  rec.Clear();
  HDC hdc = GetDC(top);
  EXPECT_EQ(ReleaseDC(top, hdc), hdc ? 1 : 0);
  if (!hdc) GTEST_SKIP() << "no drawing layer";
  win::PaintPending();
  // The window's own children are not repainted (drawing through GetDC
  // stays out of them); the popup above is.
  EXPECT_TRUE(SameSequence({Erase("popup"), Paint("popup")}, Paints()));
}

TEST_F(PaintTest, DestroyingWindowsWhilePaintingIsSafe) {
  MakeDialog();
  rec.OnMessage("right", [&](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m == WM_PAINT) DestroyWindow(left);
    if (m == WM_ERASEBKGND) DestroyWindow(right);  // itself, before its paint
    return false;
  });
  rec.Clear();
  win::PaintPending();
  EXPECT_FALSE(IsWindow(right));
  EXPECT_TRUE(SameSequence({Erase("top"), Paint("top"), Erase("right"), Erase("left"),
                            Paint("left"), Erase("top"), Paint("top")},
                           Paints()))
      << "the area it left is composed again in the next pass";
  EXPECT_FALSE(win::PaintIsPending());
  EXPECT_FALSE(InvalidateRect(right, nullptr, TRUE));
  EXPECT_FALSE(ValidateRect(right, nullptr));
  EXPECT_EQ(BeginPaint(right, nullptr), nullptr);
}

TEST_F(PaintTest, AWindowThatAlwaysInvalidatesStillLetsThePassEnd) {
  MakeDialog();
  rec.OnMessage("left", [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m == WM_PAINT) {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      InvalidateRect(h, nullptr, FALSE);
      return true;
    }
    return false;
  });
  win::PaintPending();  // returns: a bounded number of passes
  SUCCEED();
}

TEST_F(PaintTest, TheIdleQueuePaintsBeforeAskingForInput) {
  MakeDialog();
  bool pendingWhenAsked = true;
  win::SetIdleHandler([&] {
    pendingWhenAsked = win::PaintIsPending();
    return false;  // no input will come: the loop ends
  });
  MSG msg;
  EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_FALSE(pendingWhenAsked);
  EXPECT_EQ(rec.Log({WM_PAINT}).size(), 3u);
}
