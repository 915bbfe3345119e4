// Replays the script reader's fuzz corpus as ordinary tests. A file named
// ok-* must be read without error; bad-lineN-* must be refused at line N
// with a message; any other file (an input the fuzzer found) only must not
// crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/headless/script.h"

namespace fs = std::filesystem;

TEST(ScriptCorpus, EachFileGetsItsExpectedVerdict) {
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(MENSORA_TEST_SOURCE_DIR) / "corpus")) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    auto parsed = host::ParseScript(text.str());
    const auto* error = std::get_if<host::ScriptError>(&parsed);
    ++files;
    if (name.rfind("ok-", 0) == 0) {
      EXPECT_EQ(error, nullptr) << error->ToString();
    } else if (name.rfind("bad-line", 0) == 0) {
      ASSERT_NE(error, nullptr) << "accepted";
      EXPECT_EQ(error->line, std::stoi(name.substr(8))) << error->ToString();
      EXPECT_FALSE(error->message.empty());
    }
  }
  EXPECT_GT(files, 0u);
}
