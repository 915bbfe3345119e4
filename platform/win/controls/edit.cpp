// The edit control; see edit.h.
//
// Sections: state and layout · changing the text · scrolling · handlers
// (text, selection, limit, scrolling, clipboard, keyboard, stylus, focus) ·
// the window procedure.
#include "win/controls/edit_paint.h"
#include "win/controls/repaint_on_change.h"
#include "win/controls/edit.h"

#include <algorithm>
#include <string>
#include <vector>

#include "win/clipboard.h"
#include "win/controls/notify.h"
#include "win/controls/text_metrics.h"
#include "win/window_table.h"

namespace {

using win::metrics::kLineHeight;
using win::metrics::TextWidth;

constexpr DWORD kDefaultLimit = 32767;
constexpr int kMarginX = 1;  // pixels between the client edge and the text

std::function<void()>& Beep() {
  static std::function<void()> beep;
  return beep;
}

// One displayed line: where it starts and how many characters it shows (a
// hard break's "\r\n" is not counted; a wrapped line keeps its spaces).
struct Line {
  size_t start = 0;
  size_t length = 0;
};

struct EditState : win::WindowState {
  std::u16string text;
  size_t anchor = 0;  // the fixed end of the selection
  size_t caret = 0;   // the moving end, where the caret is
  DWORD limit = kDefaultLimit;
  bool modified = false;
  bool focused = false;
  bool shift = false;     // VK_SHIFT is down (from WM_KEYDOWN / WM_KEYUP)
  bool tracking = false;  // the stylus is selecting, with the capture
  int xOffset = 0;        // pixels scrolled off the left edge
  size_t topLine = 0;     // multi-line: first visible line
  std::vector<Line> lines{Line{}};

