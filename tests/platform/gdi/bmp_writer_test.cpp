// BMP writing: round trips through the reader at every written depth, the
// exact layout other programs rely on, and the 4-bit writer's refusals.
#include <gtest/gtest.h>

#include <filesystem>

#include "gdi/bmp_format.h"
#include "gdi/bmp_reader.h"
#include "gdi/bmp_writer.h"

namespace {

// A picture where every pixel differs, with an odd width so rows need padding.
gdi::Image Gradient(int w, int h) {
  auto image = gdi::Image::Create(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image->set(x, y, gdi::MakePixel(BYTE(x * 20), BYTE(y * 30), BYTE(x + y)));
  }
  return *image;
}

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

TEST(BmpWriter, DirectDepthsRoundTrip) {
  const gdi::Image image = Gradient(7, 5);
  for (int bpp : {24, 32}) {
    SCOPED_TRACE(bpp);
    std::string error;
    const auto bytes = gdi::EncodeBmp(image, bpp, &error);
    ASSERT_TRUE(bytes) << error;
    const auto r = gdi::ReadBmp(*bytes);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_TRUE(r.file_header);
    EXPECT_FALSE(r.top_down);
    EXPECT_EQ(r.image.source_bits_per_pixel(), bpp);
    EXPECT_EQ(r.image, image);
  }
}

TEST(BmpWriter, LayoutIsBottomUpPaddedWithFileHeader) {
  auto image = gdi::Image::Create(3, 2);
  image->set(0, 0, gdi::MakePixel(1, 2, 3));  // top-left
  image->set(0, 1, gdi::MakePixel(4, 5, 6));  // bottom-left
  const auto b = *gdi::EncodeBmp(*image, 24, nullptr);
  const std::size_t stride = 12;  // 9 bytes padded to 12
  ASSERT_EQ(b.size(), 14u + 40u + 2 * stride);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(U32At(b, 2), b.size());
  EXPECT_EQ(U32At(b, 10), 54u);
  EXPECT_EQ(U32At(b, 14 + 16), BI_RGB);
  EXPECT_EQ(U32At(b, 14 + 20), 2 * stride);
  // The first stored row is the bottom one, blue first.
  EXPECT_EQ(b[54], 6);
  EXPECT_EQ(b[55], 5);
  EXPECT_EQ(b[56], 4);
  EXPECT_EQ(b[54 + stride + 2], 1);
}

TEST(BmpWriter, FourBitRoundTripKeepsPaletteAndIndices) {
  // 48 x 48 like a key image, 5 colours, odd pixel counts per row not needed:
  // also try an odd width so the last byte of a row holds one index.
  for (int w : {48, 7}) {
    SCOPED_TRACE(w);
    gdi::IndexedImage key;
    key.width = w;
    key.height = 5;
    key.palette = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(200, 0, 0), RGB(0, 120, 0),
                   RGB(1, 2, 3)};
    for (int i = 0; i < w * 5; ++i) key.indices.push_back(std::uint8_t((i * 7) % 5));
    std::string error;
    const auto bytes = gdi::EncodeBmp4(key, &error);
    ASSERT_TRUE(bytes) << error;
    const auto r = gdi::ReadBmp(*bytes);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.image.source_bits_per_pixel(), 4);
    EXPECT_EQ(r.image.palette(), key.palette);
    const auto back = gdi::ToIndexed(r.image, 16);
    ASSERT_TRUE(back);
    for (int i = 0; i < w * 5; ++i) {
      ASSERT_EQ(r.image.pixels()[std::size_t(i)],
                gdi::PixelFromColorref(key.palette[key.indices[std::size_t(i)]]))
          << "pixel " << i;
    }
  }
}

TEST(BmpWriter, FourBitRefusesBadInput) {
  gdi::IndexedImage key;
  key.width = 2;
  key.height = 2;
  key.palette = {RGB(0, 0, 0)};
  key.indices = {0, 0, 0, 1};
  std::string error;
  EXPECT_FALSE(gdi::EncodeBmp4(key, &error));
  EXPECT_NE(error.find("past the palette"), std::string::npos) << error;
  key.indices = {0, 0, 0};
  EXPECT_FALSE(gdi::EncodeBmp4(key, &error));
  key.indices = {0, 0, 0, 0};
  key.palette.assign(17, RGB(1, 1, 1));
  EXPECT_FALSE(gdi::EncodeBmp4(key, &error));
  key.palette.clear();
  EXPECT_FALSE(gdi::EncodeBmp4(key, &error));
  key.palette = {RGB(0, 0, 0)};
  key.width = 0;
  EXPECT_FALSE(gdi::EncodeBmp4(key, &error));
}

TEST(BmpWriter, RefusesEmptyImagesAndOtherDepths) {
  std::string error;
  EXPECT_FALSE(gdi::EncodeBmp(gdi::Image(), 24, &error));
  EXPECT_FALSE(gdi::EncodeBmp(Gradient(2, 2), 16, &error));
  EXPECT_NE(error.find("16"), std::string::npos);
}

TEST(BmpWriter, WritesFilesAndReportsUnwritablePaths) {
  const auto dir = std::filesystem::temp_directory_path() / "mensora_gdi_writer_test";
  std::filesystem::create_directories(dir);
  const gdi::Image image = Gradient(4, 3);
  std::string error;
  ASSERT_TRUE(gdi::WriteBmp(image, 32, dir / "a.bmp", &error)) << error;
  const auto r = gdi::ReadBmpFile(dir / "a.bmp");
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_EQ(r.image, image);
  EXPECT_FALSE(std::filesystem::exists(dir / "a.bmp.tmp"));
  EXPECT_FALSE(gdi::WriteBmp(image, 24, dir / "missing" / "b.bmp", &error));
  EXPECT_FALSE(error.empty());
  std::filesystem::remove_all(dir);
}

}  // namespace
