// What the language pack tests share: a fresh device folder, program folder
// and registry per test, the program's module registered under its handheld
// path, recording hooks, and copying built packs into the program folder.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "i18n/language_pack.h"
#include "msg_recorder.h"
#include "program_res.h"
#include "res/modules.h"
#include "sys/device_files.h"
#include "sys/registry.h"

namespace packtest {

namespace fs = std::filesystem;

inline const fs::path kPackDir = MENSORA_PACK_DIR;
inline const fs::path kTestPackDir = MENSORA_TEST_PACK_DIR;
inline constexpr const char16_t* kProgramPath = u"\\Program Files\\Mensora\\mensora.exe";

// The program's own module, registered once per process under its handheld path.
inline HINSTANCE ProgramModule() {
  static HINSTANCE module =
      res::RegisterEmbeddedModule(mensora_res_blobs::program_res(), kProgramPath);
  return module;
}

class PackTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "mensora-i18n-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    base_ = pattern;
    device_ = base_ / "device";
    program_ = base_ / "program";
    fs::create_directories(program_);
    ASSERT_FALSE(sys::SetDeviceFolders(device_, program_));
    ASSERT_EQ(RegistryUseStore(device_ / "registry.db"), ERROR_SUCCESS);
    ASSERT_NE(ProgramModule(), nullptr);
    res::SetMainModule(ProgramModule());
    InitLanguagePacks();
    LanguagePackHooks hooks;
    hooks.showFatalMessage = [this](std::u16string_view text) { messages_.emplace_back(text); };
    hooks.exitProcess = [this](DWORD code) { exitCodes_.push_back(code); };
    hooks.beep = [this] { ++beeps_; };
    hooks.mainWindow = [this] { return mainWindow_; };
    SetLanguagePackHooks(std::move(hooks));
    languageIndex = 0;
  }

  void TearDown() override {
    UnloadLanguagePack();
    SetLanguagePackHooks({});
    res::SetPathMapper({});
    RegistryCloseStore();
    std::error_code ec;
    fs::remove_all(base_, ec);
    WindowTest::TearDown();
  }

  // Copies a pack of the build (msr_lus.dll, msr_lde.dll) into the program
  // folder, under its own name or `as`.
  void InstallPack(const std::string& name, const std::string& as = {}) {
    fs::copy_file(kPackDir / name, program_ / (as.empty() ? name : as),
                  fs::copy_options::overwrite_existing);
  }
  // Copies one of the broken test packs (no_marker.dll ...) in as `as`.
  void InstallTestPack(const std::string& name, const std::string& as) {
    fs::copy_file(kTestPackDir / name, program_ / as, fs::copy_options::overwrite_existing);
  }

  // Stores "locale" as the language dialog does.
  static void StoreLocale(DWORD value) {
    languageIndex = value;
    ASSERT_TRUE(WriteLanguageSetting());
    languageIndex = 0;
  }

  fs::path base_, device_, program_;
  HWND mainWindow_ = nullptr;
  std::vector<std::u16string> messages_;
  std::vector<DWORD> exitCodes_;
  int beeps_ = 0;
};

}  // namespace packtest