  size_t SelLo() const { return std::min(anchor, caret); }
  size_t SelHi() const { return std::max(anchor, caret); }
};

EditState& State(HWND hwnd) {
  // Every handler runs after WM_NCCREATE made the state; a missing one means
  // the window is being torn down, and a throwaway keeps the handler safe.
  static EditState orphan;
  EditState* s = win::StateOf<EditState>(hwnd);
  return s ? *s : (orphan = EditState{});
}

DWORD Style(HWND hwnd) { return DWORD(GetWindowLongW(hwnd, GWL_STYLE)); }
bool Multi(HWND hwnd) { return Style(hwnd) & ES_MULTILINE; }

// --- Per-style behaviour ----------------------------------------------------

// Where a line starts across the formatting rectangle.
struct AlignRule {
  DWORD style;
  int numerator;  // share of the free width left of the text, in halves
};
constexpr AlignRule kAlign[] = {
    {ES_LEFT, 0},    // ES_LEFT: flush left
    {ES_CENTER, 1},  // ES_CENTER: half the free width on each side
    {ES_RIGHT, 2},   // ES_RIGHT: all the free width on the left
};

// Typed characters some styles refuse or change.
struct CharRule {
  DWORD style;
  bool (*accepts)(char16_t);
  char16_t (*convert)(char16_t);
};
char16_t Same(char16_t c) { return c; }
bool Any(char16_t) { return true; }
constexpr CharRule kCharRules[] = {
    // ES_NUMBER: digits only; anything else is refused with a beep.
    {ES_NUMBER, [](char16_t c) { return c >= u'0' && c <= u'9'; }, Same},
    // ES_UPPERCASE: letters are entered in upper case.
    {ES_UPPERCASE, Any, [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; }},
    // ES_LOWERCASE: letters are entered in lower case.
    {ES_LOWERCASE, Any, [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }},
};

// Dialog codes: what the dialog manager leaves to the field.
struct DlgCodeRule {
  DWORD styles;  // all of these
  LRESULT code;
};
constexpr DlgCodeRule kDlgCodes[] = {
    // every edit: Tab-entry selects all, takes characters and arrows
    {0, DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS},
    // ES_MULTILINE | ES_WANTRETURN: Enter (and Escape, Tab) stay in the field
    {ES_MULTILINE | ES_WANTRETURN, DLGC_WANTALLKEYS},
};

// --- Layout -----------------------------------------------------------------

// The formatting rectangle: the client area less the side margins.
RECT FormatRect(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  r.left += kMarginX;
  r.right = std::max(r.left, r.right - kMarginX);
  return r;
}
int FormatWidth(HWND hwnd) {
  RECT r = FormatRect(hwnd);
  return r.right - r.left;
}
size_t VisibleLines(HWND hwnd) {
  RECT r = FormatRect(hwnd);
  return size_t(std::max(1, int((r.bottom - r.top) / kLineHeight)));
}
// Multi-line text wraps at words unless it scrolls sideways.
bool Wraps(HWND hwnd) { return Multi(hwnd) && !(Style(hwnd) & ES_AUTOHSCROLL); }

// Splits one paragraph (no "\r\n" inside) into lines no wider than `width`:
// after the last space that fits, or inside a word longer than the line.
void WrapParagraph(const std::u16string& text, size_t start, size_t end, int width, bool wrap,
                   std::vector<Line>& out) {
  while (wrap && TextWidth(std::u16string_view(text).substr(start, end - start)) > width) {
    size_t n = 0;
    for (int w = 0; start + n < end && w + win::metrics::CharWidth(text[start + n]) <= width; ++n)
      w += win::metrics::CharWidth(text[start + n]);
    size_t cut = start + n;
    if (text[cut] == u' ') {
      while (cut < end && text[cut] == u' ') ++cut;  // spaces hang past the edge
    } else {
      size_t k = cut;
      while (k > start && text[k - 1] != u' ') --k;
      cut = k > start ? k : start + std::max<size_t>(n, 1);
    }
    out.push_back({start, cut - start});
    start = cut;
  }
  out.push_back({start, end - start});
}

std::vector<Line> LayOut(HWND hwnd, const std::u16string& text) {
  std::vector<Line> lines;
  if (!Multi(hwnd)) return {Line{0, text.size()}};
  bool wrap = Wraps(hwnd);
  int width = FormatWidth(hwnd);
  for (size_t pos = 0;;) {
    size_t brk = text.find(u"\r\n", pos);
    WrapParagraph(text, pos, brk == std::u16string::npos ? text.size() : brk, width, wrap, lines);
    if (brk == std::u16string::npos) break;
    pos = brk + 2;
  }
  return lines;
}

// The line that shows position `pos` (at a wrap, the later line).
size_t LineOf(const EditState& s, size_t pos) {
  auto it = std::upper_bound(s.lines.begin(), s.lines.end(), pos,
                             [](size_t p, const Line& l) { return p < l.start; });
  return it == s.lines.begin() ? 0 : size_t(it - s.lines.begin() - 1);
}

int LineWidth(const EditState& s, size_t line) {
  const Line& l = s.lines[line];
  return TextWidth(std::u16string_view(s.text).substr(l.start, l.length));
}

// Pixels from the formatting rectangle's left edge to the line's first
// character, before scrolling.
int AlignOffset(HWND hwnd, const EditState& s, size_t line) {
  DWORD align = Style(hwnd) & (ES_CENTER | ES_RIGHT);
  int free = std::max(0, FormatWidth(hwnd) - LineWidth(s, line));
  for (const AlignRule& rule : kAlign)
    if (rule.style == align) return free * rule.numerator / 2;
  return 0;
}

// The caret's x within the formatting rectangle, and its line.
int CaretX(HWND hwnd, const EditState& s) {
  size_t line = LineOf(s, s.caret);
  const Line& l = s.lines[line];
  return AlignOffset(hwnd, s, line) - s.xOffset +
         TextWidth(std::u16string_view(s.text).substr(l.start, s.caret - l.start));
}

// The character boundary nearest to a client point.
size_t PosFromPoint(HWND hwnd, const EditState& s, POINT p) {
  RECT fr = FormatRect(hwnd);
  size_t line = 0;
  if (Multi(hwnd)) {
    LONG row = (p.y - fr.top) < 0 ? -1 : (p.y - fr.top) / kLineHeight;
    line = row < 0 ? (s.topLine ? s.topLine - 1 : 0)
                   : std::min(s.topLine + size_t(row), s.lines.size() - 1);
  }
  const Line& l = s.lines[line];
  int x = p.x - fr.left + s.xOffset - AlignOffset(hwnd, s, line);
  int w = 0;
  for (size_t i = 0; i < l.length; ++i) {
    int cw = win::metrics::CharWidth(s.text[l.start + i]);
    if (x < w + cw / 2) return l.start + i;
    w += cw;
  }
  return l.start + l.length;
}

// Whether a text would show whole in a field that cannot scroll that way.
bool Fits(HWND hwnd, const std::u16string& text) {
  DWORD style = Style(hwnd);
  if (!(style & ES_MULTILINE))
    return (style & ES_AUTOHSCROLL) || TextWidth(text) <= FormatWidth(hwnd);
  return (style & ES_AUTOVSCROLL) || LayOut(hwnd, text).size() <= VisibleLines(hwnd);
}

// --- Scrolling ----------------------------------------------------------------

// Moves the first visible line, kept so that the last page is full. Returns
// whether the view moved.
bool ScrollToLine(HWND hwnd, EditState& s, long line) {
  long last = std::max(0L, long(s.lines.size()) - long(VisibleLines(hwnd)));
  size_t top = size_t(std::clamp(line, 0L, last));
  if (top == s.topLine) return false;
  s.topLine = top;
  return true;
}

// Scrolls the least that shows the caret. Returns whether the lines moved.
bool ScrollCaret(HWND hwnd, EditState& s) {
  bool moved = false;
  if (Multi(hwnd)) {
    size_t line = LineOf(s, s.caret), visible = VisibleLines(hwnd);
    if (line < s.topLine)
      moved = ScrollToLine(hwnd, s, long(line));
    else if (line >= s.topLine + visible)
      moved = ScrollToLine(hwnd, s, long(line - visible + 1));
  }
  bool sideways = !Multi(hwnd) ? (Style(hwnd) & ES_AUTOHSCROLL) : !Wraps(hwnd);
  if (sideways) {
    int x = CaretX(hwnd, s), width = FormatWidth(hwnd);
    if (x < 0)
      s.xOffset = std::max(0, s.xOffset + x);
    else if (x > width)
      s.xOffset += x - width;
  } else {
    s.xOffset = 0;
  }
  return moved;
}

// --- Changing the text --------------------------------------------------------

void Notify(HWND hwnd, WORD code) { win::NotifyCommand(hwnd, code); }

// Tells the parent that the text changed. The state is not touched after
// this: a handler may set the text again or destroy the field.
void NotifyChanged(HWND hwnd) {
  Notify(hwnd, EN_UPDATE);
  Notify(hwnd, EN_CHANGE);
}

// Replaces the selection with `insert`. With `limited`, the text limit and,
// for a field that does not scroll, its size cut the insertion short (the
// parent hears EN_MAXTEXT first). Returns whether the text changed; the
// parent has been notified when it did.
bool ReplaceSelection(HWND hwnd, std::u16string insert, bool limited) {
  EditState& s = State(hwnd);
  size_t lo = s.SelLo(), hi = s.SelHi();
  if (limited) {
    size_t kept = s.text.size() - (hi - lo);
    size_t room = kept < s.limit ? size_t(s.limit) - kept : 0;
    bool refused = insert.size() > room;
    if (refused) insert.resize(room);
    auto candidate = [&] { return std::u16string(s.text).replace(lo, hi - lo, insert); };
    while (!insert.empty() && !Fits(hwnd, candidate())) {
      bool lineFeed = insert.back() == u'\n';
      insert.pop_back();
      if (lineFeed && !insert.empty() && insert.back() == u'\r')
        insert.pop_back();  // a break goes whole
      refused = true;
    }
    if (refused) {
      Notify(hwnd, EN_MAXTEXT);
      if (!win::StateOf<EditState>(hwnd)) return false;
    }
  }
  if (insert.empty() && lo == hi) return false;
  EditState& t = State(hwnd);  // the parent may have changed things meanwhile
  lo = t.SelLo();
  hi = t.SelHi();
  t.text.replace(lo, hi - lo, insert);
  t.anchor = t.caret = lo + insert.size();
  t.modified = true;
  t.lines = LayOut(hwnd, t.text);
  ScrollCaret(hwnd, t);
  NotifyChanged(hwnd);
  return true;
}

void SetSelection(HWND hwnd, size_t anchor, size_t caret) {
  EditState& s = State(hwnd);
  s.anchor = std::min(anchor, s.text.size());
  s.caret = std::min(caret, s.text.size());
}

bool ReadOnly(HWND hwnd) { return Style(hwnd) & ES_READONLY; }

// --- Handlers: creation, text -------------------------------------------------

LRESULT OnNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto state = std::make_unique<EditState>();
  auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  if (cs && cs->lpszName) state->text = cs->lpszName;
  win::SetState(hwnd, std::move(state));
  State(hwnd).lines = LayOut(hwnd, State(hwnd).text);
  return DefWindowProcW(hwnd, WM_NCCREATE, wParam, lParam);
}

