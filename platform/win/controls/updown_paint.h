// How an up-down control looks: two arrow buttons, one above the other (or
// side by side with UDS_HORZ), the held one inverted.
#pragma once

#include "win/winuser.h"

namespace win {

struct UpDownLook {
  RECT first, second;            // the two buttons, client coordinates
  bool across = false;           // side by side: arrows point left and right
  bool firstPressed = false, secondPressed = false;
  bool enabled = true;
};

// Paints both buttons; nothing on a null DC.
void PaintUpDown(HDC hdc, const UpDownLook& look);

}  // namespace win
