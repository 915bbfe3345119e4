// The up-down control; see updown.h.
//
// A press on an arrow steps the position at once (the pen down is the step;
// holding does not repeat): the parent is asked first with UDN_DELTAPOS and
// may cancel or change the step; the position then moves within the range
// (clamped, or wrapped with UDS_WRAP), the buddy's text follows with
// UDS_SETBUDDYINT, and in every case the parent gets WM_VSCROLL or WM_HSCROLL
// (SB_THUMBPOSITION, the position) as the platform sends it.
#include "win/controls/updown_paint.h"
#include "win/controls/updown.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "win/controls/press_tracker.h"
#include "win/window_table.h"

namespace {

enum class Arrow { kNone, kDecrement, kIncrement };

// Where the arrows sit and how moves are reported, by UDS_HORZ.
struct Orientation {
  bool across;         // arrows side by side (else one above the other)
  Arrow firstHalf;     // the arrow in the left or top half; the other takes the rest
  UINT scrollMessage;  // what the parent hears after every step
  UINT keyIncrement;   // with UDS_ARROWKEYS, besides Up (increment) and Down
  UINT keyDecrement;
};

// clang-format off
constexpr std::array<Orientation, 2> kOrientations{{
    /* vertical (no UDS_HORZ): the top arrow increments */
    {false, Arrow::kIncrement, WM_VSCROLL, VK_UP,    VK_DOWN},
    /* UDS_HORZ: the left arrow decrements, the right one increments */
    {true,  Arrow::kDecrement, WM_HSCROLL, VK_RIGHT, VK_LEFT},
}};
// clang-format on

struct UpDownState : win::WindowState {
  // The platform's default range runs from 100 (minimum) to 0 (maximum).
  int min = 100;
  int max = 0;
  int pos = 0;
  int base = 10;
  HWND buddy = nullptr;
  win::PressTracker press;
  Arrow held = Arrow::kNone;  // the arrow under the pen; press.pressed() says if it looks pushed
};

DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongW(hwnd, GWL_STYLE)); }
const Orientation& OrientationOf(HWND hwnd) {
  return kOrientations[(StyleOf(hwnd) & UDS_HORZ) ? 1 : 0];
}
UpDownState* Get(HWND hwnd) { return win::StateOf<UpDownState>(hwnd); }

RECT ArrowRect(HWND hwnd, Arrow arrow) {
  RECT r;
  GetClientRect(hwnd, &r);
  const Orientation& o = OrientationOf(hwnd);
  bool first = arrow == o.firstHalf;
  if (o.across) {
    LONG mid = r.right / 2;
    return first ? RECT{0, 0, mid, r.bottom} : RECT{mid, 0, r.right, r.bottom};
  }
  LONG mid = r.bottom / 2;
  return first ? RECT{0, 0, r.right, mid} : RECT{0, mid, r.right, r.bottom};
}

Arrow ArrowAt(HWND hwnd, POINT p) {
  for (Arrow a : {Arrow::kDecrement, Arrow::kIncrement}) {
    RECT r = ArrowRect(hwnd, a);
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return a;
  }
  return Arrow::kNone;
}

bool InRange(const UpDownState& s, long long v) {
  return v >= std::min(s.min, s.max) && v <= std::max(s.min, s.max);
}

int Clamp(const UpDownState& s, long long v) {
  return int(std::clamp<long long>(v, std::min(s.min, s.max), std::max(s.min, s.max)));
}

// --- The buddy's text --------------------------------------------------------

bool SetsBuddyText(HWND hwnd, const UpDownState& s) {
  return (StyleOf(hwnd) & UDS_SETBUDDYINT) && IsWindow(s.buddy);
}

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Base 16 as 0x and four or more upper-case digits; base 10 with a comma
// between thousands unless UDS_NOTHOUSANDS.
std::u16string FormatPosition(HWND hwnd, const UpDownState& s) {
  if (s.base == 16) {
    std::string digits;
    for (std::uint32_t v = std::uint32_t(s.pos); v; v >>= 4)
      digits.insert(digits.begin(), "0123456789ABCDEF"[v & 15]);
    while (digits.size() < 4) digits.insert(digits.begin(), '0');
    return Ascii("0x" + digits);
  }
  std::string digits = std::to_string(s.pos < 0 ? -static_cast<long long>(s.pos) : s.pos);
  if (!(StyleOf(hwnd) & UDS_NOTHOUSANDS))
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(size_t(i), 1, ',');
  return Ascii((s.pos < 0 ? "-" : "") + digits);
}

