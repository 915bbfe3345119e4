// The fixtures of the shell's tests: ShellTest, a fresh window system with
// the shell's classes and the test resources as the program's module;
// DeviceFolderTest, a fresh window system and a temporary device folder
// for the file tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

#include "../win/control_input.h"
#include "../win/msg_recorder.h"
#include "host/headless/robot.h"
#include "res/modules.h"
#include "shell/shell.h"
#include "shell/soft_keyboard.h"
#include "shell_res.h"
#include "sys/device_files.h"
#include "win/controls/register_controls.h"
#include "win/queue.h"
#include "win/window_table.h"

class ShellTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    shell::ResetSoftKeyboard();
    win::RegisterControlClasses();
    shell::RegisterShellClasses();
    module = res::RegisterEmbeddedModule(mensora_res_blobs::shell_res(), u"\\shell.exe");
  }
  void TearDown() override {
    FreeLibrary(module);
    WindowTest::TearDown();
  }
  // Dispatches until the robot's last step has run and the queue is empty.
  static void RunRobot() {
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  HINSTANCE module = nullptr;
};

class DeviceFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::WindowTable::Get().Reset();
    win::ResetQueue();
    win::RegisterControlClasses();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root = std::filesystem::temp_directory_path() /
           ("mensora-shell-" + std::to_string(::getpid()) + "-" + info->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "program");
    ASSERT_FALSE(sys::SetDeviceFolders(root / "device", root / "program"));
  }
  void TearDown() override {
    win::WindowTable::Get().Reset();
    win::ResetQueue();
    std::filesystem::remove_all(root);
  }
  // Creates a file (and its folders) under the device folder; `path` uses "/".
  void Touch(const std::string& path) {
    std::filesystem::path p = root / "device" / path;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p) << "x";
  }
  void Folder(const std::string& path) { std::filesystem::create_directories(root / "device" / path); }

  std::filesystem::path root;
