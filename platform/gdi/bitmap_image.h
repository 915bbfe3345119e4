// Bitmap objects made from decoded images, for the platform's loaders of
// bitmap resources and files (LoadBitmapW, SHLoadDIBitmap).
#pragma once

#include "base/wintypes.h"
#include "gdi/image.h"

namespace gdi {

// A new bitmap holding the image's pixels; GetObjectW reports the image's
// source bit depth. nullptr with ERROR_INVALID_PARAMETER for an empty image.
HBITMAP CreateBitmapFromImage(const Image& image);

}  // namespace gdi