LRESULT OnSize(HWND hwnd) {
  EditState& s = State(hwnd);
  s.lines = LayOut(hwnd, s.text);
  ScrollToLine(hwnd, s, long(s.topLine));
  return 0;
}

// WM_SETTEXT notifies like any other change, single-line or multi-line: the
// handheld's edit sends EN_UPDATE and EN_CHANGE for it, and parents (the
// keypad's entry rule) rely on that.
LRESULT OnSetText(HWND hwnd, LPARAM lParam) {
  EditState& s = State(hwnd);
  auto* text = reinterpret_cast<const char16_t*>(lParam);
  s.text = text ? text : u"";
  s.anchor = s.caret = 0;
  s.xOffset = 0;
  s.topLine = 0;
  s.modified = false;
  s.lines = LayOut(hwnd, s.text);
  NotifyChanged(hwnd);
  return TRUE;
}

LRESULT OnGetText(HWND hwnd, WPARAM capacity, LPARAM buffer) {
  const EditState& s = State(hwnd);
  auto* out = reinterpret_cast<char16_t*>(buffer);
  if (!out || capacity == 0) return 0;
  size_t n = std::min(s.text.size(), size_t(capacity) - 1);
  std::copy_n(s.text.data(), n, out);
  out[n] = u'\0';
  return LRESULT(n);
}

