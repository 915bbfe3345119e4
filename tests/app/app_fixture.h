// The fixture of the program's tests: the real application object and main
// window on a fresh window system, with a temporary device folder, a program
// folder holding the built language packs, a registry of its own, the
// program's own resources, and the process exit and beep taken over so that
// the ways out can be watched.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "../platform/win/msg_recorder.h"
#include "app/mensora_app.h"
#include "app/mensora_dlg.h"
#include "app/program_module.h"
#include "data/display_settings.h"
#include "framework/app_state.h"
#include "host/headless/robot.h"
#include "i18n/language_pack.h"
#include "res/modules.h"
#include "shell/shell.h"
#include "sys/device_files.h"
#include "sys/registry.h"
#include "sys/system.h"
#include "win/controls/register_controls.h"

namespace apptest {

namespace fs = std::filesystem;

// What the exit handler throws, so a test outlives sys::ExitProcess.
struct Exited {
  int code;
};

class AppTest : public WindowTest {
 public:
  void SetUp() override {
    WindowTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "mensora-app-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    base_ = pattern;
    fs::create_directories(base_ / "program");
    ASSERT_FALSE(sys::SetDeviceFolders(base_ / "device", base_ / "program"));
    ASSERT_EQ(RegistryUseStore(base_ / "device" / "registry.db"), ERROR_SUCCESS);
    for (const char* pack : {"msr_lus.dll", "msr_lde.dll"})
      fs::copy_file(fs::path(MENSORA_PACK_DIR) / pack, base_ / "program" / pack);
    win::RegisterControlClasses();
    shell::RegisterShellClasses();
    ASSERT_NE(RegisterProgramModule(), nullptr);
    ConnectLanguagePacks();
    sys::SetExitHandler([](int code) { throw Exited{code}; });
    sys::SetBeepHandler([this](UINT) { ++beeps_; });
    TheSettings() = ProcessSettings{};
    languageIndex = 0;
  }

  void TearDown() override {
    UnloadLanguagePack();
    AfxSetResourceHandle(nullptr);
    SetLanguagePackHooks({});
    res::SetPathMapper({});
    sys::SetExitHandler({});
    sys::SetBeepHandler({});
    RegistryCloseStore();
    std::error_code ec;
    fs::remove_all(base_, ec);
    WindowTest::TearDown();
  }

  // Runs the program (CMensoraApp through the framework) while `robot`
  // acts in it; every robot step must have run without error. Returns the
  // exit code.
  int RunProgram(host::Robot& robot) {
    CMensoraApp app;
    int code = AfxRunApp(app);
    EXPECT_TRUE(robot.errors().empty()) << robot.errors().front();
    EXPECT_EQ(robot.stepsLeft(), 0u);
    return code;
  }

  // The main window object and its controls, read during a robot step.
  static CMensoraDlg& Dlg() { return *static_cast<CMensoraDlg*>(AfxGetApp()->m_pMainWnd); }
  static HWND Item(int id) { return GetDlgItem(Dlg().m_hWnd, id); }
  static std::u16string Text(int id) { return WindowText(Item(id)); }
  static int ComboSelection() { return int(SendMessageW(Item(IDC_CATEGORY), CB_GETCURSEL, 0, 0)); }
  static int ComboCount() { return int(SendMessageW(Item(IDC_CATEGORY), CB_GETCOUNT, 0, 0)); }
  static std::u16string ComboText(int index);
  static int SelectedRow(int list) {
    return int(SendMessageW(Item(list), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
  }
  static int RowCount(int list) { return int(SendMessageW(Item(list), LVM_GETITEMCOUNT, 0, 0)); }
  static std::u16string RowText(int list, int row);
  static std::u16string CurrentCategoryName() {
    return Dlg().Database()[size_t(Dlg().CurrentCategory())].name;
  }

  // Adds a category to the database and the selector and makes it current,
  // as choosing it in the selector would.
  static void ShowNewCategory(Category category);

  // A tap on a row of a unit list (row -1: below the last row), found when
  // the step runs.
  static void TapRow(host::Robot& robot, int list, int row);

  // The keypad's keys for `text` (digits and the point), then its OK.
  static void TypeOnKeypad(host::Robot& robot, std::u16string_view text);

  fs::path base_;
  int beeps_ = 0;
};

}  // namespace apptest
