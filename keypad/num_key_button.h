// CNumKeyButton: one key of the keypad, an owner-drawn push button shown by
// an up image and a down image (bitmap resources of the keypad library,
// addressed by name). Press, focus and click are the push button's own.
#pragma once

#include "framework/cbitmapbutton.h"

class CNumKeyButton : public CBitmapButton {
 public:
  // Loads the up and the down image by name from the current resource
  // source (the keypad selects its own module while it runs); the focus and
  // disabled slots stay empty. FALSE when the up image is missing, in which
  // case the key draws nothing.
  BOOL LoadKeyImages(LPCWSTR up, LPCWSTR down) { return LoadBitmaps(up, down); }
};
