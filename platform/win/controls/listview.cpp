// The list view in report view; see listview.h.
//
// Sections: state · per-style tables · geometry · item changes and their
// notifications · handlers (columns, items, state, finding, scrolling,
// looks, stylus, keys, focus) · the window procedure.
#include "win/controls/listview_paint.h"
#include "win/controls/repaint_on_change.h"
#include "win/controls/listview.h"

#include <algorithm>
#include <string>
#include <vector>

#include "win/controls/image_list.h"
#include "win/controls/sort_order.h"
#include "win/controls/text_metrics.h"
#include "win/window_table.h"

namespace {

using win::metrics::kRowHeight;

constexpr int kLabelPadding = 2;  // pixels each side of a label's text
constexpr COLORREF kWindowColor = RGB(255, 255, 255);
constexpr COLORREF kWindowTextColor = RGB(0, 0, 0);

struct Item {
  std::u16string text;
  std::vector<std::u16string> subTexts;  // columns 1 and on
  int image = 0;
  LPARAM param = 0;
  UINT state = 0;
  int indent = 0;
};

struct Column {
  std::u16string heading;
  int width = 0;
  int fmt = LVCFMT_LEFT;
};

struct ListViewState : win::WindowState {
  std::vector<Item> items;
  std::vector<Column> columns;
  DWORD exStyle = 0;
  HIMAGELIST images[3] = {nullptr, nullptr, nullptr};  // LVSIL_NORMAL, _SMALL, _STATE
  COLORREF background = kWindowColor;
  COLORREF textBackground = kWindowColor;
  COLORREF textColor = kWindowTextColor;
  int top = 0;            // first visible row
  bool tracking = false;  // the pen is down on the list, with the capture
  // Without LVS_SHAREIMAGELISTS at creation the lists it holds when it dies
  // are the control's, and go with it (the system's list refuses).
  bool ownsImages = false;
  ~ListViewState() override {
    if (!ownsImages) return;
    for (HIMAGELIST list : images)
      if (list) ImageList_Destroy(list);
  }
};

ListViewState& State(HWND hwnd) {
  static ListViewState orphan;
  ListViewState* s = win::StateOf<ListViewState>(hwnd);
  return s ? *s : (orphan = ListViewState{});
}

DWORD Style(HWND hwnd) { return DWORD(GetWindowLongW(hwnd, GWL_STYLE)); }
int Count(const ListViewState& s) { return int(s.items.size()); }
bool Valid(const ListViewState& s, int index) { return index >= 0 && index < Count(s); }

// --- Per-style tables -------------------------------------------------------

// Where a new item goes in a sorted list.
struct SortRule {
  DWORD style;
  int direction;
};
constexpr SortRule kSort[] = {
    {LVS_SORTASCENDING, 1},    // LVS_SORTASCENDING: ascending texts
    {LVS_SORTDESCENDING, -1},  // LVS_SORTDESCENDING: descending texts
};

// The column header's share of the client area.
struct HeaderRule {
  DWORD style;
  int height;
};
constexpr HeaderRule kHeader[] = {
    {0, kRowHeight},          // LVS_REPORT: a header row above the items
    {LVS_NOCOLUMNHEADER, 0},  // LVS_NOCOLUMNHEADER: no header, rows from the top
};

// What a tap on a row hits, by extended style.
struct RowHitRule {
  DWORD exStyle;
  bool wholeRow;
};
constexpr RowHitRule kRowHit[] = {
    {0, false},                    // default: only the icon and the label's text
    {LVS_EX_FULLROWSELECT, true},  // LVS_EX_FULLROWSELECT: the whole row across the columns
};

int SortDirection(HWND hwnd) {
  int direction = 0;
  for (const SortRule& rule : kSort)
    if (Style(hwnd) & rule.style) direction = rule.direction;
  return direction;
}

int HeaderHeight(HWND hwnd) {
  int height = 0;
  for (const HeaderRule& rule : kHeader)
    if ((Style(hwnd) & rule.style) == rule.style) height = rule.height;
  return height;
}

bool WholeRowHits(const ListViewState& s) {
  bool whole = false;
  for (const RowHitRule& rule : kRowHit)
    if ((s.exStyle & rule.exStyle) == rule.exStyle) whole = rule.wholeRow;
  return whole;
}

// --- Geometry ------------------------------------------------------------------

int CountPerPage(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return std::max(0, int((r.bottom - r.top - HeaderHeight(hwnd)) / kRowHeight));
}

int RowsWidth(const ListViewState& s) {
  int width = 0;
  for (const Column& c : s.columns) width += c.width;
  return width;
}

int IconWidth(const ListViewState& s) {
  return s.images[LVSIL_SMALL] ? win::metrics::kSmallIconWidth : 0;
}

// A row's parts in client coordinates (LVIR_*).
RECT ItemRect(HWND hwnd, const ListViewState& s, int index, int part) {
  LONG top = LONG(HeaderHeight(hwnd) + (index - s.top) * kRowHeight);
  RECT r{0, top, RowsWidth(s), top + kRowHeight};
  int column0 = s.columns.empty() ? 0 : s.columns[0].width;
  LONG labelLeft = IconWidth(s);
  LONG textRight =
      std::min<LONG>(column0, labelLeft + win::metrics::TextWidth(s.items[size_t(index)].text) +
                                  2 * kLabelPadding);
  switch (part) {
    case LVIR_ICON: r.right = labelLeft; break;
    case LVIR_LABEL: r.left = labelLeft, r.right = std::max<LONG>(labelLeft, column0); break;
    case LVIR_SELECTBOUNDS:
      if (!WholeRowHits(s)) r.right = std::max(labelLeft, textRight);
      break;
    default: break;  // LVIR_BOUNDS
  }
  return r;
}

bool Inside(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The item under a client point and what part of it, as LVM_HITTEST says.
LVHITTESTINFO HitTest(HWND hwnd, const ListViewState& s, POINT p) {
  LVHITTESTINFO hit;
  hit.pt = p;
  RECT client;
  GetClientRect(hwnd, &client);
  int rowsTop = HeaderHeight(hwnd);
  if (p.y < rowsTop) {
    hit.flags = p.y < 0 ? LVHT_ABOVE : LVHT_NOWHERE;
    return hit;
  }
  if (p.y >= client.bottom) {
    hit.flags = LVHT_BELOW;
    return hit;
  }
  int index = s.top + int((p.y - rowsTop) / kRowHeight);
  if (!Valid(s, index)) {
    hit.flags = LVHT_NOWHERE;  // below the last row
    return hit;
  }
  RECT icon = ItemRect(hwnd, s, index, LVIR_ICON);
  RECT select = ItemRect(hwnd, s, index, LVIR_SELECTBOUNDS);
  if (Inside(icon, p))
    hit.flags = LVHT_ONITEMICON;
  else if (Inside(select, p))
    hit.flags = LVHT_ONITEMLABEL;
  else
    hit.flags = p.x >= RowsWidth(s) ? LVHT_TORIGHT | LVHT_NOWHERE : LVHT_NOWHERE;
  if (hit.flags & LVHT_ONITEM) hit.iItem = index;
  return hit;
}

// Moves the first visible row, kept so that the last page is full. Returns
// whether the view moved.
bool ScrollToRow(HWND hwnd, ListViewState& s, int row) {
  int top = std::clamp(row, 0, std::max(0, Count(s) - CountPerPage(hwnd)));
  if (top == s.top) return false;
  s.top = top;
  return true;
}

void EnsureVisible(HWND hwnd, ListViewState& s, int index) {
  int page = std::max(1, CountPerPage(hwnd));
  if (index < s.top)
    ScrollToRow(hwnd, s, index);
  else if (index >= s.top + page)
    ScrollToRow(hwnd, s, index - page + 1);
}

// --- Item changes and their notifications --------------------------------------

LRESULT Notify(HWND hwnd, NMHDR& header, UINT code) {
  header.code = code;
  return win::NotifyParent(hwnd, header);
}

LRESULT NotifyItem(HWND hwnd, UINT code, int index, UINT oldState, UINT newState, UINT changed) {
  NMLISTVIEW nm;
  nm.iItem = index;
  nm.uOldState = oldState;
  nm.uNewState = newState;
  nm.uChanged = changed;
  const ListViewState& s = State(hwnd);
  if (Valid(s, index)) nm.lParam = s.items[size_t(index)].param;
  return Notify(hwnd, nm.hdr, code);
}

// A change to one item's main fields; `mask` says which (LVIF_*).
struct Change {
  UINT mask = 0;
  std::u16string text;
  int image = 0;
  LPARAM param = 0;
  UINT state = 0, stateMask = 0;
  int indent = 0;
};

bool ChangeItem(HWND hwnd, int index, const Change& change, UINT othersLose = 0);

// Takes `mask` states away from every item but `skip`, each with its own
// notifications.
void ClearOthers(HWND hwnd, int skip, UINT mask) {
  if (!mask) return;
  for (int i = 0; i < Count(State(hwnd)); ++i) {
    if (i == skip || !(State(hwnd).items[size_t(i)].state & mask)) continue;
    Change off;
    off.mask = LVIF_STATE;
    off.stateMask = mask;
    ChangeItem(hwnd, i, off);
  }
}

// Applies a change, framed by LVN_ITEMCHANGING (which may refuse it) and
// LVN_ITEMCHANGED. An item gaining the selection in a single-selection list
// takes it from the others, and only one item holds the focus; those losses
// are reported between the two notifications, as the platform orders them.
// `othersLose` adds states the other items give up with this change.
// Returns false when the item does not exist or the parent refused.
bool ChangeItem(HWND hwnd, int index, const Change& change, UINT othersLose) {
  ListViewState& s = State(hwnd);
  if (!Valid(s, index)) return false;
  const Item& item = s.items[size_t(index)];
  UINT oldState = item.state;
  UINT newState = (change.mask & LVIF_STATE)
                      ? (oldState & ~change.stateMask) | (change.state & change.stateMask)
                      : oldState;
  UINT changed = 0;
  if ((change.mask & LVIF_TEXT) && change.text != item.text) changed |= LVIF_TEXT;
  if ((change.mask & LVIF_IMAGE) && change.image != item.image) changed |= LVIF_IMAGE;
  if ((change.mask & LVIF_PARAM) && change.param != item.param) changed |= LVIF_PARAM;
  if ((change.mask & LVIF_INDENT) && change.indent != item.indent) changed |= LVIF_INDENT;
  if (newState != oldState) changed |= LVIF_STATE;
  if (!changed) return true;
  if (NotifyItem(hwnd, LVN_ITEMCHANGING, index, oldState, newState, changed)) return false;
  UINT gained = newState & ~oldState;
  UINT others = ((gained & LVIS_SELECTED) && (Style(hwnd) & LVS_SINGLESEL) ? LVIS_SELECTED : 0) |
                (gained & LVIS_FOCUSED) | othersLose;
  ClearOthers(hwnd, index, others);
  ListViewState& t = State(hwnd);
  if (!Valid(t, index)) return false;  // the parent deleted it meanwhile
  Item& target = t.items[size_t(index)];
  if (changed & LVIF_TEXT) target.text = change.text;
  if (changed & LVIF_IMAGE) target.image = change.image;
  if (changed & LVIF_PARAM) target.param = change.param;
  if (changed & LVIF_INDENT) target.indent = change.indent;
  target.state = newState;
  // WM_PAINT (the drawing layer) draws the rows from the items, columns, colours and top.
  NotifyItem(hwnd, LVN_ITEMCHANGED, index, oldState, newState, changed);
  return true;
}

bool SetState(HWND hwnd, int index, UINT state, UINT mask) {
  Change c;
  c.mask = LVIF_STATE;
  c.state = state;
  c.stateMask = mask;
  return ChangeItem(hwnd, index, c);
}

// A tap or a key picks one row: it alone is selected, and it is focused.
// Each item that changes is reported once.
void SelectOnly(HWND hwnd, int index) {
  constexpr UINT both = LVIS_SELECTED | LVIS_FOCUSED;
  if ((State(hwnd).items[size_t(index)].state & both) == both) {
    ClearOthers(hwnd, index, LVIS_SELECTED);
    return;
  }
  Change c;
  c.mask = LVIF_STATE;
  c.state = c.stateMask = both;
  ChangeItem(hwnd, index, c, LVIS_SELECTED);
}

size_t CopyOut(const std::u16string& text, LPWSTR buffer, int capacity) {
  if (!buffer || capacity <= 0) return 0;
  size_t n = std::min(text.size(), size_t(capacity) - 1);
  std::copy_n(text.data(), n, buffer);
  buffer[n] = u'\0';
  return n;
}

std::u16string TextIn(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

const std::u16string* TextOf(const Item& item, int subItem) {
  if (subItem == 0) return &item.text;
  static const std::u16string empty;
  size_t k = size_t(subItem - 1);
  return k < item.subTexts.size() ? &item.subTexts[k] : &empty;
}

// --- Handlers: creation ------------------------------------------------------

LRESULT OnNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto state = std::make_unique<ListViewState>();
  const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  state->ownsImages = create && !(create->style & LVS_SHAREIMAGELISTS);
  win::SetState(hwnd, std::move(state));
  return DefWindowProcW(hwnd, WM_NCCREATE, wParam, lParam);
}

LRESULT OnSize(HWND hwnd) {
  ListViewState& s = State(hwnd);
  ScrollToRow(hwnd, s, s.top);
  return 0;
}

LRESULT OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

// --- Handlers: columns ----------------------------------------------------------

void ApplyColumn(Column& column, const LVCOLUMNW& c, bool first) {
  if (c.mask & LVCF_TEXT) column.heading = TextIn(c.pszText);
  if (c.mask & LVCF_WIDTH) column.width = std::max(0, c.cx);
  // The first column is always left-aligned on the platform.
  if (c.mask & LVCF_FMT) column.fmt = first ? LVCFMT_LEFT : c.fmt;
}

LRESULT OnInsertColumn(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto* c = reinterpret_cast<const LVCOLUMNW*>(lParam);
  int index = int(LONG(wParam));
  ListViewState& s = State(hwnd);
  if (!c || index < 0) return -1;
  index = std::min(index, int(s.columns.size()));
  Column column;
  ApplyColumn(column, *c, index == 0);
  s.columns.insert(s.columns.begin() + index, column);
  // Sub-item texts move with their columns.
  if (index > 0)
    for (Item& item : s.items)
      if (size_t(index - 1) <= item.subTexts.size())
        item.subTexts.insert(item.subTexts.begin() + (index - 1), std::u16string());
  return index;
}

LRESULT OnSetColumn(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto* c = reinterpret_cast<const LVCOLUMNW*>(lParam);
  ListViewState& s = State(hwnd);
  size_t index = size_t(wParam);
  if (!c || index >= s.columns.size()) return FALSE;
  ApplyColumn(s.columns[index], *c, index == 0);
  return TRUE;
}

LRESULT OnGetColumn(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto* c = reinterpret_cast<LVCOLUMNW*>(lParam);
  const ListViewState& s = State(hwnd);
  size_t index = size_t(wParam);
  if (!c || index >= s.columns.size()) return FALSE;
  const Column& column = s.columns[index];
  if (c->mask & LVCF_TEXT) CopyOut(column.heading, c->pszText, c->cchTextMax);
  if (c->mask & LVCF_WIDTH) c->cx = column.width;
  if (c->mask & LVCF_FMT) c->fmt = column.fmt;
  if (c->mask & LVCF_SUBITEM) c->iSubItem = int(index);
  return TRUE;
}

LRESULT OnDeleteColumn(HWND hwnd, WPARAM wParam) {
  ListViewState& s = State(hwnd);
  size_t index = size_t(wParam);
  if (index >= s.columns.size()) return FALSE;
  s.columns.erase(s.columns.begin() + LONG_PTR(index));
  if (index > 0)
    for (Item& item : s.items)
      if (index - 1 < item.subTexts.size())
        item.subTexts.erase(item.subTexts.begin() + LONG_PTR(index - 1));
  return TRUE;
}

LRESULT OnSetColumnWidth(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  ListViewState& s = State(hwnd);
  size_t index = size_t(wParam);
  if (index >= s.columns.size()) return FALSE;
  int cx = int(LONG(lParam));
  if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
    int widest =
        cx == LVSCW_AUTOSIZE_USEHEADER ? win::metrics::TextWidth(s.columns[index].heading) : 0;
    for (const Item& item : s.items)
      widest = std::max(widest, win::metrics::TextWidth(*TextOf(item, int(index))));
    cx = widest + 2 * kLabelPadding + (index == 0 ? IconWidth(s) : 0);
  }
  s.columns[index].width = std::max(0, cx);
  return TRUE;
}

LRESULT OnGetColumnWidth(HWND hwnd, WPARAM wParam) {
  const ListViewState& s = State(hwnd);
  return size_t(wParam) < s.columns.size() ? s.columns[size_t(wParam)].width : 0;
}

// --- Handlers: items --------------------------------------------------------------

LRESULT OnInsertItem(HWND hwnd, LPARAM lParam) {
  auto* in = reinterpret_cast<const LVITEMW*>(lParam);
  if (!in || in->iItem < 0 || in->iSubItem != 0) return -1;
  ListViewState& s = State(hwnd);
  Item item;
  if (in->mask & LVIF_TEXT) item.text = TextIn(in->pszText);
  if (in->mask & LVIF_IMAGE) item.image = in->iImage;
  if (in->mask & LVIF_PARAM) item.param = in->lParam;
  if (in->mask & LVIF_INDENT) item.indent = in->iIndent;
  if (in->mask & LVIF_STATE) item.state = in->state & in->stateMask;
  int index = std::min(in->iItem, Count(s));
  if (int direction = SortDirection(hwnd)) {
    auto after = std::find_if(s.items.begin(), s.items.end(), [&](const Item& other) {
      return direction * win::CompareForSort(other.text, item.text) > 0;
    });
    index = int(after - s.items.begin());
  }
  UINT state = item.state;
  s.items.insert(s.items.begin() + index, std::move(item));
  // A new selected or focused item takes those states from the others.
  ClearOthers(hwnd, index,
              ((state & LVIS_SELECTED) && (Style(hwnd) & LVS_SINGLESEL) ? LVIS_SELECTED : 0) |
                  (state & LVIS_FOCUSED));
  NotifyItem(hwnd, LVN_INSERTITEM, index, 0, 0, 0);
  return index;
}

LRESULT OnSetItem(HWND hwnd, LPARAM lParam) {
  auto* in = reinterpret_cast<const LVITEMW*>(lParam);
  ListViewState& s = State(hwnd);
  if (!in || !Valid(s, in->iItem)) return FALSE;
  if (in->iSubItem != 0) {
    // Sub-items hold only a text, and changing it notifies nothing.
    if (in->iSubItem < 0 || size_t(in->iSubItem) >= std::max<size_t>(s.columns.size(), 1))
      return FALSE;
    if (in->mask & LVIF_TEXT) {
      auto& texts = s.items[size_t(in->iItem)].subTexts;
      if (texts.size() < size_t(in->iSubItem)) texts.resize(size_t(in->iSubItem));
      texts[size_t(in->iSubItem - 1)] = TextIn(in->pszText);
    }
    return TRUE;
  }
  Change c;
  c.mask = in->mask;
  c.text = TextIn(in->pszText);
  c.image = in->iImage;
  c.param = in->lParam;
  c.state = in->state;
  c.stateMask = in->stateMask;
  c.indent = in->iIndent;
  return ChangeItem(hwnd, in->iItem, c) ? TRUE : FALSE;
}

LRESULT OnGetItem(HWND hwnd, LPARAM lParam) {
  auto* out = reinterpret_cast<LVITEMW*>(lParam);
  const ListViewState& s = State(hwnd);
  if (!out || !Valid(s, out->iItem) || out->iSubItem < 0) return FALSE;
  const Item& item = s.items[size_t(out->iItem)];
  if (out->mask & LVIF_TEXT) CopyOut(*TextOf(item, out->iSubItem), out->pszText, out->cchTextMax);
  if (out->iSubItem != 0) return TRUE;
  if (out->mask & LVIF_IMAGE) out->iImage = item.image;
  if (out->mask & LVIF_PARAM) out->lParam = item.param;
  if (out->mask & LVIF_STATE) out->state = item.state & out->stateMask;
  if (out->mask & LVIF_INDENT) out->iIndent = item.indent;
  return TRUE;
}

LRESULT OnSetItemText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto* in = reinterpret_cast<const LVITEMW*>(lParam);
  if (!in) return FALSE;
  LVITEMW item = *in;
  item.iItem = int(LONG(wParam));
  item.mask = LVIF_TEXT;
  return OnSetItem(hwnd, reinterpret_cast<LPARAM>(&item));
}

