// The main window driven by the robot on the real program objects: what it
// shows at start, category and unit choices, value entry through the
// keypad, the result menu, keys that must not close it, the menu bar after a
// pack load, and the program's ways out with their exit codes.
#include "app/number_format.h"
#include "app_fixture.h"
#include "data/derivation.h"
#include "data/settings_store.h"
#include "i18n/resource_ids.h"
#include "keypad/keypad_ids.h"
#include "shell/command_bar.h"
#include "win/clipboard.h"
#include "win/menu.h"

namespace apptest {
namespace {

std::u16string UiString(UINT id) { return LoadUiString(id); }

// The result text for converting `value` between the selected units, as the
// window should show it.
std::u16string ExpectedResult(double value, int digits) {
  double result = 0;
  EXPECT_EQ(ConvertValue(AppTest::Dlg().Database(), AppTest::Dlg().CurrentCategory(),
                         AppTest::RowText(IDC_LIST_FROM, AppTest::SelectedRow(IDC_LIST_FROM)),
                         AppTest::RowText(IDC_LIST_TO, AppTest::SelectedRow(IDC_LIST_TO)), value, result),
            0);
  return FormatResult(result, digits, 0);
}

std::u16string FirstMenuTitle(HWND bar) {
  char16_t title[64] = {};
  GetMenuStringW(CommandBar_GetMenu(bar, 0), 0, title, 64, MF_BYPOSITION);
  return title;
}

TEST_F(AppTest, StartUpShowsTheFirstCategoryAndAZeroValueAtPrecisionFour) {
  host::Robot robot;
  robot.Do([&] {
    EXPECT_EQ(Text(IDC_VALUE), u"0.0000");
    EXPECT_EQ(Text(IDC_RESULT), u"0");
    EXPECT_EQ(Dlg().Digits(), 4);
    EXPECT_EQ(WindowText(Dlg().m_hWnd), UiString(IDS_MAIN_TITLE));
    EXPECT_EQ(ComboCount(), 22);
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(CurrentCategoryName(), ComboText(0));
    const Category& shown = Dlg().Database()[size_t(Dlg().CurrentCategory())];
    EXPECT_EQ(RowCount(IDC_LIST_FROM), int(shown.units.size()));
    EXPECT_EQ(SelectedRow(IDC_LIST_FROM), 0);
    EXPECT_EQ(SelectedRow(IDC_LIST_TO), 1);
    EXPECT_EQ(GetFocus(), Item(IDC_PREV_CATEGORY));
    EXPECT_TRUE(IsWindow(Dlg().MenuBar()));
    EXPECT_EQ(FirstMenuTitle(Dlg().MenuBar()), u"File");
    EXPECT_FALSE(GetWindowLongW(Dlg().m_hWnd, GWL_EXSTYLE) & LONG(WS_EX_CAPTIONOKBTN));
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, PreviousAndNextWrapAroundTheSelector) {
  host::Robot robot;
  robot.TapControl(IDC_PREV_CATEGORY).Do([&] {
    EXPECT_EQ(ComboSelection(), ComboCount() - 1);
    EXPECT_EQ(CurrentCategoryName(), ComboText(ComboCount() - 1));
  });
  robot.TapControl(IDC_NEXT_CATEGORY).Do([&] {
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(CurrentCategoryName(), ComboText(0));
  });
  robot.TapControl(IDC_NEXT_CATEGORY).Do([&] { EXPECT_EQ(CurrentCategoryName(), ComboText(1)); });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, ChoosingACategoryTakesItsColourOrTheDefault) {
  host::Robot robot;
  robot.Do([&] {
    for (const auto& [name, color] : {std::pair{u"Mass", 46260u}, {u"Volume Dry", 16711680u}}) {
      SendMessageW(Item(IDC_CATEGORY), CB_SELECTSTRING, WPARAM(-1), LPARAM(name));
      Dlg().OnSelChangeCategory();
      EXPECT_EQ(CurrentCategoryName(), name);
      EXPECT_EQ(Dlg().BackgroundColor(), color);
    }
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, ACategoryWithOneUnitShowsItOnBothSidesAndTheValueAsResult) {
  host::Robot robot;
  robot.Do([&] {
    SetWindowTextW(Item(IDC_VALUE), u"2.5");
    Category solo;
    solo.name = u"Solo";
    solo.units = {u"only"};
    ShowNewCategory(std::move(solo));
    EXPECT_EQ(RowCount(IDC_LIST_FROM), 1);
    EXPECT_EQ(SelectedRow(IDC_LIST_FROM), 0);
    EXPECT_EQ(SelectedRow(IDC_LIST_TO), 0);
    EXPECT_EQ(Text(IDC_VALUE), u"2.5000");
    EXPECT_EQ(Text(IDC_RESULT), u"2.5");
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, TheSameUnitOnBothSidesGivesTheValueItself) {
  host::Robot robot;
  robot.Do([&] { SetWindowTextW(Item(IDC_VALUE), u"12.5"); });
  // Both lists hold the same sorted rows, and the left one selects row 0.
  TapRow(robot, IDC_LIST_TO, 0);
  robot.Do([&] {
    EXPECT_EQ(RowText(IDC_LIST_TO, SelectedRow(IDC_LIST_TO)), RowText(IDC_LIST_FROM, SelectedRow(IDC_LIST_FROM)));
    EXPECT_EQ(Text(IDC_RESULT), u"12.5");
    EXPECT_EQ(Text(IDC_VALUE), u"12.5");  // a list tap leaves the value field alone
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, KeypadEntryShowsThePrecisionAndAListTapConvertsTheFieldsValue) {
  TheSettings().display.digits = 2;
  host::Robot robot;
  HWND main = nullptr;
  robot.Do([&] { main = Dlg().m_hWnd; }).TapControl(IDC_VALUE);
  robot.Do([&] {
    // The keypad is up; the main window stays on screen behind it.
    EXPECT_NE(GetActiveWindow(), main);
    EXPECT_TRUE(IsWindowVisible(main));
  });
  TypeOnKeypad(robot, u"1.23456");
  robot.Do([&] {
    EXPECT_EQ(GetActiveWindow(), main);
    // The keypad itself keeps two decimals, so 1.23 is what it returns.
    EXPECT_EQ(Text(IDC_VALUE), u"1.23");
    EXPECT_EQ(Text(IDC_RESULT), ExpectedResult(1.23, 2));
  });
  TapRow(robot, IDC_LIST_TO, 0);
  robot.Do([&] {
    EXPECT_EQ(SelectedRow(IDC_LIST_TO), 0);
    EXPECT_EQ(Text(IDC_VALUE), u"1.23");
    EXPECT_EQ(Text(IDC_RESULT), ExpectedResult(1.23, 2));
  });
  EXPECT_EQ(RunProgram(robot), 0);
  EXPECT_GE(beeps_, 3);  // activation at start, away to the keypad, and back
}

TEST_F(AppTest, ACancelledKeypadChangesNothing) {
  host::Robot robot;
  robot.TapControl(IDC_VALUE).TapControl(IDC_KEY_7).TapControl(IDCANCEL).Do([&] {
    EXPECT_EQ(Text(IDC_VALUE), u"0.0000");
    EXPECT_EQ(Text(IDC_RESULT), u"0");
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, ATapThatLeavesNoRowSelectedShowsTheMissingConversionText) {
  host::Robot robot;
  robot.Do([&] {
    ConversionDatabase scratch;
    AddConversionLine(scratch, RGB(1, 2, 3), u"Pair", u"a", u"b", 2, 0);
    ShowNewCategory(scratch.front());
    ASSERT_EQ(RowCount(IDC_LIST_FROM), 2);
    EXPECT_EQ(Text(IDC_RESULT), u"0");
  });
  TapRow(robot, IDC_LIST_FROM, -1);
  robot.Do([&] {
    EXPECT_EQ(SelectedRow(IDC_LIST_FROM), -1);
    EXPECT_EQ(Text(IDC_RESULT), UiString(IDS_NO_CONVERSION));
    EXPECT_EQ(Text(IDC_VALUE), u"0.0000");
    EXPECT_NE(GetFocus(), Item(IDC_LIST_FROM));  // the list passed the focus on
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, AnEmptyDatabaseLeavesNoCurrentCategoryAndConvertsNothing) {
  host::Robot robot;
  robot.Do([&] {
    EmptyDatabase(Dlg().Database());
    SendMessageW(Item(IDC_CATEGORY), CB_RESETCONTENT, 0, 0);
  });
  robot.TapControl(IDC_NEXT_CATEGORY).TapControl(IDC_PREV_CATEGORY).Do([&] {
    EXPECT_EQ(Dlg().CurrentCategory(), -1);
    EXPECT_EQ(ComboSelection(), -1);
  });
  TapRow(robot, IDC_LIST_FROM, 0);
  robot.Do([&] { EXPECT_EQ(Text(IDC_RESULT), UiString(IDS_NO_CONVERSION)); });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, TheResultMenuCopiesAndCutsTheWholeResult) {
  host::Robot robot;
  robot.Do([&] { SetWindowTextW(Item(IDC_RESULT), u"42.5"); });
  // Cut, Copy, Paste (greyed), Delete: the second item is Copy.
  robot.TapControl(IDC_RESULT).Key(VK_DOWN).Key(VK_DOWN).Key(VK_RETURN).Do([&] {
    EXPECT_EQ(Text(IDC_RESULT), u"42.5");
    ASSERT_TRUE(OpenClipboard(nullptr));
    const std::u16string* text = win::ClipboardTextOf(GetClipboardData(CF_UNICODETEXT));
    EXPECT_TRUE(text && *text == u"42.5");
    CloseClipboard();
  });
  robot.TapControl(IDC_RESULT).Key(VK_DOWN).Key(VK_RETURN).Do([&] { EXPECT_EQ(Text(IDC_RESULT), u""); });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, EnterAndEscapeDoNotCloseTheWindow) {
  host::Robot robot;
  HWND main = nullptr;
  robot.Do([&] { main = Dlg().m_hWnd; }).Key(VK_RETURN).Key(VK_ESCAPE).Do([&] {
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(GetActiveWindow(), main);
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, TheMenuBarIsRebuiltAfterEveryPackLoad) {
  host::Robot robot;
  robot.Do([&] {
    HWND english = Dlg().MenuBar();
    EXPECT_EQ(FirstMenuTitle(english), u"File");
    languageIndex = 1;
    ASSERT_TRUE(LoadLanguagePack());
    EXPECT_FALSE(IsWindow(english));
    EXPECT_TRUE(IsWindow(Dlg().MenuBar()));
    EXPECT_EQ(FirstMenuTitle(Dlg().MenuBar()), u"Datei");
    EXPECT_EQ(ResourceModule(), nullptr);  // the program's resources again
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, SavingWritesTheSettings) {
  host::Robot robot;
  robot.Do([&] { SendMessageW(Dlg().m_hWnd, WM_COMMAND, ID_SAVE_SETTINGS, 0); });
  EXPECT_EQ(RunProgram(robot), 0);
  char16_t buffer[64] = {};
  EXPECT_GT(ReadConfigValue(u"digits", buffer, 64), 0);
  EXPECT_EQ(std::u16string(buffer), u"4");
  EXPECT_GT(ReadConfigValue(u"tmperbmp", buffer, 64), 0);
  EXPECT_EQ(std::u16string(buffer), u"*");  // no bitmap files in this device folder
}

// ---- The ways out ------------------------------------------------------------

TEST_F(AppTest, ACloseRequestEndsTheRunAndDestroysTheWindow) {
  host::Robot robot;
  HWND main = nullptr;
  robot.Do([&] {
    main = Dlg().m_hWnd;
    PostMessageW(main, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunProgram(robot), 0);
  EXPECT_FALSE(IsWindow(main));
}

TEST_F(AppTest, TheExitCommandEndsTheProcessWithZeroBeforeTheWindowIsDestroyed) {
  host::Robot robot;
  HWND main = nullptr;
  bool aliveAtExit = false;
  sys::SetExitHandler([&](int code) {
    aliveAtExit = IsWindow(main);
    throw Exited{code};
  });
  robot.Do([&] {
    main = Dlg().m_hWnd;
    PostMessageW(main, WM_COMMAND, ID_EXIT_2, 0);
  });
  CMensoraApp app;
  try {
    AfxRunApp(app);
    ADD_FAILURE() << "the program did not end the process";
  } catch (const Exited& exited) {
    EXPECT_EQ(exited.code, 0);
  }
  EXPECT_TRUE(aliveAtExit);
  EXPECT_TRUE(robot.errors().empty());
}

TEST_F(AppTest, AQuitRequestEndsTheRunWithItsCode) {
  host::Robot robot;
  robot.Do([] { PostQuitMessage(4660); });
  EXPECT_EQ(RunProgram(robot), 4660);
}

TEST_F(AppTest, WithoutALanguagePackTheMessageShowsAndTheProcessEndsWithAllOnes) {
  fs::remove(base_ / "program" / "msr_lus.dll");
  fs::remove(base_ / "program" / "msr_lde.dll");
  host::Robot robot;
  robot.Do([&] {
    EXPECT_NE(host::DumpWindowTree().find("LangPack dll loading error"), std::string::npos)
        << host::DumpWindowTree();
  }).Key(VK_RETURN);
  CMensoraApp app;
  try {
    AfxRunApp(app);
    ADD_FAILURE() << "the program ran without a language pack";
  } catch (const Exited& exited) {
    EXPECT_EQ(DWORD(exited.code), 0xFFFFFFFFu);
  }
  EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
}

}  // namespace
}  // namespace apptest
