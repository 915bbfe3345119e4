// What painting puts on the screen: DCs clipped to their window, class and
// dialog backgrounds, control colours from the parent, and the controls'
// looks, read back from the framebuffer pixel by pixel.
#include <gtest/gtest.h>

#include "gdi/surface.h"
#include "gdi/wingdi.h"
#include "msg_recorder.h"
#include "win/controls/button.h"
#include "win/dialog.h"
#include "win/dialog_builder.h"
#include "win/controls/combobox.h"
#include "win/controls/listview.h"
#include "win/controls/register_controls.h"
#include "win/controls/text_metrics.h"
#include "win/controls/updown.h"
#include "win/paint.h"

namespace {

COLORREF At(int x, int y) { return gdi::Screen().at(x, y); }

class PixelTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    win::RegisterControlClasses();
    gdi::Screen().Fill(RGB(1, 2, 3));
    // A top-level window at (0,26) whose erase fills it with a known colour.
    top = rec.Create("top", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294});
    rec.OnMessage("top", [](HWND h, UINT m, WPARAM w, LPARAM, LRESULT& result) {
      if (m != WM_ERASEBKGND) return false;
      RECT r;
      GetClientRect(h, &r);
      HBRUSH b = CreateSolidBrush(kBack);
      FillRect(reinterpret_cast<HDC>(w), &r, b);
      DeleteObject(b);
      return result = 1, true;
    });
  }
  HWND Child(LPCWSTR cls, LPCWSTR text, DWORD style, RECT r, int id = 100) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, top,
                           reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
  }
  static constexpr COLORREF kBack = RGB(10, 200, 30);
  HWND top = nullptr;
};

}  // namespace

TEST_F(PixelTest, TheWindowEraseCoversItsAreaAndNothingElse) {
  win::PaintPending();
  EXPECT_EQ(At(0, 26), kBack);
  EXPECT_EQ(At(239, 293), kBack);
  EXPECT_EQ(At(0, 25), GetSysColor(COLOR_BACKGROUND)) << "the desktop around it";
}

TEST_F(PixelTest, AChildsDCIsClippedToItsParent) {
  HWND child = rec.Create("child", WS_CHILD | WS_VISIBLE, {200, 250, 300, 300}, top, 7);
  win::PaintPending();
  HDC hdc = GetDC(child);
  RECT all{0, 0, 100, 50};
  FillRect(hdc, &all, GetSysColorBrush(COLOR_WINDOWTEXT));
  ReleaseDC(child, hdc);
  EXPECT_EQ(At(200, 276), RGB(0, 0, 0));
  EXPECT_EQ(At(239, 293), RGB(0, 0, 0));
  EXPECT_EQ(At(200, 294), GetSysColor(COLOR_BACKGROUND)) << "below the parent: untouched";
}

TEST_F(PixelTest, AButtonHasABlackFrameAndGreyFaceAndPressedIsInverted) {
  HWND b = Child(u"BUTTON", u"", BS_PUSHBUTTON, {10, 10, 70, 40});
  win::PaintPending();
  const int x = 10, y = 36;  // its top-left corner on screen
  EXPECT_EQ(At(x - 1, y - 1), kBack);
  EXPECT_EQ(At(x, y), RGB(0, 0, 0));
  EXPECT_EQ(At(x + 59, y + 29), RGB(0, 0, 0));
  EXPECT_EQ(At(x + 1, y + 1), GetSysColor(COLOR_BTNFACE));
  COLORREF up = At(x + 30, y + 5);
  SendMessageW(b, BM_SETSTATE, TRUE, 0);
  win::PaintPending();
  EXPECT_NE(At(x + 30, y + 5), up);
  EXPECT_EQ(At(x, y), RGB(0, 0, 0));
}

