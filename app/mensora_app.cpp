// CMensoraApp; see mensora_app.h.
#include "app/mensora_app.h"

#include <memory>

#include "app/mensora_dlg.h"

BOOL CMensoraApp::InitInstance() {
  auto dialog = std::make_unique<CMensoraDlg>();
  m_pMainWnd = dialog.get();
  dialog->DoModal();
  m_pMainWnd = nullptr;
  dialog.reset();
  // A quit request (the language dialog's) ends the modal run and is posted
  // again for the enclosing loops: its code is the program's exit code.
  MSG msg;
  if (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) m_exitCode = int(msg.wParam);
  return FALSE;
}
