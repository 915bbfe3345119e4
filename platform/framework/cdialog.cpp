// CDialog; see cdialog.h.
#include "framework/cdialog.h"

#include "framework/app_state.h"
#include "framework/cwinapp.h"
#include "res/modules.h"
#include "res/resources.h"
#include "win/dialog.h"

const MessageMap* CDialog::GetThisMessageMap() {
  static const MessageMap map(CWnd::GetThisMessageMap(), {});
  return &map;
}

INT_PTR CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
  // Only WM_INITDIALOG is ours: from then on the window's messages reach the
  // object through its own procedure, which hands the rest back to the
  // dialog manager.
  if (message != WM_INITDIALOG) return FALSE;
  auto* self = reinterpret_cast<CDialog*>(lParam);
  if (!self->SubclassWindow(hwnd)) return FALSE;
  return self->OnInitDialog();
}

INT_PTR CDialog::DoModal() {
  HINSTANCE source = AfxGetResourceHandle();
  auto bytes = res::FindModuleResource(source, res::NameOrOrdinal(RT_DIALOG),
                                       res::NameOrOrdinal(WORD(m_nIDTemplate)));
  if (!bytes) return -1;
  // Without a parent the application's main window owns the dialog.
  CWinApp* app = AfxGetApp();
  CWnd* ownerWnd = m_pParentWnd ? m_pParentWnd : app ? app->m_pMainWnd : nullptr;
  HWND owner = ownerWnd && ownerWnd != this ? ownerWnd->m_hWnd : nullptr;
  return DialogBoxIndirectParamW(source, *bytes, owner, &CDialog::DialogProc,
                                 reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::OnInitDialog() { return TRUE; }
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != BN_CLICKED) return FALSE;
  if (LOWORD(wParam) == IDOK) return OnOK(), TRUE;
  if (LOWORD(wParam) == IDCANCEL) return OnCancel(), TRUE;
  return FALSE;
}
