// CNumEdit: the keypad's entry field. A single-line edit control that, after
// its own handling of a stylus press, release or move, passes the same
// message on to its dialog, so that the dialog can tell a press and hold on
// the field (its context menu).
#pragma once

#include "framework/cedit.h"

class CNumEdit : public CEdit {
 protected:
  LRESULT OnLButtonDown(WPARAM flags, LPARAM point);
  LRESULT OnLButtonUp(WPARAM flags, LPARAM point);
  LRESULT OnMouseMove(WPARAM flags, LPARAM point);

  const MessageMap* GetMessageMap() const override;

 private:
  // Lets the edit control handle the message, then sends it to the parent
  // with the same flags and the same point, expressed in the parent's client
  // coordinates (the frame the dialog places the field in).
  LRESULT HandleThenPassOn(UINT message, WPARAM flags, LPARAM point);
};
