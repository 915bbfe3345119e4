// The keypad dialog driven through TSP_InputNumber by the robot: its set-up,
// its own resources, the keys on the entry's selection, the entry rule for
// each decimals setting, the sign, OK, Cancel and Clear.
#include <array>
#include <vector>

#include "framework/cbitmapbutton.h"
#include "framework/cwinapp.h"
#include "gdi/surface.h"
#include "gdi/wingdi.h"
#include "keypad_fixture.h"
#include "res/resources.h"
#include "win/controls/button.h"
#include "win/input.h"

namespace {

TEST_F(KeypadTest, SetsItselfUpOnItsOwnResourcesWhateverTheProgramSelected) {
  // The program has selected a resource source with its own 131 and 130.
  AfxSetResourceHandle(program);
  std::vector<std::u16string> images;
  HINSTANCE imageModule = nullptr;
  CBitmapButton::SetLoadBitmapHook([&](HINSTANCE module, LPCWSTR name) {
    imageModule = module;
    images.emplace_back(IS_INTRESOURCE(name) ? u"#" : name);
    return reinterpret_cast<HBITMAP>(images.size());
  });
  host::Robot robot;
  robot.Do([&] {
    HWND dlg = Keypad();
    EXPECT_EQ(WindowText(dlg), u"Numerical Input");
    EXPECT_EQ(DWORD(GetWindowLongW(dlg, GWL_EXSTYLE)) & WS_EX_CAPTIONOKBTN, 0u);
    // The frame styles are gone; WS_VISIBLE is back because the modal loop
    // shows the dialog after its initialisation.
    EXPECT_EQ(DWORD(GetWindowLongW(dlg, GWL_STYLE)) & 0x90CC0000u, DWORD(WS_VISIBLE));
    EXPECT_NE(AfxGetResourceHandle(), program);  // its own module while it runs
    EXPECT_EQ(GetFocus(), Item(IDC_ENTRY));
    EXPECT_EQ(Entry(), u"");
    EXPECT_EQ(WindowText(Item(IDC_SIGN)), u"+");
    EXPECT_EQ(WindowText(Item(IDC_KEY_8)), u"BTN_NUM18");
    // The entry field is the only tab stop.
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      EXPECT_EQ((GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP) != 0, c == Item(IDC_ENTRY));
  });
  robot.TapControl(IDCANCEL);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 2), 0);
  CBitmapButton::SetLoadBitmapHook(nullptr);

  EXPECT_EQ(AfxGetResourceHandle(), program);  // the caller's selection is back
  EXPECT_NE(imageModule, program);
  EXPECT_EQ(images, (std::vector<std::u16string>{
                        u"BTN_NUM1U", u"BTN_NUM1D", u"BTN_NUM2U", u"BTN_NUM2D", u"BTN_NUM3U",
                        u"BTN_NUM3D", u"BTN_NUM4U", u"BTN_NUM4D", u"BTN_NUM5U", u"BTN_NUM5D",
                        u"BTN_NUM6U", u"BTN_NUM6D", u"BTN_NUM7U", u"BTN_NUM7D", u"BTN_NUM8U",
                        u"BTN_NUM8D", u"BTN_NUM9U", u"BTN_NUM9D", u"BTN_NUM0U", u"BTN_NUM0D",
                        u"BTN_NUMDOTU", u"BTN_NUMDOTD", u"BTN_NUMBSU", u"BTN_NUMBSD"}));
  // Every image the keys name is in the library's module: 48 x 48, 4 bits.
  for (const std::u16string& name : images) {
    auto dib = res::LoadBitmapBits(imageModule, res::NameOrOrdinal(name));
    ASSERT_TRUE(dib) << "missing image";
    ASSERT_GE(dib->size(), 16u);
    auto u32 = [&](size_t at) {
      return std::uint32_t(dib->data()[at]) | std::uint32_t(dib->data()[at + 1]) << 8 |
             std::uint32_t(dib->data()[at + 2]) << 16 | std::uint32_t(dib->data()[at + 3]) << 24;
    };
    EXPECT_EQ(u32(4), 48u);
    EXPECT_EQ(u32(8), 48u);
    EXPECT_EQ(std::uint32_t(dib->data()[14]), 4u);
  }
}

// The keypad's own module, as it is selected while the keypad runs.
HINSTANCE KeypadModuleOfARun() {
  HINSTANCE module = nullptr;
  host::Robot robot;
  robot.Do([&] { module = AfxGetResourceHandle(); }).TapControl(IDCANCEL);
  std::u16string value;
  TSP_InputNumber(value, 0, 2);
  return module;
}

