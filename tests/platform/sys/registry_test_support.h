// Helpers shared by the registry tests: a fresh folder per test, REG_SZ values
// in the product's form, and child processes.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "sys/registry.h"

namespace regtest {

inline constexpr const char16_t* kConfigKey = u"Software\\KESTRAVO\\Mensora\\Config";

// A temporary folder removed with its content at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mensora-reg-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path store() const { return path_ / "registry.db"; }
  bool HasAsideFiles() const {
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      if (entry.path().filename().string().find(".corrupt-") != std::string::npos) return true;
    return false;
  }

 private:
  std::filesystem::path path_;
};

// A test with its own open store.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(RegistryUseStore(folder_.store()), ERROR_SUCCESS); }
  void TearDown() override { RegistryCloseStore(); }
  TempFolder folder_;
};

// Stores `text` as REG_SZ with its terminating zero, as the product does.
inline LONG SetSz(HKEY key, const char16_t* name, std::u16string text) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
}

// Reads a REG_SZ value; nullopt when it cannot be read or is not a string.
inline std::optional<std::u16string> GetSz(HKEY key, const char16_t* name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::nullopt;
  std::u16string text(size / 2 + 1, u'\0');
  if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()),
                       &size) != ERROR_SUCCESS)
    return std::nullopt;
  text.resize(std::char_traits<char16_t>::length(text.c_str()));
  return text;
}

// Runs `body` in a forked child whose exit code is body's result; _exit keeps
// the test framework from running a second time in the child.
inline pid_t StartChild(const std::function<int()>& body) {
  pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  return pid;
}

// The child's exit code, or minus the signal that killed it.
inline int WaitChild(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1000;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

}  // namespace regtest
