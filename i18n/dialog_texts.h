// The texts of every dialog, set from the language pack by template id: the
// caption and each labelled control of the dialogs the program shows.
#pragma once

#include <span>

#include "base/wintypes.h"

// What one row of the table sets.
enum class DialogTextTarget {
  kCaption,  // the dialog's own text
  kControl,  // a control's text (SetWindowTextW)
  kBitmap,   // an image static's bitmap (STM_SETIMAGE), from LoadPackBitmap
};

struct DialogTextRow {
  UINT templateId;
  DialogTextTarget target;
  int controlId;  // 0 for the caption
  UINT resourceId;  // UI string, or pack bitmap for kBitmap
};

// The whole table, grouped by template, each template's rows in the order
// they are applied (caption first).
std::span<const DialogTextRow> DialogTextTable();

// Sets the texts of `dialog` for template `templateId` from the pack, row by
// row in table order, each with LoadUiString (a string the pack lacks gives
// an empty text). Controls the dialog lacks are skipped; template ids not in
// the table, and a dialog that is not a window, do nothing.
void ApplyDialogTexts(UINT templateId, HWND dialog);
