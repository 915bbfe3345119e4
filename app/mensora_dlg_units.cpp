// CMensoraDlg: category selection and the unit lists.
#include "app/mensora_dlg.h"

#include "app/number_format.h"
#include "data/derivation.h"

// The category named by the selector's selected entry becomes current: the
// first in database order with exactly that name, or the first category when
// none has it or nothing is selected. An empty database leaves no current
// category.
void CMensoraDlg::OnSelChangeCategory() {
  const int index = m_comboCategory.GetCurSel();
  const std::u16string name = m_comboCategory.GetLBText(index);
  if (Database().empty()) {
    m_nCategory = -1;
    return;
  }
  m_nCategory = FindCategory(Database(), name);
  if (m_nCategory < 0) m_nCategory = 0;
  FillUnitLists();
}

// The selector's previous entry, the last one before the first.
void CMensoraDlg::OnPrevCategory() {
  const int count = int(Database().size());
  int index = m_comboCategory.GetCurSel() - 1;
  if (index < 0) index = count - 1;
  m_comboCategory.SetCurSel(index);
  OnSelChangeCategory();
}

// The selector's next entry, the first one after the last.
void CMensoraDlg::OnNextCategory() {
  const int count = int(Database().size());
  int index = m_comboCategory.GetCurSel() + 1;
  if (index >= count) index = 0;
  m_comboCategory.SetCurSel(index);
  OnSelChangeCategory();
}

void CMensoraDlg::SelectUnitRow(CListCtrl& list, int row) {
  list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  list.EnsureVisible(row, FALSE);
}

// Fills both unit lists from the current category (the lists sort their
// rows), selects the first row on the left and the second (or only) row on
// the right, completes the category's conversions by one derivation pass,
// reformats the value and converts it, and repaints the background.
void CMensoraDlg::FillUnitLists() {
  if (m_nCategory < 0 || m_nCategory >= int(Database().size())) return;
  Category& category = Database()[size_t(m_nCategory)];
  m_listFrom.DeleteAllItems();
  m_listTo.DeleteAllItems();
  m_crBackground = category.color != 0 ? category.color : TheSettings().display.defcolor;
  for (const std::u16string& unit : category.units) {
    m_listFrom.InsertItem(m_listFrom.GetItemCount(), unit.c_str());
    m_listTo.InsertItem(m_listTo.GetItemCount(), unit.c_str());
  }
  SelectUnitRow(m_listFrom, 0);
  SelectUnitRow(m_listTo, m_listTo.GetItemCount() > 1 ? 1 : 0);
  DeriveConversions(category);
  ReformatValueAndConvert();
  RepaintBackground(true);
}

// The value field's text, read back as a number, rewritten in the value
// format, and converted.
void CMensoraDlg::ReformatValueAndConvert() {
  const double value = ParseValue(m_editValue.GetWindowText());
  m_editValue.SetWindowText(FormatValue(value, m_nDigits));
  ConvertAndShow(value);
}
