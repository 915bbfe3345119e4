// SHInitDialog; see init_dialog.h.
#include "shell/init_dialog.h"

#include "shell/redraw.h"
#include "shell/soft_keyboard.h"
#include "shell/task_bar.h"
#include "win/screen_layout.h"

namespace {

// The rectangle a dialog takes for its size flags, or none (left as is).
bool TargetRect(DWORD flags, RECT& out) {
  if (flags & SHIDIF_FULLSCREENNOMENUBAR) {
    out = {win::kWorkArea.left, win::kWorkArea.top, win::kScreenRect.right, win::kScreenRect.bottom};
    return true;
  }
  if (flags & SHIDIF_SIZEDLGFULLSCREEN) {
    out = win::kWorkArea;
    return true;
  }
  if (flags & SHIDIF_SIZEDLG) {
    SIPINFO sip;
    sip.cbSize = sizeof sip;
    SHSipInfo(SPI_GETSIPINFO, 0, &sip, 0);
    out = sip.rcVisibleDesktop;
    return true;
  }
  return false;
}

}  // namespace

BOOL SHInitDialog(SHINITDLGINFO* info) {
  if (!info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  HWND dialog = info->hDlg;
  if (!IsWindow(dialog) || (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!(info->dwMask & SHIDIM_FLAGS)) return TRUE;
  const DWORD flags = info->dwFlags;
  if (flags & SHIDIF_SIPDOWN) SipShowIM(SIPF_OFF);
  if (flags & SHIDIF_DONEBUTTON) {
    SetWindowLongW(dialog, GWL_EXSTYLE, LONG(DWORD(GetWindowLongW(dialog, GWL_EXSTYLE)) | WS_EX_CAPTIONOKBTN));
    if (HWND bar = shell::TaskBar()) shell::Redraw(bar);
  }
  RECT target;
  if (TargetRect(flags, target))
    MoveWindow(dialog, target.left, target.top, target.right - target.left,
               target.bottom - target.top, TRUE);
  return TRUE;
}
