// The "COMBOBOX" control class; see combobox.h for the notifications and
// their order.
//
// Sections: layout constants and the per-type table; the item store; the
// dropped list's geometry; opening and closing; the combo's handlers; the
// dropped list's handlers; registration.
//
// The combo box is a selection field as tall as one line; the height it was
// created with sets how many rows its list shows when it drops. The dropped
// list is a window of its own: a top-level popup owned by the combo's
// top-level window, created above everything when the list drops and
// destroyed when it closes. While it is open it holds the capture, so that a
// tap anywhere reaches it: on a row it picks that row, elsewhere it closes the
// list unchanged. The items live in the combo's state; the list window only
// reads them.
#include "win/controls/combobox.h"
#include "win/controls/repaint_on_change.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "win/controls/combobox_paint.h"
#include "win/controls/notify.h"
#include "win/controls/press_tracker.h"
#include "win/controls/sort_order.h"
#include "win/window_table.h"

namespace {

// --- Layout constants and the per-type table ---------------------------------

constexpr int kItemHeight = 16;       // one row of the dropped list
constexpr int kFieldHeight = 22;      // the selection field: the combo's own height
constexpr int kDropButtonWidth = 16;  // the field's drop button, at its right
constexpr int kDefaultRows = 8;       // rows shown when the creation height leaves none
constexpr int kListFrame = 1;         // the dropped list's frame, each side
constexpr int kScrollBarWidth = 13;   // and its scroll bar, when the rows overflow
constexpr int kMinThumb = 8;
constexpr LONG kScreenHeight = 320;
constexpr const char16_t* kListClass = u"ComboLBox";

// What each combo type does with a press on its field, indexed by its type
// bits. Editable fields are not built: the text part of a CBS_DROPDOWN takes
// no press, and a CBS_SIMPLE shows no list.
struct ComboKind {
  bool dropsDown;        // has a list that drops
  bool wholeFieldDrops;  // a press anywhere on the field drops it (else the button only)
};

constexpr std::array<ComboKind, 4> kKinds{{
    /* (no type)            0 */ {true, true},
    /* CBS_SIMPLE           1 */ {false, false},
    /* CBS_DROPDOWN         2 */ {true, false},
    /* CBS_DROPDOWNLIST     3 */ {true, true},
}};

struct Item {
  std::u16string text;
  LPARAM data = 0;
};

struct ComboState : win::WindowState {
  std::vector<Item> items;
  int selected = -1;
  int rows = kDefaultRows;  // rows the dropped list shows at most
  HWND list = nullptr;      // the dropped list while it is open
  int top = 0;              // first row the list shows (its scroll offset)
  int hot = -1;             // the row under the pen while the list tracks it
  win::PressTracker press;  // the field, pressed to drop the list
  bool focused = false;
};

struct ListState : win::WindowState {
  HWND combo = nullptr;
  bool tracking = false;  // the pen went down on a row and is still down
};

DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongW(hwnd, GWL_STYLE)); }
const ComboKind& KindOf(HWND hwnd) { return kKinds[StyleOf(hwnd) & CBS_DROPDOWNLIST]; }
ComboState* Get(HWND combo) { return win::StateOf<ComboState>(combo); }

