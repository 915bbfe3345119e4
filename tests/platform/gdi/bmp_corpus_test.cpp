// Replays the BMP corpus (tools/make_bmp_corpus.py): every file must give the
// manifest's verdict, the decoded size and the listed pixels, and every file
// in the folder must be listed, so a crasher dropped in by a fuzz run is not
// silently skipped.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "gdi/bmp_reader.h"

namespace {

namespace fs = std::filesystem;

struct Entry {
  std::string expect;
  std::vector<std::string> fields;  // "WxH" then "X,Y=RRGGBB" checks
};

std::map<std::string, Entry> LoadManifest() {
  std::map<std::string, Entry> entries;
  std::ifstream in(fs::path(MENSORA_GDI_CORPUS_DIR) / "manifest.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string name;
    Entry entry;
    words >> name >> entry.expect;
    for (std::string f; words >> f;) entry.fields.push_back(f);
    entries[name] = entry;
  }
  return entries;
}

std::vector<std::uint8_t> Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(BmpCorpus, EveryFileGivesItsVerdictAndPixels) {
  const auto manifest = LoadManifest();
  ASSERT_GT(manifest.size(), 60u) << "manifest missing or short";
  std::size_t good = 0, bad = 0;
  for (const auto& file : fs::directory_iterator(MENSORA_GDI_CORPUS_DIR)) {
    const std::string name = file.path().filename().string();
    if (name == "manifest.txt") continue;
    SCOPED_TRACE(name);
    const auto it = manifest.find(name);
    ASSERT_NE(it, manifest.end()) << "not in manifest.txt";
    const Entry& entry = it->second;
    const gdi::BmpResult result = gdi::ReadBmp(Slurp(file.path()));
    EXPECT_EQ(gdi::BmpErrorName(result.error), entry.expect) << result.message;
    if (!result.ok()) {
      ++bad;
      EXPECT_FALSE(result.message.empty());
      EXPECT_TRUE(result.image.empty());
      continue;
    }
    ++good;
    ASSERT_FALSE(entry.fields.empty());
    int w = 0, h = 0;
    ASSERT_EQ(std::sscanf(entry.fields[0].c_str(), "%dx%d", &w, &h), 2);
    EXPECT_EQ(result.image.width(), w);
    EXPECT_EQ(result.image.height(), h);
    for (std::size_t i = 1; i < entry.fields.size(); ++i) {
      int x = 0, y = 0;
      unsigned rgb = 0;
      ASSERT_EQ(std::sscanf(entry.fields[i].c_str(), "%d,%d=%x", &x, &y, &rgb), 3);
      EXPECT_EQ(result.image.at(x, y), rgb) << "pixel " << entry.fields[i];
    }
  }
  EXPECT_EQ(good + bad, manifest.size()) << "manifest lists files that are missing";
  EXPECT_GE(good, 25u);
  EXPECT_GE(bad, 35u);
}

}  // namespace