LRESULT OnGetTextLength(HWND hwnd) { return LRESULT(State(hwnd).text.size()); }

// --- Handlers: selection, limit, lines ----------------------------------------

LRESULT OnGetSel(HWND hwnd, WPARAM startOut, LPARAM endOut) {
  const EditState& s = State(hwnd);
  size_t lo = s.SelLo(), hi = s.SelHi();
  if (auto* p = reinterpret_cast<DWORD*>(startOut)) *p = DWORD(lo);
  if (auto* p = reinterpret_cast<DWORD*>(endOut)) *p = DWORD(hi);
  return lo > 0xFFFF || hi > 0xFFFF ? -1 : LRESULT(MAKELONG(WORD(lo), WORD(hi)));
}

LRESULT OnSetSel(HWND hwnd, WPARAM start, LPARAM end) {
  EditState& s = State(hwnd);
  if (LONG(start) == -1) {
    SetSelection(hwnd, s.caret, s.caret);
    return 0;
  }
  // Any other negative value reads as a huge unsigned one: the end.
  auto clampPos = [&](DWORD v) { return std::min(size_t(v), s.text.size()); };
  SetSelection(hwnd, clampPos(DWORD(start)), clampPos(DWORD(end)));
  return 0;
}

LRESULT OnReplaceSel(HWND hwnd, LPARAM lParam) {
  auto* text = reinterpret_cast<const char16_t*>(lParam);
  ReplaceSelection(hwnd, text ? text : u"", true);
  return 0;
}

LRESULT OnLimitText(HWND hwnd, WPARAM limit) {
  State(hwnd).limit = limit ? DWORD(limit) : (Multi(hwnd) ? 0xFFFFFFFFu : 0x7FFFFFFEu);
  return 0;
}

LRESULT OnGetLimitText(HWND hwnd) { return LRESULT(State(hwnd).limit); }

LRESULT OnGetLineCount(HWND hwnd) { return LRESULT(State(hwnd).lines.size()); }

