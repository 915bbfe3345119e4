// CNumEdit; see num_edit.h.
#include "keypad/num_edit.h"

#include <cstdint>

const MessageMap* CNumEdit::GetMessageMap() const {
  static const MessageMap map(CEdit::GetThisMessageMap(), {
      MapMessage(WM_LBUTTONDOWN, &CNumEdit::OnLButtonDown),
      MapMessage(WM_LBUTTONUP, &CNumEdit::OnLButtonUp),
      MapMessage(WM_MOUSEMOVE, &CNumEdit::OnMouseMove),
  });
  return &map;
}

LRESULT CNumEdit::OnLButtonDown(WPARAM flags, LPARAM point) {
  return HandleThenPassOn(WM_LBUTTONDOWN, flags, point);
}

LRESULT CNumEdit::OnLButtonUp(WPARAM flags, LPARAM point) {
  return HandleThenPassOn(WM_LBUTTONUP, flags, point);
}

LRESULT CNumEdit::OnMouseMove(WPARAM flags, LPARAM point) {
  return HandleThenPassOn(WM_MOUSEMOVE, flags, point);
}

LRESULT CNumEdit::HandleThenPassOn(UINT message, WPARAM flags, LPARAM point) {
  LRESULT result = Default();
  HWND parent = ::GetParent(m_hWnd);
  if (!parent) return result;
  POINT p = PointFromLParam(point);
  ClientToScreen(m_hWnd, &p);
  ScreenToClient(parent, &p);
  LPARAM inParent = LPARAM(MAKELONG(WORD(std::int16_t(p.x)), WORD(std::int16_t(p.y))));
  ::SendMessageW(parent, message, flags, inParent);
  return result;
}