LRESULT OnGetItemText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto* out = reinterpret_cast<LVITEMW*>(lParam);
  const ListViewState& s = State(hwnd);
  int index = int(LONG(wParam));
  if (!out || !Valid(s, index) || out->iSubItem < 0) return 0;
  return LRESULT(
      CopyOut(*TextOf(s.items[size_t(index)], out->iSubItem), out->pszText, out->cchTextMax));
}

LRESULT OnDeleteItem(HWND hwnd, WPARAM wParam) {
  int index = int(LONG(wParam));
  if (!Valid(State(hwnd), index)) return FALSE;
  NotifyItem(hwnd, LVN_DELETEITEM, index, 0, 0, 0);
  ListViewState& s = State(hwnd);
  if (!Valid(s, index)) return FALSE;
  s.items.erase(s.items.begin() + index);
  ScrollToRow(hwnd, s, s.top);
  return TRUE;
}

LRESULT OnDeleteAllItems(HWND hwnd) {
  NMLISTVIEW nm;
  bool quiet = Notify(hwnd, nm.hdr, LVN_DELETEALLITEMS) != 0;
  if (!quiet)
    for (int i = 0; i < Count(State(hwnd)); ++i) NotifyItem(hwnd, LVN_DELETEITEM, i, 0, 0, 0);
  ListViewState& s = State(hwnd);
  s.items.clear();
  s.top = 0;
  return TRUE;
}

