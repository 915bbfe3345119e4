// CDialog: a dialog object built from a dialog template of the current
// resource source. The object outlives its window: each DoModal builds the
// window afresh and the object keeps its fields between showings.
#pragma once

#include "framework/cwnd.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr)
      : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

  // Runs the dialog modally, owned by the parent given at construction or,
  // without one, by the application's main window (m_pMainWnd), and returns
  // the value given to EndDialog; -1 when the template is missing from the
  // resource source or cannot be built (the last error says why).
  virtual INT_PTR DoModal();

  // Ends the modal run with `result` after the current message.
  void EndDialog(int result);

 protected:
  // After the controls exist. Return TRUE to let the dialog manager focus the
  // first control, FALSE when the handler has placed the focus itself.
  virtual BOOL OnInitDialog();
  virtual void OnOK();      // default: EndDialog(IDOK)
  virtual void OnCancel();  // default: EndDialog(IDCANCEL)

  // IDOK and IDCANCEL go to OnOK and OnCancel.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
  static const MessageMap* GetThisMessageMap();

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 private:
  static INT_PTR DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
