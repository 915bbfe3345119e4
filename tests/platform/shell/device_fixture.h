// A fresh window system and a temporary device folder for the shell's
// file tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sys/device_files.h"
#include "win/controls/register_controls.h"
#include "win/queue.h"
#include "win/window_table.h"

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
};
