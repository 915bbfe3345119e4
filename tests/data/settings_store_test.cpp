// The settings store: the first save after start, removal of old custom
// values, category positions, single values, and a save that is broken off
// or killed half-way.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/settings_store.h"
#include "data/table_loader.h"
#include "sys/registry.h"

namespace fs = std::filesystem;

namespace {

constexpr ColorRef kButtonFace = 0x00C8D0D4;  // what the main window hands the loader

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "mensora-settings-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    ASSERT_EQ(RegistryUseStore(folder_ / "registry.db"), ERROR_SUCCESS);
  }
  void TearDown() override {
    RegistryCloseStore();
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  // The stored text of a value; nullopt when it is missing or not a string.
  static std::optional<std::u16string> Get(const std::u16string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKeyPath.data(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
      return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<std::u16string> text;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
      std::u16string data(size / 2, u'\0');
      RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                       &size);
      // Stored with its terminating zero, as the handheld stores it.
      EXPECT_TRUE(!data.empty() && data.back() == 0) << "value without its zero";
      if (!data.empty() && data.back() == 0) data.pop_back();
      text = data;
    }
    RegCloseKey(key);
    return text;
  }

  static void Put(const std::u16string& name, const std::u16string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kConfigKeyPath.data(), 0, u"", 0, 0, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()),
                             DWORD((text.size() + 1) * 2)),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  // Every value this store may hold, with its text (missing ones left out).
  static std::map<std::u16string, std::u16string> Snapshot() {
    std::vector<std::u16string> names = {u"defcolor", u"defbitmap", u"digits", u"notation"};
    for (int k = 0; k < 10; ++k) names.push_back(u"custom" + std::u16string(1, char16_t(u'0' + k)));
    for (const auto& n : CategoryValueNameTable()) {
      names.emplace_back(n.color);
      names.emplace_back(n.bitmap);
    }
    std::map<std::u16string, std::u16string> values;
    for (const auto& name : names)
      if (auto text = Get(name)) values[name] = *text;
    return values;
  }

  // A database of `count` categories named c0, c1 ...; the last holds the
  // custom conversions a -> b with factors 1, 2, 3 ... (`entries` of them).
  static ConversionDatabase MakeDatabase(int count, int entries) {
    ConversionDatabase db(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      const std::u16string letter(1, char16_t(u'a' + i));
      db[i].name = u"c" + letter;
      db[i].color = ColorRef(1000 + i);
      db[i].bitmapPath = u"\\windows\\b" + letter + u".bmp";
    }
    if (count > 0) {
      db.back().units = {u"a", u"b"};
      for (int e = 0; e < entries; ++e) db.back().entries.push_back({double(e + 1), 0.5, 0, 1, 1});
    }
    return db;
  }

  fs::path folder_;
};

}  // namespace

TEST_F(SettingsStore, FirstSaveAfterStartWithTheBuiltInTable) {
  ProcessSettings settings;
  settings.newCategoryColor = kButtonFace;
  ConversionLoader loader(settings);
  loader.LoadConversionTable(u"\\windows\\mensora.dat");
  ASSERT_EQ(loader.database().size(), 22u);

  std::vector<std::u16string> order;
  ASSERT_EQ(SaveSettings(loader.database(), settings.display,
                         [&](std::u16string_view name, std::u16string_view) {
                           order.emplace_back(name);
                         }),
            ERROR_SUCCESS);

  auto values = Snapshot();
  EXPECT_EQ(values[u"defcolor"], u"16777215");
  EXPECT_EQ(values[u"defbitmap"], u"*");
  EXPECT_EQ(values[u"digits"], u"4");
  EXPECT_EQ(values[u"notation"], u"0");
  EXPECT_EQ(values.count(u"custom0"), 0u);
  EXPECT_EQ(values[u"tmperbmp"], u"\\windows\\temperature.bmp");
  EXPECT_EQ(values[u"massbmp"], u"*");
  EXPECT_EQ(values[u"masscolor"], u"46260");
  EXPECT_EQ(values[u"tmpercolor"], u"13160660");  // 0x00C8D0D4
  EXPECT_EQ(values.size(), 4u + 44u);

  // Settings first, then the positions 0, 2, 3, 4, 1, 5 ... colour before bitmap.
  ASSERT_EQ(order.size(), 48u);
  EXPECT_EQ(std::vector<std::u16string>(order.begin(), order.begin() + 4),
            (std::vector<std::u16string>{u"defcolor", u"defbitmap", u"digits", u"notation"}));
  EXPECT_EQ(std::vector<std::u16string>(order.begin() + 4, order.begin() + 16),
            (std::vector<std::u16string>{u"tmpercolor", u"tmperbmp", u"anglecolor", u"anglebmp",
                                         u"areacolor", u"areabmp", u"distcolor", u"distbmp",
                                         u"acclcolor", u"acclbmp", u"vldrcolor", u"vldrbmp"}));
  EXPECT_EQ(order.back(), u"custbmp");
}

