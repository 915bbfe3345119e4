// The two containers: the .res llvm-rc writes and the DLLs lld-link links
// from it must expose the same resources; damaged copies are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "res/pe_file.h"
#include "res/res_file.h"
#include "res/resources.h"
#include "res/string_table.h"
#include "test_util.h"

using namespace res;
using res_test::DataPath;
using res_test::ReadFile;

namespace {

using Key = std::tuple<bool, WORD, std::u16string, bool, WORD, std::u16string, LANGID,
                       std::vector<std::byte>>;

std::vector<Key> Keys(const ResourceSource& source) {
  std::vector<Key> out;
  for (const auto& e : source.entries())
    out.emplace_back(e.type.isOrdinal(), e.type.ordinal(), e.type.name(), e.name.isOrdinal(),
                     e.name.ordinal(), e.name.name(), e.language,
                     std::vector<std::byte>(e.data.begin(), e.data.end()));
  std::sort(out.begin(), out.end());
  return out;
}

class Containers : public ::testing::Test {
 protected:
  std::vector<std::byte> res_ = ReadFile(DataPath("test.res"));
};

}  // namespace

TEST_F(Containers, ResFileListsEveryResource) {
  auto source = ParseResFile(res_);
  ASSERT_TRUE(source.ok()) << Describe(source.error());
  // Blocks 1, 2 (ids 16..), 2063 (33004..33007), 4096 (65535) in English,
  // block 1 in German; menu; two bitmaps; two dialogs.
  EXPECT_EQ(source->entries().size(), 10u);
  EXPECT_TRUE(source->Find(kRtString, StringBlockId(33004)).has_value());
  EXPECT_TRUE(source->Find(kRtString, 4096).has_value());
  EXPECT_TRUE(source->Find(kRtMenu, 135).has_value());
  EXPECT_FALSE(source->Find(kRtMenu, 136).has_value());
  EXPECT_FALSE(source->Find(kRtDialog, 135).has_value());
}

TEST_F(Containers, NamesMatchWithoutCaseAndNeverMatchOrdinals) {
  auto source = ParseResFile(res_);
  ASSERT_TRUE(source.ok());
  EXPECT_TRUE(source->Find(kRtBitmap, u"BTN_NUM1U").has_value());
  EXPECT_TRUE(source->Find(kRtBitmap, u"btn_num1u").has_value());
  EXPECT_FALSE(source->Find(kRtBitmap, u"BTN_NUM1").has_value());
  EXPECT_FALSE(source->Find(kRtBitmap, u"33029").has_value());
  EXPECT_FALSE(source->Find(u"BITMAP", u"BTN_NUM1U").has_value());
}

TEST_F(Containers, LanguageChoice) {
  auto source = ParseResFile(res_);
  ASSERT_TRUE(source.ok());
  auto german = FindString(*source, 2, LANGID{0x0407});
  ASSERT_TRUE(german);
  EXPECT_EQ(*german, u"zwei");
  EXPECT_FALSE(FindString(*source, 1, LANGID{0x0407}));
  // No language asked: English wins over German whatever the order.
  EXPECT_EQ(FindString(*source, 1).value_or(u"?"), u"one");

  std::vector<std::byte> a{std::byte{1}}, b{std::byte{2}}, c{std::byte{3}};
  ResourceSource mixed({{kRtBitmap, 1, 0x0407, a}, {kRtBitmap, 1, 0, b}, {kRtBitmap, 2, 0x0407, c}});
  EXPECT_EQ(mixed.Find(kRtBitmap, 1)->data(), b.data());  // neutral before all
  EXPECT_EQ(mixed.Find(kRtBitmap, 2)->data(), c.data());  // else the first
  EXPECT_FALSE(mixed.Find(kRtBitmap, 2, LANGID{0x0409}));
}

TEST_F(Containers, EveryMachineGivesTheSameResourcesAsTheResFile) {
  auto expected = ParseResFile(res_);
  ASSERT_TRUE(expected.ok());
  struct Case { const char* file; WORD machine; bool plus; };
  for (auto [file, machine, plus] : {Case{"test_x64.dll", 0x8664, true}, Case{"test_x86.dll", 0x14C, false},
                                     Case{"test_arm64.dll", 0xAA64, true}}) {
    SCOPED_TRACE(file);
    auto dll = ReadFile(DataPath(file));
    PeInfo info;
    auto source = ParsePeResources(dll, &info);
    ASSERT_TRUE(source.ok()) << Describe(source.error());
    EXPECT_EQ(info.machine, machine);
    EXPECT_EQ(info.pe32Plus, plus);
    EXPECT_EQ(Keys(*source), Keys(*expected));
  }
}

TEST_F(Containers, CutPeFilesAreRefusedUntilTheirLastResource) {
  auto dll = ReadFile(DataPath("test_x64.dll"));
  auto whole = ParsePeResources(dll);
  ASSERT_TRUE(whole.ok());
  std::size_t needed = 0;
  for (const auto& e : whole->entries())
    needed = std::max<std::size_t>(needed, static_cast<std::size_t>(e.data.data() - dll.data()) + e.data.size());
  for (std::size_t cut = 0; cut < needed; ++cut) {
    auto part = ParsePeResources(std::span<const std::byte>(dll).first(cut));
    EXPECT_FALSE(part.ok()) << "cut at " << cut;
  }
}

TEST_F(Containers, CutResFilesGiveAnErrorOrAWholePrefix) {
  auto whole = ParseResFile(res_);
  ASSERT_TRUE(whole.ok());
  auto all = whole->entries();
  for (std::size_t cut = 0; cut < res_.size(); ++cut) {
    auto part = ParseResFile(std::span<const std::byte>(res_).first(cut));
    if (!part.ok()) continue;
    // Accepted only when the cut falls between entries: what is left is
    // exactly the first entries, byte for byte.
    const auto& got = part->entries();
    ASSERT_LE(got.size(), all.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].data.data(), all[i].data.data()) << "cut at " << cut;
      EXPECT_EQ(got[i].data.size(), all[i].data.size()) << "cut at " << cut;
    }
    if (!got.empty()) {
      const std::byte* end = got.back().data.data() + got.back().data.size();
      EXPECT_LE(static_cast<std::size_t>(end - res_.data()), cut);
    }
  }
}
