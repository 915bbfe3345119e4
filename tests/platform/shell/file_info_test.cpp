// The system small-icon image list and SHGetFileInfo: which picture a
// folder, a bitmap and another file get, with and without the file system.
#include <gtest/gtest.h>

#include "gdi/png.h"
#include "gdi/surface.h"
#include "gdi/wingdi.h"
#include "shell/file_icons.h"
#include "shell/file_info.h"
#include "base/utf.h"
#include "device_fixture.h"

namespace {

class FileInfoTest : public DeviceFolderTest {
 protected:
  int IconOf(const char16_t* path, DWORD attributes = 0, UINT extra = 0) {
    SHFILEINFO info;
    info.iIcon = -1;
    DWORD_PTR list = SHGetFileInfo(path, attributes, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | extra);
    EXPECT_EQ(list, reinterpret_cast<DWORD_PTR>(shell::SystemSmallImageList())) << base::ToUtf8(path);
    return info.iIcon;
  }
};

TEST_F(FileInfoTest, TheSystemListHoldsThreeSmallIconsAndCannotBeDestroyed) {
  HIMAGELIST list = shell::SystemSmallImageList();
  EXPECT_EQ(list, shell::SystemSmallImageList());
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  int cx = 0, cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);
  EXPECT_FALSE(ImageList_Destroy(list));
  EXPECT_FALSE(ImageList_Remove(list, -1));
  EXPECT_EQ(ImageList_GetImageCount(list), 3);

  // Each icon has transparent corners and an opaque middle, and they differ.
  for (int i = 0; i < 3; ++i) {
    const win::ImageListPicture* p = win::ImageListGet(list, i);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->transparent[0]);
    EXPECT_FALSE(p->transparent[8 * 16 + 8]);
  }
  EXPECT_NE(win::ImageListGet(list, 0)->pixels, win::ImageListGet(list, 1)->pixels);
  EXPECT_NE(win::ImageListGet(list, 1)->pixels, win::ImageListGet(list, 2)->pixels);
}

TEST_F(FileInfoTest, IconsByKindOnTheDevice) {
  Folder("windows/Fonts");
  Touch("windows/forest.bmp");
  Touch("windows/keys.2BP");
  Touch("windows/readme.txt");
  Folder("windows/x.bmp");
  EXPECT_EQ(IconOf(u"\\"), shell::kFolderIcon);
  EXPECT_EQ(IconOf(u"\\windows\\Fonts"), shell::kFolderIcon);
  EXPECT_EQ(IconOf(u"\\WINDOWS\\fonts\\"), shell::kFolderIcon);
  EXPECT_EQ(IconOf(u"\\windows\\x.bmp"), shell::kFolderIcon);  // a folder, whatever its name
  EXPECT_EQ(IconOf(u"\\windows\\forest.bmp"), shell::kBitmapIcon);
  EXPECT_EQ(IconOf(u"\\windows\\keys.2BP"), shell::kBitmapIcon);
  EXPECT_EQ(IconOf(u"\\windows\\readme.txt"), shell::kDocumentIcon);
}

TEST_F(FileInfoTest, MissingPathsAndGivenAttributesAnswerByName) {
  EXPECT_EQ(IconOf(u"\\nowhere\\sky.BMP"), shell::kBitmapIcon);
  EXPECT_EQ(IconOf(u"\\nowhere\\notes"), shell::kDocumentIcon);
  EXPECT_EQ(IconOf(u"anything", FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES), shell::kFolderIcon);
  Folder("real");  // with the attributes given, the file system is not asked
  EXPECT_EQ(IconOf(u"\\real", FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES), shell::kDocumentIcon);
}

TEST_F(FileInfoTest, NamesTypesAndTheSharedIconHandle) {
  Folder("My Documents");
  SHFILEINFO info;
  ASSERT_NE(SHGetFileInfo(u"\\My Documents\\", 0, &info, sizeof info,
                          SHGFI_ICON | SHGFI_SMALLICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME | SHGFI_ATTRIBUTES),
            0u);
  EXPECT_EQ(std::u16string(info.szDisplayName), u"My Documents");
  EXPECT_EQ(std::u16string(info.szTypeName), u"Folder");
  EXPECT_EQ(info.dwAttributes, SFGAO_FOLDER);
  EXPECT_EQ(win::IconPicture(info.hIcon), win::ImageListGet(shell::SystemSmallImageList(), shell::kFolderIcon));

  SHFILEINFO named;
  EXPECT_EQ(SHGetFileInfo(u"\\a\\sky.bmp", 0, &named, sizeof named, SHGFI_TYPENAME | SHGFI_DISPLAYNAME), TRUE);
  EXPECT_EQ(std::u16string(named.szTypeName), u"Bitmap Image");
  EXPECT_EQ(std::u16string(named.szDisplayName), u"sky.bmp");
}