// Reads a number as the C library's wcstol does in the given base, the whole
// text or nothing; thousands separators are ignored. Empty text reads as 0.
bool ParsePosition(std::u16string text, int base, long long& value) {
  std::erase(text, u',');
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  if (base == 16 && i + 1 < text.size() && text[i] == u'0' &&
      (text[i + 1] == u'x' || text[i + 1] == u'X'))
    i += 2;
  size_t digitsAt = i;
  value = 0;
  for (; i < text.size(); ++i) {
    char16_t c = text[i];
    int d = c >= u'0' && c <= u'9'   ? c - u'0'
            : c >= u'a' && c <= u'f' ? c - u'a' + 10
            : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                     : 99;
    if (d >= base) return false;
    value = std::min<long long>(value * base + d, 1LL << 40);
  }
  if (digitsAt == i) return text.empty();  // no digits: only empty text reads (as 0)
  if (negative) value = -value;
  return true;
}

// Takes the position from the buddy's text when it holds a number in range.
// Returns false (position unchanged) otherwise, and without a buddy to read.
bool ReadBuddy(HWND hwnd, UpDownState& s) {
  if (!SetsBuddyText(hwnd, s)) return false;
  long long value = 0;
  if (!ParsePosition(WindowText(s.buddy), s.base, value) || !InRange(s, value)) return false;
  s.pos = int(value);
  return true;
}

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

// Writes the position into the buddy; an unchanged text is left alone so
// that the buddy hears of no change.
void WriteBuddy(HWND hwnd, const UpDownState& s) {
  if (!SetsBuddyText(hwnd, s)) return;
  std::u16string text = FormatPosition(hwnd, s);
  if (!SameIgnoringCase(WindowText(s.buddy), text)) SetWindowTextW(s.buddy, text.c_str());
}

// With UDS_ALIGNLEFT or UDS_ALIGNRIGHT the control moves beside its buddy,
// as tall as it, and the buddy gives up the room.
void AlignWithBuddy(HWND hwnd, const UpDownState& s) {
  DWORD style = StyleOf(hwnd);
  HWND parent = GetParent(hwnd);
  if (!(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) || !IsWindow(s.buddy) || !parent) return;
  RECT own, buddy;
  GetWindowRect(hwnd, &own);
  GetWindowRect(s.buddy, &buddy);
  POINT topLeft{buddy.left, buddy.top};
  ScreenToClient(parent, &topLeft);
  int width = own.right - own.left, buddyWidth = buddy.right - buddy.left,
      height = buddy.bottom - buddy.top;
  int shrunk = std::max(0, buddyWidth - width);
  if (style & UDS_ALIGNLEFT) {
    MoveWindow(s.buddy, topLeft.x + width, topLeft.y, shrunk, height, TRUE);
    MoveWindow(hwnd, topLeft.x, topLeft.y, width, height, TRUE);
  } else {
    MoveWindow(s.buddy, topLeft.x, topLeft.y, shrunk, height, TRUE);
    MoveWindow(hwnd, topLeft.x + shrunk, topLeft.y, width, height, TRUE);
  }
}

// --- Stepping ----------------------------------------------------------------

// Moves the position by delta within the range; returns whether it moved.
bool Offset(HWND hwnd, UpDownState& s, int delta) {
  long long target = static_cast<long long>(s.pos) + delta;
  if (!InRange(s, target)) {
    bool wrap = StyleOf(hwnd) & UDS_WRAP;
    bool pastTop = target > std::max(s.min, s.max);
    if (wrap)
      target = pastTop ? std::min(s.min, s.max) : std::max(s.min, s.max);
    else
      target = Clamp(s, target);
  }
  bool moved = target != s.pos;
  s.pos = int(target);
  return moved;
}

