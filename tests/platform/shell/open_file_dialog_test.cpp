// The open-file dialog driven by the test robot: browsing folders, filters,
// a long folder, and every way of leaving it; and its filter and path
// helpers on their own.
#include <gtest/gtest.h>

#include <vector>

#include "base/utf.h"
#include "framework/cfiledialog.h"
#include "host/headless/robot.h"
#include "shell/file_listing.h"
#include "shell/shell.h"
#include "shell/open_file_dialog.h"
#include "device_fixture.h"
#include "win/controls/combobox.h"
#include "win/controls/listview.h"
#include "win/input.h"

namespace {

constexpr const char16_t* kFilter = u"Tables (*.dat)|*.dat|All Files (*.*)|*.*||";

HWND ActiveItem(int id) { return GetDlgItem(GetActiveWindow(), id); }

// The texts of the list's items, top to bottom.
std::vector<std::u16string> ListedNames() {
  HWND list = ActiveItem(IDC_OFN_LIST);
  std::vector<std::u16string> names;
  int count = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char16_t text[MAX_PATH] = {};
    LVITEMW item;
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    names.emplace_back(text);
  }
  return names;
}

class OpenFileDialogTest : public DeviceFolderTest {
 protected:
  // A tap on the list item with this text, scrolled into view first as a
  // person would.
  void TapItem(host::Robot& robot, std::u16string name) {
    auto where = std::make_shared<POINT>();
    robot.Do([&robot, name, where] {
      HWND list = ActiveItem(IDC_OFN_LIST);
      LVFINDINFOW find;
      find.flags = LVFI_STRING;
      find.psz = name.c_str();
      int index = int(SendMessageW(list, LVM_FINDITEMW, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
      if (index < 0) return robot.Fail("no item " + base::ToUtf8(name));
      SendMessageW(list, LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
      RECT r{};
      r.left = LVIR_BOUNDS;
      SendMessageW(list, LVM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
      *where = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      ClientToScreen(list, where.get());
      win::PostStylus(WM_LBUTTONDOWN, *where);
    });
    robot.Do([where] { win::PostStylus(WM_LBUTTONUP, *where); });
  }
  void ExpectListed(host::Robot& robot, std::vector<std::u16string> names) {
    robot.Do([&robot, names] {
      if (ListedNames() != names) robot.Fail("the list is not as expected");
    });
  }
  void ExpectFolder(host::Robot& robot, std::u16string folder) {
    robot.Do([&robot, folder] {
      std::u16string shown = WindowText(ActiveItem(IDC_OFN_FOLDER));
      if (shown != folder) robot.Fail("folder shown: " + base::ToUtf8(shown));
    });
  }
  static void ExpectNoErrors(const host::Robot& robot) {
    for (const std::string& e : robot.errors()) ADD_FAILURE() << e;
  }
};

TEST_F(OpenFileDialogTest, PicksAFileInASubfolder) {
  Touch("My Documents/notes.txt");
  Touch("My Documents/Tables/units.dat");
  Touch("My Documents/Tables/Metric.dat");
  Touch("My Documents/Tables/readme.txt");
  Folder("My Documents/Tables/old");
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_EXPLORER, kFilter);
  host::Robot robot;
  robot.ExpectActive(u"Open");
  ExpectFolder(robot, u"\\My Documents");
  ExpectListed(robot, {u"Tables"});  // folders, then only the files of the first filter
  TapItem(robot, u"Tables");
  ExpectFolder(robot, u"\\My Documents\\Tables");
  ExpectListed(robot, {u"old", u"Metric.dat", u"units.dat"});
  TapItem(robot, u"units.dat");
  robot.Do([&robot] {
    if (WindowText(ActiveItem(IDC_OFN_NAME)) != u"units.dat") robot.Fail("the name field lacks the file");
  });
  robot.TapControl(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ExpectNoErrors(robot);
  EXPECT_EQ(dialog.GetPathName(), u"\\My Documents\\Tables\\units.dat");
  EXPECT_EQ(dialog.GetFileName(), u"units.dat");
  EXPECT_EQ(dialog.GetFileExt(), u"dat");
  EXPECT_EQ(dialog.GetFileTitle(), u"units");
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 1u);
  EXPECT_EQ(dialog.m_ofn.nFileOffset, 21);
  EXPECT_EQ(dialog.m_ofn.nFileExtension, 27);
}

TEST_F(OpenFileDialogTest, CancelEscapeAndCloseLeaveThePathAlone) {
  Touch("My Documents/units.dat");
  for (int way = 0; way < 3; ++way) {
    char16_t file[MAX_PATH] = u"keep.dat";
    OPENFILENAMEW ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrFilter = u"Tables\0*.dat\0";
    ofn.Flags = OFN_EXPLORER;
    host::Robot robot;
    TapItem(robot, u"units.dat");  // chosen, then given up
    if (way == 0) robot.TapControl(IDCANCEL);
    if (way == 1) robot.Key(VK_ESCAPE);
    if (way == 2) robot.Do([] { PostMessageW(GetActiveWindow(), WM_CLOSE, 0, 0); });
    EXPECT_FALSE(GetOpenFileNameW(&ofn)) << way;
    ExpectNoErrors(robot);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(std::u16string(file), u"keep.dat");
    EXPECT_EQ(robot.stepsLeft(), 0u);
  }
}

TEST_F(OpenFileDialogTest, SwitchingTheFilterRelistsTheFolder) {
  Touch("My Documents/a.dat");
  Touch("My Documents/b.txt");
  Touch("My Documents/C.TXT");
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_EXPLORER, u"Tables|*.dat|Texts|*.txt|Both|*.dat; *.txt||");
  host::Robot robot;
  ExpectListed(robot, {u"a.dat"});
  robot.TapControl(IDC_OFN_TYPE).Key(VK_DOWN).Key(VK_RETURN, u'\r');
  ExpectListed(robot, {u"b.txt", u"C.TXT"});
  robot.Key(VK_DOWN);
  ExpectListed(robot, {u"a.dat", u"b.txt", u"C.TXT"});
  TapItem(robot, u"C.TXT");
  robot.TapControl(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ExpectNoErrors(robot);
  EXPECT_EQ(dialog.GetPathName(), u"\\My Documents\\C.TXT");
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 3u);
}

TEST_F(OpenFileDialogTest, AFolderWithMoreFilesThanFit) {
  for (int i = 0; i < 30; ++i) Touch("My Documents/file" + std::to_string(100 + i) + ".txt");
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_EXPLORER, u"All|*.*||");
  host::Robot robot;
  robot.Do([&robot] {
    HWND list = ActiveItem(IDC_OFN_LIST);
    if (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) != 30) robot.Fail("not every file is listed");
    if (SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0) >= 30) robot.Fail("the folder fits the list");
  });
  TapItem(robot, u"file127.txt");
  robot.Key(VK_RETURN, u'\r');  // Enter is OK
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ExpectNoErrors(robot);
  EXPECT_EQ(dialog.GetPathName(), u"\\My Documents\\file127.txt");
}

