// CButton: the button control's messages as typed calls.
#pragma once

#include "framework/cwnd.h"
#include "win/controls/button.h"

class CButton : public CWnd {
 public:
  int GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
  void SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }
  // The check state with BST_PUSHED and BST_FOCUS.
  UINT GetState() const { return UINT(SendMessage(BM_GETSTATE)); }
  // TRUE gives the pushed look, FALSE the normal one.
  void SetState(BOOL pushed) { SendMessage(BM_SETSTATE, WPARAM(pushed)); }
  void SetButtonStyle(UINT style, BOOL redraw = TRUE) {
    SendMessage(BM_SETSTYLE, WPARAM(style), LPARAM(redraw));
  }
  UINT GetButtonStyle() const { return UINT(GetStyle() & 0xFFFFu); }

  // Draws an owner-drawn button; the parent's WM_DRAWITEM comes here when
  // the parent's map does not take it. The default draws nothing.
  virtual void DrawItem(DRAWITEMSTRUCT*) {}

 protected:
  BOOL OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) override {
    if (message != WM_DRAWITEM) return FALSE;
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return TRUE;
  }
};
