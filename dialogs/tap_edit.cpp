// CTapEdit; see tap_edit.h.
#include "dialogs/tap_edit.h"

const MessageMap* CTapEdit::GetMessageMap() const {
  static const MessageMap map(CEdit::GetThisMessageMap(), {
      MapMessage(WM_LBUTTONDOWN, &CTapEdit::OnLButtonDown),
  });
  return &map;
}

LRESULT CTapEdit::OnLButtonDown(WPARAM, LPARAM) {
  if (HWND parent = ::GetParent(m_hWnd))
    ::SendMessageW(parent, WM_USER, kTapReport, reinterpret_cast<LPARAM>(this));
  return 0;
}