// One step of an arrow: ask, move, tell.
void Step(HWND hwnd, Arrow arrow) {
  UpDownState* s = Get(hwnd);
  if (!s || arrow == Arrow::kNone) return;
  // A reversed range (maximum below minimum) turns the arrows round.
  int delta = (arrow == Arrow::kIncrement ? 1 : -1) * (s->max < s->min ? -1 : 1);
  NMUPDOWN nm;
  nm.hdr.code = UDN_DELTAPOS;
  nm.iPos = s->pos;
  nm.iDelta = delta;
  LRESULT refused = win::NotifyParent(hwnd, nm.hdr);
  if (!(s = Get(hwnd))) return;
  if (!refused && Offset(hwnd, *s, nm.iDelta)) WriteBuddy(hwnd, *s);
  if (!(s = Get(hwnd))) return;
  HWND parent = GetParent(hwnd);
  if (parent && (StyleOf(hwnd) & WS_CHILD))
    SendMessageW(parent, OrientationOf(hwnd).scrollMessage,
                 MAKELONG(SB_THUMBPOSITION, WORD(s->pos)), reinterpret_cast<LPARAM>(hwnd));
}

bool IsEdit(HWND hwnd) {
  char16_t name[8] = {};
  GetClassNameW(hwnd, name, 8);
  return win::FoldClassName(name) == u"edit";
}

// --- Handlers, one per message -----------------------------------------------

LRESULT OnNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  win::SetState(hwnd, std::make_unique<UpDownState>());
  return DefWindowProcW(hwnd, WM_NCCREATE, wParam, lParam);
}

LRESULT OnCreate(HWND hwnd, UpDownState& s) {
  if (StyleOf(hwnd) & UDS_AUTOBUDDY) {
    s.buddy = GetWindow(hwnd, GW_HWNDPREV);
    AlignWithBuddy(hwnd, s);
  }
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, UpDownState& s, POINT pt) {
  Arrow arrow = ArrowAt(hwnd, pt);
  if (arrow == Arrow::kNone || s.press.tracking()) return 0;
  if (IsEdit(s.buddy)) SetFocus(s.buddy);
  UpDownState* now = Get(hwnd);
  if (!now) return 0;
  ReadBuddy(hwnd, *now);
  now->held = arrow;
  now->press.Down(hwnd, pt, ArrowRect(hwnd, arrow));
  Step(hwnd, arrow);
  return 0;
}

LRESULT OnMouseMove(UpDownState& s, POINT pt) {
  s.press.Move(pt);  // only the look changes
  return 0;
}

LRESULT OnLButtonUp(UpDownState& s, POINT pt) {
  if (!s.press.tracking()) return 0;
  s.held = Arrow::kNone;
  s.press.Up(pt);
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, UpDownState& s, HWND newCapture) {
  if (s.press.tracking() && newCapture != hwnd) {
    s.press.Cancel();
    s.held = Arrow::kNone;
  }
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, UpDownState& s, UINT key) {
  if (!(StyleOf(hwnd) & UDS_ARROWKEYS)) return DefWindowProcW(hwnd, WM_KEYDOWN, key, 0);
  const Orientation& o = OrientationOf(hwnd);
  Arrow arrow = key == VK_UP || key == o.keyIncrement     ? Arrow::kIncrement
                : key == VK_DOWN || key == o.keyDecrement ? Arrow::kDecrement
                                                          : Arrow::kNone;
  if (arrow == Arrow::kNone) return 0;
  ReadBuddy(hwnd, s);
  Step(hwnd, arrow);
  return 0;
}

LRESULT OnSetRange(UpDownState& s, int min, int max) {
  s.min = min;
  s.max = max;
  return 0;
}

LRESULT OnGetRange32(const UpDownState& s, WPARAM minOut, LPARAM maxOut) {
  if (auto* p = reinterpret_cast<int*>(minOut)) *p = s.min;
  if (auto* p = reinterpret_cast<int*>(maxOut)) *p = s.max;
  return 0;
}

LRESULT OnSetPos(HWND hwnd, UpDownState& s, long long pos) {
  int previous = s.pos;
  s.pos = Clamp(s, pos);
  WriteBuddy(hwnd, s);
  return previous;
}

LRESULT OnGetPos(HWND hwnd, UpDownState& s) {
  bool ok = ReadBuddy(hwnd, s);
  return LRESULT(MAKELONG(WORD(s.pos), ok ? 0 : 1));
}