TEST_F(OpenFileDialogTest, UpGoesToTheRootAndStops) {
  Touch("My Documents/Tables/units.dat");
  Touch("top.dat");
  char16_t file[MAX_PATH] = {};
  OPENFILENAMEW ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = u"\\my documents\\tables";
  host::Robot robot;
  ExpectFolder(robot, u"\\My Documents\\Tables");  // as the device spells it
  robot.TapControl(IDC_OFN_UP);
  ExpectFolder(robot, u"\\My Documents");
  robot.TapControl(IDC_OFN_UP);
  ExpectFolder(robot, u"\\");
  ExpectListed(robot, {u"My Documents", u"top.dat"});  // no filter: every file
  robot.Do([&robot] {
    if (IsWindowEnabled(ActiveItem(IDC_OFN_UP))) robot.Fail("Up is enabled at the root");
  });
  TapItem(robot, u"top.dat");
  robot.TapControl(IDOK);
  EXPECT_TRUE(GetOpenFileNameW(&ofn));
  ExpectNoErrors(robot);
  EXPECT_EQ(std::u16string(file), u"\\top.dat");
}

TEST_F(OpenFileDialogTest, TypedNamesFoldersAndTheDefaultExtension) {
  Touch("My Documents/Tables/units.dat");
  char16_t file[MAX_PATH] = {};
  char16_t title[MAX_PATH] = {};
  OPENFILENAMEW ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = MAX_PATH;
  ofn.lpstrDefExt = u"dat";
  ofn.Flags = OFN_FILEMUSTEXIST;
  host::Robot robot;
  robot.TapControl(IDC_OFN_NAME).Type(u"tables").Key(VK_RETURN, u'\r');  // a folder's name opens it
  ExpectFolder(robot, u"\\My Documents\\Tables");
  robot.TapControl(IDC_OFN_NAME).Type(u"nothing").Key(VK_RETURN, u'\r');  // refused with a message
  robot.Do([&robot] {
    if (!GetDlgItem(GetActiveWindow(), IDOK) || ActiveItem(IDC_OFN_LIST)) robot.Fail("no message box");
  });
  robot.Key(VK_RETURN, u'\r');  // closes the message
  robot.Do([] { SetWindowTextW(ActiveItem(IDC_OFN_NAME), u"units"); });
  robot.TapControl(IDOK);
  EXPECT_TRUE(GetOpenFileNameW(&ofn));
  ExpectNoErrors(robot);
  EXPECT_EQ(std::u16string(file), u"\\My Documents\\Tables\\units.dat");
  EXPECT_EQ(std::u16string(title), u"units.dat");
}