LRESULT OnGetItemCount(HWND hwnd) { return Count(State(hwnd)); }

// --- Handlers: state --------------------------------------------------------------

LRESULT OnSetItemState(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto* in = reinterpret_cast<const LVITEMW*>(lParam);
  if (!in) return FALSE;
  int index = int(LONG(wParam));
  if (index != -1) return SetState(hwnd, index, in->state, in->stateMask) ? TRUE : FALSE;
  // -1: every item. Only one can be focused, and in a single-selection
  // list only one selected: the platform leaves those to the last item.
  bool all = true;
  for (int i = 0; i < Count(State(hwnd)); ++i)
    all = SetState(hwnd, i, in->state, in->stateMask) && all;
  return all ? TRUE : FALSE;
}

LRESULT OnGetItemState(HWND hwnd, WPARAM wParam, LPARAM mask) {
  const ListViewState& s = State(hwnd);
  int index = int(LONG(wParam));
  return Valid(s, index) ? LRESULT(s.items[size_t(index)].state & UINT(mask)) : 0;
}

LRESULT OnGetSelectedCount(HWND hwnd) {
  const auto& items = State(hwnd).items;
  return std::count_if(items.begin(), items.end(),
                       [](const Item& i) { return i.state & LVIS_SELECTED; });
}

