// SHLoadDIBitmap: the handheld path through the device mapping, the file
// through the hardened BMP reader, the picture into a bitmap object.
#include "shell/sh_bitmap.h"

#include <string_view>

#include "gdi/bitmap_image.h"
#include "gdi/bmp_reader.h"
#include "sys/device_files.h"

HBITMAP SHLoadDIBitmap(LPCWSTR szFileName) {
  if (!szFileName) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return nullptr;
  }
  const auto hostPath = sys::MapPath(std::u16string_view(szFileName));
  if (!hostPath) return nullptr;  // MapPath set the error
  const gdi::BmpResult decoded = gdi::ReadBmpFile(*hostPath);
  if (decoded.error == gdi::BmpError::kIo) {
    SetLastError(DWORD(ERROR_FILE_NOT_FOUND));
    return nullptr;
  }
  if (!decoded.ok() || !decoded.file_header) {
    SetLastError(DWORD(ERROR_BAD_FORMAT));
    return nullptr;
  }
  return gdi::CreateBitmapFromImage(decoded.image);
}