TEST_F(PixelTest, TheDefaultButtonFrameIsThicker) {
  Child(u"BUTTON", u"", BS_PUSHBUTTON, {10, 10, 70, 40}, 1);
  Child(u"BUTTON", u"", BS_DEFPUSHBUTTON, {100, 10, 160, 40}, 2);
  win::PaintPending();
  EXPECT_EQ(At(11, 37), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(At(101, 37), RGB(0, 0, 0));
}

TEST_F(PixelTest, ACheckedBoxShowsItsTick) {
  HWND box = Child(u"BUTTON", u"", BS_AUTOCHECKBOX, {10, 10, 100, 30});
  win::PaintPending();
  auto darkInBox = [] {
    int dark = 0;
    for (int y = 40; y < 50; ++y)
      for (int x = 12; x < 22; ++x) dark += At(x, y) == RGB(0, 0, 0);
    return dark;
  };
  EXPECT_EQ(darkInBox(), 0);
  SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  win::PaintPending();
  EXPECT_GT(darkInBox(), 5);
}

TEST_F(PixelTest, TheParentsButtonColourFillsTheFace) {
  rec.OnMessage("top", [](HWND, UINT m, WPARAM w, LPARAM, LRESULT& result) {
    if (m != WM_CTLCOLORBTN) return false;
    static HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SetBkColor(reinterpret_cast<HDC>(w), RGB(255, 0, 0));
    result = reinterpret_cast<LRESULT>(red);
    return true;
  });
  Child(u"BUTTON", u"", BS_PUSHBUTTON, {10, 10, 70, 40});
  win::PaintPending();
  EXPECT_EQ(At(12, 38), RGB(255, 0, 0));
}

TEST_F(PixelTest, AnOwnerDrawnButtonDrawsThroughItsParentWithTheHeldState) {
  HWND b = Child(u"BUTTON", u"", BS_OWNERDRAW, {10, 10, 70, 40});
  std::vector<UINT> states;
  rec.OnMessage("top", [&](HWND, UINT m, WPARAM, LPARAM l, LRESULT& result) {
    if (m != WM_DRAWITEM) return false;
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    states.push_back(dis->itemState & ODS_SELECTED);
    FillRect(dis->hDC, &dis->rcItem,
             GetSysColorBrush((dis->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    return result = TRUE, true;
  });
  win::PaintPending();
  EXPECT_EQ(At(40, 50), GetSysColor(COLOR_WINDOW));
  SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(5, 5));
  EXPECT_EQ(At(40, 50), GetSysColor(COLOR_HIGHLIGHT)) << "drawn at once while held";
  SendMessageW(b, WM_LBUTTONUP, 0, MAKELONG(5, 5));
  win::PaintPending();
  EXPECT_EQ(At(40, 50), GetSysColor(COLOR_WINDOW));
  ASSERT_GE(states.size(), 2u);
}

TEST_F(PixelTest, AnUpperWindowStaysOnTopOfWhatALowerOnePaints) {
  HWND popup = rec.Create("popup", WS_POPUP | WS_VISIBLE, {50, 100, 150, 150});
  rec.OnMessage("popup", [](HWND h, UINT m, WPARAM w, LPARAM, LRESULT& result) {
    if (m != WM_ERASEBKGND) return false;
    RECT r;
    GetClientRect(h, &r);
    FillRect(reinterpret_cast<HDC>(w), &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    return result = 1, true;
  });
  win::PaintPending();
  InvalidateRect(top, nullptr, TRUE);
  win::PaintPending();
  EXPECT_EQ(At(100, 120), GetSysColor(COLOR_HIGHLIGHT));
  DestroyWindow(popup);
  win::PaintPending();
  EXPECT_EQ(At(100, 120), kBack) << "what was under it shows again";
}

namespace {

// How many pixels of `color` lie in the screen rectangle r.
int Count(RECT r, COLORREF color) {
  int n = 0;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x) n += At(int(x), int(y)) == color;
  return n;
}

// Text is antialiased: pixels of glyphs are near their colour, each channel
// within a quarter of the range.
int CountNear(RECT r, COLORREF color) {
  auto close = [](BYTE a, BYTE b) { return std::abs(int(a) - int(b)) < 64; };
  int n = 0;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x) {
      COLORREF c = At(int(x), int(y));
      n += close(GetRValue(c), GetRValue(color)) && close(GetGValue(c), GetGValue(color)) &&
           close(GetBValue(c), GetBValue(color));
    }
  return n;
}

}  // namespace

TEST_F(PixelTest, StaticTextTakesTheColourThePaintAnswers) {
  constexpr COLORREF kInk = RGB(200, 0, 150);
  rec.OnMessage("top", [](HWND, UINT m, WPARAM w, LPARAM, LRESULT& result) {
    if (m != WM_CTLCOLORSTATIC) return false;
    SetTextColor(reinterpret_cast<HDC>(w), kInk);
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
  });
  Child(u"STATIC", u"Mensora", SS_LEFT, {10, 10, 110, 30});
  win::PaintPending();
  RECT onScreen{10, 36, 110, 56};
  EXPECT_GT(CountNear(onScreen, kInk), 20);
  EXPECT_GT(Count(onScreen, GetSysColor(COLOR_WINDOW)), 1000) << "the answered brush";
}

TEST_F(PixelTest, StaticTextWithoutAnAnswerUsesThePlatformColours) {
  Child(u"STATIC", u"Mensora", SS_CENTER, {10, 10, 110, 30});
  win::PaintPending();
  RECT onScreen{10, 36, 110, 56};
  EXPECT_GT(CountNear(onScreen, GetSysColor(COLOR_BTNTEXT)), 20);
  EXPECT_GT(Count(onScreen, GetSysColor(COLOR_BTNFACE)), 1000);
}

TEST_F(PixelTest, TheSelectedListRowIsHighlighted) {
  HWND list = Child(WC_LISTVIEW, u"", LVS_REPORT | LVS_NOCOLUMNHEADER, {10, 10, 130, 90});
  LVCOLUMNW c;
  c.mask = LVCF_WIDTH;
  c.cx = 120;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&c));
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  for (const char16_t* text : {u"metre", u"foot", u"inch"}) {
    LVITEMW item;
    item.mask = LVIF_TEXT;
    item.iItem = 99;
    item.pszText = const_cast<LPWSTR>(text);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  win::PaintPending();
  RECT row1{10, 36 + 16, 130, 36 + 32};
  EXPECT_EQ(Count(row1, GetSysColor(COLOR_HIGHLIGHT)), 0);
  LVITEMW selected;
  selected.state = selected.stateMask = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));
  win::PaintPending();
  EXPECT_GT(Count(row1, GetSysColor(COLOR_HIGHLIGHT)), 120 * 16 / 2);
  EXPECT_GT(CountNear(row1, GetSysColor(COLOR_HIGHLIGHTTEXT)), 5) << "its text in white";
  RECT row0{10, 36, 130, 36 + 16};
  EXPECT_EQ(Count(row0, GetSysColor(COLOR_HIGHLIGHT)), 0);
}