// EM_LINEINDEX: the first character of a line (-1: the caret's line).
LRESULT OnLineIndex(HWND hwnd, WPARAM line) {
  const EditState& s = State(hwnd);
  size_t n = LONG(line) == -1 ? LineOf(s, s.caret) : size_t(line);
  return n < s.lines.size() ? LRESULT(s.lines[n].start) : -1;
}

// EM_LINELENGTH: the length of the line holding a character (-1: the
// unselected characters of the selection's lines).
LRESULT OnLineLength(HWND hwnd, WPARAM pos) {
  const EditState& s = State(hwnd);
  if (LONG(pos) == -1) {
    const Line& first = s.lines[LineOf(s, s.SelLo())];
    const Line& last = s.lines[LineOf(s, s.SelHi())];
    return LRESULT((s.SelLo() - first.start) + (last.start + last.length - s.SelHi()));
  }
  return LRESULT(s.lines[LineOf(s, std::min(size_t(pos), s.text.size()))].length);
}

LRESULT OnLineFromChar(HWND hwnd, WPARAM pos) {
  const EditState& s = State(hwnd);
  return LRESULT(LineOf(s, LONG(pos) == -1 ? s.SelLo() : std::min(size_t(pos), s.text.size())));
}

LRESULT OnGetFirstVisibleLine(HWND hwnd) {
  const EditState& s = State(hwnd);
  return Multi(hwnd) ? LRESULT(s.topLine)
                     : LRESULT(PosFromPoint(hwnd, s, {FormatRect(hwnd).left, 0}));
}

LRESULT OnGetRect(HWND hwnd, LPARAM lParam) {
  if (auto* r = reinterpret_cast<RECT*>(lParam)) *r = FormatRect(hwnd);
  return 0;
}

LRESULT OnSetReadOnly(HWND hwnd, WPARAM readOnly) {
  DWORD style = Style(hwnd);
  SetWindowLongW(hwnd, GWL_STYLE,
                 LONG(readOnly ? style | ES_READONLY : style & ~DWORD(ES_READONLY)));
  return TRUE;
}

LRESULT OnGetModify(HWND hwnd) { return State(hwnd).modified ? TRUE : FALSE; }
LRESULT OnSetModify(HWND hwnd, WPARAM flag) {
  State(hwnd).modified = flag != 0;
  return 0;
}

LRESULT OnGetDlgCode(HWND hwnd) {
  DWORD style = Style(hwnd);
  LRESULT code = 0;
  for (const DlgCodeRule& rule : kDlgCodes)
    if ((style & rule.styles) == rule.styles) code |= rule.code;
  return code;
}

// --- Handlers: scrolling ----------------------------------------------------

LRESULT OnScrollCaret(HWND hwnd) {
  ScrollCaret(hwnd, State(hwnd));
  return TRUE;
}

LRESULT OnLineScroll(HWND hwnd, WPARAM chars, LPARAM lines) {
  if (!Multi(hwnd)) return FALSE;
  EditState& s = State(hwnd);
  ScrollToLine(hwnd, s, long(s.topLine) + long(lines));
  if (!Wraps(hwnd))
    s.xOffset = std::max(0, s.xOffset + int(LONG(chars)) * win::metrics::CharWidth(u'x'));
  return TRUE;
}

// WM_VSCROLL and EM_SCROLL: the scroll bar's requests. The parent hears
// EN_VSCROLL for the arrow and page requests that move the view.
LRESULT OnVScroll(HWND hwnd, WPARAM wParam, bool answerLines) {
  EditState& s = State(hwnd);
  if (!Multi(hwnd)) return answerLines ? FALSE : 0;
  if (answerLines && LOWORD(wParam) > SB_PAGEDOWN) return FALSE;  // EM_SCROLL: lines and pages only
  long top = long(s.topLine), page = long(VisibleLines(hwnd));
  long target = top;
  bool notify = true;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: target = top - 1; break;
    case SB_LINEDOWN: target = top + 1; break;
    case SB_PAGEUP: target = top - page; break;
    case SB_PAGEDOWN: target = top + page; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = long(s.lines.size()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      target = HIWORD(wParam);
      notify = false;  // the thumb itself sends none
      break;
    default: return answerLines ? FALSE : 0;
  }
  bool moved = ScrollToLine(hwnd, s, target);
  long delta = long(State(hwnd).topLine) - top;
  if (moved && notify) Notify(hwnd, EN_VSCROLL);
  return answerLines ? LRESULT(MAKELONG(WORD(delta), TRUE)) : 0;
}

