// Loading a device-independent bitmap file from the handheld's file system
// into a bitmap object: the shell's SHLoadDIBitmap.
#pragma once

#include "base/wintypes.h"

// Reads the BMP file at a handheld path ("\windows\tile.bmp") and returns a
// new bitmap holding its picture, which the caller releases with
// DeleteObject. nullptr on any failure, with the last error set:
// ERROR_INVALID_PARAMETER for a null path, the path mapper's error for a
// path outside the device (ERROR_ACCESS_DENIED, ERROR_INVALID_NAME, ...),
// ERROR_FILE_NOT_FOUND when the file cannot be read, ERROR_BAD_FORMAT when
// it is not a valid BMP file (a file header is required).
HBITMAP SHLoadDIBitmap(LPCWSTR szFileName);
