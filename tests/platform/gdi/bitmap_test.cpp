// Bitmaps from resources and files: LoadBitmapW from the test's embedded
// module and from a linked resource DLL, SHLoadDIBitmap on good and broken
// files in a temporary device folder.
#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

#include "base/utf.h"
#include "gdi/bmp_writer.h"
#include "gdi_test_res.h"
#include "gdi_test_util.h"
#include "res/modules.h"
#include "res/resources.h"
#include "shell/sh_bitmap.h"
#include "sys/device_files.h"

namespace fs = std::filesystem;

namespace {

BITMAP Describe(HBITMAP bitmap) {
  BITMAP bm;
  EXPECT_EQ(GetObjectW(bitmap, sizeof bm, &bm), int(sizeof bm));
  return bm;
}

// The colour at (x, y) of a bitmap, read through a memory DC.
COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bitmap);
  const COLORREF c = GetPixel(mem, x, y);
  SelectObject(mem, old);
  DeleteDC(mem);
  return c;
}

// The tile's marks: a red 4 x 4 corner top-left, a dark diagonal.
void ExpectTile(HBITMAP tile) {
  ASSERT_NE(tile, nullptr);
  const BITMAP bm = Describe(tile);
  EXPECT_EQ(bm.bmWidth, 32);
  EXPECT_EQ(bm.bmHeight, 32);
  EXPECT_EQ(bm.bmBitsPixel, 24);
  EXPECT_EQ(PixelOf(tile, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(tile, 10, 10), RGB(60, 40, 20));
  EXPECT_EQ(PixelOf(tile, 31, 0), RGB(60, 40, 20));
}

class EmbeddedModule : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = res::RegisterEmbeddedModule(mensora_res_blobs::gdi_test_res(), u"gdi_test.exe");
  }
  static HINSTANCE module_;
};
HINSTANCE EmbeddedModule::module_ = nullptr;

TEST_F(EmbeddedModule, LoadsBitmapsByIdAndByName) {
  ASSERT_NE(module_, nullptr);
  HBITMAP tile = LoadBitmapW(module_, MAKEINTRESOURCEW(101));
  ExpectTile(tile);
  HBITMAP key = LoadBitmapW(module_, u"key4");  // names match without case
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(Describe(key).bmBitsPixel, 4);
  EXPECT_EQ(Describe(key).bmWidth, 8);
  EXPECT_EQ(PixelOf(key, 0, 0), RGB(0, 128, 0));
  EXPECT_EQ(PixelOf(key, 7, 3), RGB(0, 0, 255));
  EXPECT_TRUE(DeleteObject(tile));
  EXPECT_TRUE(DeleteObject(key));
}

TEST_F(EmbeddedModule, MissingResourcesAndModulesFail) {
  EXPECT_EQ(LoadBitmapW(module_, MAKEINTRESOURCEW(999)), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadBitmapW(reinterpret_cast<HINSTANCE>(0x5678), MAKEINTRESOURCEW(101)), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST(ResourceDll, LoadBitmapFromALinkedPack) {
  const auto path = base::FromUtf8(std::string(MENSORA_GDI_TEST_DATA_DIR) + "/gdi_test.dll");
  HMODULE dll = LoadLibraryExW(path->c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(dll, nullptr) << GetLastError();
  HBITMAP tile = LoadBitmapW(dll, MAKEINTRESOURCEW(101));
  ExpectTile(tile);
  // The bitmap is a copy: it outlives the module.
  EXPECT_TRUE(FreeLibrary(dll));
  EXPECT_EQ(PixelOf(tile, 0, 0), RGB(255, 0, 0));
  DeleteObject(tile);
}

class BitmapFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = fs::temp_directory_path() / ("mensora-gdi-" + std::to_string(::getpid()));
    fs::remove_all(base_);
    fs::create_directories(base_ / "device/windows");
    fs::create_directories(base_ / "program");
    ASSERT_FALSE(sys::SetDeviceFolders(base_ / "device", base_ / "program"));
    fs::copy_file(fs::path(MENSORA_GDI_TEST_SOURCE_DIR) / "data/tile32.bmp",
                  base_ / "device/windows/Tile.bmp");
  }
  void TearDown() override { fs::remove_all(base_); }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(base_ / "device/windows" / name, std::ios::binary) << bytes;
  }
  fs::path base_;
};

TEST_F(BitmapFiles, LoadsAFileByItsHandheldPath) {
  HBITMAP tile = SHLoadDIBitmap(u"\\windows\\tile.bmp");  // case does not matter
  ExpectTile(tile);
  DeleteObject(tile);
}

TEST_F(BitmapFiles, BrokenOrMissingFilesGiveNull) {
  EXPECT_EQ(SHLoadDIBitmap(u"\\windows\\none.bmp"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
  Write("empty.bmp", "");
  EXPECT_EQ(SHLoadDIBitmap(u"\\windows\\empty.bmp"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_BAD_FORMAT));
  // A header that promises more pixels than the file holds.
  std::ifstream in(base_ / "device/windows/Tile.bmp", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  Write("cut.bmp", bytes.substr(0, bytes.size() / 2));
  EXPECT_EQ(SHLoadDIBitmap(u"\\windows\\cut.bmp"), nullptr);
  Write("text.bmp", "not a bitmap at all");
  EXPECT_EQ(SHLoadDIBitmap(u"\\windows\\text.bmp"), nullptr);
  EXPECT_EQ(SHLoadDIBitmap(u"\\..\\..\\etc\\passwd"), nullptr);
  EXPECT_EQ(SHLoadDIBitmap(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  // A folder is not a file.
  EXPECT_EQ(SHLoadDIBitmap(u"\\windows"), nullptr);
}

}  // namespace