// --- Handlers: clipboard ------------------------------------------------------

// What each clipboard message does with the selection.
struct ClipboardRule {
  UINT message;
  bool copies;   // puts the selection on the clipboard
  bool removes;  // deletes the selection
  bool inserts;  // replaces the selection with the clipboard's text
};
constexpr ClipboardRule kClipboard[] = {
    {WM_CUT, true, true, false},
    {WM_COPY, true, false, false},
    {WM_PASTE, false, false, true},
    {WM_CLEAR, false, true, false},
};

LRESULT OnClipboard(HWND hwnd, UINT message) {
  const ClipboardRule* rule = nullptr;
  for (const ClipboardRule& r : kClipboard)
    if (r.message == message) rule = &r;
  // Read-only fields give text away but take none and lose none.
  if (!rule || ((rule->removes || rule->inserts) && ReadOnly(hwnd))) return 0;
  const EditState& s = State(hwnd);
  std::u16string selected = s.text.substr(s.SelLo(), s.SelHi() - s.SelLo());
  if (rule->copies && !selected.empty()) win::WriteClipboardText(hwnd, selected);
  if (rule->removes) ReplaceSelection(hwnd, u"", false);
  if (rule->inserts) {
    if (auto text = win::ReadClipboardText(hwnd)) ReplaceSelection(hwnd, *text, true);
  }
  return 0;
}

// --- Handlers: keyboard -------------------------------------------------------

bool IsBreakAt(const std::u16string& text, size_t pos) {
  return pos + 2 <= text.size() && text[pos] == u'\r' && text[pos + 1] == u'\n';
}

// The caret's next position for a movement key; `moved` false when the key
// is not a movement key.
size_t MoveTarget(HWND hwnd, const EditState& s, UINT key, bool& moved) {
  moved = true;
  const std::u16string& t = s.text;
  size_t line = LineOf(s, s.caret);
  const Line& l = s.lines[line];
  bool multi = Multi(hwnd);
  auto sameXOn = [&](size_t target) {
    RECT fr = FormatRect(hwnd);
    int x = CaretX(hwnd, s) + fr.left;
    LONG y = fr.top + LONG(long(target) - long(s.topLine)) * kLineHeight;
    return PosFromPoint(hwnd, s, {x, y});
  };
  switch (key) {
    case VK_LEFT:
      if (s.caret >= 2 && multi && IsBreakAt(t, s.caret - 2)) return s.caret - 2;
      return s.caret ? s.caret - 1 : 0;
    case VK_RIGHT:
      if (multi && IsBreakAt(t, s.caret)) return s.caret + 2;
      return std::min(s.caret + 1, t.size());
    case VK_HOME: return multi ? l.start : 0;
    case VK_END: return multi ? l.start + l.length : t.size();
    case VK_UP:
      if (!multi) return s.caret ? s.caret - 1 : 0;
      return line ? sameXOn(line - 1) : s.caret;
    case VK_DOWN:
      if (!multi) return std::min(s.caret + 1, t.size());
      return line + 1 < s.lines.size() ? sameXOn(line + 1) : s.caret;
    default: moved = false; return s.caret;
  }
}

LRESULT OnKeyDown(HWND hwnd, WPARAM key) {
  EditState& s = State(hwnd);
  if (key == VK_SHIFT) {
    s.shift = true;
    return 0;
  }
  if (key == VK_DELETE) {
    if (ReadOnly(hwnd)) return 0;
    if (s.anchor == s.caret && s.caret < s.text.size())
      s.caret += IsBreakAt(s.text, s.caret) && Multi(hwnd) ? 2 : 1;
    ReplaceSelection(hwnd, u"", false);
    return 0;
  }
  bool moved = false;
  size_t target = MoveTarget(hwnd, s, UINT(key), moved);
  if (!moved) return 0;
  s.caret = target;
  if (!s.shift) s.anchor = target;
  if (ScrollCaret(hwnd, s)) Notify(hwnd, EN_VSCROLL);
  return 0;
}

