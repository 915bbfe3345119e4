// Replays the fuzz corpus as ordinary tests. A file named ok-* must be
// accepted; bad-<error>-* must be refused with that error. Accepted files are
// also run through the lookups the program makes, which must not crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "res/dialog_template.h"
#include "res/icon_group.h"
#include "res/menu_template.h"
#include "res/pe_file.h"
#include "res/res_file.h"
#include "res/resources.h"
#include "res/string_table.h"
#include "test_util.h"

using namespace res;
namespace fs = std::filesystem;

namespace {

// What a parser said about one file: accepted, or the error name.
using Verdict = std::optional<ParseError>;

template <class T>
Verdict VerdictOf(const Expected<T>& r) {
  if (r.ok()) return std::nullopt;
  return r.error();
}

void Exercise(const ResourceSource& source) {
  for (const auto& e : source.entries()) {
    (void)ParseDialogTemplate(e.data);
    (void)ParseMenuTemplate(e.data);
    (void)ParseStringBlock(e.data);
  }
  for (UINT id : {0u, 1u, 16u, 33004u, 65535u}) (void)FindString(source, id);
  (void)source.Find(kRtBitmap, u"LOGO");
}

Verdict ParseAs(const std::string& group, std::span<const std::byte> data) {
  if (group == "pe") {
    auto r = ParsePeResources(data);
    if (r.ok()) Exercise(*r);
    return VerdictOf(r);
  }
  if (group == "res") {
    auto r = ParseResFile(data);
    if (r.ok()) Exercise(*r);
    return VerdictOf(r);
  }
  if (group == "dialog") return VerdictOf(ParseDialogTemplate(data));
  if (group == "menu") return VerdictOf(ParseMenuTemplate(data));
  if (group == "icon_group") return VerdictOf(ParseIconGroup(data));
  if (group == "icon_image") return VerdictOf(ParseIconImage(data));
  return VerdictOf(ParseStringBlock(data));
}

std::string Underscored(std::string s) {
  std::replace(s.begin(), s.end(), ' ', '_');
  return s;
}

class CorpusReplay : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(CorpusReplay, EachFileGetsItsExpectedVerdict) {
  fs::path dir = fs::path(MENSORA_TEST_SOURCE_DIR) / "corpus" / GetParam();
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(GetParam() + "/" + name);
    auto data = res_test::ReadFile(entry.path().string());
    Verdict verdict = ParseAs(GetParam(), data);
    ++files;
    if (name.rfind("ok-", 0) == 0) {
      EXPECT_FALSE(verdict) << Describe(*verdict);
    } else if (name.rfind("bad-", 0) == 0) {
      ASSERT_TRUE(verdict) << "accepted";
      std::string expected = name.substr(4, name.find('-', 4) - 4);
      EXPECT_EQ(Underscored(ErrorName(verdict->code)), expected) << Describe(*verdict);
    } else {
      // Inputs the fuzzer found and we kept: any verdict, no crash.
    }
  }
  EXPECT_GT(files, 0u);
}

INSTANTIATE_TEST_SUITE_P(Groups, CorpusReplay,
                         ::testing::Values("pe", "res", "dialog", "menu", "strings", "icon_group",
                                           "icon_image"));
