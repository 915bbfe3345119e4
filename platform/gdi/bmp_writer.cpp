// BMP encoding (contract in bmp_writer.h). Rows are written bottom-up, each
// padded to a multiple of 4 bytes with zeros.
#include "gdi/bmp_writer.h"

#include "gdi/bmp_format.h"
#include "gdi/file_bytes.h"

namespace gdi {

namespace {

void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v & 0xFF));
  out.push_back(std::uint8_t((v >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Both headers, for a bottom-up BI_RGB image whose colour table has `colors`
// entries. Leaves `out` positioned at the colour table.
void PutHeaders(std::vector<std::uint8_t>& out, int width, int height, unsigned bpp,
                std::uint32_t colors) {
  const auto stride = std::uint32_t(bmp::RowStride(std::uint64_t(width), bpp));
  const std::uint32_t image_size = stride * std::uint32_t(height);
  const std::uint32_t offset = std::uint32_t(bmp::kFileHeaderSize) + bmp::kInfoHeaderSize + 4 * colors;
  out.reserve(offset + image_size);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + image_size);  // bfSize
  Put32(out, 0);                    // bfReserved1, bfReserved2
  Put32(out, offset);               // bfOffBits
  Put32(out, bmp::kInfoHeaderSize);
  Put32(out, std::uint32_t(width));
  Put32(out, std::uint32_t(height));  // positive: bottom-up
  Put16(out, 1);                      // planes
  Put16(out, bpp);
  Put32(out, BI_RGB);
  Put32(out, image_size);
  Put32(out, 2835);  // 72 dots per inch, both ways
  Put32(out, 2835);
  Put32(out, colors);  // biClrUsed
  Put32(out, 0);       // biClrImportant: all
}

void PadRow(std::vector<std::uint8_t>& out, std::size_t row_start, std::size_t stride) {
  out.resize(row_start + stride, 0);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeBmp(const Image& image, int bits_per_pixel,
                                                   std::string* error) {
  if (image.empty()) {
    SetError(error, "cannot encode an empty image");
    return std::nullopt;
  }
  if (bits_per_pixel != 24 && bits_per_pixel != 32) {
    SetError(error, "cannot encode " + std::to_string(bits_per_pixel) +
                        " bits per pixel; 24 or 32 only");
    return std::nullopt;
  }
  const auto bpp = unsigned(bits_per_pixel);
  std::vector<std::uint8_t> out;
  PutHeaders(out, image.width(), image.height(), bpp, 0);
  const std::size_t stride = bmp::RowStride(std::uint64_t(image.width()), bpp);
  for (int y = image.height() - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    for (Pixel p : image.row(y)) {
      out.push_back(PixelB(p));
      out.push_back(PixelG(p));
      out.push_back(PixelR(p));
      if (bpp == 32) out.push_back(0);
    }
    PadRow(out, start, stride);
  }
  return out;
}

std::optional<std::vector<std::uint8_t>> EncodeBmp4(const IndexedImage& image, std::string* error) {
  if (!IsAcceptableSize(image.width, image.height)) {
    SetError(error, "cannot encode an image of " + std::to_string(image.width) + " x " +
                        std::to_string(image.height));
    return std::nullopt;
  }
  if (image.palette.empty() || image.palette.size() > 16) {
    SetError(error, "a 4-bit image needs 1 to 16 colours, not " +
                        std::to_string(image.palette.size()));
    return std::nullopt;
  }
  const std::size_t count = std::size_t(image.width) * std::size_t(image.height);
  if (image.indices.size() != count) {
    SetError(error, "expected " + std::to_string(count) + " indices, got " +
                        std::to_string(image.indices.size()));
    return std::nullopt;
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (image.indices[i] >= image.palette.size()) {
      SetError(error, "index " + std::to_string(image.indices[i]) + " at pixel " +
                          std::to_string(i) + " is past the palette");
      return std::nullopt;
    }
  }
  std::vector<std::uint8_t> out;
  PutHeaders(out, image.width, image.height, 4, std::uint32_t(image.palette.size()));
  for (COLORREF c : image.palette) {  // RGBQUAD: blue, green, red, reserved
    out.push_back(GetBValue(c));
    out.push_back(GetGValue(c));
    out.push_back(GetRValue(c));
    out.push_back(0);
  }
  const std::size_t stride = bmp::RowStride(std::uint64_t(image.width), 4);
  const auto width = std::size_t(image.width);
  for (int y = image.height - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    const std::uint8_t* row = image.indices.data() + std::size_t(y) * width;
    for (std::size_t x = 0; x < width; x += 2) {  // high nibble first
      const std::uint8_t low = x + 1 < width ? row[x + 1] : 0;
      out.push_back(std::uint8_t((row[x] << 4) | low));
    }
    PadRow(out, start, stride);
  }
  return out;
}

bool WriteBmp(const Image& image, int bits_per_pixel, const std::filesystem::path& path,
              std::string* error) {
  const auto bytes = EncodeBmp(image, bits_per_pixel, error);
  return bytes && detail::WriteFileBytes(path, *bytes, error);
}

bool WriteBmp4(const IndexedImage& image, const std::filesystem::path& path, std::string* error) {
  const auto bytes = EncodeBmp4(image, error);
  return bytes && detail::WriteFileBytes(path, *bytes, error);
}

}  // namespace gdi
