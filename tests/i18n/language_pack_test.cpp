// Loading packs with their fallback, UI strings in the shared buffer, pack
// bitmaps and resources, the list of installed packs, and the setting.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "pack_test_support.h"
#include "sys/registry.h"

using packtest::PackTest;
namespace fs = std::filesystem;

namespace {

std::u16string Text(const char16_t* p) { return p; }

// A recorder window answering the combo box messages FillLanguageList sends.
struct FakeCombo {
  std::vector<std::u16string> items;
  std::map<WPARAM, LPARAM> data;
  LRESULT selection = -1;
  int resets = 0;

  std::map<std::u16string, LPARAM> ItemsWithData() const {
    std::map<std::u16string, LPARAM> out;
    for (std::size_t i = 0; i < items.size(); ++i) out[items[i]] = data.count(i) ? data.at(i) : -1;
    return out;
  }
  std::u16string Selected() const {
    return selection >= 0 && selection < LRESULT(items.size()) ? items[selection] : u"";
  }
};

HWND CreateFakeCombo(MessageRecorder& rec, FakeCombo& combo) {
  rec.OnMessage("combo", [&combo](HWND, UINT m, WPARAM w, LPARAM l, LRESULT& r) {
    switch (m) {
      case 0x014B:  // CB_RESETCONTENT
        combo.items.clear();
        combo.data.clear();
        combo.selection = -1;
        ++combo.resets;
        r = 0;
        return true;
      case 0x0143:  // CB_ADDSTRING
        combo.items.emplace_back(reinterpret_cast<const char16_t*>(l));
        r = LRESULT(combo.items.size() - 1);
        return true;
      case 0x0151:  // CB_SETITEMDATA
        combo.data[w] = l;
        r = TRUE;
        return true;
      case 0x014E:  // CB_SETCURSEL
        combo.selection = LRESULT(w);
        r = LRESULT(w);
        return true;
    }
    return false;
  });
  return rec.Create("combo", WS_POPUP, {0, 0, 100, 20});
}

}  // namespace

// ---- Loading and fallback -----------------------------------------------------------

TEST_F(PackTest, LoadsTheStoredLanguageAndTellsTheMainWindow) {
  InstallPack("msr_lus.dll");
  InstallPack("msr_lde.dll");
  mainWindow_ = rec.Create("main", WS_POPUP, {0, 0, 240, 320});
  StoreLocale(1);
  ReadLanguageSetting();
  ASSERT_TRUE(LoadLanguagePack());
  EXPECT_EQ(languageIndex, 1u);
  EXPECT_EQ(Text(LoadUiString(33005)), u"Deutsch");
  auto log = rec.Log({WM_USER});
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].wParam, 15u);

  // Switching back releases the German pack: its handle is dead.
  HINSTANCE german = LanguagePack();
  languageIndex = 0;
  ASSERT_TRUE(LoadLanguagePack());
  EXPECT_EQ(Text(LoadUiString(33005)), u"English");
  EXPECT_FALSE(FreeLibrary(german));
  EXPECT_EQ(rec.Log({WM_USER}).size(), 2u);
}

TEST_F(PackTest, MissingOrBrokenLanguageFallsBackToUs) {
  InstallPack("msr_lus.dll");
  // "locale" = 1 with only the English pack: English, index 0, the stored
  // setting untouched.
  StoreLocale(1);
  ReadLanguageSetting();
  ASSERT_TRUE(LoadLanguagePack());
  EXPECT_EQ(languageIndex, 0u);
  EXPECT_EQ(Text(LoadUiString(33005)), u"English");
  ReadLanguageSetting();
  EXPECT_EQ(languageIndex, 1u);

  // A truncated German pack does not load either.
  auto bytes = fs::file_size(packtest::kPackDir / "msr_lde.dll");
  InstallPack("msr_lde.dll");
  fs::resize_file(program_ / "msr_lde.dll", bytes / 2);
  languageIndex = 1;
  ASSERT_TRUE(LoadLanguagePack());
  EXPECT_EQ(languageIndex, 0u);
  EXPECT_EQ(Text(LoadUiString(33005)), u"English");

  // Out-of-range and "unset" indices mean English.
  for (DWORD stored : {7u, 0xFFFFFFFFu}) {
    languageIndex = stored;
    ASSERT_TRUE(LoadLanguagePack());
    EXPECT_EQ(languageIndex, 0u);
  }
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(exitCodes_.empty());
}

