// CComboBox: the combo box's messages as typed calls. Indexes are CB_ERR
// (-1) when there is no such item.
#pragma once

#include <string>

#include "framework/cwnd.h"
#include "win/controls/combobox.h"

class CComboBox : public CWnd {
 public:
  // The index where the text went (its sorted place with CBS_SORT).
  int AddString(const char16_t* text) { return int(SendMessage(CB_ADDSTRING, 0, LPARAM(text))); }
  // Never sorted; -1 appends.
  int InsertString(int index, const char16_t* text) {
    return int(SendMessage(CB_INSERTSTRING, WPARAM(index), LPARAM(text)));
  }
  // The number of items left.
  int DeleteString(UINT index) { return int(SendMessage(CB_DELETESTRING, index)); }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
  // -1 clears the selection (and so returns CB_ERR); no CBN_SELCHANGE.
  int SetCurSel(int index) { return int(SendMessage(CB_SETCURSEL, WPARAM(index))); }
  int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
  // Empty for an index out of range.
  std::u16string GetLBText(int index) const;
  // The whole text, case ignored, searching after `start` (-1: from the top).
  int FindStringExact(int start, const char16_t* text) const {
    return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(start), LPARAM(text)));
  }
  int SetItemData(int index, DWORD_PTR data) {
    return int(SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(data)));
  }
  DWORD_PTR GetItemData(int index) const { return DWORD_PTR(SendMessage(CB_GETITEMDATA, WPARAM(index))); }
};
