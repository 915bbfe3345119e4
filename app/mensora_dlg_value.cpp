// CMensoraDlg: value entry through the keypad, conversion into the result
// field, the result field's edit menu, and passing the focus on.
#include "app/mensora_dlg.h"

#include "app/number_format.h"
#include "data/derivation.h"
#include "framework/app_state.h"
#include "framework/cmenu.h"
#include "i18n/language_pack.h"
#include "i18n/resource_ids.h"
#include "keypad/tessapad.h"

std::u16string CMensoraDlg::SelectedUnit(const CListCtrl& list) const {
  const int row = list.GetNextItem(-1, LVNI_SELECTED);
  return row < 0 ? std::u16string() : list.GetItemText(row, 0);
}

// Converts `value` between the selected units of the current category and
// shows the result in the result field; without a selected row on either
// side, or without a conversion for the pair, the field shows the text for a
// missing conversion. The value field is not touched.
void CMensoraDlg::ConvertAndShow(double value) {
  const int fromRow = m_listFrom.GetNextItem(-1, LVNI_SELECTED);
  const int toRow = m_listTo.GetNextItem(-1, LVNI_SELECTED);
  double result = 0;
  if (fromRow >= 0 && toRow >= 0 &&
      ConvertValue(Database(), m_nCategory, m_listFrom.GetItemText(fromRow, 0),
                   m_listTo.GetItemText(toRow, 0), value, result) == 0) {
    m_editResult.SetWindowText(FormatResult(result, m_nDigits, m_nNotation));
  } else {
    m_editResult.SetWindowText(LoadUiString(IDS_NO_CONVERSION));
  }
}

// A tap on either unit list converts the value the field shows; the field
// keeps its text.
void CMensoraDlg::OnClickUnitList(NMHDR*, LRESULT*) {
  ConvertAndShow(ParseValue(m_editValue.GetWindowText()));
}

void CMensoraDlg::OnUnitListFocus(NMHDR*, LRESULT* result) {
  PassFocusOn();
  *result = 0;
}

// The lists and fields never keep the focus: it moves to the next tab stop.
void CMensoraDlg::PassFocusOn() { SendMessage(WM_NEXTDLGCTL, 0, 0); }

// The keypad, on the current background colour and with the precision's
// decimals. A confirmed number is shown in the value format and converted
// as typed, not as rounded for display; a cancelled keypad changes nothing.
void CMensoraDlg::EnterValue() {
  std::u16string typed;
  if (TSP_InputNumber(typed, m_crBackground, m_nDigits) == 0) return;
  const double value = ParseValue(typed);
  m_editValue.SetWindowText(FormatValue(value, m_nDigits));
  ConvertAndShow(value);
}

// The result field's edit menu (menu 137 of the program), opened at the
// field's top-left corner. Copy, Cut and Delete act on the whole text;
// Paste is greyed in the resource.
void CMensoraDlg::ShowResultMenu() {
  CMenu menu;
  if (!menu.LoadMenu(AfxGetInstanceHandle(), IDR_RESULT_MENU)) return;
  CMenu* popup = menu.GetSubMenu(0);
  if (!popup) return;
  RECT field;
  m_editResult.GetWindowRect(&field);
  const UINT command = UINT(popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                                  field.left, field.top, this));
  UINT message = 0;
  switch (command) {
    case ID_EDIT_COPY: message = WM_COPY; break;
    case ID_EDIT_CUT: message = WM_CUT; break;
    case ID_EDIT_CLEAR: message = WM_CLEAR; break;
    default: return;
  }
  m_editResult.SetSel(0, -1);  // the whole text, caret scrolled into view
  m_editResult.SendMessage(message);
}