TEST_F(OpenFileDialogTest, FullScreenWithTheTaskBarsOk) {
  Touch("My Documents/units.dat");
  ASSERT_NE(shell::StartShell(), nullptr);
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_EXPLORER, kFilter);
  host::Robot robot;
  robot.Do([&robot] {
    RECT r;
    GetWindowRect(GetActiveWindow(), &r);
    if (r.left != 0 || r.top != 26 || r.right != 240 || r.bottom != 294) robot.Fail("not the whole work area");
  });
  TapItem(robot, u"units.dat");
  robot.TapOk();
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ExpectNoErrors(robot);
  EXPECT_EQ(dialog.GetPathName(), u"\\My Documents\\units.dat");
}

TEST_F(OpenFileDialogTest, StartsInTheFolderOfTheInitialPathWithItsName) {
  Touch("Tables/metric.dat");
  char16_t file[MAX_PATH];
  std::fill(std::begin(file), std::end(file), u'x');  // no terminator within nMaxFile
  std::u16string_view start = u"\\tables\\metric.dat";
  std::copy(start.begin(), start.end(), file);
  OPENFILENAMEW ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = DWORD(start.size());  // the buffer ends with the name
  host::Robot robot;
  ExpectFolder(robot, u"\\Tables");
  robot.Do([&robot] {
    if (WindowText(ActiveItem(IDC_OFN_NAME)) != u"metric.dat") robot.Fail("the name is not the initial one");
  });
  robot.TapControl(IDCANCEL);
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  ExpectNoErrors(robot);
}

TEST_F(OpenFileDialogTest, AnOddDefaultExtensionIsIgnored) {
  Touch("My Documents/units");
  CFileDialog dialog(TRUE, u"\\windows\\start menu", nullptr, OFN_EXPLORER, nullptr);
  host::Robot robot;
  TapItem(robot, u"units");
  robot.TapControl(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetPathName(), u"\\My Documents\\units");
}

TEST_F(OpenFileDialogTest, ErrorsOfTheCall) {
  Touch("a-rather-long-name.dat");
  EXPECT_FALSE(GetOpenFileNameW(nullptr));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
  OPENFILENAMEW ofn;
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
  ofn.lStructSize = 12;
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);

  char16_t small[5] = u"abcd";
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = small;
  ofn.nMaxFile = 5;
  host::Robot robot;
  TapItem(robot, u"a-rather-long-name.dat");
  robot.TapControl(IDOK);
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  EXPECT_EQ(small[0], char16_t(std::u16string_view(u"\\a-rather-long-name.dat").size() + 1));
}

TEST(FileListingTest, FiltersFromTheirText) {
  auto filters = shell::ParseFileFilter(u"Tables (*.dat)\0*.dat\0Pictures\0*.bmp; *.2bp ;\0Empty\0 \0Lonely\0");
  ASSERT_EQ(filters.size(), 3u);
  EXPECT_EQ(filters[0].description, u"Tables (*.dat)");
  EXPECT_EQ(filters[0].patterns, std::vector<std::u16string>{u"*.dat"});
  EXPECT_EQ(filters[1].patterns, (std::vector<std::u16string>{u"*.bmp", u"*.2bp"}));
  EXPECT_EQ(filters[2].patterns, std::vector<std::u16string>{u"*.*"});  // blank matches everything
  EXPECT_TRUE(shell::ParseFileFilter(nullptr).empty());
  EXPECT_TRUE(shell::ParseFileFilter(u"").empty());
}

TEST(FileListingTest, TheFrameworkFormWithOneOrTwoFinalBars) {
  for (const char16_t* text : {u"Table files (*.dat)|*.dat|All files (*.*)|*.*|",
                               u"Table files (*.dat)|*.dat|All files (*.*)|*.*||"}) {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_EXPLORER, text);
    auto filters = shell::ParseFileFilter(dialog.m_ofn.lpstrFilter);
    ASSERT_EQ(filters.size(), 2u) << base::ToUtf8(text);
    EXPECT_EQ(filters[1].description, u"All files (*.*)");
    EXPECT_EQ(filters[1].patterns, std::vector<std::u16string>{u"*.*"});
  }
}

TEST(FileListingTest, PathsJoinNormaliseAndGoUp) {
  EXPECT_EQ(shell::JoinPath(u"\\", u"a.txt"), u"\\a.txt");
  EXPECT_EQ(shell::JoinPath(u"\\My Documents", u"a.txt"), u"\\My Documents\\a.txt");
  EXPECT_EQ(shell::JoinPath(u"\\My Documents", u"\\windows\\x"), u"\\windows\\x");
  EXPECT_EQ(shell::NormalizePath(u"\\a\\.\\b\\..\\..\\..\\c\\\\d\\"), u"\\c\\d");
  EXPECT_EQ(shell::NormalizePath(u"\\.."), u"\\");
  EXPECT_EQ(shell::ParentFolder(u"\\windows\\fonts"), u"\\windows");
  EXPECT_EQ(shell::ParentFolder(u"\\windows"), u"\\");
  EXPECT_EQ(shell::ParentFolder(u"\\"), u"\\");
}

}  // namespace
