// BMP reader cases the corpus does not pin down: channel scaling, what is
// kept of the source format, colour-table clamping, the caller's pixel cap,
// RLE with no biSizeImage, and robustness on every prefix of good files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "gdi/bmp_format.h"
#include "gdi/bmp_reader.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A packed DIB's 40-byte header.
Bytes InfoHeader(std::int32_t w, std::int32_t h, unsigned bpp, DWORD compression = BI_RGB,
                 std::uint32_t clr_used = 0, std::uint32_t size_image = 0) {
  Bytes b;
  Put32(b, 40);
  Put32(b, std::uint32_t(w));
  Put32(b, std::uint32_t(h));
  Put16(b, 1);
  Put16(b, bpp);
  Put32(b, compression);
  Put32(b, size_image);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, clr_used);
  Put32(b, 0);
  return b;
}

void Append(Bytes& b, std::initializer_list<std::uint8_t> more) { b.insert(b.end(), more); }

TEST(BmpReader, BitfieldChannelsScaleToFullRangeWithRounding) {
  // 565: 5-bit 16 -> 132, 6-bit 32 -> 130 (rounded, not shifted); all ones -> 255.
  Bytes dib = InfoHeader(2, 1, 16, BI_BITFIELDS);
  Put32(dib, 0xF800);
  Put32(dib, 0x07E0);
  Put32(dib, 0x001F);
  Put16(dib, 0x8410);
  Put16(dib, 0xFFFF);
  const auto r = gdi::ReadBmp(dib);
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_EQ(r.image.at(0, 0), gdi::MakePixel(132, 130, 132));
  EXPECT_EQ(r.image.at(1, 0), gdi::MakePixel(255, 255, 255));
  EXPECT_EQ(r.compression, BI_BITFIELDS);
  EXPECT_FALSE(r.file_header);
}

TEST(BmpReader, SixteenBitsWithoutMasksIs555AndIgnoresTheTopBit) {
  Bytes dib = InfoHeader(1, 1, 16);
  Put16(dib, 0x8000 | (31 << 10));  // top bit set, red full
  Put16(dib, 0);
  const auto r = gdi::ReadBmp(dib);
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_EQ(r.image.at(0, 0), gdi::MakePixel(255, 0, 0));
}

TEST(BmpReader, KeepsSourceDepthAndUsablePalette) {
  // 4 bits with 20 stored colours: all 20 are skipped to reach the pixels,
  // only 16 can be used.
  Bytes dib = InfoHeader(2, 1, 4, BI_RGB, 20);
  for (std::uint8_t i = 0; i < 20; ++i) Append(dib, {i, 0, 0, 0});
  Append(dib, {0xF3, 0, 0, 0});
  const auto r = gdi::ReadBmp(dib);
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_EQ(r.image.source_bits_per_pixel(), 4);
  ASSERT_EQ(r.image.palette().size(), 16u);
  EXPECT_EQ(r.image.palette()[15], RGB(0, 0, 15));
  EXPECT_EQ(r.image.at(0, 0), gdi::MakePixel(0, 0, 15));
  EXPECT_EQ(r.image.at(1, 0), gdi::MakePixel(0, 0, 3));
}

TEST(BmpReader, ShortTableEndingAtPixelOffsetIsCutAndLaterIndicesAreBlack) {
  // An 8-bit file claiming 256 colours whose pixels start after two of them.
  Bytes file = {'B', 'M'};
  Put32(file, 0);
  Put32(file, 0);
  Put32(file, 14 + 40 + 8);
  const Bytes header = InfoHeader(3, 1, 8);
  file.insert(file.end(), header.begin(), header.end());
  Append(file, {0, 0, 255, 0, 0, 255, 0, 0});  // red, green
  Append(file, {1, 0, 7, 0});
  const auto r = gdi::ReadBmp(file);
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_EQ(r.image.palette().size(), 2u);
  EXPECT_EQ(r.image.at(0, 0), gdi::MakePixel(0, 255, 0));
  EXPECT_EQ(r.image.at(1, 0), gdi::MakePixel(255, 0, 0));
  EXPECT_EQ(r.image.at(2, 0), 0u);
}

TEST(BmpReader, CallerPixelCapRefusesBeforeReadingPixels) {
  Bytes dib = InfoHeader(100, 100, 8);
  gdi::BmpReadOptions options;
  options.max_pixels = 9999;
  const auto r = gdi::ReadBmp(dib, options);
  EXPECT_EQ(r.error, gdi::BmpError::kTooLarge);
  options.max_pixels = 10000;  // now the missing palette is the problem
  EXPECT_EQ(gdi::ReadBmp(dib, options).error, gdi::BmpError::kTruncatedPalette);
}

TEST(BmpReader, RleWithoutSizeImageReadsToTheEndAndSkippedPixelsAreBlack) {
  Bytes dib = InfoHeader(4, 2, 8, BI_RLE8, 2);
  Append(dib, {255, 0, 0, 0, 0, 0, 255, 0});  // blue, red
  Append(dib, {0, 2, 2, 1});                    // delta to (2, top row)
  Append(dib, {2, 1});                          // two red
  Append(dib, {0, 1});
  const auto r = gdi::ReadBmp(dib);
  ASSERT_TRUE(r.ok()) << r.message;
  for (int x = 0; x < 4; ++x) EXPECT_EQ(r.image.at(x, 1), 0u) << x;
  EXPECT_EQ(r.image.at(1, 0), 0u);
  EXPECT_EQ(r.image.at(2, 0), gdi::MakePixel(255, 0, 0));
  EXPECT_EQ(r.image.at(3, 0), gdi::MakePixel(255, 0, 0));
}

TEST(BmpReader, ErrorsNameWhereTheDataFallsShort) {
  Bytes dib = InfoHeader(3, 2, 24);
  dib.resize(dib.size() + 12 + 11);  // one byte short of two 12-byte rows
  const auto r = gdi::ReadBmp(dib);
  EXPECT_EQ(r.error, gdi::BmpError::kTruncatedPixels);
  EXPECT_NE(r.message.find("offset 40"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("24 bytes"), std::string::npos) << r.message;
}

TEST(BmpReader, MissingFileIsAnIoError) {
  const auto r = gdi::ReadBmpFile("/nonexistent/mensora/x.bmp");
  EXPECT_EQ(r.error, gdi::BmpError::kIo);
  EXPECT_FALSE(r.message.empty());
}

// Every prefix of every good corpus file decodes or is refused without a
// crash (the sanitizer build turns an overread into a failure here).
TEST(BmpReader, EveryPrefixOfTheGoodCorpusIsSafe) {
  namespace fs = std::filesystem;
  int files = 0;
  for (const auto& entry : fs::directory_iterator(MENSORA_GDI_CORPUS_DIR)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("good_", 0) != 0) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const Bytes whole{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ++files;
    for (std::size_t n = 0; n < whole.size(); ++n) {
      const Bytes prefix(whole.begin(), whole.begin() + std::ptrdiff_t(n));
      const auto r = gdi::ReadBmp(prefix);
      if (r.ok()) {
        EXPECT_FALSE(r.image.empty()) << name << " cut at " << n;
      } else {
        EXPECT_FALSE(r.message.empty()) << name << " cut at " << n;
      }
    }
  }
  EXPECT_GT(files, 20);
}

}  // namespace
