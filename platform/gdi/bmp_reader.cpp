// BMP and packed-DIB decoding (contract and format decisions in bmp_reader.h).
//
// Sections: byte access and errors; headers; masks; colour table and pixel
// offset; uncompressed rows; RLE; the entry points.
#include "gdi/bmp_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

#include "gdi/bmp_format.h"
#include "gdi/file_bytes.h"

namespace gdi {

std::string_view BmpErrorName(BmpError error) {
  switch (error) {
    case BmpError::kOk: return "Ok";
    case BmpError::kTruncatedHeader: return "TruncatedHeader";
    case BmpError::kUnsupportedHeader: return "UnsupportedHeader";
    case BmpError::kBadDimensions: return "BadDimensions";
    case BmpError::kTooLarge: return "TooLarge";
    case BmpError::kUnsupportedBitCount: return "UnsupportedBitCount";
    case BmpError::kUnsupportedCompression: return "UnsupportedCompression";
    case BmpError::kTopDownRle: return "TopDownRle";
    case BmpError::kBadMasks: return "BadMasks";
    case BmpError::kTruncatedPalette: return "TruncatedPalette";
    case BmpError::kBadPixelOffset: return "BadPixelOffset";
    case BmpError::kTruncatedPixels: return "TruncatedPixels";
    case BmpError::kRleOutOfBounds: return "RleOutOfBounds";
    case BmpError::kIo: return "Io";
  }
  return "Unknown";
}

namespace {

// ---- Byte access and errors -------------------------------------------------

using Bytes = std::span<const std::uint8_t>;

// Callers check the bounds first; these only assemble little-endian values.
std::uint16_t U16(Bytes b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t U32(Bytes b, std::size_t at) {
  return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) |
         (std::uint32_t(b[at + 2]) << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::int32_t I32(Bytes b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

// Thrown only inside this file and caught by ReadBmp: it lets the decoding
// steps stay straight-line while every check still names its error.
struct Failure {
  BmpError error;
  std::string message;
};

[[noreturn]] void Fail(BmpError error, std::string message) {
  throw Failure{error, std::move(message)};
}

std::string Num(std::uint64_t v) { return std::to_string(v); }

// ---- Headers -----------------------------------------------------------------

struct Header {
  std::uint32_t size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // always positive; top_down carries the sign
  bool top_down = false;
  unsigned bpp = 0;
  DWORD compression = BI_RGB;
  std::uint32_t size_image = 0;
  std::uint32_t clr_used = 0;
  bool core = false;
};

// `dib` starts at the bitmap header; `base` is its offset in the input, for
// messages.
Header ReadHeader(Bytes dib, std::size_t base) {
  if (dib.size() < 4) Fail(BmpError::kTruncatedHeader, "no bitmap header at offset " + Num(base));
  Header h;
  h.size = U32(dib, 0);
  switch (h.size) {
    case bmp::kCoreHeaderSize:
    case bmp::kInfoHeaderSize:
    case bmp::kInfoV2HeaderSize:
    case bmp::kInfoV3HeaderSize:
    case bmp::kV4HeaderSize:
    case bmp::kV5HeaderSize:
      break;
    default:
      Fail(BmpError::kUnsupportedHeader, "unknown bitmap header size " + Num(h.size) +
                                             " at offset " + Num(base));
  }
  if (dib.size() < h.size) {
    Fail(BmpError::kTruncatedHeader, "bitmap header of " + Num(h.size) + " bytes at offset " +
                                         Num(base) + " ends beyond the data");
  }
  std::uint16_t planes = 0;
  if (h.size == bmp::kCoreHeaderSize) {
    h.core = true;
    h.width = U16(dib, 4);
    h.height = U16(dib, 6);
    planes = U16(dib, 8);
    h.bpp = U16(dib, 10);
  } else {
    h.width = I32(dib, 4);
    const std::int64_t height = I32(dib, 8);
    h.top_down = height < 0;
    h.height = height < 0 ? -height : height;  // 64 bits: INT32_MIN is safe
    planes = U16(dib, 12);
    h.bpp = U16(dib, 14);
    h.compression = U32(dib, 16);
    h.size_image = U32(dib, 20);
    h.clr_used = U32(dib, 32);
  }
  if (planes != 1) Fail(BmpError::kBadDimensions, "planes is " + Num(planes) + ", not 1");
  if (h.width < 1 || h.height < 1) {
    Fail(BmpError::kBadDimensions, "image of " + std::to_string(h.width) + " x " +
                                       (h.top_down ? "-" : "") + std::to_string(h.height));
  }
  return h;
}

void CheckDepthAndCompression(const Header& h) {
  const bool depth_ok = h.core ? (h.bpp == 1 || h.bpp == 4 || h.bpp == 8 || h.bpp == 24)
                               : (h.bpp == 1 || h.bpp == 4 || h.bpp == 8 || h.bpp == 16 ||
                                  h.bpp == 24 || h.bpp == 32);
  if (!depth_ok) Fail(BmpError::kUnsupportedBitCount, Num(h.bpp) + " bits per pixel");
  switch (h.compression) {
    case BI_RGB:
      return;
    case BI_RLE8:
      if (h.bpp != 8) Fail(BmpError::kUnsupportedCompression, "RLE8 with " + Num(h.bpp) + " bits");
      break;
    case BI_RLE4:
      if (h.bpp != 4) Fail(BmpError::kUnsupportedCompression, "RLE4 with " + Num(h.bpp) + " bits");
      break;
    case BI_BITFIELDS:
      if (h.bpp != 16 && h.bpp != 32) {
        Fail(BmpError::kUnsupportedCompression, "BI_BITFIELDS with " + Num(h.bpp) + " bits");
      }
      return;
    default:
      Fail(BmpError::kUnsupportedCompression, "compression " + Num(h.compression));
  }
  if (h.top_down) Fail(BmpError::kTopDownRle, "RLE bitmap with a negative height");
}

// ---- Masks -------------------------------------------------------------------

// One colour channel of a 16- or 32-bit pixel.
struct Channel {
  std::uint32_t mask = 0;
  unsigned shift = 0;
  std::uint64_t max = 0;  // the channel's largest value, 2^bits - 1

  std::uint32_t ToByte(std::uint32_t pixel) const {
    const std::uint64_t v = (pixel & mask) >> shift;
    if (max == 255) return std::uint32_t(v);
    return std::uint32_t((v * 255 + max / 2) / max);
  }
};

Channel MakeChannel(std::uint32_t mask, unsigned bpp, const char* name) {
  if (mask == 0) Fail(BmpError::kBadMasks, std::string(name) + " mask is zero");
  if (bpp == 16 && mask > 0xFFFF) {
    Fail(BmpError::kBadMasks, std::string(name) + " mask is wider than 16 bits");
  }
  Channel c;
  c.mask = mask;
  c.shift = unsigned(std::countr_zero(mask));
  const std::uint64_t run = std::uint64_t(mask) >> c.shift;
  if ((run & (run + 1)) != 0) {
    Fail(BmpError::kBadMasks, std::string(name) + " mask is not contiguous");
  }
  c.max = run;
  return c;
}

struct Masks {
  Channel r, g, b;
};

// Masks of a BI_BITFIELDS image: inside headers of 52 bytes and more, else the
// three DWORDs after the 40-byte header. Returns the bytes consumed after the
// header (12 or 0).
std::size_t ReadMasks(Bytes dib, std::size_t base, const Header& h, Masks* masks) {
  std::uint32_t r = 0, g = 0, b = 0;
  std::size_t extra = 0;
  if (h.compression == BI_BITFIELDS) {
    std::size_t at = bmp::kHeaderRedMask;
    if (h.size == bmp::kInfoHeaderSize) {
      at = h.size;
      extra = 12;
      if (dib.size() < at + extra) {
        Fail(BmpError::kTruncatedHeader, "colour masks at offset " + Num(base + at) +
                                             " end beyond the data");
      }
    }
    r = U32(dib, at);
    g = U32(dib, at + 4);
    b = U32(dib, at + 8);
  } else if (h.bpp == 16) {
    r = 0x7C00, g = 0x03E0, b = 0x001F;
  } else {
    r = 0xFF0000, g = 0xFF00, b = 0xFF;
  }
  if (h.bpp == 16 || h.bpp == 32) {
    masks->r = MakeChannel(r, h.bpp, "red");
    masks->g = MakeChannel(g, h.bpp, "green");
    masks->b = MakeChannel(b, h.bpp, "blue");
    if ((r & g) || (r & b) || (g & b)) Fail(BmpError::kBadMasks, "colour masks overlap");
  }
  return extra;
}

// ---- Colour table and pixel offset --------------------------------------------

struct Layout {
  std::vector<COLORREF> palette;     // the usable entries
  std::array<Pixel, 256> lut{};      // index -> pixel, black past the palette
  std::size_t pixels = 0;            // offset of the pixel data in the input
};

// `table_at` is where the colour table starts in `input` (after the headers
// and masks); `file_offset` is bfOffBits, 0 when absent or zero.
Layout ReadTableAndOffset(Bytes input, const Header& h, std::size_t table_at,
                          std::uint32_t file_offset) {
  Layout out;
  const std::uint64_t entry = h.core ? 3 : 4;
  std::uint64_t stored = 0;  // entries the table holds
  if (h.core) {
    stored = h.bpp <= 8 ? (1u << h.bpp) : 0;
  } else {
    stored = h.clr_used != 0 ? h.clr_used : (h.bpp <= 8 ? (1u << h.bpp) : 0);
  }
  std::uint64_t used = h.bpp <= 8 ? std::min<std::uint64_t>(stored, 1u << h.bpp) : 0;

  if (file_offset != 0) {
    if (file_offset < table_at) {
      Fail(BmpError::kBadPixelOffset, "pixel offset " + Num(file_offset) +
                                          " lies inside the headers (which end at " +
                                          Num(table_at) + ")");
    }
    // A table that runs into the pixels was written short: use what is there.
    used = std::min<std::uint64_t>(used, (file_offset - table_at) / entry);
  }
  const std::uint64_t table_end = table_at + used * entry;
  if (table_end > input.size()) {
    Fail(BmpError::kTruncatedPalette, "colour table of " + Num(used) + " entries at offset " +
                                          Num(table_at) + " ends beyond the data (" +
                                          Num(input.size()) + " bytes)");
  }
  for (std::uint64_t i = 0; i < used; ++i) {
    const std::size_t at = table_at + std::size_t(i * entry);
    const BYTE b = input[at], g = input[at + 1], r = input[at + 2];
    out.palette.push_back(RGB(r, g, b));
    out.lut[i] = MakePixel(r, g, b);
  }

  const std::uint64_t pixels = file_offset != 0 ? file_offset : table_at + stored * entry;
  if (pixels > input.size()) {
    if (file_offset != 0) {
      Fail(BmpError::kBadPixelOffset, "pixel offset " + Num(pixels) + " is beyond the data (" +
                                          Num(input.size()) + " bytes)");
    }
    Fail(BmpError::kTruncatedPixels, "a colour table of " + Num(stored) +
                                         " entries puts the pixels at offset " + Num(pixels) +
                                         ", beyond the data (" + Num(input.size()) + " bytes)");
  }
  out.pixels = std::size_t(pixels);
  return out;
}

// ---- Uncompressed rows -------------------------------------------------------

void DecodeRow(const std::uint8_t* src, Pixel* dst, std::int64_t width, unsigned bpp,
               const Layout& layout, const Masks& masks) {
  switch (bpp) {
    case 1:
      for (std::int64_t x = 0; x < width; ++x) {
        dst[x] = layout.lut[(src[x >> 3] >> (7 - (x & 7))) & 1];
      }
      break;
    case 4:
      for (std::int64_t x = 0; x < width; ++x) {
        const std::uint8_t byte = src[x >> 1];
        dst[x] = layout.lut[(x & 1) ? (byte & 0x0F) : (byte >> 4)];
      }
      break;
    case 8:
      for (std::int64_t x = 0; x < width; ++x) dst[x] = layout.lut[src[x]];
      break;
    case 16:
      for (std::int64_t x = 0; x < width; ++x) {
        const std::uint32_t v = std::uint32_t(src[2 * x]) | (std::uint32_t(src[2 * x + 1]) << 8);
        dst[x] = MakePixel(BYTE(masks.r.ToByte(v)), BYTE(masks.g.ToByte(v)), BYTE(masks.b.ToByte(v)));
      }
      break;
    case 24:
      for (std::int64_t x = 0; x < width; ++x) {
        dst[x] = MakePixel(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
      }
      break;
    case 32:
      for (std::int64_t x = 0; x < width; ++x) {
        const std::uint32_t v = std::uint32_t(src[4 * x]) | (std::uint32_t(src[4 * x + 1]) << 8) |
                                (std::uint32_t(src[4 * x + 2]) << 16) |
                                (std::uint32_t(src[4 * x + 3]) << 24);
        dst[x] = MakePixel(BYTE(masks.r.ToByte(v)), BYTE(masks.g.ToByte(v)), BYTE(masks.b.ToByte(v)));
      }
      break;
  }
}

void DecodeUncompressed(Bytes input, const Header& h, const Layout& layout, const Masks& masks,
                        Image& image) {
  // Decode() has checked that every row is in the data.
  const std::uint64_t stride = bmp::RowStride(std::uint64_t(h.width), h.bpp);
  for (std::int64_t r = 0; r < h.height; ++r) {
    const std::uint8_t* src = input.data() + layout.pixels + std::size_t(r) * std::size_t(stride);
    const std::int64_t y = h.top_down ? r : h.height - 1 - r;
    DecodeRow(src, image.row(int(y)).data(), h.width, h.bpp, layout, masks);
  }
}

// ---- RLE ---------------------------------------------------------------------

// Decodes BI_RLE8 / BI_RLE4. Rows are counted from the bottom, as stored.
void DecodeRle(Bytes input, const Header& h, const Layout& layout, Image& image) {
  Bytes s = input.subspan(layout.pixels);
  if (h.size_image != 0 && h.size_image < s.size()) s = s.first(h.size_image);
  const bool four = h.compression == BI_RLE4;
  const std::int64_t width = h.width, height = h.height;
  std::int64_t x = 0, y = 0;
  std::size_t p = 0;

  auto where = [&] { return " at offset " + Num(layout.pixels + p); };
  auto check_span = [&](std::int64_t count, const char* what) {
    if (y >= height) Fail(BmpError::kRleOutOfBounds, std::string(what) + " below the last row" + where());
    if (x + count > width) {
      Fail(BmpError::kRleOutOfBounds, std::string(what) + " of " + Num(std::uint64_t(count)) +
                                          " pixels from x=" + Num(std::uint64_t(x)) +
                                          " passes the row's end" + where());
    }
  };
  auto put = [&](std::uint8_t index) {
    image.row(int(height - 1 - y))[std::size_t(x)] = layout.lut[index];
    ++x;
  };

  for (;;) {
    if (s.size() - p < 2) {
      if (y >= height) return;  // every row finished; the end code is missing
      Fail(BmpError::kTruncatedPixels, "RLE data ends before the end of the bitmap" + where());
    }
    const std::uint8_t count = s[p], code = s[p + 1];
    if (count > 0) {  // an encoded run: one byte repeated (RLE4: two nibbles alternating)
      check_span(count, "run");
      p += 2;
      for (unsigned i = 0; i < count; ++i) {
        put(four ? ((i & 1) ? (code & 0x0F) : (code >> 4)) : code);
      }
      continue;
    }
    switch (code) {
      case bmp::kRleEndOfLine:
        if (y >= height) Fail(BmpError::kRleOutOfBounds, "end of line below the last row" + where());
        p += 2;
        x = 0;
        ++y;
        break;
      case bmp::kRleEndOfBitmap:
        return;
      case bmp::kRleDelta: {
        if (s.size() - p < 4) Fail(BmpError::kTruncatedPixels, "RLE delta cut short" + where());
        const std::int64_t dx = s[p + 2], dy = s[p + 3];
        if (x + dx > width || y + dy > height) {
          Fail(BmpError::kRleOutOfBounds, "delta (" + Num(std::uint64_t(dx)) + ", " +
                                              Num(std::uint64_t(dy)) + ") leaves the image" +
                                              where());
        }
        p += 4;
        x += dx;
        y += dy;
        break;
      }
      default: {  // an absolute run of `code` indices, padded to a 16-bit boundary
        const std::size_t bytes = four ? (code + 1u) / 2 : code;
        if (s.size() - p - 2 < bytes) {
          Fail(BmpError::kTruncatedPixels, "RLE absolute run cut short" + where());
        }
        check_span(code, "absolute run");
        const std::uint8_t* d = s.data() + p + 2;
        for (unsigned i = 0; i < code; ++i) {
          put(four ? ((i & 1) ? (d[i / 2] & 0x0F) : (d[i / 2] >> 4)) : d[i]);
        }
        p += 2 + bytes;
        if ((bytes & 1) && p < s.size()) ++p;  // the pad byte; tolerated when missing at the end
        break;
      }
    }
  }
}

// ---- The entry points --------------------------------------------------------

void Decode(Bytes input, const BmpReadOptions& options, BmpResult& result) {
  std::size_t dib_at = 0;
  std::uint32_t file_offset = 0;
  if (input.size() >= 2 && input[0] == 'B' && input[1] == 'M') {
    if (input.size() < bmp::kFileHeaderSize) {
      Fail(BmpError::kTruncatedHeader, "file header cut short (" + Num(input.size()) + " bytes)");
    }
    result.file_header = true;
    file_offset = U32(input, bmp::kFileHeaderOffBits);
    dib_at = bmp::kFileHeaderSize;
  }
  const Header h = ReadHeader(input.subspan(dib_at), dib_at);
  result.header_size = h.size;
  result.compression = h.compression;
  result.top_down = h.top_down;
  CheckDepthAndCompression(h);
  if (!IsAcceptableSize(h.width, h.height, options.max_pixels)) {
    Fail(BmpError::kTooLarge, "image of " + Num(std::uint64_t(h.width)) + " x " +
                                  Num(std::uint64_t(h.height)) + " is beyond the size limits");
  }
  Masks masks;
  const std::size_t mask_bytes = ReadMasks(input.subspan(dib_at), dib_at, h, &masks);
  const Layout layout = ReadTableAndOffset(input, h, dib_at + h.size + mask_bytes, file_offset);

  const bool rle = h.compression == BI_RLE8 || h.compression == BI_RLE4;
  if (!rle) {
    // Check the data is all there before allocating the image.
    const std::uint64_t need = bmp::RowStride(std::uint64_t(h.width), h.bpp) * std::uint64_t(h.height);
    if (need > input.size() - layout.pixels) {
      Fail(BmpError::kTruncatedPixels, "pixel rows need " + Num(need) + " bytes at offset " +
                                           Num(layout.pixels) + "; the data has " +
                                           Num(input.size() - layout.pixels));
    }
  }
  std::optional<Image> image = Image::Create(int(h.width), int(h.height));
  if (!image) Fail(BmpError::kTooLarge, "image beyond the size limits");
  if (rle) {
    DecodeRle(input, h, layout, *image);
  } else {
    DecodeUncompressed(input, h, layout, masks, *image);
  }
  image->set_source_format(int(h.bpp), layout.palette);
  result.image = std::move(*image);
}

}  // namespace

BmpResult ReadBmp(std::span<const std::uint8_t> bytes, const BmpReadOptions& options) {
  BmpResult result;
  try {
    Decode(bytes, options, result);
  } catch (Failure& failure) {
    result.error = failure.error;
    result.message = std::move(failure.message);
    result.image = Image();
  }
  return result;
}

BmpResult ReadBmpFile(const std::filesystem::path& path, const BmpReadOptions& options) {
  std::string error;
  const auto bytes = detail::ReadFileBytes(path, std::uintmax_t{1} << 30, &error);
  if (!bytes) {
    BmpResult result;
    result.error = BmpError::kIo;
    result.message = std::move(error);
    return result;
  }
  return ReadBmp(*bytes, options);
}

}  // namespace gdi