TEST_F(PixelTest, AHeldUpDownArrowIsInverted) {
  HWND spin = Child(UPDOWN_CLASSW, u"", 0, {10, 10, 30, 50});
  win::PaintPending();
  RECT upper{11, 37, 29, 55};
  int dark = Count(upper, RGB(0, 0, 0));
  SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(5, 5));
  win::PaintPending();
  EXPECT_GT(Count(upper, RGB(0, 0, 0)), dark + 100);
  SendMessageW(spin, WM_LBUTTONUP, 0, MAKELONG(5, 5));
  win::PaintPending();
  EXPECT_EQ(Count(upper, RGB(0, 0, 0)), dark);
}

TEST_F(PixelTest, AFocusedEditShowsItsSelectionAndItsCaret) {
  HWND edit = Child(u"EDIT", u"12345", WS_BORDER | ES_AUTOHSCROLL, {10, 10, 110, 28});
  win::PaintPending();
  RECT field{11, 37, 109, 53};
  EXPECT_EQ(Count(field, GetSysColor(COLOR_HIGHLIGHT)), 0) << "no focus, no selection shown";
  EXPECT_EQ(At(10, 36), RGB(0, 0, 0)) << "WS_BORDER's frame";
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, 2);
  win::PaintPending();
  EXPECT_GT(Count(field, GetSysColor(COLOR_HIGHLIGHT)), 40);
  SendMessageW(edit, EM_SETSEL, 5, 5);
  win::PaintPending();
  EXPECT_EQ(Count(field, GetSysColor(COLOR_HIGHLIGHT)), 0);
  // The caret: a one-pixel column of black right after the text.
  int x = 11 + 1 + win::metrics::TextWidth(u"12345");
  EXPECT_EQ(Count({x, 37, x + 1, 51}, RGB(0, 0, 0)), 14);
}

