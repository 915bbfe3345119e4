#include "framework/clistctrl.h"

#include "framework/cimagelist.h"

int CListCtrl::InsertColumn(int column, const char16_t* heading, int format, int width, int subItem) {
  LVCOLUMNW col;
  col.mask = LVCF_FMT | LVCF_TEXT;
  col.fmt = format;
  col.pszText = const_cast<LPWSTR>(heading);
  if (width != -1) {
    col.mask |= LVCF_WIDTH;
    col.cx = width;
  }
  if (subItem != -1) {
    col.mask |= LVCF_SUBITEM;
    col.iSubItem = subItem;
  }
  return int(SendMessage(LVM_INSERTCOLUMNW, WPARAM(column), LPARAM(&col)));
}

int CListCtrl::InsertItem(int index, const char16_t* text) {
  return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int index, const char16_t* text, int image) {
  return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(UINT mask, int index, const char16_t* text, UINT state, UINT stateMask,
                          int image, LPARAM data) {
  LVITEMW item;
  item.mask = mask;
  item.iItem = index;
  item.pszText = const_cast<LPWSTR>(text);
  item.state = state;
  item.stateMask = stateMask;
  item.iImage = image;
  item.lParam = data;
  return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int index, int subItem, const char16_t* text) {
  LVITEMW item;
  item.iSubItem = subItem;
  item.pszText = const_cast<LPWSTR>(text);
  return BOOL(SendMessage(LVM_SETITEMTEXTW, WPARAM(index), LPARAM(&item)));
}

std::u16string CListCtrl::GetItemText(int index, int subItem) const {
  // The message gives no length up front: grow the buffer until the text
  // leaves room to spare.
  std::u16string text;
  for (size_t size = 64;; size *= 2) {
    text.assign(size, u'\0');
    LVITEMW item;
    item.iSubItem = subItem;
    item.pszText = text.data();
    item.cchTextMax = int(size);
    const LRESULT length = SendMessage(LVM_GETITEMTEXTW, WPARAM(index), LPARAM(&item));
    if (length < 0) return {};
    if (size_t(length) < size - 1 || size >= (size_t(1) << 24)) {
      text.resize(size_t(length));
      return text;
    }
  }
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
  LVITEMW item;
  item.state = state;
  item.stateMask = mask;
  return BOOL(SendMessage(LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item)));
}

HIMAGELIST CListCtrl::SetImageList(CImageList* list, int which) {
  return HIMAGELIST(SendMessage(LVM_SETIMAGELIST, WPARAM(which),
                                LPARAM(list ? list->GetSafeHandle() : nullptr)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
  LVITEMW item;
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!SendMessage(LVM_GETITEMW, 0, LPARAM(&item))) return 0;
  return UINT_PTR(item.lParam);
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
  LVITEMW item;
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = LPARAM(data);
  return BOOL(SendMessage(LVM_SETITEMW, 0, LPARAM(&item)));
}