LRESULT OnGetPos32(HWND hwnd, UpDownState& s, LPARAM errorOut) {
  bool ok = ReadBuddy(hwnd, s);
  if (auto* error = reinterpret_cast<BOOL*>(errorOut)) *error = ok ? FALSE : TRUE;
  return s.pos;
}

LRESULT OnSetBase(HWND hwnd, UpDownState& s, WPARAM base) {
  if (base != 10 && base != 16) return 0;
  int previous = s.base;
  s.base = int(base);
  if (previous != s.base) WriteBuddy(hwnd, s);
  return previous;
}

LRESULT OnSetBuddy(HWND hwnd, UpDownState& s, HWND buddy) {
  HWND previous = s.buddy;
  s.buddy = buddy;
  AlignWithBuddy(hwnd, s);
  return reinterpret_cast<LRESULT>(previous);
}

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, wParam, lParam);
  UpDownState* s = Get(hwnd);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      return OnCreate(hwnd, *s);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnLButtonDown(hwnd, *s, PointFromLParam(lParam));
    case WM_MOUSEMOVE:
      return OnMouseMove(*s, PointFromLParam(lParam));
    case WM_LBUTTONUP:
      return OnLButtonUp(*s, PointFromLParam(lParam));
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(hwnd, *s, reinterpret_cast<HWND>(lParam));
    case WM_KEYDOWN:
      return OnKeyDown(hwnd, *s, UINT(wParam));
    case UDM_SETRANGE:
      return OnSetRange(*s, short(HIWORD(std::uintptr_t(lParam))),
                        short(LOWORD(std::uintptr_t(lParam))));
    case UDM_GETRANGE:
      return LRESULT(MAKELONG(WORD(s->max), WORD(s->min)));
    case UDM_SETRANGE32:
      return OnSetRange(*s, int(wParam), int(lParam));
    case UDM_GETRANGE32:
      return OnGetRange32(*s, wParam, lParam);
    case UDM_SETPOS:
      return OnSetPos(hwnd, *s, short(LOWORD(std::uintptr_t(lParam))));
    case UDM_SETPOS32:
      return OnSetPos(hwnd, *s, int(lParam));
    case UDM_GETPOS:
      return OnGetPos(hwnd, *s);
    case UDM_GETPOS32:
      return OnGetPos32(hwnd, *s, lParam);
    case UDM_SETBASE:
      return OnSetBase(hwnd, *s, wParam);
    case UDM_GETBASE:
      return s->base;
    case UDM_SETBUDDY:
      return OnSetBuddy(hwnd, *s, reinterpret_cast<HWND>(wParam));
    case UDM_GETBUDDY:
      return reinterpret_cast<LRESULT>(s->buddy);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// --- Painting ------------------------------------------------------------------

// The arrow that looks pushed, if any.
Arrow Pushed(const UpDownState& s) { return s.press.pressed() ? s.held : Arrow::kNone; }

LRESULT OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (const UpDownState* s = Get(hwnd)) {
    const Orientation& o = OrientationOf(hwnd);
    Arrow second = o.firstHalf == Arrow::kIncrement ? Arrow::kDecrement : Arrow::kIncrement;
    win::UpDownLook look;
    look.first = ArrowRect(hwnd, o.firstHalf);
    look.second = ArrowRect(hwnd, second);
    look.across = o.across;
    look.firstPressed = Pushed(*s) == o.firstHalf;
    look.secondPressed = Pushed(*s) == second;
    look.enabled = IsWindowEnabled(hwnd) != FALSE;
    win::PaintUpDown(hdc, look);
  }
  EndPaint(hwnd, &ps);
  return 0;
}

// Every message goes through Dispatch; a pushed arrow that changes repaints.
LRESULT UpDownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) return OnPaint(hwnd);
  const UpDownState* s = Get(hwnd);
  Arrow before = s ? Pushed(*s) : Arrow::kNone;
  bool enabled = IsWindowEnabled(hwnd) != FALSE;
  LRESULT result = Dispatch(hwnd, message, wParam, lParam);
  if ((s = Get(hwnd)) != nullptr && (Pushed(*s) != before || enabled != IsWindowEnabled(hwnd)))
    InvalidateRect(hwnd, nullptr, FALSE);
  return result;
}

}  // namespace

namespace win {

void RegisterUpDownClass() {
  win::RegisterSystemClass(UPDOWN_CLASSW, &UpDownProc);
}

}  // namespace win
