// Windows, messages, loops, focus and input routing, checked by the
// messages each action produces.
#include "msg_recorder.h"
#include "win/input.h"

namespace {

RecordedMessage M(const char* window, UINT message) { return {window, message, 0, false}; }
RecordedMessage M(const char* window, UINT message, WPARAM w) { return {window, message, w, true}; }

constexpr RECT kScreen{0, 26, 240, 294};

}  // namespace

TEST_F(WindowTest, DeadHandlesFailQuietly) {
  HWND top = rec.Create("top", WS_POPUP, kScreen);
  HWND child = rec.Create("child", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, top, 7);
  ASSERT_TRUE(IsWindow(child));
  EXPECT_TRUE(DestroyWindow(top));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(SendMessageW(child, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessageW(child, WM_USER, 0, 0));
  EXPECT_EQ(GetWindowLongW(child, GWL_STYLE), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetDlgItem(top, 7), nullptr);
  EXPECT_FALSE(DestroyWindow(child));
  EXPECT_EQ(SetFocus(child), nullptr);
  RECT r;
  EXPECT_FALSE(GetWindowRect(child, &r));
}

TEST_F(WindowTest, CreationAndDestructionOrder) {
  HWND top = rec.Create("top", WS_POPUP, kScreen);
  rec.Create("a", WS_CHILD, {0, 0, 10, 10}, top, 1);
  rec.Create("b", WS_CHILD, {0, 0, 10, 10}, top, 2);
  EXPECT_TRUE(SameSequence({M("top", WM_NCCREATE), M("top", WM_CREATE), M("a", WM_NCCREATE),
                            M("a", WM_CREATE), M("b", WM_NCCREATE), M("b", WM_CREATE)},
                           rec.Log()));
  rec.Clear();
  DestroyWindow(top);
  EXPECT_TRUE(SameSequence({M("top", WM_DESTROY), M("a", WM_DESTROY), M("a", WM_NCDESTROY),
                            M("b", WM_DESTROY), M("b", WM_NCDESTROY), M("top", WM_NCDESTROY)},
                           rec.Log()));
}

TEST_F(WindowTest, CreateRefusedByHandler) {
  rec.OnMessage("no", [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
    if (m != WM_CREATE) return false;
    r = -1;
    return true;
  });
  EXPECT_EQ(rec.Create("no", WS_POPUP, kScreen), nullptr);
  EXPECT_EQ(rec.Log({WM_DESTROY}).size(), 1u);
}

TEST_F(WindowTest, TextLongsAndSubclassing) {
  HWND top = rec.Create("top", WS_POPUP, kScreen);
  SetWindowTextW(top, u"Numerical Input");
  EXPECT_TRUE(SameSequence({M("top", WM_SETTEXT)}, rec.Log({WM_SETTEXT})));
  char16_t small[4];
  EXPECT_EQ(GetWindowTextW(top, small, 4), 3);
  EXPECT_EQ(std::u16string(small), u"Num");
  EXPECT_EQ(WindowText(top), u"Numerical Input");

  // A window keeps the icons it is given (the host shows the big one) and
  // hands back the one it had; other slots are refused.
  auto icon = [](int n) { return LPARAM(n); };
  EXPECT_EQ(SendMessageW(top, WM_SETICON, ICON_BIG, icon(7)), 0);
  EXPECT_EQ(SendMessageW(top, WM_SETICON, ICON_BIG, icon(8)), icon(7));
  EXPECT_EQ(SendMessageW(top, WM_GETICON, ICON_BIG, 0), icon(8));
  EXPECT_EQ(SendMessageW(top, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_EQ(SendMessageW(top, WM_SETICON, 2, icon(9)), 0);

  SetWindowLongW(top, GWL_EXSTYLE, LONG(WS_EX_CAPTIONOKBTN | WS_EX_NODRAG));
  LONG ex = GetWindowLongW(top, GWL_EXSTYLE);
  SetWindowLongW(top, GWL_EXSTYLE, ex & ~LONG(WS_EX_CAPTIONOKBTN));
  EXPECT_EQ(DWORD(GetWindowLongW(top, GWL_EXSTYLE)), DWORD(WS_EX_NODRAG));

  static WNDPROC original;
  static int seen;
  seen = 0;
  original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      top, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER + 1) ++seen;
        return CallWindowProcW(original, h, m, w, l);
      })));
  SendMessageW(top, WM_USER + 1, 0, 0);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(rec.Log({WM_USER + 1}).size(), 1u);  // the original still runs
}

