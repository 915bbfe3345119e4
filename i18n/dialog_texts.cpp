// The dialog text table and its application.
#include "i18n/dialog_texts.h"

#include <array>

#include "i18n/language_pack.h"
#include "i18n/resource_ids.h"
#include "win/controls/static_control.h"
#include "win/winuser.h"

namespace {

using T = DialogTextTarget;

// The last comment of each row is the template's own text: what the string labels.
constexpr std::array kTable = {
    // 102 main window
    DialogTextRow{102, T::kCaption, 0, IDS_MAIN_CAPTION},  // "Mensora"
    // 140 colour
    DialogTextRow{140, T::kCaption, 0, IDS_COLOR_CAPTION},  // "Change Color"
    DialogTextRow{140, T::kControl, 2, IDS_COLOR_CANCEL},   // "Cancel"
    // 142 configuration
    DialogTextRow{142, T::kCaption, 0, IDS_CONFIG_CAPTION},        // "Configuration"
    DialogTextRow{142, T::kControl, 1055, IDS_CONFIG_PRECISION},   // "Decimal-point precision"
    DialogTextRow{142, T::kControl, 1028, IDS_CONFIG_SCIENTIFIC},  // "Scientific notation"
    DialogTextRow{142, T::kControl, 1, IDS_CONFIG_CLOSE},          // "Close"
    // 143 bitmap selection
    DialogTextRow{143, T::kCaption, 0, IDS_BITMAP_CAPTION},     // "Select Bitmap"
    DialogTextRow{143, T::kControl, 1025, IDS_BITMAP_UP},       // "Up"
    DialogTextRow{143, T::kControl, 1027, IDS_CANCEL},          // "Cancel"
    DialogTextRow{143, T::kControl, 1033, IDS_BITMAP_CLEAR},    // "Clear"
    DialogTextRow{143, T::kControl, 1054, IDS_BITMAP_PATH},     // "Path:"
    // 144 custom editor
    DialogTextRow{144, T::kCaption, 0, IDS_CUSTOM_CAPTION},           // "Edit Custom"
    DialogTextRow{144, T::kControl, 1053, IDS_CUSTOM_HEADING},        // "CUSTOM"
    DialogTextRow{144, T::kControl, 1036, IDS_CUSTOM_ADD},            // "Add"
    DialogTextRow{144, T::kControl, 1037, IDS_CUSTOM_DELETE},         // "Delete"
    DialogTextRow{144, T::kControl, 1043, IDS_CUSTOM_SELECT_FROM},    // "Select From"
    DialogTextRow{144, T::kControl, 1038, IDS_CUSTOM_SELECT_TO},      // "Select To"
    DialogTextRow{144, T::kControl, 1044, IDS_CUSTOM_SET},            // "Set"
    DialogTextRow{144, T::kControl, 1034, IDS_CUSTOM_CLOSE},          // "Close"
    // 145 text entry
    DialogTextRow{145, T::kCaption, 0, IDS_TEXT_CAPTION},  // "Enter Text"
    DialogTextRow{145, T::kControl, 1, IDS_OK},            // "OK"
    DialogTextRow{145, T::kControl, 2, IDS_CANCEL},        // "Cancel"
    // 146 about
    DialogTextRow{146, T::kCaption, 0, IDS_ABOUT_CAPTION},  // "About Mensora"
    DialogTextRow{146, T::kControl, 1, IDS_OK},             // "OK"
    // 147 help
    DialogTextRow{147, T::kCaption, 0, IDS_HELP_CAPTION},  // "Help"
    DialogTextRow{147, T::kControl, 1, IDS_OK},            // "OK"
    // 155 language: no caption of its own (full-screen dialog)
    DialogTextRow{155, T::kControl, 33001, IDS_LANGUAGE_NOTE},  // the note
    DialogTextRow{155, T::kBitmap, 33003, IDB_LANGUAGE},        // the language image
};

}  // namespace

std::span<const DialogTextRow> DialogTextTable() { return kTable; }

void ApplyDialogTexts(UINT templateId, HWND dialog) {
  if (!IsWindow(dialog)) return;
  for (const DialogTextRow& row : kTable) {
    if (row.templateId != templateId) continue;
    switch (row.target) {
      case T::kCaption:
        SetWindowTextW(dialog, LoadUiString(row.resourceId));
        break;
      case T::kControl:
        if (HWND control = GetDlgItem(dialog, row.controlId))
          SetWindowTextW(control, LoadUiString(row.resourceId));
        break;
      case T::kBitmap:
        if (HWND control = GetDlgItem(dialog, row.controlId))
          SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP,
                       reinterpret_cast<LPARAM>(LoadPackBitmap(row.resourceId)));
        break;
    }
  }
}
