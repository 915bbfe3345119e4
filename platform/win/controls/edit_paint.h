// How an edit field looks: its visible lines at the edit's own character
// positions (so the caret and the selection fall where the pen finds them),
// the selection highlighted, and a caret line while it has the focus. The
// frame (WS_BORDER) is the window's, drawn by the window system.
#pragma once

#include <string_view>
#include <vector>

#include "win/winuser.h"

namespace win {

// One visible line: where it starts in the text and its characters.
struct EditLine {
  size_t start = 0;
  std::u16string_view text;
  int x = 0;  // its first character's x, client coordinates
  int y = 0;  // its top, client coordinates
};

struct EditLook {
  std::vector<EditLine> lines;
  size_t selLo = 0, selHi = 0;  // the selection, as text positions
  bool focused = false;
  bool caretShown = false;
  POINT caret;                  // the caret's top, client coordinates
  bool readOnlyOrDisabled = false;
  bool enabled = true;
  bool password = false;
};

// Paints the whole client area into `hdc`; nothing on a null DC.
void PaintEdit(HWND hwnd, HDC hdc, const EditLook& look);

}  // namespace win