TEST_F(SettingsStore, CustomValuesAreRewrittenWithoutLeftovers) {
  DisplaySettings display;
  ASSERT_EQ(SaveSettings(MakeDatabase(22, 5), display), ERROR_SUCCESS);
  EXPECT_EQ(Get(u"custom4"), u"a,b,5,0.5");

  // The inch example: the inverse is written with six significant digits.
  ConversionDatabase db = MakeDatabase(22, 0);
  db.back().units = {u"inch", u"cm"};
  db.back().entries = {{2.54, 0, 0, 1, 1}, {1 / 2.54, -0.0 * (1 / 2.54), 1, 0, 1}};
  ASSERT_EQ(SaveSettings(db, display), ERROR_SUCCESS);
  EXPECT_EQ(Get(u"custom0"), u"inch,cm,2.54,0");
  EXPECT_EQ(Get(u"custom1"), u"cm,inch,0.393701,-0");
  for (const char16_t* gone : {u"custom2", u"custom3", u"custom4"}) EXPECT_FALSE(Get(gone));

  // An entry whose units are out of range is skipped; numbering stays dense.
  db.back().entries.insert(db.back().entries.begin(), {3, 0, 0, 7, 1});
  ASSERT_EQ(SaveSettings(db, display), ERROR_SUCCESS);
  EXPECT_EQ(Get(u"custom0"), u"inch,cm,2.54,0");
  EXPECT_FALSE(Get(u"custom2"));
}

TEST_F(SettingsStore, RemovalStopsAtAnEmptyValueButNotAtALongOne) {
  DisplaySettings display;
  Put(u"custom0", u"");
  Put(u"custom1", u"x,y,1,0");
  ASSERT_EQ(SaveSettings(MakeDatabase(1, 0), display), ERROR_SUCCESS);
  EXPECT_EQ(Get(u"custom0"), u"");  // nothing to write: the empty value stays
  EXPECT_EQ(Get(u"custom1"), u"x,y,1,0");

  // A value longer than any fixed read buffer is removed like the others.
  Put(u"custom0", std::u16string(300, u'u') + u",v,1,0");
  Put(u"custom1", u"x,y,1,0");
  ASSERT_EQ(SaveSettings(MakeDatabase(1, 0), display), ERROR_SUCCESS);
  EXPECT_FALSE(Get(u"custom0"));
  EXPECT_FALSE(Get(u"custom1"));
}

