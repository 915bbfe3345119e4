// Replays the table fuzz corpus: every file must run through the engine
// without a fault, and the readable ones must convert something.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "table_fuzz_body.h"

TEST(TableCorpus, EveryFileRunsCleanly) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(CORPUS_DIR)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int converted = RunTableFuzzOnce(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    bool readable = entry.path().filename() != "latin1.dat";
    EXPECT_EQ(converted > 0, readable) << entry.path();
    ++files;
  }
  EXPECT_GE(files, 5);
}