LRESULT OnKeyUp(HWND hwnd, WPARAM key) {
  if (key == VK_SHIFT) State(hwnd).shift = false;
  return 0;
}

// Backspace comes as its character (VK_BACK), as on the platform; Delete and
// the movement keys come as key presses.
LRESULT OnChar(HWND hwnd, WPARAM wParam) {
  char16_t c = char16_t(wParam);
  switch (c) {
    case 0x03: return OnClipboard(hwnd, WM_COPY);   // Ctrl+C
    case 0x16: return OnClipboard(hwnd, WM_PASTE);  // Ctrl+V
    case 0x18: return OnClipboard(hwnd, WM_CUT);    // Ctrl+X
    default: break;
  }
  if (ReadOnly(hwnd)) return 0;
  EditState& s = State(hwnd);
  if (c == u'\b') {
    if (s.anchor == s.caret && s.caret > 0)
      s.caret -= s.caret >= 2 && Multi(hwnd) && IsBreakAt(s.text, s.caret - 2) ? 2 : 1;
    ReplaceSelection(hwnd, u"", false);
    return 0;
  }
  if (c == u'\r') {
    if (Multi(hwnd)) ReplaceSelection(hwnd, u"\r\n", true);
    return 0;
  }
  if (c == u'\t' ? !Multi(hwnd) : c < 0x20) return 0;
  DWORD style = Style(hwnd);
  for (const CharRule& rule : kCharRules) {
    if (!(style & rule.style)) continue;
    if (!rule.accepts(c)) {
      if (Beep()) Beep()();
      return 0;
    }
    c = rule.convert(c);
  }
  ReplaceSelection(hwnd, std::u16string(1, c), true);
  return 0;
}

// --- Handlers: stylus ----------------------------------------------------------

// The pen places the caret (extending the selection with Shift) and holds
// the capture while it selects.
LRESULT OnLButtonDown(HWND hwnd, LPARAM lParam) {
  EditState& s = State(hwnd);
  size_t pos = PosFromPoint(hwnd, s, PointFromLParam(lParam));
  SetSelection(hwnd, s.shift ? s.anchor : pos, pos);
  ScrollCaret(hwnd, s);
  s.tracking = true;
  SetCapture(hwnd);
  if (GetFocus() != hwnd) SetFocus(hwnd);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, LPARAM lParam) {
  EditState& s = State(hwnd);
  if (!s.tracking) return 0;
  POINT p = PointFromLParam(lParam);
  s.caret = PosFromPoint(hwnd, s, p);
  ScrollCaret(hwnd, s);
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd) {
  EditState& s = State(hwnd);
  if (!s.tracking) return 0;
  s.tracking = false;  // before releasing: WM_CAPTURECHANGED follows
  ReleaseCapture();
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd) {
  State(hwnd).tracking = false;
  return 0;
}

// --- Handlers: focus -------------------------------------------------------------