TEST_F(FileInfoTest, RefusesBadArguments) {
  SHFILEINFO info;
  EXPECT_EQ(SHGetFileInfo(nullptr, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON), 0u);
  EXPECT_EQ(SHGetFileInfo(u"", 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON), 0u);
  EXPECT_EQ(SHGetFileInfo(u"\\x", 0, &info, sizeof info - 1, SHGFI_ICON | SHGFI_SMALLICON), 0u);
  EXPECT_EQ(SHGetFileInfo(u"\\x", 0, nullptr, 0, SHGFI_ICON | SHGFI_SMALLICON), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(SHGetFileInfo(u"\\x", 0, &info, sizeof info, SHGFI_ICON), 0u);  // large icons do not exist
  EXPECT_EQ(SHGetFileInfo(u"\\bad|name", 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_NAME));
  // The list alone needs no record.
  EXPECT_EQ(SHGetFileInfo(u"\\", 0, nullptr, 0, SHGFI_SYSICONINDEX | SHGFI_SMALLICON),
            reinterpret_cast<DWORD_PTR>(shell::SystemSmallImageList()));
}

TEST(ImageListTest, PicturesIndexesAndHandles) {
  HIMAGELIST list = ImageList_Create(2, 1, ILC_COLOR32 | ILC_MASK, 0, 4);
  ASSERT_NE(list, nullptr);
  const COLORREF a[] = {RGB(1, 2, 3), RGB(255, 0, 255)};
  const COLORREF b[] = {RGB(9, 9, 9), RGB(8, 8, 8)};
  EXPECT_EQ(win::ImageListAdd(list, a, RGB(255, 0, 255)), 0);
  EXPECT_EQ(win::ImageListAdd(list, b, std::nullopt), 1);
  EXPECT_EQ(win::ImageListAdd(list, std::span<const COLORREF>(a, 1), std::nullopt), -1);  // wrong size
  EXPECT_EQ(win::ImageListGet(list, 0)->transparent, (std::vector<bool>{false, true}));
  HICON second = win::ImageListIcon(list, 1);
  EXPECT_EQ(second, win::ImageListIcon(list, 1));
  EXPECT_TRUE(ImageList_Remove(list, 0));  // the later pictures move down
  EXPECT_EQ(win::ImageListGet(list, 0)->pixels, (std::vector<COLORREF>{RGB(9, 9, 9), RGB(8, 8, 8)}));
  EXPECT_EQ(win::IconPicture(second), win::ImageListGet(list, 0));
  EXPECT_FALSE(ImageList_Remove(list, 1));
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_EQ(win::IconPicture(second), nullptr);
  EXPECT_FALSE(ImageList_Destroy(list));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_EQ(ImageList_Create(0, 16, 0, 0, 0), nullptr);
  EXPECT_EQ(ImageList_Create(16, 16, 0, -1, 0), nullptr);
}

TEST_F(FileInfoTest, AListViewDestroysItsImageListsUnlessShared) {
  for (DWORD shared : {DWORD(0), DWORD(LVS_SHAREIMAGELISTS)}) {
    HWND list = CreateWindowExW(0, WC_LISTVIEW, u"", WS_VISIBLE | LVS_REPORT | shared, 0, 0, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    HIMAGELIST own = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(own));
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(shell::SystemSmallImageList()));
    DestroyWindow(list);
    EXPECT_EQ(win::IsImageList(own), shared != 0) << shared;
    EXPECT_TRUE(win::IsImageList(shell::SystemSmallImageList()));  // never destroyed
    if (shared) ImageList_Destroy(own);
  }
}

TEST(ImageListTest, DrawsOverTheDcLeavingTransparentPixels) {
  gdi::Surface surface(40, 20, RGB(0, 0, 0));
  HDC dc = gdi::CreateSurfaceDC(surface, {0, 0}, surface.bounds());
  HIMAGELIST list = shell::SystemSmallImageList();
  const win::ImageListPicture* folder = win::ImageListGet(list, shell::kFolderIcon);
  ASSERT_TRUE(ImageList_Draw(list, shell::kFolderIcon, dc, 2, 3, ILD_NORMAL));
  ASSERT_TRUE(ImageList_Draw(list, shell::kFolderIcon, dc, 20, 3, ILD_SELECTED));
  EXPECT_FALSE(ImageList_Draw(list, 3, dc, 0, 0, ILD_NORMAL));
  EXPECT_FALSE(ImageList_Draw(list, 0, nullptr, 0, 0, ILD_NORMAL));
  DeleteDC(dc);
  EXPECT_EQ(surface.at(2, 3), RGB(0, 0, 0));  // a transparent corner
  EXPECT_EQ(surface.at(2 + 8, 3 + 8), folder->pixels[8 * 16 + 8]);
  const COLORREF blended = surface.at(20 + 8, 3 + 8);
  EXPECT_NE(blended, folder->pixels[8 * 16 + 8]);
  const COLORREF tint = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(GetRValue(blended), (GetRValue(folder->pixels[8 * 16 + 8]) + GetRValue(tint)) / 2);
}

// Writes the three icons, enlarged eight times on grey, for a person to look at.
TEST(FileIconsPicture, WritesAPng) {
  const int scale = 8, gap = 8;
  auto image = gdi::Image::Create(3 * (16 * scale + gap) + gap, 16 * scale + 2 * gap, gdi::MakePixel(192, 192, 192));
  ASSERT_TRUE(image);
  for (int i = 0; i < 3; ++i) {
    const win::ImageListPicture* p = win::ImageListGet(shell::SystemSmallImageList(), i);
    for (int y = 0; y < 16 * scale; ++y)
      for (int x = 0; x < 16 * scale; ++x) {
        size_t at = size_t(y / scale * 16 + x / scale);
        if (!p->transparent[at])
          image->SetColor(gap + i * (16 * scale + gap) + x, gap + y, p->pixels[at]);
      }
  }
  std::string error;
  EXPECT_TRUE(gdi::WritePng(*image, std::filesystem::temp_directory_path() / "mensora-file-icons.png", &error))
      << error;
}

}  // namespace