namespace {

INT_PTR ColouredDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  static HBRUSH teal = CreateSolidBrush(RGB(0, 128, 128));
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_CTLCOLORDLG) return reinterpret_cast<INT_PTR>(teal);
  return FALSE;
}

INT_PTR PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

HWND EmptyDialog(DLGPROC proc) {
  win::DialogTemplateBuilder form(WS_POPUP | WS_VISIBLE, 100, 60, u"");
  return CreateDialogIndirectParamW(nullptr, form.bytes(), nullptr, proc, 0);
}

}  // namespace

TEST_F(PixelTest, DialogsEraseWithTheButtonFaceUnlessTheyAnswerABrush) {
  DestroyWindow(top);
  HWND plain = EmptyDialog(&PlainDialogProc);
  ASSERT_NE(plain, nullptr);
  win::PaintPending();
  RECT r;
  GetWindowRect(plain, &r);
  EXPECT_EQ(At(r.left + 5, r.top + 5), GetSysColor(COLOR_BTNFACE));
  DestroyWindow(plain);
  HWND coloured = EmptyDialog(&ColouredDialogProc);
  ASSERT_NE(coloured, nullptr);
  win::PaintPending();
  GetWindowRect(coloured, &r);
  EXPECT_EQ(At(r.left + 5, r.top + 5), RGB(0, 128, 128));
}

TEST_F(PixelTest, DefaultEraseFillsWithTheClassBrush) {
  WNDCLASSW wc;
  wc.lpfnWndProc = &DefWindowProcW;
  wc.lpszClassName = u"Brushed";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
  RegisterClassW(&wc);
  CreateWindowExW(0, u"Brushed", u"", WS_CHILD | WS_VISIBLE, 20, 20, 40, 40, top, nullptr,
                  nullptr, nullptr);
  win::PaintPending();
  EXPECT_EQ(At(30, 56), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(At(10, 56), kBack);
}

TEST_F(PixelTest, TheDroppedListTakesTheListColoursOfTheCombosParent) {
  rec.OnMessage("top", [](HWND, UINT m, WPARAM w, LPARAM, LRESULT& result) {
    if (m != WM_CTLCOLORLISTBOX) return false;
    static HBRUSH cream = CreateSolidBrush(RGB(250, 240, 200));
    SetTextColor(reinterpret_cast<HDC>(w), RGB(0, 0, 255));
    result = reinterpret_cast<LRESULT>(cream);
    return true;
  });
  HWND combo = Child(u"COMBOBOX", u"", CBS_DROPDOWNLIST, {10, 10, 130, 100});
  for (const char16_t* name : {u"Distance", u"Volume"})
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  win::PaintPending();
  RECT field;
  GetWindowRect(combo, &field);
  RECT secondRow{field.left + 2, field.bottom + 18, field.right - 2, field.bottom + 32};
  EXPECT_GT(Count(secondRow, RGB(250, 240, 200)), 500);
  EXPECT_GT(CountNear(secondRow, RGB(0, 0, 255)), 10);
}