TEST_F(PackTest, NoLoadablePackEndsTheProgram) {
  mainWindow_ = rec.Create("main", WS_POPUP, {0, 0, 240, 320});
  // Only German present while English is asked for: the one fallback tries
  // English again, then gives up.
  InstallPack("msr_lde.dll");
  EXPECT_FALSE(LoadLanguagePack());
  EXPECT_EQ(messages_, std::vector<std::u16string>{u"LangPack dll loading error"});
  EXPECT_EQ(exitCodes_, std::vector<DWORD>{0xFFFFFFFF});
  EXPECT_EQ(LanguagePack(), nullptr);
  EXPECT_EQ(Text(LoadUiString(33005)), u"");
  EXPECT_TRUE(rec.Log({WM_USER}).empty());

  // A program whose path has no folder cannot find any pack either.
  static HINSTANCE bare =
      res::RegisterEmbeddedModule(mensora_res_blobs::program_res(), u"mensora.exe");
  res::SetMainModule(bare);
  InstallPack("msr_lus.dll");
  EXPECT_FALSE(LoadLanguagePack());
  res::SetMainModule(packtest::ProgramModule());
  EXPECT_EQ(exitCodes_.size(), 2u);
}

TEST_F(PackTest, NoPackExitsWithAllBitsSet) {
  SetLanguagePackHooks({});  // the real message and exit
  EXPECT_EXIT(LoadLanguagePack(), ::testing::ExitedWithCode(255), "LangPack dll loading error");
}

// ---- UI strings -------------------------------------------------------------------------

TEST_F(PackTest, UiStringsShareOneBufferAndStopAt4094Characters) {
  EXPECT_EQ(Text(LoadUiString(33005)), u"");  // no pack yet
  InstallTestPack("long_string.dll", "msr_lus.dll");
  ASSERT_TRUE(LoadLanguagePack());

  const char16_t* first = LoadUiString(1);
  std::u16string longText = first;
  ASSERT_EQ(longText.size(), kUiStringMaxChars);
  for (std::size_t i = 0; i < longText.size(); ++i)
    ASSERT_EQ(longText[i], char16_t(u'0' + i % 10)) << "at " << i;

  // The next call overwrites the buffer, and zeroes what the long text left.
  const char16_t* second = LoadUiString(2);
  EXPECT_EQ(first, second);
  EXPECT_EQ(Text(first), u"second");
  for (std::size_t i = 6; i < kUiStringBufferChars; ++i) ASSERT_EQ(first[i], 0) << "at " << i;

  EXPECT_EQ(Text(LoadUiString(4711)), u"");  // missing: empty
}

// ---- Bitmaps and resources ---------------------------------------------------------------

TEST_F(PackTest, PackBitmapReplacesThePreviousOne) {
  std::vector<std::pair<HINSTANCE, UINT>> loads;
  std::vector<HBITMAP> deleted;
  LanguagePackHooks hooks;
  hooks.loadBitmap = [&](HINSTANCE pack, UINT id) {
    loads.emplace_back(pack, id);
    return reinterpret_cast<HBITMAP>(std::uintptr_t(0x1000 + loads.size()));
  };
  hooks.deleteBitmap = [&](HBITMAP b) { deleted.push_back(b); };
  SetLanguagePackHooks(hooks);

  EXPECT_EQ(LoadPackBitmap(33029), nullptr);  // no pack: nothing asked
  EXPECT_TRUE(loads.empty());
  InstallPack("msr_lus.dll");
  ASSERT_TRUE(LoadLanguagePack());
  HBITMAP a = LoadPackBitmap(33029);
  HBITMAP b = LoadPackBitmap(33029);
  EXPECT_NE(a, b);
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_EQ(loads[0].first, LanguagePack());
  EXPECT_EQ(loads[0].second, 33029u);
  EXPECT_EQ(deleted, std::vector<HBITMAP>{a});
  UnloadLanguagePack();
  EXPECT_EQ(deleted, (std::vector<HBITMAP>{a, b}));
}

