// CStatic: the static control's bitmap as a typed call.
#pragma once

#include "framework/cwnd.h"
#include "win/controls/static_control.h"

class CStatic : public CWnd {
 public:
  // Returns the previous bitmap; the control does not own either.
  HBITMAP SetBitmap(HBITMAP bitmap) {
    return HBITMAP(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, LPARAM(bitmap)));
  }
  HBITMAP GetBitmap() const { return HBITMAP(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
};
