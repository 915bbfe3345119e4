// CListCtrl: the list view's messages as typed calls. Item indexes are -1
// when there is no such item.
#pragma once

#include <string>

#include "framework/cwnd.h"
#include "win/controls/listview.h"

class CImageList;

class CListCtrl : public CWnd {
 public:
  int InsertColumn(int column, const char16_t* heading, int format = LVCFMT_LEFT, int width = -1,
                   int subItem = -1);
  BOOL SetColumnWidth(int column, int cx) {
    return BOOL(SendMessage(LVM_SETCOLUMNWIDTH, WPARAM(column), LPARAM(cx)));
  }
  int GetColumnWidth(int column) const { return int(SendMessage(LVM_GETCOLUMNWIDTH, WPARAM(column))); }

  // The index the item went to: a sorted list chooses the place itself.
  int InsertItem(const LVITEMW* item) { return int(SendMessage(LVM_INSERTITEMW, 0, LPARAM(item))); }
  int InsertItem(int index, const char16_t* text);
  int InsertItem(int index, const char16_t* text, int image);
  int InsertItem(UINT mask, int index, const char16_t* text, UINT state, UINT stateMask, int image,
                 LPARAM data);
  BOOL SetItemText(int index, int subItem, const char16_t* text);
  std::u16string GetItemText(int index, int subItem) const;
  BOOL DeleteItem(int index) { return BOOL(SendMessage(LVM_DELETEITEM, WPARAM(index))); }
  BOOL DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }
  int GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }
  // The next item after `start` (-1: from the top) with the LVNI_ flags.
  int GetNextItem(int start, UINT flags) const {
    return int(SendMessage(LVM_GETNEXTITEM, WPARAM(start), LPARAM(flags)));
  }
  // index -1 changes every item.
  BOOL SetItemState(int index, UINT state, UINT mask);
  UINT GetItemState(int index, UINT mask) const {
    return UINT(SendMessage(LVM_GETITEMSTATE, WPARAM(index), LPARAM(mask)));
  }
  BOOL EnsureVisible(int index, BOOL partialOK) {
    return BOOL(SendMessage(LVM_ENSUREVISIBLE, WPARAM(index), LPARAM(partialOK)));
  }
  // Returns the previous extended styles; all bits are replaced.
  DWORD SetExtendedStyle(DWORD styles) {
    return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(styles)));
  }
  DWORD GetExtendedStyle() const { return DWORD(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  // Returns the list's previous handle; the list view never owns either.
  HIMAGELIST SetImageList(CImageList* list, int which);
  HIMAGELIST GetImageList(int which) const {
    return HIMAGELIST(SendMessage(LVM_GETIMAGELIST, WPARAM(which)));
  }
  BOOL SetBkColor(COLORREF color) { return BOOL(SendMessage(LVM_SETBKCOLOR, 0, LPARAM(color))); }
  BOOL SetTextBkColor(COLORREF color) { return BOOL(SendMessage(LVM_SETTEXTBKCOLOR, 0, LPARAM(color))); }
  BOOL SetTextColor(COLORREF color) { return BOOL(SendMessage(LVM_SETTEXTCOLOR, 0, LPARAM(color))); }
  COLORREF GetBkColor() const { return COLORREF(SendMessage(LVM_GETBKCOLOR)); }
  COLORREF GetTextBkColor() const { return COLORREF(SendMessage(LVM_GETTEXTBKCOLOR)); }
  COLORREF GetTextColor() const { return COLORREF(SendMessage(LVM_GETTEXTCOLOR)); }
  int FindItem(const LVFINDINFOW* find, int start = -1) const {
    return int(SendMessage(LVM_FINDITEMW, WPARAM(start), LPARAM(find)));
  }
  DWORD_PTR GetItemData(int index) const;
  BOOL SetItemData(int index, DWORD_PTR data);
  int GetStringWidth(const char16_t* text) const {
    return int(SendMessage(LVM_GETSTRINGWIDTHW, 0, LPARAM(text)));
  }
};
