// The painting tests' dialog holding every control (template 300 of
// data/paint_test.rc), filled with sample content, for the golden
// screenshot and the repaint benchmark.
#pragma once

#include "win/winuser.h"

namespace paint_test {

// Registers the test resources as the program's module (once per process)
// and returns it.
HINSTANCE Module();

// Creates the dialog as a modeless top-level window in the work area, fills
// its list, combo box, edit selection and check boxes, and draws its
// owner-drawn "<<" button in the dialog procedure. With `tiled`, the dialog
// erases its background by tiling bitmap 100 with BitBlt. nullptr when the
// template cannot be built.
HWND CreateEveryControlDialog(bool tiled);

}  // namespace paint_test
