// The control colour request every control makes before it paints: the
// parent is asked with WM_CTLCOLORSTATIC/EDIT/BTN/LISTBOX and the control's
// DC, may set the DC's text and background colours and answers a brush;
// an answer of 0 leaves the platform's defaults.
#pragma once

#include "win/winuser.h"

namespace win {

struct ControlColors {
  HBRUSH background = nullptr;  // never null after a request
  bool fromParent = false;      // the parent answered with a brush of its own
};

// Sends `message` to the control's parent (its owner for a top-level
// window) with `hdc`; on a 0 answer (or no parent) applies the defaults of
// DefaultControlColors. A null DC gets the default brush only.
ControlColors RequestControlColors(HWND control, HDC hdc, UINT message);

// The same, asking `parent` (a part of a control asks the control's parent:
// a combo box's dropped list, for instance).
ControlColors RequestControlColorsOf(HWND parent, HWND control, HDC hdc, UINT message);

// The platform's answer to a WM_CTLCOLOR* message, as DefWindowProc gives
// it: text and background colours set on `hdc` (when not null) and the
// system brush returned. Fields and lists are white with black text; the
// rest stands on the button face.
HBRUSH DefaultControlColors(HDC hdc, UINT message);

}  // namespace win