TEST_F(WindowTest, ChildGeometryAndDialogItems) {
  HWND top = rec.Create("top", WS_POPUP | WS_CAPTION, {10, 30, 110, 130});
  HWND frame = rec.Create("frame", WS_CHILD | WS_BORDER, {0, 0, 50, 50}, top, 1001);
  HWND child = rec.Create("child", WS_CHILD | WS_VISIBLE, {5, 6, 25, 16}, frame, 1002);
  EXPECT_EQ(GetDlgItem(frame, 1002), child);
  EXPECT_EQ(GetDlgCtrlID(child), 1002);
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_EQ(r, (RECT{16, 37, 36, 47}));  // inside the 1-pixel border
  GetClientRect(frame, &r);
  EXPECT_EQ(r, (RECT{0, 0, 48, 48}));
  GetClientRect(top, &r);  // no frame: the caption is in the task bar
  EXPECT_EQ(r, (RECT{0, 0, 100, 100}));
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p, (POINT{16, 37}));
  EXPECT_FALSE(IsWindowVisible(child));  // an ancestor is hidden
  ShowWindow(top, SW_SHOW);
  EXPECT_FALSE(IsWindowVisible(child));
  ShowWindow(frame, SW_SHOW);
  EXPECT_TRUE(IsWindowVisible(child));
}

TEST_F(WindowTest, ModalLoopInsideSendMessage) {
  HWND top = rec.Create("top", WS_POPUP | WS_VISIBLE, kScreen);
  bool ended = false;
  rec.OnMessage("top", [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT& r) {
    if (m == WM_USER) {  // a handler that runs a modal loop
      PostMessageW(h, WM_USER + 1, 0, 0);
      r = win::RunNestedLoop([&] { return ended; }) ? 1 : 0;
      return true;
    }
    if (m == WM_USER + 1) ended = true;
    return false;
  });
  EXPECT_EQ(SendMessageW(top, WM_USER, 0, 0), 1);
  EXPECT_TRUE(SameSequence({M("top", WM_USER), M("top", WM_USER + 1)},
                           rec.Log({WM_USER, WM_USER + 1})));
}

TEST_F(WindowTest, QuitEndsEveryLoopOutToTheOutermost) {
  HWND top = rec.Create("top", WS_POPUP | WS_VISIBLE, kScreen);
  int depth = 0;
  rec.OnMessage("top", [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m == WM_USER && ++depth < 3) {
      PostMessageW(h, WM_USER, 0, 0);
      win::RunNestedLoop([] { return false; });  // ends only by the quit
    } else if (m == WM_USER) {
      PostQuitMessage(4660);
    }
    return false;
  });
  PostMessageW(top, WM_USER, 0, 0);
  MSG msg;
  int dispatched = 0;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    DispatchMessageW(&msg);
    ++dispatched;
  }
  EXPECT_EQ(msg.message, UINT(WM_QUIT));
  EXPECT_EQ(msg.wParam, 4660u);
  EXPECT_EQ(depth, 3);
  EXPECT_EQ(dispatched, 1);  // the other two ran inside nested loops
}

TEST_F(WindowTest, NoMoreInputEndsTheLoops) {
  int idleCalls = 0;
  win::SetIdleHandler([&] { return ++idleCalls < 3; });
  MSG msg;
  EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(idleCalls, 3);
}

TEST_F(WindowTest, FocusAndActivationSequences) {
  HWND a = rec.Create("a", WS_POPUP | WS_VISIBLE, kScreen);
  HWND edit = rec.Create("edit", WS_CHILD | WS_VISIBLE, {0, 0, 50, 20}, a, 1);
  HWND b = rec.Create("b", WS_POPUP, kScreen);
  SetFocus(edit);
  rec.Clear();
  ShowWindow(b, SW_SHOW);
  EXPECT_TRUE(SameSequence({M("b", WM_SHOWWINDOW, TRUE), M("a", WM_ACTIVATE, WA_INACTIVE),
                            M("b", WM_ACTIVATE, WA_ACTIVE), M("edit", WM_KILLFOCUS),
                            M("b", WM_SETFOCUS)},
                           rec.Log()));
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), b);

  EnableWindow(edit, FALSE);
  EXPECT_EQ(SetFocus(edit), nullptr);
  EXPECT_EQ(GetFocus(), b);
  EnableWindow(edit, TRUE);
  rec.Clear();
  SetFocus(edit);  // activates its top-level window first
  EXPECT_TRUE(SameSequence({M("b", WM_ACTIVATE, WA_INACTIVE), M("a", WM_ACTIVATE, WA_ACTIVE),
                            M("b", WM_KILLFOCUS), M("a", WM_SETFOCUS), M("a", WM_KILLFOCUS),
                            M("edit", WM_SETFOCUS)},
                           rec.Log({WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS})));
  DestroyWindow(a);  // the remaining window takes over
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), b);
}