// The next item after `start` with all the states `flags` asks for. In
// report view "below" is the next row and "above" the previous one; nothing
// lies to the left or right.
LRESULT OnGetNextItem(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const ListViewState& s = State(hwnd);
  int start = int(LONG(wParam));
  UINT flags = UINT(lParam);
  UINT wanted =
      (flags & LVNI_SELECTED ? LVIS_SELECTED : 0) | (flags & LVNI_FOCUSED ? LVIS_FOCUSED : 0);
  if (flags & (LVNI_TOLEFT | LVNI_TORIGHT)) return -1;
  int step = (flags & LVNI_ABOVE) ? -1 : 1;
  int from = start < 0 ? (step > 0 ? 0 : -1) : start + step;
  for (int i = from; i >= 0 && i < Count(s); i += step)
    if ((s.items[size_t(i)].state & wanted) == wanted) return i;
  return -1;
}

// --- Handlers: finding ---------------------------------------------------------

LRESULT OnFindItem(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto* find = reinterpret_cast<const LVFINDINFOW*>(lParam);
  const ListViewState& s = State(hwnd);
  if (!find || s.items.empty()) return -1;
  std::u16string_view wanted = find->psz ? find->psz : u"";
  auto matches = [&](const Item& item) {
    if (find->flags & LVFI_PARAM) return item.param == find->lParam;
    if (find->flags & LVFI_PARTIAL) {
      if (item.text.size() < wanted.size()) return false;
      return win::EqualIgnoringCase(std::u16string_view(item.text).substr(0, wanted.size()), wanted);
    }
    if (find->flags & LVFI_STRING) return win::EqualIgnoringCase(item.text, wanted);
    return false;
  };
  int n = Count(s), start = int(LONG(wParam));
  int from = start < 0 ? 0 : start + 1;
  int steps = (find->flags & LVFI_WRAP) ? n : n - from;
  for (int k = 0; k < steps; ++k) {
    int i = (from + k) % n;
    if (matches(s.items[size_t(i)])) return i;
  }
  return -1;
}

