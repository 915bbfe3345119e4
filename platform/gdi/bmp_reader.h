// Decoding BMP files and packed DIBs (the form bitmap resources take) into an
// Image. The input is untrusted: every offset and size is checked, sizes are
// computed in 64 bits and capped before anything is allocated, and bad input
// gives an error code with a message, never a crash.
//
// Accepted: BITMAPCOREHEADER (12 bytes) and info headers of 40, 52, 56, 108
// and 124 bytes; 1, 4, 8, 16, 24 and 32 bits per pixel; BI_RGB, BI_BITFIELDS
// (16 and 32 bits), BI_RLE8 (8 bits) and BI_RLE4 (4 bits); rows bottom-up, or
// top-down when the height is negative (never with RLE).
//
// Decisions on the format's loose ends:
// - 16 bits without masks is 5-5-5, 32 bits without masks is 8-8-8 (the top
//   byte ignored). Masks must be non-zero, contiguous, within the pixel's bits
//   and not overlap; a channel of n bits is scaled to 8 bits with rounding.
//   Alpha masks are ignored: Image has no alpha.
// - Colour table: biClrUsed entries are stored (2^bpp when 0); only the first
//   2^bpp of them can be used. An index past the used entries reads as black.
//   With a file header, a table that runs into bfOffBits is cut short there.
// - Pixel data starts at bfOffBits when the file header gives it (non-zero),
//   otherwise right after the stored colour table.
// - BI_RGB and BI_BITFIELDS need every row, padded to 32 bits, in the data;
//   biSizeImage is not trusted. RLE reads to the end of the data, or
//   biSizeImage bytes when that is smaller.
// - RLE: a run or absolute run that would pass the row's end, a delta that
//   would leave the image, and anything drawn below the last row are errors.
//   Pixels the stream skips (end of line, delta, an early end of bitmap) are
//   black. Data that ends before the end-of-bitmap code is truncated unless
//   every row was already finished.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "gdi/image.h"

namespace gdi {

enum class BmpError {
  kOk,
  kTruncatedHeader,         // data ends inside a header or the masks after it
  kUnsupportedHeader,       // neither "BM" nor a known header size
  kBadDimensions,           // width < 1, height 0, or planes not 1
  kTooLarge,                // beyond the size caps (see image.h)
  kUnsupportedBitCount,     // not 1, 4, 8, 16, 24, 32 (core: 1, 4, 8, 24)
  kUnsupportedCompression,  // unknown code, or a code that does not fit the depth
  kTopDownRle,              // negative height with RLE
  kBadMasks,                // zero, non-contiguous, too wide or overlapping masks
  kTruncatedPalette,        // data ends inside the colour table
  kBadPixelOffset,          // bfOffBits inside the headers or beyond the data
  kTruncatedPixels,         // fewer pixel bytes than the rows need, RLE cut short, or
                            // a packed DIB whose colour table runs past the data
  kRleOutOfBounds,          // RLE run, absolute run or delta beyond the image
  kIo,                      // ReadBmpFile only: the file could not be read
};

// A stable name for each code ("TruncatedPixels"), used by the corpus
// manifest and in messages.
std::string_view BmpErrorName(BmpError error);

// What was decoded. On success image holds the pixels and the source's bit
// depth and colour table; on failure image is empty and message says what is
// wrong and where (byte offsets into the input).
struct BmpResult {
  BmpError error = BmpError::kOk;
  std::string message;
  Image image;
  DWORD compression = 0;      // the source's biCompression
  std::uint32_t header_size = 0;
  bool file_header = false;   // the input started with BITMAPFILEHEADER
  bool top_down = false;

  bool ok() const { return error == BmpError::kOk; }
};

struct BmpReadOptions {
  // Images with more pixels are refused (kTooLarge) before allocation. Never
  // more than kMaxImagePixels; the fuzz target lowers it to stay fast.
  std::int64_t max_pixels = kMaxImagePixels;
};

// Decodes a BMP file (starting "BM") or a packed DIB (starting with its
// header's size) from bytes. Never throws for bad input; errors as above.
// Memory use is bounded by the size caps, whatever the input says.
BmpResult ReadBmp(std::span<const std::uint8_t> bytes, const BmpReadOptions& options = {});

// Reads the file at path and decodes it as ReadBmp does. kIo when the file
// cannot be opened or read, or is larger than 1 GiB.
BmpResult ReadBmpFile(const std::filesystem::path& path, const BmpReadOptions& options = {});

}  // namespace gdi