TEST_F(WindowTest, StylusGoesToTheWindowUnderItOrTheCapture) {
  HWND top = rec.Create("top", WS_POPUP | WS_VISIBLE, kScreen);
  HWND button = rec.Create("button", WS_CHILD | WS_VISIBLE, {10, 10, 60, 40}, top, 1);
  EXPECT_EQ(win::PostStylus(WM_LBUTTONDOWN, {20, 50}), button);  // (10, 14) in the button
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(LOWORD(msg.lParam), 10);
  EXPECT_EQ(HIWORD(msg.lParam), 14);
  SetCapture(button);
  EXPECT_EQ(win::PostStylus(WM_MOUSEMOVE, {200, 200}), button);
  ReleaseCapture();
  EXPECT_EQ(win::PostStylus(WM_LBUTTONUP, {200, 200}), top);
  EXPECT_EQ(win::PostStylus(WM_LBUTTONUP, {239, 319}), nullptr);  // nothing there
  EnableWindow(top, FALSE);  // an owner under its modal dialog
  EXPECT_EQ(win::PostStylus(WM_LBUTTONDOWN, {20, 50}), nullptr);
}

TEST_F(WindowTest, PinnedChildrenTopmostBandAndWindowsThatNeverActivate) {
  HWND top = rec.Create("top", WS_POPUP | WS_VISIBLE, {10, 40, 200, 200});
  HWND pinned = rec.Create("pinned", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, top, 3);
  EXPECT_FALSE(win::PinToScreen(top, {0, 0, 1, 1}));  // only children
  ASSERT_TRUE(win::PinToScreen(pinned, {0, 294, 240, 320}));
  RECT r;
  GetWindowRect(pinned, &r);
  EXPECT_EQ(r, (RECT{0, 294, 240, 320}));
  POINT p{5, 5};
  ClientToScreen(pinned, &p);
  EXPECT_EQ(p, (POINT{5, 299}));
  EXPECT_EQ(win::WindowFromPoint({5, 299}), pinned);  // outside its parent, still found
  EXPECT_EQ(GetParent(pinned), top);

  HWND strip = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, u"Recorder", nullptr,
                               WS_POPUP | WS_VISIBLE, 0, 0, 240, 50, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(GetActiveWindow(), top);  // created visible, yet not activated
  HWND later = rec.Create("later", WS_POPUP | WS_VISIBLE, {0, 0, 240, 320});
  EXPECT_EQ(GetActiveWindow(), later);
  EXPECT_EQ(win::WindowFromPoint({5, 5}), strip);  // the topmost band stays above
  EXPECT_EQ(SetActiveWindow(strip), nullptr);
  DestroyWindow(later);
  EXPECT_EQ(GetActiveWindow(), top);
  DestroyWindow(top);
  EXPECT_EQ(GetActiveWindow(), nullptr);  // never the strip
}

TEST_F(WindowTest, TheActivationObserverHearsEveryChange) {
  std::vector<HWND> heard;
  win::SetActivationObserver([&](HWND h) { heard.push_back(h); });
  HWND a = rec.Create("a", WS_POPUP | WS_VISIBLE, kScreen);
  HWND b = rec.Create("b", WS_POPUP | WS_VISIBLE, kScreen);
  SetActiveWindow(b);  // no change, nothing heard
  SetWindowTextW(a, u"behind");  // not the active one: nothing heard
  SetWindowTextW(b, u"title");
  DestroyWindow(b);
  DestroyWindow(a);
  EXPECT_EQ(heard, (std::vector<HWND>{a, b, b, a, nullptr}));
  win::WindowTable::Get().Reset();
  rec.Install();
  rec.Create("c", WS_POPUP | WS_VISIBLE, kScreen);
  EXPECT_EQ(heard.size(), 5u);  // the reset dropped the observer
}
