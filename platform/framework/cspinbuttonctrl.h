// CSpinButtonCtrl: the up-down control's messages as typed calls.
#pragma once

#include "framework/cwnd.h"
#include "win/controls/updown.h"

class CSpinButtonCtrl : public CWnd {
 public:
  // 10 or 16; returns the previous base, 0 for any other.
  int SetBase(int base) { return int(SendMessage(UDM_SETBASE, WPARAM(base))); }
  int GetBase() const { return int(SendMessage(UDM_GETBASE)); }
  void SetRange(short lower, short upper) {
    SendMessage(UDM_SETRANGE, 0, LPARAM(MAKELONG(WORD(upper), WORD(lower))));
  }
  void SetRange32(int lower, int upper) {
    SendMessage(UDM_SETRANGE32, WPARAM(lower), LPARAM(upper));
  }
  void GetRange32(int& lower, int& upper) const {
    SendMessage(UDM_GETRANGE32, WPARAM(&lower), LPARAM(&upper));
  }
  // Returns the previous position.
  int SetPos(int pos) { return int(SendMessage(UDM_SETPOS32, 0, LPARAM(pos))); }
  int GetPos() const { return int(SendMessage(UDM_GETPOS32)); }
  // Returns the previous buddy.
  CWnd* SetBuddy(CWnd* buddy) {
    return CWnd::FromHandle(HWND(SendMessage(UDM_SETBUDDY, WPARAM(buddy ? buddy->m_hWnd : nullptr))));
  }
  CWnd* GetBuddy() const { return CWnd::FromHandle(HWND(SendMessage(UDM_GETBUDDY))); }
};