TEST_F(KeypadTest, TheLibrarysTemplateAndMenuHoldTheKeypadLayout) {
  HINSTANCE keypad = KeypadModuleOfARun();
  ASSERT_NE(keypad, nullptr);
  ASSERT_NE(keypad, program);
  auto t = res::LoadDialogTemplate(keypad, 131);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->title, u"Nemerical Input");  // replaced at initialisation
  EXPECT_EQ((std::array<int, 2>{t->cx, t->cy}), (std::array<int, 2>{139, 154}));
  EXPECT_EQ(t->fontFace, u"System");
  EXPECT_EQ(t->pointSize, 8);
  EXPECT_EQ(t->exStyle & WS_EX_CAPTIONOKBTN, DWORD(WS_EX_CAPTIONOKBTN));
  // Controls in template order; keys are owner-drawn and centred, 30 x 30.
  std::vector<DWORD> ids;
  for (const res::DialogItem& item : t->items) {
    ids.push_back(item.id);
    bool key = item.id == 1013 || (item.id >= 1017 && item.id <= 1027);
    if (!key) continue;
    EXPECT_EQ(item.style, 0x50000F0Bu) << item.id;
    EXPECT_EQ((std::array<int, 2>{item.cx, item.cy}), (std::array<int, 2>{30, 30})) << item.id;
  }
  EXPECT_EQ(ids, (std::vector<DWORD>{1000, 1012, 1013, 1017, 1018, 1019, 1020, 1021, 1022, 1023,
                                     1024, 1025, 1026, 1027, 1, 2, 1014}));

  auto menu = res::LoadMenuTemplate(keypad, 130);
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->items.size(), 1u);
  EXPECT_EQ(menu->items[0].text, u"ed_dial");
  std::vector<std::pair<std::u16string, UINT>> commands;
  for (const res::MenuItem& item : menu->items[0].children) commands.emplace_back(item.text, item.id);
  EXPECT_EQ(commands, (std::vector<std::pair<std::u16string, UINT>>{
                          {u"Cut", 32782}, {u"Copy", 32781}, {u"Delete", 32783}, {u"Paste", 32784}}));
}

TEST_F(KeypadTest, ErasingFillsTheWholeClientAreaWithTheCallersColour) {
  constexpr COLORREF kGreen = RGB(0xC0, 0xF0, 0xC0);
  host::Robot robot;
  robot.Do([&] {
    gdi::Surface surface(320, 320, RGB(1, 2, 3));  // room on every side of the client area
    HDC dc = gdi::CreateSurfaceDC(surface, {0, 0}, surface.bounds());
    EXPECT_EQ(SendMessageW(Keypad(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), TRUE);
    DeleteDC(dc);
    RECT client;
    GetClientRect(Keypad(), &client);
    ASSERT_LT(client.right, 320);
    ASSERT_LT(client.bottom, 320);
    EXPECT_EQ(surface.at(0, 0), kGreen);
    EXPECT_EQ(surface.at(client.right - 1, client.bottom - 1), kGreen);
    EXPECT_EQ(surface.at(client.right, 0), RGB(1, 2, 3));  // nothing beyond it
    EXPECT_EQ(surface.at(0, client.bottom), RGB(1, 2, 3));
  });
  robot.TapControl(IDCANCEL);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 2, kGreen), 0);
}

// The top-left 48 x 48 pixels of a bitmap resource, or of what a key drew.
using Pixels = std::vector<COLORREF>;
Pixels ImagePixels(HINSTANCE module, const char16_t* name) {
  HBITMAP bitmap = LoadBitmapW(module, name);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  Pixels pixels;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return pixels;
}

constexpr COLORREF kPaper = RGB(1, 2, 3);

// Asks the keypad to draw key `id` in `state` on a fresh surface; `outside`
// receives a pixel of the key's rectangle beyond the 48 x 48 image.
Pixels DrawnKey(int id, UINT state, COLORREF& outside) {
  gdi::Surface surface(64, 64, kPaper);
  HDC dc = gdi::CreateSurfaceDC(surface, {0, 0}, surface.bounds());
  DRAWITEMSTRUCT item;
  item.CtlType = ODT_BUTTON;
  item.CtlID = UINT(id);
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = state;
  item.hwndItem = KeypadTest::Item(id);
  item.hDC = dc;
  GetClientRect(item.hwndItem, &item.rcItem);
  EXPECT_GT(item.rcItem.right, 49);
  EXPECT_EQ(SendMessageW(KeypadTest::Keypad(), WM_DRAWITEM, WPARAM(id), LPARAM(&item)), TRUE);
  DeleteDC(dc);
  outside = surface.at(49, 49);
  Pixels pixels;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) pixels.push_back(surface.at(x, y));
  return pixels;
}

