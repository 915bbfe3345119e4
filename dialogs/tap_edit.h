// CTapEdit: an edit field that is not typed into but tapped. When the pen
// goes down on it, it reports the tap to its parent window, synchronously,
// as WM_USER with wParam kTapReport and lParam the address of the CTapEdit
// object, and the tap goes no further: it places no caret, selects nothing
// and gives no focus. Everything else is the edit control's own behaviour.
#pragma once

#include "framework/cedit.h"

class CTapEdit : public CEdit {
 public:
  // The wParam of the tap report.
  static constexpr WPARAM kTapReport = 255;

 protected:
  // Sends the report and returns once the parent has handled it (a modal
  // keypad included). The pen's release is left to the edit control.
  LRESULT OnLButtonDown(WPARAM flags, LPARAM point);

  const MessageMap* GetMessageMap() const override;
};
