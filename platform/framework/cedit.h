// CEdit: the edit control's messages as typed calls.
#pragma once

#include "framework/cwnd.h"
#include "win/controls/edit.h"

class CEdit : public CWnd {
 public:
  // start -1 drops the selection; an end of -1 means the end of the text.
  void SetSel(int start, int end, BOOL noScroll = FALSE) {
    SendMessage(EM_SETSEL, WPARAM(start), LPARAM(end));
    if (!noScroll) SendMessage(EM_SCROLLCARET);
  }
  // The ordered selection.
  void GetSel(int& start, int& end) const {
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, WPARAM(&s), LPARAM(&e));
    start = int(s);
    end = int(e);
  }
  // Replaces the selection even in a read-only field.
  void ReplaceSel(const char16_t* text, BOOL canUndo = FALSE) {
    SendMessage(EM_REPLACESEL, WPARAM(canUndo), LPARAM(text));
  }
  // 0 lifts the limit to the largest the control allows.
  void LimitText(int chars = 0) { SendMessage(EM_LIMITTEXT, WPARAM(chars)); }
  void SetLimitText(UINT chars) { SendMessage(EM_SETLIMITTEXT, WPARAM(chars)); }
  UINT GetLimitText() const { return UINT(SendMessage(EM_GETLIMITTEXT)); }
  BOOL SetReadOnly(BOOL readOnly = TRUE) { return BOOL(SendMessage(EM_SETREADONLY, WPARAM(readOnly))); }
  void Cut() { SendMessage(WM_CUT); }
  void Copy() const { SendMessage(WM_COPY); }
  void Paste() { SendMessage(WM_PASTE); }
  void Clear() { SendMessage(WM_CLEAR); }
  // Multi-line fields only; FALSE for a single-line one.
  BOOL LineScroll(int lines, int chars = 0) {
    return BOOL(SendMessage(EM_LINESCROLL, WPARAM(chars), LPARAM(lines)));
  }
  int GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT)); }
};
