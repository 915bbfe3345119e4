// Handheld paths in the device folder: mapping, escapes, case, and listing
// folders as the handheld lists them.
#include <gtest/gtest.h>

#include <fstream>

#include "sys/device_files.h"
#include "sys/find_file.h"

namespace fs = std::filesystem;

namespace {

class DeviceFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    base = fs::temp_directory_path() / ("mensora-dev-" + std::to_string(::getpid()));
    fs::remove_all(base);
    fs::create_directories(base / "device/Windows/sub");
    fs::create_directories(base / "program");
    fs::create_directories(base / "outside");
    Touch(base / "device/Windows/temperature.bmp", "abc");
    Touch(base / "device/Windows/Area.BMP", "");
    Touch(base / "device/Windows/readme.txt", "");
    Touch(base / "program/msr_lus.dll", "");
    Touch(base / "outside/secret", "");
    fs::create_symlink(base / "outside", base / "device/escape");
    ASSERT_FALSE(sys::SetDeviceFolders(base / "device", base / "program"));
  }
  void TearDown() override { fs::remove_all(base); }
  static void Touch(const fs::path& p, const std::string& text) { std::ofstream(p) << text; }

  std::vector<std::u16string> List(const char16_t* pattern) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(pattern, &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.emplace_back(data.cFileName);
    while (FindNextFileW(h, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(h));
    return names;
  }

  fs::path base;
};

}  // namespace

TEST_F(DeviceFolder, MapsHandheldPathsWithoutEscaping) {
  auto dev = fs::canonical(base / "device");
  EXPECT_EQ(sys::MapPath(u"\\windows\\TEMPERATURE.bmp"), dev / "Windows/temperature.bmp");
  EXPECT_EQ(sys::MapPath(u"\\Windows\\new.bmp"), dev / "Windows/new.bmp");
  EXPECT_EQ(sys::MapPath(u"\\windows\\sub\\..\\.\\area.bmp"), dev / "Windows/Area.BMP");
  EXPECT_EQ(sys::MapPath(u"\\program files\\MENSORA\\msr_lus.dll"),
            fs::canonical(base / "program/msr_lus.dll"));
  EXPECT_EQ(sys::MapPath(u"\\"), dev);

  EXPECT_FALSE(sys::MapPath(u"\\..\\outside\\secret"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(sys::MapPath(u"\\escape\\secret"));  // a link out of the folder
  EXPECT_FALSE(sys::MapPath(u"\\windows\\a:b"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_NAME));
  EXPECT_FALSE(sys::MapPath(std::u16string(300, u'a')));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));

  EXPECT_EQ(sys::HandheldPathOf(base / "program/msr_lus.dll"),
            u"\\Program Files\\Mensora\\msr_lus.dll");
  EXPECT_EQ(sys::HandheldPathOf(base / "device/Windows"), u"\\Windows");
  EXPECT_FALSE(sys::HandheldPathOf(base / "outside"));
}

TEST_F(DeviceFolder, FindListsAsTheHandheldDoes) {
  EXPECT_EQ(List(u"\\windows\\*.bmp"), (std::vector<std::u16string>{u"Area.BMP", u"temperature.bmp"}));
  EXPECT_EQ(List(u"\\windows\\*.*").size(), 4u);  // no "." or ".."
  EXPECT_EQ(List(u"\\windows\\t?mp*"), (std::vector<std::u16string>{u"temperature.bmp"}));

  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW(u"\\windows\\sub", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, DWORD(FILE_ATTRIBUTE_DIRECTORY));
  FindClose(h);
  h = FindFirstFileW(u"\\windows\\temperature.bmp", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.nFileSizeLow, 3u);
  EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_ARCHIVE);
  FindClose(h);

  EXPECT_EQ(FindFirstFileW(u"\\windows\\*.xyz", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirstFileW(u"\\nowhere\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(FindClose(h));
  EXPECT_FALSE(FindNextFileW(reinterpret_cast<HANDLE>(1234), &data));

  Touch(base / "device/Windows" / std::string(300, 'x'), "");  // too long for the handheld
  EXPECT_EQ(List(u"\\windows\\*").size(), 4u);
}

TEST_F(DeviceFolder, SeedingNeverOverwrites) {
  fs::create_directories(base / "seed/windows");
  Touch(base / "seed/windows/temperature.bmp", "shipped");
  Touch(base / "seed/windows/time.bmp", "shipped");
  fs::rename(base / "device/Windows", base / "device/windows");
  EXPECT_EQ(sys::SeedDeviceFolder(base / "seed"), 1);
  std::ifstream kept(base / "device/windows/temperature.bmp");
  std::string text;
  kept >> text;
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(sys::SeedDeviceFolder(base / "seed"), 0);
}

TEST(FindPattern, Wildcards) {
  EXPECT_TRUE(sys::MatchesFindPattern(u"*", u""));
  EXPECT_TRUE(sys::MatchesFindPattern(u"*.DAT", u"my.table.dat"));
  EXPECT_FALSE(sys::MatchesFindPattern(u"*.dat", u"data"));
  EXPECT_TRUE(sys::MatchesFindPattern(u"*.*", u"noext"));
  EXPECT_TRUE(sys::MatchesFindPattern(u"a*b*c", u"aXbYbZc"));
  EXPECT_FALSE(sys::MatchesFindPattern(u"a?", u"a"));
  EXPECT_FALSE(sys::MatchesFindPattern(u"*a*a*a*a*a*b", std::u16string(200, u'a')));
}