LRESULT OnSetFocus(HWND hwnd) {
  State(hwnd).focused = true;
  Notify(hwnd, EN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(HWND hwnd) {
  EditState& s = State(hwnd);
  s.focused = false;
  s.shift = false;
  Notify(hwnd, EN_KILLFOCUS);
  return 0;
}

// --- The window procedure --------------------------------------------------------

// --- Painting ---------------------------------------------------------------

// Everything the field's look depends on, folded into one value: a change
// of it after a message means the field must be painted again.
size_t LookKey(HWND hwnd, const EditState& s) {
  size_t key = std::hash<std::u16string>{}(s.text);
  for (size_t v : {s.anchor, s.caret, size_t(s.xOffset), s.topLine, size_t(s.focused),
                   size_t(Style(hwnd)), size_t(IsWindowEnabled(hwnd))})
    key = key * 1000003u ^ v;
  return key;
}

win::EditLook LookOf(HWND hwnd, const EditState& s) {
  win::EditLook look;
  RECT fr = FormatRect(hwnd);
  size_t first = Multi(hwnd) ? s.topLine : LineOf(s, s.caret);
  size_t count = Multi(hwnd) ? VisibleLines(hwnd) : 1;
  for (size_t i = first; i < s.lines.size() && i < first + count; ++i) {
    const Line& l = s.lines[i];
    int x = fr.left + AlignOffset(hwnd, s, i) - s.xOffset;
    int y = fr.top + int(i - first) * kLineHeight;
    look.lines.push_back({l.start, std::u16string_view(s.text).substr(l.start, l.length), x, y});
  }
  look.selLo = s.SelLo();
  look.selHi = s.SelHi();
  look.focused = s.focused;
  size_t caretLine = LineOf(s, s.caret);
  look.caretShown = s.SelLo() == s.SelHi() && caretLine >= first && caretLine < first + count;
  look.caret = {fr.left + CaretX(hwnd, s), fr.top + LONG(caretLine - first) * kLineHeight};
  look.enabled = IsWindowEnabled(hwnd) != FALSE;
  look.readOnlyOrDisabled = ReadOnly(hwnd) || !look.enabled;
  look.password = (Style(hwnd) & ES_PASSWORD) != 0;
  return look;
}

LRESULT OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (EditState* s = win::StateOf<EditState>(hwnd)) win::PaintEdit(hwnd, hdc, LookOf(hwnd, *s));
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Every message goes through Dispatch; a change of look repaints the field.
LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) return OnPaint(hwnd);
  return win::DispatchRepaintingOnChange(hwnd, message, wParam, lParam, &win::StateOf<EditState>, &LookKey,
                                         &win::InvalidateWhole<EditState>, &Dispatch);
}

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: return OnNcCreate(hwnd, wParam, lParam);
    case WM_SIZE: return OnSize(hwnd);
    case WM_SETTEXT: return OnSetText(hwnd, lParam);
    case WM_GETTEXT: return OnGetText(hwnd, wParam, lParam);
    case WM_GETTEXTLENGTH: return OnGetTextLength(hwnd);
    case WM_GETDLGCODE: return OnGetDlgCode(hwnd);
    case EM_GETSEL: return OnGetSel(hwnd, wParam, lParam);
    case EM_SETSEL: return OnSetSel(hwnd, wParam, lParam);
    case EM_REPLACESEL: return OnReplaceSel(hwnd, lParam);
    case EM_LIMITTEXT: return OnLimitText(hwnd, wParam);
    case EM_GETLIMITTEXT: return OnGetLimitText(hwnd);
    case EM_GETLINECOUNT: return OnGetLineCount(hwnd);
    case EM_LINEINDEX: return OnLineIndex(hwnd, wParam);
    case EM_LINELENGTH: return OnLineLength(hwnd, wParam);
    case EM_LINEFROMCHAR: return OnLineFromChar(hwnd, wParam);
    case EM_GETFIRSTVISIBLELINE: return OnGetFirstVisibleLine(hwnd);
    case EM_GETRECT: return OnGetRect(hwnd, lParam);
    case EM_SCROLLCARET: return OnScrollCaret(hwnd);
    case EM_LINESCROLL: return OnLineScroll(hwnd, wParam, lParam);
    case EM_SCROLL: return OnVScroll(hwnd, wParam, true);
    case WM_VSCROLL: return OnVScroll(hwnd, wParam, false);
    case EM_SETREADONLY: return OnSetReadOnly(hwnd, wParam);
    case EM_GETMODIFY: return OnGetModify(hwnd);
    case EM_SETMODIFY: return OnSetModify(hwnd, wParam);
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR: return OnClipboard(hwnd, message);
    case WM_KEYDOWN: return OnKeyDown(hwnd, wParam);
    case WM_KEYUP: return OnKeyUp(hwnd, wParam);
    case WM_CHAR: return OnChar(hwnd, wParam);
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(hwnd);
    case WM_CAPTURECHANGED: return OnCaptureChanged(hwnd);
    case WM_SETFOCUS: return OnSetFocus(hwnd);
    case WM_KILLFOCUS: return OnKillFocus(hwnd);
    // WM_PAINT: the drawing layer draws from the state (text, selection, caret, xOffset, topLine, lines).
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void RegisterEditClass() {
  win::RegisterSystemClass(kEditClass, &EditProc);
}

namespace win {

void SetEditBeep(std::function<void()> beep) { Beep() = std::move(beep); }

}  // namespace win
