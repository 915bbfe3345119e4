// Creating bitmaps: compatible bitmaps, DIB sections with caller-visible
// memory, bitmaps from decoded images and from a module's resources.
#include <algorithm>
#include <cstring>

#include "gdi/bitmap_image.h"
#include "gdi/bmp_reader.h"
#include "gdi/draw_target.h"
#include "res/modules.h"

using namespace gdi::detail;

namespace {

HBITMAP AddBitmap(std::unique_ptr<Bitmap> bitmap) {
  return static_cast<HBITMAP>(Table::Get().Add(std::move(bitmap)));
}

HBITMAP Refuse(DWORD error) {
  SetLastError(error);
  return nullptr;
}

}  // namespace

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  if (!Lookup<DC>(hdc)) return nullptr;
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->surface = gdi::Surface(cx, cy);
  if (bitmap->surface.empty()) return Refuse(DWORD(ERROR_INVALID_PARAMETER));
  return AddBitmap(std::move(bitmap));
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits,
                         HANDLE hSection, DWORD offset) {
  (void)hdc;  // DIB sections do not depend on a device
  (void)offset;
  if (ppvBits) *ppvBits = nullptr;
  if (!pbmi || usage != DIB_RGB_COLORS || hSection) return Refuse(DWORD(ERROR_INVALID_PARAMETER));
  const BITMAPINFOHEADER& h = pbmi->bmiHeader;
  const int bpp = h.biBitCount;
  const bool knownDepth = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biCompression != BI_RGB || !knownDepth ||
      h.biPlanes != 1 || h.biHeight == INT32_MIN) {
    return Refuse(DWORD(ERROR_INVALID_PARAMETER));
  }
  const int width = h.biWidth;
  const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->surface = gdi::Surface(width, height);
  if (bitmap->surface.empty()) return Refuse(DWORD(ERROR_INVALID_PARAMETER));
  auto dib = std::make_unique<DibBits>();
  dib->bitsPerPixel = bpp;
  dib->topDown = h.biHeight < 0;
  dib->stride = std::size_t(gdi::bmp::RowStride(std::uint64_t(width), unsigned(bpp)));
  if (bpp <= 8) {
    // The table follows the header; biClrUsed entries, 2^bpp when 0.
    const DWORD used = h.biClrUsed == 0 ? (1u << bpp) : std::min<DWORD>(h.biClrUsed, 1u << bpp);
    const RGBQUAD* colors = pbmi->bmiColors;
    for (DWORD i = 0; i < used; ++i) {
      dib->palette.push_back(RGB(colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue));
    }
  }
  dib->bytes.assign(dib->stride * std::size_t(height), 0);
  bitmap->bitsPerPixel = bpp;
  bitmap->dib = std::move(dib);
  ImportDibBits(*bitmap);
  void* bits = bitmap->dib->bytes.data();
  HBITMAP handle = AddBitmap(std::move(bitmap));
  if (ppvBits) *ppvBits = bits;
  return handle;
}

namespace gdi {

HBITMAP CreateBitmapFromImage(const Image& image) {
  if (image.empty()) return Refuse(DWORD(ERROR_INVALID_PARAMETER));
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->surface = FromImage(image);
  bitmap->bitsPerPixel = image.source_bits_per_pixel();
  return AddBitmap(std::move(bitmap));
}

}  // namespace gdi

HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName) {
  const auto bits = res::LoadBitmapBits(hInstance, res::NameOrOrdinal::FromPointer(lpBitmapName));
  if (!bits) return nullptr;  // the module table set the error
  // A bitmap resource is a packed DIB: the reader's path without file header.
  const gdi::BmpResult decoded = gdi::ReadBmp(
      {reinterpret_cast<const std::uint8_t*>(bits->data()), bits->size()});
  if (!decoded.ok() || decoded.file_header) {
    return Refuse(DWORD(ERROR_RESOURCE_DATA_NOT_FOUND));
  }
  return gdi::CreateBitmapFromImage(decoded.image);
}
