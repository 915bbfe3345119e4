// TSP_InputNumber, the keypad library's only export: runs the keypad dialog
// on the library's own resources and hands back the confirmed text.
#include "keypad/tessapad.h"

#include "framework/app_state.h"
#include "framework/cwinapp.h"
#include "keypad/keypad_module.h"
#include "keypad/num_input_dlg.h"

namespace {

// On a failure that unwinds out of the modal run, puts things back as the
// run found them: the keypad's window goes, and an owner that was usable
// becomes usable again. Does nothing after a run that ended normally.
class LeftoverCleanup {
 public:
  explicit LeftoverCleanup(CWnd& dialog) : dialog_(dialog) {
    CWinApp* app = AfxGetApp();
    owner_ = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
    ownerEnabled_ = owner_ && IsWindowEnabled(owner_);
  }
  ~LeftoverCleanup() {
    if (!dialog_.m_hWnd) return;
    DestroyWindow(dialog_.m_hWnd);
    if (ownerEnabled_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
  }
  LeftoverCleanup(const LeftoverCleanup&) = delete;
  LeftoverCleanup& operator=(const LeftoverCleanup&) = delete;

 private:
  CWnd& dialog_;
  HWND owner_ = nullptr;
  bool ownerEnabled_ = false;
};

int RunKeypad(std::u16string& value, COLORREF backgroundColor, int decimals) {
  HINSTANCE module = tessapad::KeypadModule();
  if (!module) return 0;
  tessapad::ResourceSourceSwitch ownResources(module);
  CNumInputDlg dialog;  // no explicit owner: the main window owns it
  LeftoverCleanup cleanup(dialog);
  dialog.m_crBackground = backgroundColor;
  dialog.m_nDecimals = decimals;
  if (dialog.DoModal() != IDOK || dialog.HasFailed()) return 0;
  value = dialog.m_strValue;
  return 1;
}

}  // namespace

extern "C" int TSP_InputNumber(std::u16string& value, COLORREF backgroundColor, int decimals) {
  try {
    return RunKeypad(value, backgroundColor, decimals);
  } catch (...) {
    return 0;  // nothing may cross the library's boundary
  }
}
