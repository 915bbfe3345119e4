// CNumInputDlg: the keypad dialog (template 131). Twelve bitmap keys, a sign
// key, OK, Cancel and Clear around one entry field whose text obeys the
// entry rule after every change; a press and hold on the field opens its
// context menu (cut, copy, delete, paste). Lives for one TSP_InputNumber call.
#pragma once

#include <array>
#include <string>

#include "framework/cbutton.h"
#include "framework/cdialog.h"
#include "framework/ctime.h"
#include "keypad/num_edit.h"
#include "keypad/num_key_button.h"

class CNumInputDlg : public CDialog {
 public:
  explicit CNumInputDlg(CWnd* parent = nullptr);

  int m_nDecimals = 0;           // decimal places allowed; <= 0 allows no point
  COLORREF m_crBackground = 0;   // painted behind all controls
  CTime m_timePressed;           // when the pen last went down on the entry field
  BOOL m_bPressed = FALSE;       // a press on the entry field is pending
  std::u16string m_strValue;     // the confirmed text, sign included

  // TRUE when a handler failed and ended the run: the result must not be used.
  BOOL HasFailed() const { return m_bFailed; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  // Every message passes a guard: a handler that throws ends the run as
  // failed instead of unwinding through the platform's loops.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  const MessageMap* GetMessageMap() const override;

  LRESULT OnEraseBkgnd(WPARAM dc, LPARAM);
  LRESULT OnLButtonDown(WPARAM flags, LPARAM point);
  LRESULT OnMouseMove(WPARAM flags, LPARAM point);
  LRESULT OnLButtonUp(WPARAM flags, LPARAM point);
  void OnDigitKey(UINT id);
  void OnPointKey();
  void OnBackspaceKey();
  void OnClear();
  void OnSign();
  void OnChangeEntry();

  CButton m_btnSign;
  CButton m_btnOk;
  CButton m_btnCancel;
  CButton m_btnClear;
  std::array<CNumKeyButton, 12> m_keys;
  CNumEdit m_edit;

 private:
  BOOL InitDialog();
  void BindControls();
  void LoadKeyImages();
  // Whether a point in the dialog's client coordinates lies on the entry field.
  bool OnEntryField(POINT point) const;
  // Tracks the entry field's context menu at a client point and applies the
  // chosen command.
  void ShowEntryMenu(POINT point);
  void ApplyEntryCommand(UINT command);
  void SelectAllEntry();
  void PutCaretAtEnd();
  void Fail();

  std::u16string m_strAccepted;  // the entry as the rule last left it, for reverting
  BOOL m_bFailed = FALSE;
};