TEST_F(KeypadTest, AKeyDrawsItsDownImageOnlyWhileHeldAndNothingBeyondIt) {
  host::Robot robot;
  robot.Do([&] {
    HINSTANCE keypad = AfxGetResourceHandle();
    Pixels up = ImagePixels(keypad, u"BTN_NUM8U"), down = ImagePixels(keypad, u"BTN_NUM8D");
    ASSERT_NE(up, down);
    COLORREF outside = 0;
    EXPECT_EQ(DrawnKey(IDC_KEY_8, 0, outside), up);
    EXPECT_EQ(outside, kPaper);
    EXPECT_EQ(DrawnKey(IDC_KEY_8, ODS_SELECTED, outside), down);
    EXPECT_EQ(DrawnKey(IDC_KEY_8, ODS_FOCUS, outside), up);  // no focus image
    EXPECT_EQ(DrawnKey(IDC_KEY_DOT, ODS_SELECTED | ODS_FOCUS, outside),
              ImagePixels(keypad, u"BTN_NUMDOTD"));
  });
  robot.TapControl(IDCANCEL);
  std::u16string value;
  Run(robot, value, 2);
}

TEST_F(KeypadTest, WithTwoDecimalsKeysBuildTheNumberAndASecondPointNeverStays) {
  host::Robot robot;
  Keys(robot, u"1.234");
  robot.Do([&] { EXPECT_EQ(Entry(), u"1.23"); });
  Keys(robot, u".");  // the point key ignores a second point
  robot.Do([&] { EXPECT_EQ(Entry(), u"1.23"); });
  robot.Do([&] { Select(1, 1); }).Type(u".");  // typed: dropped by the rule
  robot.Do([&] {
    EXPECT_EQ(Entry(), u"1.23");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{4, 4}));  // caret at the end
  });
  robot.TapControl(IDOK);
  std::u16string value = u"ignored on entry";
  EXPECT_EQ(Run(robot, value, 2), 1);
  EXPECT_EQ(value, u"1.23");
}

TEST_F(KeypadTest, WithoutDecimalsThePointGoesAtOnceAndNineDigitsAreTheMost) {
  host::Robot robot;
  Keys(robot, u"12.");
  robot.Do([&] { EXPECT_EQ(Entry(), u"12"); });
  Keys(robot, u"34567890");  // the tenth digit is reverted
  robot.Do([&] {
    EXPECT_EQ(Entry(), u"123456789");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{9, 9}));
  });
  robot.Do([&] { Select(0, 0); }).Type(u"x");  // typed and dropped: caret to the end
  robot.Do([&] {
    EXPECT_EQ(Entry(), u"123456789");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{9, 9}));
  });
  // Text set from outside leaves the caret at the start, where it stays.
  robot.Do([&] { SetWindowTextW(Item(IDC_ENTRY), u"x123"); });
  robot.Do([&] {
    EXPECT_EQ(Entry(), u"123");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 0}));
  });
  robot.TapControl(IDOK);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 0), 1);
  EXPECT_EQ(value, u"123");
}

TEST_F(KeypadTest, WithTwentyDecimalsTheLimitIsSeventeen) {
  host::Robot robot;
  robot.Type(u"1234567890.1234567890");
  robot.TapControl(IDOK);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 20), 1);
  EXPECT_EQ(value, u"1234567890.123456");
}

TEST_F(KeypadTest, ExtraDecimalsAreCutAndOverlongTextIsReverted) {
  host::Robot robot;
  robot.Do([&] { SetWindowTextW(Item(IDC_ENTRY), u"3.14159"); });
  robot.Do([&] {
    EXPECT_EQ(Entry(), u"3.141");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{5, 5}));
  });
  // 3 decimals allow 12 characters: a 14-character text goes back.
  robot.Do([&] { SetWindowTextW(Item(IDC_ENTRY), u"12345678901234"); });
  robot.Do([&] { EXPECT_EQ(Entry(), u"3.141"); });
  // Filtering first, then the limit against the text before the change.
  robot.Do([&] { SetWindowTextW(Item(IDC_ENTRY), u"a1234567890123"); });
  robot.Do([&] { EXPECT_EQ(Entry(), u"3.141"); });
  robot.TapControl(IDOK);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 3), 1);
  EXPECT_EQ(value, u"3.141");
}