bool Inside(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void Notify(HWND combo, WORD code) { win::NotifyCommand(combo, code); }

// --- The item store ----------------------------------------------------------

std::u16string_view TextOf(LPARAM lParam) {
  auto* text = reinterpret_cast<const char16_t*>(lParam);
  return text ? std::u16string_view(text) : std::u16string_view();
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  return prefix.size() <= text.size() && win::EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool ValidIndex(const ComboState& s, WPARAM index) {
  return LONG_PTR(index) >= 0 && LONG_PTR(index) < LONG_PTR(s.items.size());
}

int MaxTop(const ComboState& s) { return std::max(0, int(s.items.size()) - s.rows); }

void ScrollIntoView(ComboState& s, int row) {
  if (row >= 0) {
    if (row < s.top) s.top = row;
    if (row >= s.top + s.rows) s.top = row - s.rows + 1;
  }
  s.top = std::clamp(s.top, 0, MaxTop(s));
}

int InsertAt(ComboState& s, size_t index, std::u16string_view text) {
  s.items.insert(s.items.begin() + std::ptrdiff_t(index), Item{std::u16string(text), 0});
  if (int(index) <= s.selected) ++s.selected;
  return int(index);
}

// Searches from the item after `start` round to `start` itself; a start out
// of range searches from the beginning.
template <typename Match>
LRESULT Find(const ComboState& s, WPARAM start, Match match) {
  int n = int(s.items.size());
  int first = ValidIndex(s, start) ? int(start) + 1 : 0;
  for (int k = 0; k < n; ++k) {
    int i = (first + k) % n;
    if (match(s.items[size_t(i)].text)) return i;
  }
  return CB_ERR;
}

// --- The dropped list's geometry ----------------------------------------------

// Where the parts of the dropped list lie, in its client coordinates.
struct ListLayout {
  RECT rows{};  // the visible rows
  bool scrolls = false;
  RECT lineUp{}, lineDown{}, thumb{};  // the scroll bar's parts, when it scrolls
};

int VisibleRows(const ComboState& s) { return std::clamp(int(s.items.size()), 1, s.rows); }

// The list's rectangle on the screen: under the field, or above it when it
// would leave the screen.
RECT DroppedRect(HWND combo, const ComboState& s) {
  RECT field;
  GetWindowRect(combo, &field);
  LONG height = VisibleRows(s) * kItemHeight + 2 * kListFrame;
  LONG top = field.bottom;
  if (top + height > kScreenHeight && field.top - height >= 0) top = field.top - height;
  return {field.left, top, field.right, top + height};
}

ListLayout LayoutOf(const ComboState& s, LONG width) {
  ListLayout l;
  LONG bottom = kListFrame + VisibleRows(s) * kItemHeight;
  l.scrolls = int(s.items.size()) > s.rows;
  LONG rowsRight = width - kListFrame - (l.scrolls ? kScrollBarWidth : 0);
  l.rows = {kListFrame, kListFrame, rowsRight, bottom};
  if (!l.scrolls) return l;
  LONG barLeft = rowsRight, barRight = width - kListFrame;
  l.lineUp = {barLeft, kListFrame, barRight, kListFrame + kScrollBarWidth};
  l.lineDown = {barLeft, bottom - kScrollBarWidth, barRight, bottom};
  LONG track = std::max<LONG>(0, l.lineDown.top - l.lineUp.bottom);
  LONG thumb = std::min(track, std::max<LONG>(kMinThumb, track * s.rows / LONG(s.items.size())));
  LONG thumbTop = l.lineUp.bottom + (track - thumb) * s.top / std::max(1, MaxTop(s));
  l.thumb = {barLeft, thumbTop, barRight, thumbTop + thumb};
  return l;
}

ListLayout LayoutOfList(HWND list, const ComboState& s) {
  RECT client;
  GetClientRect(list, &client);
  return LayoutOf(s, client.right);
}

// The item at a point of the list, or -1.
int RowAt(HWND list, const ComboState& s, POINT p) {
  ListLayout l = LayoutOfList(list, s);
  if (!Inside(l.rows, p)) return -1;
  int row = s.top + (p.y - l.rows.top) / kItemHeight;
  return row < int(s.items.size()) ? row : -1;
}

// --- Opening and closing -----------------------------------------------------

void Drop(HWND combo) {
  ComboState* s = Get(combo);
  if (!s || s->list || !KindOf(combo).dropsDown) return;
  Notify(combo, CBN_DROPDOWN);
  if (!(s = Get(combo)) || s->list) return;
  s->hot = s->selected;
  ScrollIntoView(*s, s->selected);
  RECT r = DroppedRect(combo, *s);
  HWND list = CreateWindowExW(WS_EX_TOPMOST, kListClass, u"", WS_POPUP, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, combo, nullptr, nullptr, combo);
  if (!list || !(s = Get(combo))) return;
  s->list = list;
  ShowWindow(list, SW_SHOWNA);
  // While the field is held the combo keeps the capture; the list takes it
  // when the pen lifts.
  if (GetCapture() != combo) SetCapture(list);
}

// Ends a choice: CBN_SELENDOK or CBN_SELENDCANCEL, then, when the list is
// open, it closes and CBN_CLOSEUP follows. The platform ends a keyboard
// choice the same way with the list closed.
void RollUp(HWND combo, bool ok) {
  Notify(combo, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
  ComboState* s = Get(combo);
  if (!s || !s->list) return;
  HWND list = s->list;
  s->list = nullptr;
  s->hot = -1;
  DestroyWindow(list);
  Notify(combo, CBN_CLOSEUP);
}

void Pick(HWND combo, int row) {
  ComboState* s = Get(combo);
  if (!s || row < 0 || row >= int(s->items.size())) return;
  s->selected = row;
  RollUp(combo, true);
  if (IsWindow(combo)) Notify(combo, CBN_SELCHANGE);
}

// Moves the selection from the keyboard.
void KeySelect(HWND combo, ComboState& s, int row) {
  if (s.items.empty()) return;
  s.selected = std::clamp(row, 0, int(s.items.size()) - 1);
  if (s.list) {
    s.hot = s.selected;
    ScrollIntoView(s, s.selected);
  } else {
    RollUp(combo, true);
  }
  if (IsWindow(combo)) Notify(combo, CBN_SELCHANGE);
}

// --- The combo's handlers, one per message ------------------------------------

LRESULT OnNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  win::SetState(hwnd, std::make_unique<ComboState>());
  return DefWindowProcW(hwnd, WM_NCCREATE, wParam, lParam);
}

// The height asked for sets the list's rows; the combo keeps the field's.
LRESULT OnCreate(HWND hwnd, ComboState& s, const CREATESTRUCTW* cs) {
  int rows = cs ? (cs->cy - kFieldHeight - 2 * kListFrame) / kItemHeight : 0;
  s.rows = rows >= 1 ? rows : kDefaultRows;
  if (cs) MoveWindow(hwnd, cs->x, cs->y, cs->cx, kFieldHeight, FALSE);
  return 0;
}

LRESULT OnDestroy(ComboState& s) {
  if (HWND list = s.list) {
    s.list = nullptr;
    DestroyWindow(list);
  }
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, POINT pt) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  ComboState* s = Get(hwnd);
  if (!s || s->press.tracking()) return 0;
  if (s->list) {
    RollUp(hwnd, true);  // a press on the field of an open list closes it
    return 0;
  }
  RECT part;
  GetClientRect(hwnd, &part);
  if (!KindOf(hwnd).dropsDown) return 0;
  if (!KindOf(hwnd).wholeFieldDrops) part.left = std::max<LONG>(0, part.right - kDropButtonWidth);
  if (s->press.Down(hwnd, pt, part)) Drop(hwnd);
  return 0;
}

// A point of the combo in its list's client coordinates.
POINT InList(HWND combo, HWND list, POINT pt) {
  ClientToScreen(combo, &pt);
  ScreenToClient(list, &pt);
  return pt;
}

LRESULT OnMouseMove(HWND hwnd, ComboState& s, POINT pt) {
  if (!s.press.tracking()) return 0;
  s.press.Move(pt);
  if (s.list) {
    int row = RowAt(s.list, s, InList(hwnd, s.list, pt));
    if (row >= 0) s.hot = row;
  }
  return 0;
}

// The pen lifts after dropping the list: on a row of the list (pressed on
// the field and slid down) it picks that row; elsewhere the list stays open
// and takes the capture.
LRESULT OnLButtonUp(HWND hwnd, ComboState& s, POINT pt) {
  if (!s.press.tracking()) return 0;
  s.press.Up(pt);
  ComboState* now = Get(hwnd);
  if (!now || !now->list) return 0;
  int row = RowAt(now->list, *now, InList(hwnd, now->list, pt));
  if (row >= 0) {
    Pick(hwnd, row);
  } else {
    SetCapture(now->list);
  }
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, ComboState& s, HWND newCapture) {
  if (s.press.tracking() && newCapture != hwnd) s.press.Cancel();
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, ComboState& s, UINT key) {
  switch (key) {
    case VK_UP:
      KeySelect(hwnd, s, s.selected < 0 ? 0 : s.selected - 1);
      break;
    case VK_DOWN:
      KeySelect(hwnd, s, s.selected + 1);
      break;
    case VK_HOME:
      KeySelect(hwnd, s, 0);
      break;
    case VK_END:
      KeySelect(hwnd, s, int(s.items.size()) - 1);
      break;
    case VK_RETURN:
    case VK_ESCAPE:
      if (s.list) RollUp(hwnd, key == VK_RETURN);
      break;
    default:
      break;
  }
  return 0;
}

// A typed character selects the next item that begins with it, as a key
// moving the selection does.
LRESULT OnChar(HWND hwnd, ComboState& s, char16_t c) {
  if (c < u' ') return 0;
  std::u16string_view prefix(&c, 1);
  LRESULT found = Find(s, WPARAM(s.selected), [&](std::u16string_view item) {
    return StartsWithIgnoringCase(item, prefix);
  });
  if (found != CB_ERR) KeySelect(hwnd, s, int(found));
  return 0;
}

LRESULT OnSetFocus(HWND hwnd, ComboState& s) {
  s.focused = true;
  Notify(hwnd, CBN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(HWND hwnd, ComboState& s) {
  if (!s.focused) return 0;
  RollUp(hwnd, false);
  ComboState* now = Get(hwnd);
  if (!now) return 0;
  now->focused = false;
  Notify(hwnd, CBN_KILLFOCUS);
  return 0;
}

// Arrows and characters are the combo's; Enter and Escape too while open.
LRESULT OnGetDlgCode(const ComboState& s, LPARAM lParam) {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (s.list && msg && msg->message == WM_KEYDOWN &&
      (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
    code |= DLGC_WANTMESSAGE;
  return code;
}

// The field's text is the selected item's.
LRESULT OnGetText(const ComboState& s, WPARAM capacity, LPARAM buffer) {
  auto* out = reinterpret_cast<char16_t*>(buffer);
  if (!out || capacity == 0) return 0;
  std::u16string_view text =
      s.selected >= 0 ? std::u16string_view(s.items[size_t(s.selected)].text) : u"";
  size_t n = std::min(text.size(), size_t(capacity) - 1);
  std::copy_n(text.data(), n, out);
  out[n] = u'\0';
  return LRESULT(n);
}

LRESULT OnGetTextLength(const ComboState& s) {
  return s.selected >= 0 ? LRESULT(s.items[size_t(s.selected)].text.size()) : 0;
}

LRESULT OnAddString(HWND hwnd, ComboState& s, std::u16string_view text) {
  size_t at = s.items.size();
  if (StyleOf(hwnd) & CBS_SORT) {
    auto it = std::upper_bound(s.items.begin(), s.items.end(), text,
                               [](std::u16string_view t, const Item& item) {
                                 return win::CompareForSort(t, item.text) < 0;
                               });
    at = size_t(it - s.items.begin());
  }
  return InsertAt(s, at, text);
}

LRESULT OnInsertString(ComboState& s, WPARAM index, std::u16string_view text) {
  LONG_PTR at = LONG_PTR(index);
  if (at == -1) at = LONG_PTR(s.items.size());
  if (at < 0 || at > LONG_PTR(s.items.size())) return CB_ERR;
  return InsertAt(s, size_t(at), text);
}

LRESULT OnDeleteString(ComboState& s, WPARAM index) {
  if (!ValidIndex(s, index)) return CB_ERR;
  int i = int(index);
  s.items.erase(s.items.begin() + i);
  if (i == s.selected)
    s.selected = -1;
  else if (i < s.selected)
    --s.selected;
  if (s.hot >= int(s.items.size())) s.hot = -1;
  ScrollIntoView(s, -1);
  return LRESULT(s.items.size());
}

LRESULT OnResetContent(ComboState& s) {
  s.items.clear();
  s.selected = s.hot = -1;
  s.top = 0;
  return CB_OKAY;
}

LRESULT OnSetCurSel(ComboState& s, WPARAM index) {
  if (!ValidIndex(s, index)) {
    s.selected = -1;
    return CB_ERR;
  }
  s.selected = int(index);
  if (s.list) s.hot = s.selected;
  ScrollIntoView(s, s.selected);
  return s.selected;
}

LRESULT OnGetLbText(const ComboState& s, WPARAM index, LPARAM buffer) {
  auto* out = reinterpret_cast<char16_t*>(buffer);
  if (!ValidIndex(s, index) || !out) return CB_ERR;
  const std::u16string& text = s.items[index].text;
  std::copy(text.begin(), text.end(), out);
  out[text.size()] = u'\0';
  return LRESULT(text.size());
}

LRESULT OnFindString(const ComboState& s, WPARAM start, std::u16string_view text, bool whole) {
  return Find(s, start, [&](std::u16string_view item) {
    return whole ? win::EqualIgnoringCase(item, text) : StartsWithIgnoringCase(item, text);
  });
}

LRESULT OnSelectString(ComboState& s, WPARAM start, std::u16string_view prefix) {
  LRESULT found =
      Find(s, start, [&](std::u16string_view t) { return StartsWithIgnoringCase(t, prefix); });
  if (found != CB_ERR) OnSetCurSel(s, WPARAM(found));
  return found;
}

LRESULT OnSetItemData(ComboState& s, WPARAM index, LPARAM data) {
  if (!ValidIndex(s, index)) return CB_ERR;
  s.items[index].data = data;
  return TRUE;
}

LRESULT OnShowDropDown(HWND hwnd, const ComboState& s, WPARAM show) {
  if (show)
    Drop(hwnd);
  else if (s.list)
    RollUp(hwnd, false);
  return TRUE;
}

LRESULT OnGetDroppedControlRect(HWND hwnd, const ComboState& s, LPARAM out) {
  auto* rect = reinterpret_cast<RECT*>(out);
  if (!rect) return CB_ERR;
  if (s.list)
    GetWindowRect(s.list, rect);
  else
    *rect = DroppedRect(hwnd, s);
  return TRUE;
}

LRESULT OnSetTopIndex(ComboState& s, WPARAM index) {
  if (!ValidIndex(s, index)) return CB_ERR;
  s.top = std::min(int(index), MaxTop(s));
  return CB_OKAY;
}

LRESULT ComboDispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, wParam, lParam);
  ComboState* s = Get(hwnd);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      return OnCreate(hwnd, *s, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case WM_DESTROY:
      return OnDestroy(*s);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnLButtonDown(hwnd, PointFromLParam(lParam));
    case WM_MOUSEMOVE:
      return OnMouseMove(hwnd, *s, PointFromLParam(lParam));
    case WM_LBUTTONUP:
      return OnLButtonUp(hwnd, *s, PointFromLParam(lParam));
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(hwnd, *s, reinterpret_cast<HWND>(lParam));
    case WM_KEYDOWN:
      return OnKeyDown(hwnd, *s, UINT(wParam));
    case WM_CHAR:
      return OnChar(hwnd, *s, char16_t(wParam));
    case WM_SETFOCUS:
      return OnSetFocus(hwnd, *s);
    case WM_KILLFOCUS:
      return OnKillFocus(hwnd, *s);
    case WM_GETDLGCODE:
      return OnGetDlgCode(*s, lParam);
    case WM_GETTEXT:
      return OnGetText(*s, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return OnGetTextLength(*s);
    case WM_SETTEXT:
      return CB_ERR;  // a drop-down list has no text of its own
    case CB_ADDSTRING:
      return OnAddString(hwnd, *s, TextOf(lParam));
    case CB_INSERTSTRING:
      return OnInsertString(*s, wParam, TextOf(lParam));
    case CB_DELETESTRING:
      return OnDeleteString(*s, wParam);
    case CB_RESETCONTENT:
      return OnResetContent(*s);
    case CB_GETCOUNT:
      return LRESULT(s->items.size());
    case CB_GETCURSEL:
      return s->selected >= 0 ? s->selected : CB_ERR;
    case CB_SETCURSEL:
      return OnSetCurSel(*s, wParam);
    case CB_GETLBTEXT:
      return OnGetLbText(*s, wParam, lParam);
    case CB_GETLBTEXTLEN:
      return ValidIndex(*s, wParam) ? LRESULT(s->items[wParam].text.size()) : CB_ERR;
    case CB_FINDSTRINGEXACT:
      return OnFindString(*s, wParam, TextOf(lParam), true);
    case CB_FINDSTRING:
      return OnFindString(*s, wParam, TextOf(lParam), false);
    case CB_SELECTSTRING:
      return OnSelectString(*s, wParam, TextOf(lParam));
    case CB_SETITEMDATA:
      return OnSetItemData(*s, wParam, lParam);
    case CB_GETITEMDATA:
      return ValidIndex(*s, wParam) ? s->items[wParam].data : CB_ERR;
    case CB_SHOWDROPDOWN:
      return OnShowDropDown(hwnd, *s, wParam);
    case CB_GETDROPPEDSTATE:
      return s->list ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT:
      return OnGetDroppedControlRect(hwnd, *s, lParam);
    case CB_GETITEMHEIGHT:
      return LONG_PTR(wParam) == -1 ? kFieldHeight : kItemHeight;
    case CB_GETTOPINDEX:
      return s->top;
    case CB_SETTOPINDEX:
      return OnSetTopIndex(*s, wParam);
    // WM_PAINT: the drawing layer adds the field painter here (the selected
    // item's text, the drop button pushed while press.pressed(), the focus).
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// --- The dropped list's handlers, one per message -----------------------------

ComboState* ComboOfList(HWND list) {
  ListState* l = win::StateOf<ListState>(list);
  ComboState* s = l ? Get(l->combo) : nullptr;
  return s && s->list == list ? s : nullptr;
}

LRESULT OnListNcCreate(HWND list, WPARAM wParam, LPARAM lParam) {
  auto state = std::make_unique<ListState>();
  if (auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam))
    state->combo = static_cast<HWND>(cs->lpCreateParams);
  win::SetState(list, std::move(state));
  return DefWindowProcW(list, WM_NCCREATE, wParam, lParam);
}

// A press on the scroll bar scrolls: a row for an arrow, a page beside the
// thumb.
void ScrollBarPress(ComboState& s, const ListLayout& l, POINT p) {
  if (Inside(l.lineUp, p))
    s.top -= 1;
  else if (Inside(l.lineDown, p))
    s.top += 1;
  else if (p.y < l.thumb.top)
    s.top -= s.rows;
  else if (p.y >= l.thumb.bottom)
    s.top += s.rows;
  s.top = std::clamp(s.top, 0, MaxTop(s));
}

LRESULT OnListLButtonDown(HWND list, ListState& l, POINT p) {
  ComboState* s = ComboOfList(list);
  if (!s) return 0;
  RECT client;
  GetClientRect(list, &client);
  if (!Inside(client, p)) {
    RollUp(l.combo, false);  // a tap outside the list closes it unchanged
    return 0;
  }
  ListLayout layout = LayoutOfList(list, *s);
  if (layout.scrolls && p.x >= layout.rows.right) {
    ScrollBarPress(*s, layout, p);
    return 0;
  }
  int row = RowAt(list, *s, p);
  if (row < 0) return 0;
  s->hot = row;
  l.tracking = true;
  return 0;
}

LRESULT OnListMouseMove(HWND list, const ListState& l, POINT p) {
  ComboState* s = ComboOfList(list);
  if (!s || !l.tracking) return 0;
  if (int row = RowAt(list, *s, p); row >= 0) s->hot = row;
  return 0;
}

// Lifting the pen on a row picks it; lifting it off the rows after sliding
// away picks nothing and leaves the list open.
LRESULT OnListLButtonUp(HWND list, ListState& l, POINT p) {
  ComboState* s = ComboOfList(list);
  if (!s || !l.tracking) return 0;
  l.tracking = false;
  int row = RowAt(list, *s, p);
  if (row >= 0) {
    Pick(l.combo, row);
  } else {
    s->hot = s->selected;
  }
  return 0;
}

// Losing the capture to another window (a dialog opening) closes the list:
// it could no longer hear the tap that ends it.
LRESULT OnListCaptureChanged(HWND list, const ListState& l, HWND newCapture) {
  if (newCapture && newCapture != list && newCapture != l.combo && ComboOfList(list))
    RollUp(l.combo, false);
  return 0;
}

LRESULT OnListNcDestroy(HWND list, WPARAM wParam, LPARAM lParam) {
  // Destroyed with its owner while open: the combo forgets it.
  if (ComboState* s = ComboOfList(list)) {
    s->list = nullptr;
    s->hot = -1;
  }
  return DefWindowProcW(list, WM_NCDESTROY, wParam, lParam);
}

LRESULT ListDispatch(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return OnListNcCreate(list, wParam, lParam);
  ListState* l = win::StateOf<ListState>(list);
  if (!l) return DefWindowProcW(list, message, wParam, lParam);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnListLButtonDown(list, *l, PointFromLParam(lParam));
    case WM_MOUSEMOVE:
      return OnListMouseMove(list, *l, PointFromLParam(lParam));
    case WM_LBUTTONUP:
      return OnListLButtonUp(list, *l, PointFromLParam(lParam));
    case WM_CAPTURECHANGED:
      return OnListCaptureChanged(list, *l, reinterpret_cast<HWND>(lParam));
    case WM_NCDESTROY:
      return OnListNcDestroy(list, wParam, lParam);
    default:
      return DefWindowProcW(list, message, wParam, lParam);
  }
}

void Register(const char16_t* name, WNDPROC proc) {
  win::RegisterSystemClass(name, proc);
}

// --- Painting ------------------------------------------------------------------

// Everything the field's and the list's looks depend on, folded into one value.
size_t LookKey(HWND combo, const ComboState& s) {
  size_t key = 17;
  auto mix = [&key](size_t v) { key = key * 1000003u ^ v; };
  for (const Item& item : s.items) mix(std::hash<std::u16string>{}(item.text));
  for (size_t v : {size_t(s.selected), size_t(s.top), size_t(s.hot), size_t(s.focused),
                   size_t(s.press.pressed()), reinterpret_cast<size_t>(s.list),
                   size_t(IsWindowEnabled(combo))})
    mix(v);
  return key;
}

void Repaint(HWND combo, const ComboState& s) {
  InvalidateRect(combo, nullptr, FALSE);
  if (s.list) InvalidateRect(s.list, nullptr, FALSE);
}

LRESULT OnPaint(HWND combo) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(combo, &ps);
  if (const ComboState* s = Get(combo)) {
    win::ComboFieldLook look;
    if (s->selected >= 0 && s->selected < int(s->items.size()))
      look.text = s->items[size_t(s->selected)].text;
    look.buttonWidth = kDropButtonWidth;
    look.focused = s->focused && !s->list;
    look.pressed = s->press.pressed() || s->list;
    look.enabled = IsWindowEnabled(combo) != FALSE;
    win::PaintComboField(combo, hdc, look);
  }
  EndPaint(combo, &ps);
  return 0;
}

LRESULT OnListPaint(HWND list, const ListState& l) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(list, &ps);
  if (const ComboState* s = Get(l.combo)) {
    ListLayout layout = LayoutOfList(list, *s);
    win::ComboListLook look;
    look.combo = l.combo;
    int shown = VisibleRows(*s);
    for (int i = s->top; i < int(s->items.size()) && i < s->top + shown; ++i)
      look.rows.push_back(s->items[size_t(i)].text);
    look.highlighted = s->hot >= 0 ? s->hot - s->top : -1;
    look.itemHeight = kItemHeight;
    look.rowsRect = layout.rows;
    look.scrolls = layout.scrolls;
    look.lineUp = layout.lineUp;
    look.lineDown = layout.lineDown;
    look.thumb = layout.thumb;
    win::PaintComboList(list, hdc, look);
  }
  EndPaint(list, &ps);
  return 0;
}

// Every message goes through the dispatchers; a change of look repaints the
// field and the open list.
LRESULT ComboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) return OnPaint(hwnd);
  return win::DispatchRepaintingOnChange(hwnd, message, wParam, lParam, &Get, &LookKey, &Repaint,
                                         &ComboDispatch);
}

LRESULT ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const ListState* l = win::StateOf<ListState>(list);
  if (message == WM_PAINT && l) return OnListPaint(list, *l);
  HWND combo = l ? l->combo : nullptr;
  const ComboState* before = Get(combo);
  size_t key = before ? LookKey(combo, *before) : 0;
  LRESULT result = ListDispatch(list, message, wParam, lParam);
  if (const ComboState* s = Get(combo); s && before && LookKey(combo, *s) != key) Repaint(combo, *s);
  return result;
}

}  // namespace

namespace win {

void RegisterComboBoxClass() {
  Register(u"COMBOBOX", &ComboProc);
  Register(kListClass, &ListProc);
}

}  // namespace win