TEST_F(SettingsStore, OnlyPositionsTheDatabaseHolds) {
  DisplaySettings display;
  display.defbitmap = u"";
  display.digits = 10;
  display.notation = 1;
  display.defcolor = 0xFF000000;  // prints as "%d" of the 32-bit value
  ConversionDatabase db = MakeDatabase(3, 1);
  db[1].bitmapPath.clear();
  Put(u"acclbmp", u"\\windows\\old.bmp");
  Put(u"defbitmap", u"\\windows\\old.bmp");
  Put(u"custom0", u"old,older,1,0");
  Put(u"custom1", u"old,older,1,0");
  ASSERT_EQ(SaveSettings(db, display), ERROR_SUCCESS);

  auto values = Snapshot();
  EXPECT_EQ(values, (std::map<std::u16string, std::u16string>{
                        {u"defcolor", u"-16777216"},
                        {u"digits", u"10"},
                        {u"notation", u"1"},
                        {u"custom0", u"a,b,1,0.5"},
                        {u"tmpercolor", u"1000"},
                        {u"tmperbmp", u"\\windows\\ba.bmp"},
                        {u"acclcolor", u"1001"},
                        {u"anglecolor", u"1002"},
                        {u"anglebmp", u"\\windows\\bc.bmp"}}));

  // No category at all: the four settings, and the old custom values go.
  ASSERT_EQ(SaveSettings({}, DisplaySettings{}), ERROR_SUCCESS);
  values = Snapshot();
  EXPECT_EQ(values.count(u"custom0"), 0u);
  EXPECT_EQ(values[u"defbitmap"], u"*");
  EXPECT_EQ(values[u"tmpercolor"], u"1000");  // not rewritten, not removed
}

TEST_F(SettingsStore, SingleValues) {
  char16_t buffer[8];
  EXPECT_EQ(ReadConfigValue(u"digits", buffer, 8), 0);  // no key yet
  EXPECT_EQ(WriteConfigValue(u"digits", u"1234567"), 1);
  EXPECT_EQ(ReadConfigValue(u"digits", buffer, 8), 7);
  EXPECT_EQ(std::u16string(buffer), u"1234567");
  EXPECT_EQ(WriteConfigValue(u"digits", u"12345678"), 1);
  buffer[0] = u'x';
  EXPECT_EQ(ReadConfigValue(u"digits", buffer, 8), 0);  // does not fit
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(WriteConfigValue(u"digits", u""), 1);  // removes
  EXPECT_EQ(ReadConfigValue(u"digits", buffer, 8), 0);
  EXPECT_EQ(WriteConfigValue(u"digits", u""), 0);  // nothing left to remove

  // A string stored without its zero still reads as a terminated string.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKeyPath.data(), 0, 0, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, u"raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(u"abcd"), 8),
            ERROR_SUCCESS);
  const DWORD number = 7;
  ASSERT_EQ(RegSetValueExW(key, u"number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(ReadConfigValue(u"raw", buffer, 4), 3);
  EXPECT_EQ(std::u16string(buffer), u"abc");
  EXPECT_EQ(ReadConfigValue(u"number", buffer, 8), 0);  // not text

  RegistryCloseStore();
  EXPECT_EQ(WriteConfigValue(u"digits", u"4"), 0);
}

// ---- A save broken off or killed half-way leaves the previous one ---------------------

TEST_F(SettingsStore, FailedSaveLeavesThePreviousSave) {
  DisplaySettings display;
  ASSERT_EQ(SaveSettings(MakeDatabase(22, 4), display), ERROR_SUCCESS);
  const auto before = Snapshot();

  // The store goes away after the tenth write: nothing of this save stays.
  display.digits = 9;
  int writes = 0;
  const LONG result = SaveSettings(MakeDatabase(22, 1), display,
                                   [&](std::u16string_view, std::u16string_view) {
                                     if (++writes == 10) RegistryCloseStore();
                                   });
  EXPECT_NE(result, ERROR_SUCCESS);
  ASSERT_EQ(RegistryUseStore(folder_ / "registry.db"), ERROR_SUCCESS);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(SettingsStore, KilledSaveLeavesThePreviousSave) {
  DisplaySettings display;
  ASSERT_EQ(SaveSettings(MakeDatabase(22, 4), display), ERROR_SUCCESS);
  const auto before = Snapshot();

  for (int stopAfter : {1, 5, 9, 30}) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      DisplaySettings changed;
      changed.digits = 2;
      int writes = 0;
      SaveSettings(MakeDatabase(22, 2), changed, [&](std::u16string_view, std::u16string_view) {
        if (++writes == stopAfter) ::_exit(0);  // as if killed: no commit, no clean-up
      });
      ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "stopped after " << stopAfter;
    EXPECT_EQ(Snapshot(), before) << "stopped after " << stopAfter;
  }
}
