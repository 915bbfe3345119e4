// Parent notifications; see notify.h.
#include "win/controls/notify.h"

namespace win {

LRESULT NotifyCommand(HWND control, WORD code) {
  HWND parent = GetParent(control);
  if (!parent || (GetWindowLongW(control, GWL_STYLE) & WS_CHILD) == 0) return 0;
  return SendMessageW(parent, WM_COMMAND, MAKELONG(WORD(GetDlgCtrlID(control)), code),
                      reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, NMHDR& header) {
  HWND parent = GetParent(control);
  if (!parent || (GetWindowLongW(control, GWL_STYLE) & WS_CHILD) == 0) return 0;
  header.hwndFrom = control;
  header.idFrom = UINT_PTR(GetDlgCtrlID(control));
  return SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

}  // namespace win
