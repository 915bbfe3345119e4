// The in-memory image: colour conversions, the size caps, access at the
// edges, and the exact palette search.
#include <gtest/gtest.h>

#include "gdi/image.h"

namespace {

TEST(Image, ColorrefAndPixelSwapRedAndBlue) {
  EXPECT_EQ(gdi::PixelFromColorref(RGB(0x12, 0x34, 0x56)), 0x123456u);
  EXPECT_EQ(gdi::ColorrefFromPixel(0x123456u), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(gdi::PixelFromColorref(0x01000000u | RGB(1, 2, 3)), 0x010203u);  // flags dropped
}

TEST(Image, SizeCaps) {
  EXPECT_TRUE(gdi::IsAcceptableSize(1, 1));
  EXPECT_TRUE(gdi::IsAcceptableSize(16384, 4096));
  EXPECT_FALSE(gdi::IsAcceptableSize(16384, 4097));  // over 64 Mi pixels
  EXPECT_FALSE(gdi::IsAcceptableSize(16385, 1));
  EXPECT_FALSE(gdi::IsAcceptableSize(0, 5));
  EXPECT_FALSE(gdi::IsAcceptableSize(5, -1));
  EXPECT_FALSE(gdi::IsAcceptableSize(INT64_MAX, INT64_MAX));
  EXPECT_FALSE(gdi::IsAcceptableSize(100, 100, 9999));
  EXPECT_FALSE(gdi::Image::Create(-3, 4));
}

TEST(Image, AccessOutsideIsHarmless) {
  auto image = gdi::Image::Create(3, 2, 0x0000FF);
  ASSERT_TRUE(image);
  image->set(-1, 0, 0xFFFFFF);
  image->set(3, 1, 0xFFFFFF);
  image->set(2, 1, 0xFF123456);  // the top byte is not kept
  EXPECT_EQ(image->at(2, 1), 0x123456u);
  EXPECT_EQ(image->at(0, 2), 0u);
  EXPECT_EQ(image->at(0, 0), 0x0000FFu);
  EXPECT_EQ(image->GetColor(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(image->row(1)[2], 0x123456u);
}

TEST(Image, ToIndexedOrdersByFirstAppearanceAndRespectsTheLimit) {
  auto image = gdi::Image::Create(3, 1);
  image->SetColor(0, 0, RGB(9, 9, 9));
  image->SetColor(1, 0, RGB(0, 0, 0));
  image->SetColor(2, 0, RGB(9, 9, 9));
  const auto indexed = gdi::ToIndexed(*image, 2);
  ASSERT_TRUE(indexed);
  EXPECT_EQ(indexed->palette, (std::vector<COLORREF>{RGB(9, 9, 9), RGB(0, 0, 0)}));
  EXPECT_EQ(indexed->indices, (std::vector<std::uint8_t>{0, 1, 0}));
  EXPECT_FALSE(gdi::ToIndexed(*image, 1));
  EXPECT_FALSE(gdi::ToIndexed(gdi::Image(), 16));
}

}  // namespace
