// How a drop-down combo box looks: the field with the selected text and the
// arrow button at its right (inverted while held), and the dropped list
// popup with its rows, the row under the pen or the selection highlighted,
// and its scroll bar.
#pragma once

#include <string>
#include <vector>

#include "win/winuser.h"

namespace win {

struct ComboFieldLook {
  std::u16string text;
  int buttonWidth = 0;
  bool focused = false;
  bool pressed = false;
  bool enabled = true;
};

// Paints the field; nothing on a null DC.
void PaintComboField(HWND hwnd, HDC hdc, const ComboFieldLook& look);

struct ComboListLook {
  HWND combo = nullptr;              // whose parent colours the list
  std::vector<std::u16string> rows;  // the visible rows, from the top
  int highlighted = -1;              // among `rows`
  int itemHeight = 0;
  RECT rowsRect;                     // where the rows go
  bool scrolls = false;
  RECT lineUp, lineDown, thumb;      // the scroll bar's parts, when it scrolls
};

// Paints the dropped list (its frame included); nothing on a null DC.
void PaintComboList(HWND list, HDC hdc, const ComboListLook& look);

}  // namespace win
