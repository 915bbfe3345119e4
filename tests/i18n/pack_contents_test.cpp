// The two packs as built: every UI string the program uses, the help text,
// the About texts, the open-file filter, the language image and the menu bar.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/utf.h"
#include "gdi/bmp_reader.h"
#include "i18n/dialog_texts.h"
#include "i18n/language_pack.h"
#include "res/modules.h"
#include "res/resources.h"

namespace {

// Every UI string id the program looks up outside the dialog text table.
constexpr UINT kCatalogue[] = {
    33004, 33005, 33006, 33007, 33028, 33030, 33031, 33033, 33034, 33035, 33036, 33037,
    33038, 33039, 33040, 33041, 33042, 33043, 33046, 33048, 33049, 33050, 33051, 33052,
    33053, 33054, 33055, 33056, 33057};

// The main window's commands, each listed by all the ids that reach it.
const std::vector<std::set<UINT>> kCommands = {
    {57601},        {32789},        {32790}, {32791, 32794}, {32795},
    {32796, 32800}, {32793, 32804}, {32805}, {44000},        {32782, 32792, 32817}};

struct Pack {
  const char* file;
  const char16_t* name;
};
void PrintTo(const Pack& pack, std::ostream* os) { *os << pack.file; }

class PackContents : public ::testing::TestWithParam<Pack> {
 protected:
  void SetUp() override {
    const std::string path = std::string(MENSORA_PACK_DIR) + "/" + GetParam().file;
    const std::u16string wide = *base::FromUtf8(path);
    module_ = LoadLibraryExW(wide.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << path;
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  std::u16string String(UINT id) {
    std::u16string text(8192, u'\0');
    int n = LoadStringW(module_, id, text.data(), int(text.size()));
    text.resize(std::size_t(n));
    return text;
  }

  HMODULE module_ = nullptr;
};

void CollectItems(const std::vector<res::MenuItem>& items, std::vector<const res::MenuItem*>& out) {
  for (const auto& item : items) {
    if (item.popup)
      CollectItems(item.children, out);
    else if (!item.separator)
      out.push_back(&item);
  }
}

}  // namespace

TEST_P(PackContents, EveryUiStringIsThere) {
  EXPECT_EQ(String(33005), GetParam().name);
  std::set<UINT> ids(std::begin(kCatalogue), std::end(kCatalogue));
  for (const DialogTextRow& row : DialogTextTable())
    if (row.target != DialogTextTarget::kBitmap) ids.insert(row.resourceId);
  for (UINT id : ids) EXPECT_FALSE(String(id).empty()) << "string " << id;
  // The custom category keeps the table's name in every language.
  EXPECT_EQ(String(33038), u"Custom");
}

TEST_P(PackContents, HelpFitsTheStringBufferAndNamesEveryCommand) {
  const std::u16string first = String(33056), second = String(33057);
  EXPECT_LE(first.size(), kUiStringMaxChars);
  EXPECT_LE(second.size(), kUiStringMaxChars);
  // The two halves join without anything between them: the first ends a
  // paragraph and the second starts one.
  EXPECT_EQ(first.substr(first.size() - 2), u"\r\n");
  EXPECT_NE(second.front(), u'\r');
  const std::u16string help = first + second;
  for (std::size_t i = 0; i < help.size(); ++i)  // line breaks as the edit control takes them
    if (help[i] == u'\n') {
      ASSERT_TRUE(i > 0 && help[i - 1] == u'\r') << "bare line feed at " << i;
    }

  auto menu = res::LoadMenuTemplate(module_, res::NameOrOrdinal(135));
  ASSERT_TRUE(menu);
  std::vector<const res::MenuItem*> items;
  CollectItems(menu->items, items);
  for (const res::MenuItem* item : items) {
    if (item->id == 32805 || item->id == 32793) continue;  // Help and About themselves
    std::u16string label = item->text;
    if (auto dots = label.find(u'…'); dots != std::u16string::npos) label.resize(dots);
    EXPECT_NE(help.find(label), std::u16string::npos) << "help does not mention item " << item->id;
  }
}

TEST_P(PackContents, MenuBarHoldsEachCommandOnce) {
  auto menu = res::LoadMenuTemplate(module_, res::NameOrOrdinal(135));
  ASSERT_TRUE(menu);
  EXPECT_FALSE(menu->extended);
  ASSERT_EQ(menu->items.size(), 3u);  // File, Tools, Help
  std::vector<const res::MenuItem*> items;
  CollectItems(menu->items, items);
  std::vector<int> uses(kCommands.size(), 0);
  for (const res::MenuItem* item : items) {
    EXPECT_FALSE(item->text.empty());
    bool known = false;
    for (std::size_t c = 0; c < kCommands.size(); ++c)
      if (kCommands[c].count(item->id)) {
        ++uses[c];
        known = true;
      }
    EXPECT_TRUE(known) << "unknown command " << item->id;
  }
  EXPECT_EQ(uses, std::vector<int>(kCommands.size(), 1));
}

TEST_P(PackContents, AboutFilterAndImage) {
  const std::u16string about = String(33042);
  EXPECT_NE(about.find(u"Mensora"), std::u16string::npos);
  EXPECT_NE(about.find(*base::FromUtf8(MENSORA_VERSION_TEXT)), std::u16string::npos);

  // "text|pattern|" pairs: table files first, then all files.
  const std::u16string filter = String(33049);
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  for (std::size_t bar; (bar = filter.find(u'|', start)) != std::u16string::npos; start = bar + 1)
    parts.push_back(filter.substr(start, bar - start));
  EXPECT_EQ(start, filter.size()) << "the filter ends with '|'";
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(parts[1], u"*.dat");
  EXPECT_EQ(parts[3], u"*.*");
  EXPECT_NE(parts[0].find(u"*.dat"), std::u16string::npos);

  auto bits = res::LoadBitmapBits(module_, res::NameOrOrdinal(33029));
  ASSERT_TRUE(bits);
  auto image = gdi::ReadBmp({reinterpret_cast<const std::uint8_t*>(bits->data()), bits->size()});
  ASSERT_TRUE(image.ok()) << image.message;
  EXPECT_EQ(image.image.width(), 26);
  EXPECT_EQ(image.image.height(), 23);
  EXPECT_TRUE(image.image.source_bits_per_pixel() == 4 || image.image.source_bits_per_pixel() == 8);
}

INSTANTIATE_TEST_SUITE_P(Packs, PackContents,
                         ::testing::Values(Pack{"msr_lus.dll", u"English"},
                                           Pack{"msr_lde.dll", u"Deutsch"}),
                         [](const ::testing::TestParamInfo<Pack>& pack) {
                           return std::string(pack.param.file).substr(4, 3);
                         });