// --- Handlers: scrolling -------------------------------------------------------

LRESULT OnEnsureVisible(HWND hwnd, WPARAM wParam) {
  ListViewState& s = State(hwnd);
  int index = int(LONG(wParam));
  if (!Valid(s, index)) return FALSE;
  EnsureVisible(hwnd, s, index);
  return TRUE;
}

LRESULT OnGetTopIndex(HWND hwnd) { return State(hwnd).top; }
LRESULT OnGetCountPerPage(HWND hwnd) { return CountPerPage(hwnd); }

LRESULT OnScroll(HWND hwnd, LPARAM dy) {
  ListViewState& s = State(hwnd);
  long pixels = long(LONG(dy));
  long rows = (pixels + (pixels >= 0 ? kRowHeight / 2 : -kRowHeight / 2)) / kRowHeight;
  ScrollToRow(hwnd, s, s.top + int(rows));
  return TRUE;
}

LRESULT OnVScroll(HWND hwnd, WPARAM wParam) {
  ListViewState& s = State(hwnd);
  int page = std::max(1, CountPerPage(hwnd));
  switch (LOWORD(wParam)) {
    case SB_LINEUP: ScrollToRow(hwnd, s, s.top - 1); break;
    case SB_LINEDOWN: ScrollToRow(hwnd, s, s.top + 1); break;
    case SB_PAGEUP: ScrollToRow(hwnd, s, s.top - page); break;
    case SB_PAGEDOWN: ScrollToRow(hwnd, s, s.top + page); break;
    case SB_TOP: ScrollToRow(hwnd, s, 0); break;
    case SB_BOTTOM: ScrollToRow(hwnd, s, Count(s)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollToRow(hwnd, s, HIWORD(wParam)); break;
    default: break;
  }
  return 0;
}

LRESULT OnGetItemRect(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto* r = reinterpret_cast<RECT*>(lParam);
  const ListViewState& s = State(hwnd);
  int index = int(LONG(wParam));
  if (!r || !Valid(s, index)) return FALSE;
  *r = ItemRect(hwnd, s, index, int(r->left));
  return TRUE;
}

LRESULT OnHitTest(HWND hwnd, LPARAM lParam) {
  auto* hit = reinterpret_cast<LVHITTESTINFO*>(lParam);
  if (!hit) return -1;
  *hit = HitTest(hwnd, State(hwnd), hit->pt);
  return hit->iItem;
}

// The width in pixels of a text in the list's font, without padding.
LRESULT OnGetStringWidth(LPARAM lParam) {
  auto* text = reinterpret_cast<const char16_t*>(lParam);
  return text ? win::metrics::TextWidth(text) : 0;
}

// --- Handlers: looks -------------------------------------------------------------

LRESULT OnSetExtendedStyle(HWND hwnd, WPARAM mask, LPARAM styles) {
  ListViewState& s = State(hwnd);
  DWORD old = s.exStyle;
  DWORD m = mask ? DWORD(mask) : 0xFFFFFFFFu;
  s.exStyle = (old & ~m) | (DWORD(styles) & m);
  return LRESULT(old);
}

LRESULT OnGetExtendedStyle(HWND hwnd) { return LRESULT(State(hwnd).exStyle); }

LRESULT OnSetImageList(HWND hwnd, WPARAM kind, LPARAM list) {
  if (kind > LVSIL_STATE) return 0;
  HIMAGELIST& slot = State(hwnd).images[kind];
  HIMAGELIST old = slot;
  slot = reinterpret_cast<HIMAGELIST>(list);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT OnGetImageList(HWND hwnd, WPARAM kind) {
  return kind > LVSIL_STATE ? 0 : reinterpret_cast<LRESULT>(State(hwnd).images[kind]);
}

using ColourSlot = COLORREF ListViewState::*;

LRESULT OnSetColour(HWND hwnd, ColourSlot slot, LPARAM colour) {
  State(hwnd).*slot = COLORREF(colour);
  return TRUE;
}

LRESULT OnGetColour(HWND hwnd, ColourSlot slot) { return LRESULT(State(hwnd).*slot); }

// --- Handlers: stylus, keys, focus ---------------------------------------------

// The pen picks the row under it. A tap below the last row (or beside a
// label without full-row select) leaves no row selected, as the handheld
// does; the focused row keeps its focus.
LRESULT OnLButtonDown(HWND hwnd, LPARAM lParam) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  if (!IsWindow(hwnd)) return 0;
  State(hwnd).tracking = true;
  SetCapture(hwnd);
  int index = HitTest(hwnd, State(hwnd), PointFromLParam(lParam)).iItem;
  if (index >= 0)
    SelectOnly(hwnd, index);
  else
    ClearOthers(hwnd, -1, LVIS_SELECTED);
  return 0;
}

// The release makes the click; NM_CLICK names the row under the pen then.
LRESULT OnLButtonUp(HWND hwnd, LPARAM lParam) {
  ListViewState& s = State(hwnd);
  if (!s.tracking) return 0;
  s.tracking = false;  // before releasing: WM_CAPTURECHANGED follows
  ReleaseCapture();
  NMITEMACTIVATE nm;
  nm.ptAction = PointFromLParam(lParam);
  nm.iItem = HitTest(hwnd, State(hwnd), nm.ptAction).iItem;
  Notify(hwnd, nm.hdr, NM_CLICK);
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd) {
  State(hwnd).tracking = false;
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, WPARAM key) {
  NMLVKEYDOWN nm;
  nm.wVKey = WORD(key);
  Notify(hwnd, nm.hdr, LVN_KEYDOWN);
  ListViewState& s = State(hwnd);
  if (s.items.empty()) return 0;
  int focus = int(OnGetNextItem(hwnd, WPARAM(-1), LVNI_FOCUSED));
  int last = Count(s) - 1;
  int target;
  switch (key) {
    case VK_UP: target = focus < 0 ? 0 : std::max(0, focus - 1); break;
    case VK_DOWN: target = focus < 0 ? 0 : std::min(last, focus + 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = last; break;
    default: return 0;
  }
  SelectOnly(hwnd, target);
  EnsureVisible(hwnd, State(hwnd), target);
  return 0;
}

LRESULT OnSetFocus(HWND hwnd) {
  NMHDR nm;
  Notify(hwnd, nm, NM_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(HWND hwnd) {
  NMHDR nm;
  Notify(hwnd, nm, NM_KILLFOCUS);
  return 0;
}

// --- The window procedure --------------------------------------------------------

// --- Painting ---------------------------------------------------------------

// Everything the list's look depends on, folded into one value.
size_t LookKey(HWND hwnd, const ListViewState& s) {
  std::hash<std::u16string> hash;
  size_t key = size_t(s.top) ^ (size_t(s.exStyle) << 7) ^ (size_t(Style(hwnd)) << 13);
  auto mix = [&key](size_t v) { key = key * 1000003u ^ v; };
  for (COLORREF c : {s.background, s.textBackground, s.textColor}) mix(c);
  mix(size_t(IsWindowEnabled(hwnd)));
  for (const Column& c : s.columns) mix(hash(c.heading) ^ size_t(c.width) ^ size_t(c.fmt));
  for (const Item& item : s.items) {
    mix(hash(item.text) ^ item.state);
    for (const auto& sub : item.subTexts) mix(hash(sub));
  }
  return key;
}

win::ListViewLook LookOf(HWND hwnd, const ListViewState& s) {
  win::ListViewLook look;
  for (const Column& c : s.columns)
    look.columns.push_back({c.heading, c.width, (c.fmt & 3) == LVCFMT_RIGHT,
                            (c.fmt & 3) == LVCFMT_CENTER});
  for (const Item& item : s.items) {
    win::ListViewRowLook row;
    row.texts.push_back(item.text);
    row.texts.insert(row.texts.end(), item.subTexts.begin(), item.subTexts.end());
    row.selected = (item.state & LVIS_SELECTED) != 0;
    row.image = item.image;
    look.rows.push_back(std::move(row));
  }
  look.top = s.top;
  look.headerHeight = HeaderHeight(hwnd);
  look.iconWidth = IconWidth(s);
  look.smallImages = s.images[LVSIL_SMALL];
  look.fullRow = WholeRowHits(s);
  look.enabled = IsWindowEnabled(hwnd) != FALSE;
  look.background = s.background;
  look.textBackground = s.textBackground;
  look.textColor = s.textColor;
  return look;
}

LRESULT OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (ListViewState* s = win::StateOf<ListViewState>(hwnd))
    win::PaintListView(hwnd, hdc, LookOf(hwnd, *s));
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Every message goes through Dispatch; a change of look repaints the list.
LRESULT ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) return OnPaint(hwnd);
  return win::DispatchRepaintingOnChange(hwnd, message, wParam, lParam, &win::StateOf<ListViewState>,
                                         &LookKey, &win::InvalidateWhole<ListViewState>, &Dispatch);
}

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: return OnNcCreate(hwnd, wParam, lParam);
    case WM_SIZE: return OnSize(hwnd);
    case WM_GETDLGCODE: return OnGetDlgCode();
    case LVM_INSERTCOLUMNW: return OnInsertColumn(hwnd, wParam, lParam);
    case LVM_SETCOLUMNW: return OnSetColumn(hwnd, wParam, lParam);
    case LVM_GETCOLUMNW: return OnGetColumn(hwnd, wParam, lParam);
    case LVM_DELETECOLUMN: return OnDeleteColumn(hwnd, wParam);
    case LVM_SETCOLUMNWIDTH: return OnSetColumnWidth(hwnd, wParam, lParam);
    case LVM_GETCOLUMNWIDTH: return OnGetColumnWidth(hwnd, wParam);
    case LVM_INSERTITEMW: return OnInsertItem(hwnd, lParam);
    case LVM_SETITEMW: return OnSetItem(hwnd, lParam);
    case LVM_GETITEMW: return OnGetItem(hwnd, lParam);
    case LVM_SETITEMTEXTW: return OnSetItemText(hwnd, wParam, lParam);
    case LVM_GETITEMTEXTW: return OnGetItemText(hwnd, wParam, lParam);
    case LVM_DELETEITEM: return OnDeleteItem(hwnd, wParam);
    case LVM_DELETEALLITEMS: return OnDeleteAllItems(hwnd);
    case LVM_GETITEMCOUNT: return OnGetItemCount(hwnd);
    case LVM_SETITEMSTATE: return OnSetItemState(hwnd, wParam, lParam);
    case LVM_GETITEMSTATE: return OnGetItemState(hwnd, wParam, lParam);
    case LVM_GETSELECTEDCOUNT: return OnGetSelectedCount(hwnd);
    case LVM_GETNEXTITEM: return OnGetNextItem(hwnd, wParam, lParam);
    case LVM_FINDITEMW: return OnFindItem(hwnd, wParam, lParam);
    case LVM_ENSUREVISIBLE: return OnEnsureVisible(hwnd, wParam);
    case LVM_GETTOPINDEX: return OnGetTopIndex(hwnd);
    case LVM_GETCOUNTPERPAGE: return OnGetCountPerPage(hwnd);
    case LVM_SCROLL: return OnScroll(hwnd, lParam);
    case WM_VSCROLL: return OnVScroll(hwnd, wParam);
    case LVM_GETITEMRECT: return OnGetItemRect(hwnd, wParam, lParam);
    case LVM_HITTEST: return OnHitTest(hwnd, lParam);
    case LVM_GETSTRINGWIDTHW: return OnGetStringWidth(lParam);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: return OnSetExtendedStyle(hwnd, wParam, lParam);
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return OnGetExtendedStyle(hwnd);
    case LVM_SETIMAGELIST: return OnSetImageList(hwnd, wParam, lParam);
    case LVM_GETIMAGELIST: return OnGetImageList(hwnd, wParam);
    case LVM_SETBKCOLOR: return OnSetColour(hwnd, &ListViewState::background, lParam);
    case LVM_GETBKCOLOR: return OnGetColour(hwnd, &ListViewState::background);
    case LVM_SETTEXTBKCOLOR: return OnSetColour(hwnd, &ListViewState::textBackground, lParam);
    case LVM_GETTEXTBKCOLOR: return OnGetColour(hwnd, &ListViewState::textBackground);
    case LVM_SETTEXTCOLOR: return OnSetColour(hwnd, &ListViewState::textColor, lParam);
    case LVM_GETTEXTCOLOR: return OnGetColour(hwnd, &ListViewState::textColor);
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(hwnd, lParam);
    case WM_CAPTURECHANGED: return OnCaptureChanged(hwnd);
    case WM_KEYDOWN: return OnKeyDown(hwnd, wParam);
    case WM_SETFOCUS: return OnSetFocus(hwnd);
    case WM_KILLFOCUS: return OnKillFocus(hwnd);
    // WM_PAINT: the drawing layer draws the header and rows from the state.
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void RegisterListViewClass() {
  win::RegisterSystemClass(WC_LISTVIEW, &ListViewProc);
}
