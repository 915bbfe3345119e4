// The platform's list view, window class "SysListView32", in report view
// (LVS_REPORT): rows of items with sub-item columns, sorted insertion,
// single or multiple selection with a focused item, small icons, vertical
// scrolling by whole rows, and the WM_NOTIFY notifications the platform
// sends. Other views keep the items but are laid out as report view.
//
// Message protocol (values in win/winconst.h; structures below):
//   LVM_INSERTCOLUMNW(index, LVCOLUMNW*) -> index or -1; LVM_SETCOLUMNW,
//   LVM_GETCOLUMNW, LVM_DELETECOLUMN; LVM_SETCOLUMNWIDTH(column, cx; -1 fits
//   the texts, -2 the texts and the heading); LVM_GETCOLUMNWIDTH(column).
//   LVM_INSERTITEMW(0, LVITEMW*) -> index or -1 (sorted lists choose the
//   place: after the equal texts); LVM_SETITEMW / LVM_GETITEMW(0, LVITEMW*);
//   LVM_SETITEMTEXTW / LVM_GETITEMTEXTW(index, LVITEMW*) (text changes do not
//   re-sort, as on the platform); LVM_DELETEITEM(index); LVM_DELETEALLITEMS;
//   LVM_GETITEMCOUNT.
//   LVM_SETITEMSTATE(index or -1 for all, LVITEMW* state/stateMask);
//   LVM_GETITEMSTATE(index, mask); LVM_GETSELECTEDCOUNT;
//   LVM_GETNEXTITEM(start or -1, LVNI_*) -> index or -1;
//   LVM_FINDITEMW(start or -1, LVFINDINFOW*) -> index or -1 (LVFI_STRING
//   whole text and LVFI_PARTIAL prefix, ignoring case; LVFI_PARAM; LVFI_WRAP).
//   LVM_ENSUREVISIBLE(index, partialOK), LVM_GETTOPINDEX, LVM_GETCOUNTPERPAGE,
//   LVM_SCROLL(dx, dy pixels, rounded to rows), WM_VSCROLL(SB_*),
//   LVM_GETITEMRECT(index, RECT* with left = LVIR_*), LVM_HITTEST(0,
//   LVHITTESTINFO*).
//   LVM_GETSTRINGWIDTHW(0, text) -> its width in pixels in the list's font.
//   LVM_SETEXTENDEDLISTVIEWSTYLE(mask or 0 for all, styles) -> the old ones;
//   LVM_SETIMAGELIST(LVSIL_*, HIMAGELIST) -> the old list (kept as an opaque
//   handle); LVM_SETBKCOLOR, LVM_SETTEXTBKCOLOR, LVM_SETTEXTCOLOR and their
//   LVM_GET... forms.
// Notifications (WM_NOTIFY to the parent): LVN_ITEMCHANGING (a non-zero
// answer refuses the change) and LVN_ITEMCHANGED with NMLISTVIEW for every
// change of an item's state, text, image or data; LVN_INSERTITEM,
// LVN_DELETEITEM, LVN_DELETEALLITEMS (a non-zero answer skips the
// LVN_DELETEITEM per item); LVN_KEYDOWN; NM_CLICK with NMITEMACTIVATE on
// the pen's release (iItem -1 off the rows); NM_SETFOCUS, NM_KILLFOCUS.
#pragma once

#include "win/controls/notify.h"
#include "win/winuser.h"

using HIMAGELIST = struct _IMAGELIST*;

inline constexpr const char16_t* WC_LISTVIEW = u"SysListView32";

struct LVCOLUMNW {
  UINT mask = 0;  // LVCF_*
  int fmt = 0;    // LVCFMT_*
  int cx = 0;     // width in pixels
  LPWSTR pszText = nullptr;
  int cchTextMax = 0;
  int iSubItem = 0;
  int iImage = 0;
  int iOrder = 0;
};

struct LVITEMW {
  UINT mask = 0;  // LVIF_*
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;  // LVIS_*
  UINT stateMask = 0;
  LPWSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  LPARAM lParam = 0;
  int iIndent = 0;
};

struct LVFINDINFOW {
  UINT flags = 0;  // LVFI_*
  LPCWSTR psz = nullptr;
  LPARAM lParam = 0;
  POINT pt;
  UINT vkDirection = 0;
};

struct LVHITTESTINFO {
  POINT pt;        // client coordinates
  UINT flags = 0;  // LVHT_*
  int iItem = -1;
  int iSubItem = 0;
};

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;  // LVIF_* of what changed
  POINT ptAction;
  LPARAM lParam = 0;  // the item's data
};

struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
  UINT uKeyFlags = 0;
};

struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

// List view notification codes.
inline constexpr UINT LVN_FIRST = 0u - 100u;
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
inline constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2;
inline constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
inline constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;
inline constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55;

// LVM_SETCOLUMNWIDTH's automatic widths.
inline constexpr int LVSCW_AUTOSIZE = -1;
inline constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

// Registers the "SysListView32" class; does nothing when it is already
// registered.
void RegisterListViewClass();
