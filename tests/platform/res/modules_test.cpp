// The module table: loading the linked DLLs as data, the platform's string
// call with its buffer rules, typed lookups, path mapping, embedded modules
// and the errors of each call.
#include "res/modules.h"

#include <gtest/gtest.h>

#include "base/utf.h"
#include "res/resources.h"
#include "test_res.h"
#include "test_util.h"

using namespace res;
using res_test::DataPath;

namespace {

std::u16string U16(const std::string& s) { return *base::FromUtf8(s); }

class Modules : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(U16(DataPath("test_x64.dll")).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

}  // namespace

TEST_F(Modules, LoadStringCopiesTruncatesAndTerminates) {
  char16_t buf[16];
  EXPECT_EQ(LoadStringW(module_, 33005, buf, 16), 7);
  EXPECT_EQ(std::u16string(buf), u"English");

  std::fill(std::begin(buf), std::end(buf), u'#');
  EXPECT_EQ(LoadStringW(module_, 33005, buf, 4), 3);
  EXPECT_EQ(std::u16string(buf), u"Eng");
  EXPECT_EQ(buf[4], u'#');  // nothing written past the caller's size

  buf[0] = u'#';
  EXPECT_EQ(LoadStringW(module_, 33005, buf, 1), 0);
  EXPECT_EQ(buf[0], 0);

  // The exact fit: 7 characters and the terminator in 8.
  EXPECT_EQ(LoadStringW(module_, 33005, buf, 8), 7);
  EXPECT_EQ(std::u16string(buf), u"English");
}

TEST_F(Modules, LoadStringWithSizeZeroGivesAReadOnlyPointer) {
  LPCWSTR text = nullptr;
  int length = LoadStringW(module_, 33004, reinterpret_cast<LPWSTR>(&text), 0);
  ASSERT_EQ(length, 4);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::u16string_view(text, 4), u"pack");
}

TEST_F(Modules, LoadStringFailures) {
  char16_t buf[8] = u"xxxxxxx";
  SetLastError(0);
  EXPECT_EQ(LoadStringW(module_, 33006, buf, 8), 0);  // empty slot
  EXPECT_EQ(buf[0], 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadStringW(module_, 40000, buf, 8), 0);  // no block
  EXPECT_EQ(LoadStringW(module_, 1, nullptr, 8), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LoadStringW(module_, 1, buf, -1), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  auto bogus = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x12345});
  EXPECT_EQ(LoadStringW(bogus, 1, buf, 8), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST_F(Modules, FreedHandlesAreDeadForGood) {
  ASSERT_TRUE(FreeLibrary(module_));
  char16_t buf[8];
  EXPECT_EQ(LoadStringW(module_, 1, buf, 8), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FreeLibrary(module_));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  // A new load never reuses the old handle.
  HMODULE again = LoadLibraryExW(U16(DataPath("test_x64.dll")).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  EXPECT_NE(again, module_);
  module_ = again;
}

TEST_F(Modules, BitmapsMenusAndDialogsByHandle) {
  auto bmp = res_test::ReadFile(res_test::SourcePath("data/tiny.bmp"));
  auto dib = LoadBitmapBits(module_, 33029);
  ASSERT_TRUE(dib);
  // The resource is the file without its 14-byte BITMAPFILEHEADER.
  EXPECT_TRUE(std::equal(dib->begin(), dib->end(), bmp.begin() + 14, bmp.end()));
  EXPECT_TRUE(LoadBitmapBits(module_, u"btn_num1u"));

  auto menu = LoadMenuTemplate(module_, 135);
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->items.at(0).text, u"&File");
  auto dialog = LoadDialogTemplate(module_, 131);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(dialog->title, u"Nemerical Input");

  EXPECT_FALSE(LoadMenuTemplate(module_, 999));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  // Platform-style arguments: MAKEINTRESOURCE values are ordinals.
  EXPECT_FALSE(LoadBitmapBits(module_, MAKEINTRESOURCEW(1)));
  EXPECT_TRUE(FindModuleResource(module_, RT_STRING, MAKEINTRESOURCEW(1)));
  EXPECT_FALSE(FindModuleResource(module_, RT_STRING, 9999));
  EXPECT_EQ(ModuleFileName(module_), U16(DataPath("test_x64.dll")));
}

TEST(ModuleLoading, EveryMachineLoads) {
  for (const char* file : {"test_x86.dll", "test_arm64.dll"}) {
    HMODULE h = LoadLibraryExW(U16(DataPath(file)).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(h, nullptr) << file;
    char16_t buf[8];
    EXPECT_EQ(LoadStringW(h, 1, buf, 8), 3);
    EXPECT_EQ(std::u16string(buf), u"one");
    EXPECT_TRUE(FreeLibrary(h));
  }
}

TEST(ModuleLoading, Refusals) {
  std::u16string dll = U16(DataPath("test_x64.dll"));
  EXPECT_EQ(LoadLibraryExW(dll.c_str(), nullptr, 0), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LoadLibraryExW(nullptr, nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LoadLibraryExW(u"/nonexistent/msr_lxx.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(LastLoadParseError());

  std::u16string bmp = U16(res_test::SourcePath("data/tiny.bmp"));
  EXPECT_EQ(LoadLibraryExW(bmp.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_BAD_EXE_FORMAT));
  ASSERT_TRUE(LastLoadParseError());
  EXPECT_EQ(LastLoadParseError()->code, ResError::kBadSignature);
  EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST(ModuleLoading, PathsGoThroughThePluggedMapper) {
  std::string host = DataPath("test_x64.dll");
  SetPathMapper([host](std::u16string_view path) -> std::optional<std::string> {
    if (path == u"\\windows\\msr_lus.dll") return host;
    return std::nullopt;
  });
  HMODULE h = LoadLibraryExW(u"\\windows\\msr_lus.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  EXPECT_NE(h, nullptr);
  EXPECT_EQ(ModuleFileName(h), u"\\windows\\msr_lus.dll");  // the name as the product gave it
  char16_t path[32];
  EXPECT_EQ(GetModuleFileNameW(h, path, 32), 20u);
  EXPECT_EQ(std::u16string(path), u"\\windows\\msr_lus.dll");
  EXPECT_EQ(GetModuleFileNameW(h, path, 9), 9u);  // truncated, still terminated
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::u16string(path), u"\\windows");
  EXPECT_EQ(GetModuleFileNameW(reinterpret_cast<HMODULE>(0x1234), path, 32), 0u);
  EXPECT_EQ(LoadLibraryExW(u"\\windows\\other.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
  SetPathMapper({});
  FreeLibrary(h);
}

TEST(EmbeddedModules, TheProgramsOwnResourcesAnswerForNull) {
  HINSTANCE self = RegisterEmbeddedModule(mensora_res_blobs::test_res(), u"\\mensora.exe");
  ASSERT_NE(self, nullptr);
  SetMainModule(self);
  EXPECT_EQ(MainModule(), self);
  char16_t buf[32];
  EXPECT_EQ(LoadStringW(nullptr, 16, buf, 32), 28);
  EXPECT_EQ(std::u16string(buf), u"sixteen, in the second block");
  EXPECT_TRUE(LoadDialogTemplate(nullptr, 102));
  EXPECT_EQ(ModuleFileName(self), u"\\mensora.exe");
  EXPECT_TRUE(FreeLibrary(self));
  EXPECT_EQ(MainModule(), nullptr);
  EXPECT_EQ(LoadStringW(nullptr, 16, buf, 32), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));

  auto junk = res_test::Bytes({1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(RegisterEmbeddedModule(junk, u"junk"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_BAD_FORMAT));
}
