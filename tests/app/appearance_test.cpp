// The category bitmaps: the rules for each form of a bitmap path, the
// seeded files loaded at start-up, and the program icon.
#include <gtest/gtest.h>

#include <vector>

#include "app/category_bitmaps.h"
#include "app_fixture.h"
#include "res/resources.h"
#include "win/icon.h"

namespace apptest {
namespace {

// Stand-in handles for the rule tests: loading succeeds for the paths given.
struct FakeFiles {
  std::vector<std::u16string> present;
  std::vector<std::u16string> asked;
  std::vector<HBITMAP> released;
  HBITMAP Load(std::u16string_view path) {
    asked.emplace_back(path);
    for (size_t i = 0; i < present.size(); ++i)
      if (present[i] == path) return reinterpret_cast<HBITMAP>(std::uintptr_t(0x100 + i));
    return nullptr;
  }
};

Category WithPath(std::u16string path) {
  Category c;
  c.name = path;
  c.bitmapPath = std::move(path);
  return c;
}

TEST(CategoryBitmapRules, EachFormOfPathGivesItsBitmap) {
  FakeFiles files{{u"\\windows\\a.bmp", u"\\windows\\def.bmp"}, {}, {}};
  ConversionDatabase db{WithPath(u""), WithPath(u"+x"), WithPath(u"-x"), WithPath(u"*"),
                        WithPath(u"\\windows\\a.bmp"), WithPath(u"\\windows\\missing.bmp")};
  DisplaySettings settings;
  settings.defbitmap = u"\\windows\\def.bmp";
  AssignCategoryBitmaps(db, settings, [&](auto p) { return files.Load(p); }, [&](HBITMAP b) { files.released.push_back(b); });
  std::vector<std::u16string> paths;
  for (const Category& c : db) paths.push_back(c.bitmapPath);
  EXPECT_EQ(paths, (std::vector<std::u16string>{u"*", u"+x", u"-x", u"*", u"\\windows\\a.bmp", u"*"}));
  EXPECT_EQ(db[0].bitmap, nullptr);
  EXPECT_NE(db[1].bitmap, nullptr);  // the default bitmap
  EXPECT_EQ(db[2].bitmap, nullptr);
  EXPECT_EQ(db[3].bitmap, nullptr);
  EXPECT_NE(db[4].bitmap, nullptr);
  EXPECT_EQ(db[5].bitmap, nullptr);
  EXPECT_EQ(files.asked, (std::vector<std::u16string>{u"\\windows\\def.bmp", u"\\windows\\a.bmp",
                                                      u"\\windows\\missing.bmp"}));
}

TEST(CategoryBitmapRules, APlusPathWithoutDefaultBitmapEndsAsNone) {
  FakeFiles files{};
  ConversionDatabase db{WithPath(u"+\\windows\\a.bmp")};
  AssignCategoryBitmaps(db, DisplaySettings{}, [&](auto p) { return files.Load(p); }, [](HBITMAP) {});
  EXPECT_EQ(db[0].bitmapPath, u"*");
  EXPECT_EQ(db[0].bitmap, nullptr);
}

TEST(CategoryBitmapRules, AReplacedHandleIsReleasedAndAKeptOneIsNot) {
  FakeFiles files{{u"a"}, {}, {}};
  ConversionDatabase db{WithPath(u"a"), WithPath(u"*")};
  auto old = reinterpret_cast<HBITMAP>(std::uintptr_t(0x999));
  db[1].bitmap = old;
  auto load = [&](auto p) { return files.Load(p); };
  auto release = [&](HBITMAP b) { files.released.push_back(b); };
  AssignCategoryBitmaps(db, DisplaySettings{}, load, release);
  AssignCategoryBitmaps(db, DisplaySettings{}, load, release);  // "a" loads the same handle again
  EXPECT_EQ(files.released, std::vector<HBITMAP>{old});
}

TEST_F(AppTest, SeededBitmapsLoadAtStartAndMissingOnesTurnIntoNone) {
  fs::create_directories(base_ / "device" / "windows");
  fs::copy_file(fs::path(MENSORA_BITMAP_DIR) / "temperature.bmp", base_ / "device" / "windows" / "temperature.bmp");
  host::Robot robot;
  robot.Do([&] {
    const ConversionDatabase& db = Dlg().Database();
    const Category& temperature = db[size_t(FindCategory(db, u"Temperature"))];
    EXPECT_EQ(temperature.bitmapPath, u"\\windows\\temperature.bmp");
    EXPECT_NE(temperature.bitmap, nullptr);
    const Category& distance = db[size_t(FindCategory(db, u"Distance"))];
    EXPECT_EQ(distance.bitmapPath, u"*");
    EXPECT_EQ(distance.bitmap, nullptr);
    EXPECT_EQ(db[size_t(FindCategory(db, u"Concentration"))].color, 115u);
  });
  EXPECT_EQ(RunProgram(robot), 0);
}

TEST_F(AppTest, TheProgramIconHoldsBothSizes) {
  HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(128));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(win::IconSizes(icon), (std::vector<int>{16, 32}));
  // The pictures the desktop window shows: the rounded tile's corner is
  // masked out, its middle is opaque and coloured.
  for (int size : {16, 32}) {
    const win::IconPicture picture = win::IconImage(icon, size);
    ASSERT_EQ(picture.size, size);
    ASSERT_EQ(picture.argb.size(), size_t(size * size));
    EXPECT_EQ(picture.argb[0] >> 24, 0u) << size;
    const std::uint32_t middle = picture.argb[size_t(size / 2 * size + size / 2)];
    EXPECT_EQ(middle >> 24, 0xFFu) << size;
    EXPECT_NE(middle & 0xFFFFFFu, 0u) << size;
  }
  EXPECT_EQ(win::IconImage(icon, 48).size, 0);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_EQ(win::IconImage(icon, 32).size, 0);
  EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCEW(129)), nullptr);
}

}  // namespace
}  // namespace apptest