TEST_F(KeypadTest, KeysReplaceTheSelectionAndBackspaceTakesOnlyTheCharacterBeforeIt) {
  host::Robot robot;
  Keys(robot, u"12345");
  robot.Do([&] { Select(0, 0); });
  Keys(robot, u"<");  // caret at the start: nothing
  robot.Do([&] { EXPECT_EQ(Entry(), u"12345"); });
  robot.Do([&] { Select(2, 4); });
  Keys(robot, u"<");
  robot.Do([&] {
    EXPECT_EQ(Entry(), u"1345");  // the selected "34" stays
    EXPECT_EQ(GetFocus(), Item(IDC_ENTRY));
  });
  robot.Do([&] { Select(1, 3); });
  Keys(robot, u"9");
  robot.TapControl(IDOK);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 2), 1);
  EXPECT_EQ(value, u"195");
}

TEST_F(KeypadTest, AKeyStaysDownWhileHeldAndSlidingOffGivesNoClick) {
  auto centre = [](int id) {
    RECT r;
    GetWindowRect(Item(id), &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  auto pushed = [](int id) { return (SendMessageW(Item(id), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; };
  host::Robot robot;
  robot.PressControl(IDC_KEY_1);
  robot.Do([&] { EXPECT_TRUE(pushed(IDC_KEY_1)); });
  robot.Do([&] { win::PostStylus(WM_MOUSEMOVE, centre(IDC_KEY_2)); });
  robot.Do([&] { EXPECT_FALSE(pushed(IDC_KEY_1)); });
  robot.Do([&] { win::PostStylus(WM_LBUTTONUP, centre(IDC_KEY_2)); });
  robot.Do([&] { EXPECT_EQ(Entry(), u""); });
  Keys(robot, u"5");
  robot.TapControl(IDOK);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 2), 1);
  EXPECT_EQ(value, u"5");
}

TEST_F(KeypadTest, TheSignKeyFlipsItsCaptionAndOkPutsAMinusInFront) {
  {
    host::Robot robot;
    robot.TapControl(IDC_SIGN).TapControl(IDOK);
    std::u16string value = u"old";
    EXPECT_EQ(Run(robot, value, 2), 1);
    EXPECT_EQ(value, u"-");  // an empty entry with the minus sign
  }
  {
    host::Robot robot;
    Keys(robot, u"3.5");
    robot.TapControl(IDC_SIGN);
    robot.Do([&] {
      EXPECT_EQ(WindowText(Item(IDC_SIGN)), u"-");
      EXPECT_EQ(Entry(), u"3.5");
    });
    robot.TapControl(IDC_CLEAR);  // Clear empties the entry, not the sign
    robot.Do([&] {
      EXPECT_EQ(Entry(), u"");
      EXPECT_EQ(WindowText(Item(IDC_SIGN)), u"-");
    });
    Keys(robot, u"3.5");
    robot.TapControl(IDOK);
    std::u16string value;
    EXPECT_EQ(Run(robot, value, 2), 1);
    EXPECT_EQ(value, u"-3.5");
  }
  {
    host::Robot robot;  // a new call starts at "+" again; two flips give "+"
    robot.Do([&] { EXPECT_EQ(WindowText(Item(IDC_SIGN)), u"+"); });
    Keys(robot, u"7");
    robot.TapControl(IDC_SIGN).TapControl(IDC_SIGN).TapControl(IDOK);
    std::u16string value;
    EXPECT_EQ(Run(robot, value, 2), 1);
    EXPECT_EQ(value, u"7");
  }
}

TEST_F(KeypadTest, CancelLeavesTheCallersStringExactlyAsItWas) {
  host::Robot robot;
  Keys(robot, u"42");
  robot.TapControl(IDC_SIGN).TapControl(IDCANCEL);
  std::u16string value = u"held text";
  EXPECT_EQ(Run(robot, value, 2), 0);
  EXPECT_EQ(value, u"held text");
  EXPECT_EQ(win::WindowTable::Get().topLevel().size(), 0u);  // the keypad is gone
}

TEST_F(KeypadTest, TheMainWindowOwnsTheKeypadAndIsUsableAgainAfterwards) {
  struct App : CWinApp {} app;
  CWnd main;
  main.Attach(rec.Create("main", WS_POPUP | WS_VISIBLE, {0, 26, 240, 294}));
  app.m_pMainWnd = &main;
  host::Robot robot;
  robot.Do([&] {
    EXPECT_EQ(GetWindow(Keypad(), GW_OWNER), main.m_hWnd);
    EXPECT_FALSE(IsWindowEnabled(main.m_hWnd));
  });
  robot.TapControl(IDOK);
  std::u16string value;
  EXPECT_EQ(Run(robot, value, 2), 1);
  EXPECT_TRUE(IsWindowEnabled(main.m_hWnd));
  main.Detach();
}

}  // namespace
