// A small modal dialog for the host tests: an edit field (100), OK and
// Cancel. It keeps what the field held when it ended and the clock's time of
// its last command.
#pragma once

#include <cstdint>
#include <string>

#include "sys/system.h"
#include "win/controls/register_controls.h"
#include "win/dialog.h"
#include "win/dialog_builder.h"

struct SmallDialog {
  static constexpr int kEdit = 100;
  std::u16string text;
  std::int64_t commandTime = 0;

  INT_PTR Run() {
    win::RegisterControlClasses();
    win::DialogTemplateBuilder form(WS_POPUP | WS_CAPTION, 120, 80, u"Small");
    form.Item(kEdit, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP, 10, 10, 100, 12, u"EDIT")
        .Item(IDOK, BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 10, 50, 40, 14, u"BUTTON", u"OK")
        .Item(IDCANCEL, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 60, 50, 40, 14, u"BUTTON", u"Cancel");
    return DialogBoxIndirectParamW(nullptr, form.bytes(), nullptr, &Proc, reinterpret_cast<LPARAM>(this));
  }

  static INT_PTR Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(dialog, DWL_USER, lParam);
      return TRUE;
    }
    auto* self = reinterpret_cast<SmallDialog*>(GetWindowLongPtrW(dialog, DWL_USER));
    if (message != WM_COMMAND || !self) return FALSE;
    int id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL) return FALSE;
    self->text = WindowText(GetDlgItem(dialog, kEdit));
    self->commandTime = sys::NowSeconds();
    EndDialog(dialog, id);
    return TRUE;
  }
};