TEST_F(PackTest, ResourceSourceFollowsThePack) {
  std::vector<HINSTANCE> sources;
  LanguagePackHooks hooks;
  hooks.setResourceModule = [&](HINSTANCE m) { sources.push_back(m); };
  SetLanguagePackHooks(hooks);
  InstallPack("msr_lus.dll");
  InstallPack("msr_lde.dll");
  ASSERT_TRUE(LoadLanguagePack());
  UsePackResources(true);
  EXPECT_EQ(ResourceModule(), LanguagePack());
  EXPECT_TRUE(res::LoadMenuTemplate(ResourceModule(), res::NameOrOrdinal(135)).has_value());
  UsePackResources(false);
  EXPECT_EQ(ResourceModule(), nullptr);
  EXPECT_EQ(sources, (std::vector<HINSTANCE>{LanguagePack(), nullptr}));

  // A pack switched while its resources are in use never leaves a dead source.
  UsePackResources(true);
  languageIndex = 1;
  ASSERT_TRUE(LoadLanguagePack());
  EXPECT_EQ(ResourceModule(), nullptr);
  EXPECT_EQ(sources.back(), nullptr);
}

// ---- Installed packs ------------------------------------------------------------------------

TEST_F(PackTest, ListsUsablePacksOnly) {
  InstallPack("msr_lus.dll");
  InstallTestPack("no_name.dll", "msr_lde.dll");    // listed by its code
  InstallPack("msr_lus.dll", "msr_lfr.dll");        // unknown code: silently skipped
  InstallPack("msr_lus.dll", "MSR_LUS.DLL.bak");    // does not match the pattern
  InstallTestPack("no_marker.dll", "msr_lit.dll");  // no marker: skipped with a beep
  fs::create_directory(program_ / "msr_lab.dll");   // a folder
  {
    std::ofstream junk(program_ / "msr_lxx.dll");  // not a library at all
    junk << "MZ";
  }
  FakeCombo combo;
  HWND list = CreateFakeCombo(rec, combo);
  combo.items = {u"stale"};
  languageIndex = 1;

  EXPECT_TRUE(FillLanguageList(list));
  EXPECT_EQ(combo.resets, 1);
  EXPECT_EQ(combo.ItemsWithData(), (std::map<std::u16string, LPARAM>{{u"English", 0}, {u"de", 1}}));
  EXPECT_EQ(combo.Selected(), u"de");
  EXPECT_EQ(beeps_, 1);

  DWORD index = 99;
  std::u16string name = u"unchanged";
  EXPECT_TRUE(ProbeLanguagePack(u"\\Program Files\\Mensora\\msr_lus.dll", index, name));
  EXPECT_EQ(index, 0u);
  EXPECT_EQ(name, u"English");
  index = 99;
  EXPECT_FALSE(ProbeLanguagePack(u"msr_lfr.dll", index, name));
  EXPECT_FALSE(ProbeLanguagePack(u"msr_l", index, name));
  EXPECT_FALSE(ProbeLanguagePack(u"msr_lde.dll.missing", index, name));
  EXPECT_EQ(index, 99u);
  EXPECT_EQ(name, u"English");
}

TEST_F(PackTest, EmptyFolderOrNoWindowListsNothing) {
  FakeCombo combo;
  HWND list = CreateFakeCombo(rec, combo);
  combo.items = {u"stale"};
  EXPECT_FALSE(FillLanguageList(list));
  EXPECT_TRUE(combo.items.empty());
  EXPECT_FALSE(FillLanguageList(nullptr));
  DestroyWindow(list);
  InstallPack("msr_lus.dll");
  EXPECT_FALSE(FillLanguageList(list));
}

// ---- The setting ------------------------------------------------------------------------------

TEST_F(PackTest, LanguageSettingIsAFourByteDword) {
  languageIndex = 5;
  ReadLanguageSetting();  // nothing stored
  EXPECT_EQ(languageIndex, 0u);

  languageIndex = 1;
  ASSERT_TRUE(WriteLanguageSetting());
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\KESTRAVO\\Mensora\\Config", 0,
                          KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"locale", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(size, 4u);
  languageIndex = 0;
  ReadLanguageSetting();
  EXPECT_EQ(languageIndex, 1u);

  // A value of another shape is not ours: index 0.
  const BYTE two[2] = {1, 0};
  ASSERT_EQ(RegSetValueExW(key, u"locale", 0, REG_BINARY, two, 2), ERROR_SUCCESS);
  ReadLanguageSetting();
  EXPECT_EQ(languageIndex, 0u);
  RegCloseKey(key);

  // Without a store, reading gives 0 and writing reports the loss.
  RegistryCloseStore();
  languageIndex = 1;
  ReadLanguageSetting();
  EXPECT_EQ(languageIndex, 0u);
  EXPECT_FALSE(WriteLanguageSetting());
}
