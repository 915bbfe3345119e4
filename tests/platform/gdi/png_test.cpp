// PNG export and reading: a round trip is exact, files land where asked, and
// bad input or paths give errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "gdi/png.h"

namespace {

TEST(Png, RoundTripIsExact) {
  auto image = gdi::Image::Create(240, 320);
  for (int y = 0; y < 320; ++y) {
    for (int x = 0; x < 240; ++x) image->set(x, y, gdi::MakePixel(BYTE(x), BYTE(y), BYTE(x ^ y)));
  }
  std::string error;
  const auto bytes = gdi::EncodePng(*image, &error);
  ASSERT_TRUE(bytes) << error;
  ASSERT_GT(bytes->size(), 8u);
  EXPECT_EQ((*bytes)[1], 'P');
  const auto back = gdi::DecodePng(*bytes, &error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(*back, *image);
}

TEST(Png, WriteAndReadFile) {
  const auto dir = std::filesystem::temp_directory_path() / "mensora_gdi_png_test";
  std::filesystem::create_directories(dir);
  auto image = gdi::Image::Create(3, 2, gdi::MakePixel(10, 20, 30));
  std::string error;
  ASSERT_TRUE(gdi::WritePng(*image, dir / "shot.png", &error)) << error;
  const auto back = gdi::ReadPng(dir / "shot.png", &error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(*back, *image);
  EXPECT_FALSE(gdi::WritePng(*image, dir / "no" / "such" / "dir.png", &error));
  EXPECT_FALSE(error.empty());
  std::filesystem::remove_all(dir);
}

TEST(Png, RefusesEmptyImagesAndBadData) {
  std::string error;
  EXPECT_FALSE(gdi::EncodePng(gdi::Image(), &error));
  const std::vector<std::uint8_t> junk = {0x89, 'P', 'N', 'G', 1, 2, 3};
  EXPECT_FALSE(gdi::DecodePng(junk, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(gdi::DecodePng({}, &error));
  EXPECT_FALSE(gdi::ReadPng("/nonexistent/mensora.png", &error));
}

// A cut PNG is refused, except when only the trailer is missing and every
// pixel was read: a partial image is never passed off as whole.
TEST(Png, TruncatedPngIsRefusedOrComplete) {
  auto image = gdi::Image::Create(16, 16, 0x808080);
  const auto bytes = *gdi::EncodePng(*image, nullptr);
  for (std::size_t n = 0; n < bytes.size(); n += 3) {
    const std::vector<std::uint8_t> prefix(bytes.begin(), bytes.begin() + std::ptrdiff_t(n));
    std::string error;
    const auto back = gdi::DecodePng(prefix, &error);
    if (back) {
      EXPECT_EQ(*back, *image) << "cut at " << n;
      EXPECT_GT(n, bytes.size() - 16) << "only IEND may be missing";
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
}

// The fuzz target's seeds (tools/make_png_corpus.py): ok-* decode, bad-* are
// refused with a reason; files a fuzz run added only must not crash.
TEST(Png, SeedCorpusGetsItsVerdicts) {
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(MENSORA_GDI_TEST_SOURCE_DIR) / "png_corpus")) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    const auto image = gdi::DecodePng(bytes, &error);
    ++files;
    if (name.rfind("ok-", 0) == 0) {
      EXPECT_TRUE(image) << error;
    } else if (name.rfind("bad-", 0) == 0) {
      EXPECT_FALSE(image);
      EXPECT_FALSE(error.empty());
    }
  }
  EXPECT_GT(files, 0u);
}

}  // namespace
