// The "BUTTON" control class; see button.h.
//
// A press takes the focus and the capture and shows the pushed look while the
// pen stays on the button; a release on it is a click: check boxes change
// their check first, then the parent gets BN_CLICKED. Owner-drawn buttons ask
// their parent to draw them (WM_DRAWITEM) whenever the pushed look or the
// focus changes. Space does what the pen does.
#include "win/controls/button.h"

#include <algorithm>
#include <array>
#include <memory>

#include "win/controls/button_paint.h"
#include "win/controls/notify.h"
#include "win/controls/press_tracker.h"
#include "win/window_table.h"

namespace {

// What a click does to the check state.
enum class OnClick { kNothing, kToggle, kCycle, kCheck };

// What each button type does, indexed by its BS_TYPEMASK bits.
struct ButtonKind {
  LRESULT dlgCode;  // the WM_GETDLGCODE answer
  UINT maxCheck;    // BM_SETCHECK keeps states up to this one
  OnClick onClick;
  bool pressable;   // takes the pen and the space key
  bool ownerDrawn;  // drawn by the parent through WM_DRAWITEM
};

constexpr LRESULT kPush = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
constexpr LRESULT kDefault = DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
constexpr LRESULT kRadio = DLGC_BUTTON | DLGC_RADIOBUTTON;

// clang-format off
constexpr std::array<ButtonKind, 16> kKinds{{
    /* BS_PUSHBUTTON      0x0 */ {kPush,       BST_UNCHECKED,     OnClick::kNothing, true,  false},
    /* BS_DEFPUSHBUTTON   0x1 */ {kDefault,    BST_UNCHECKED,     OnClick::kNothing, true,  false},
    /* BS_CHECKBOX        0x2 */ {DLGC_BUTTON, BST_CHECKED,       OnClick::kNothing, true,  false},
    /* BS_AUTOCHECKBOX    0x3 */ {DLGC_BUTTON, BST_CHECKED,       OnClick::kToggle,  true,  false},
    /* BS_RADIOBUTTON     0x4 */ {kRadio,      BST_CHECKED,       OnClick::kNothing, true,  false},
    /* BS_3STATE          0x5 */ {DLGC_BUTTON, BST_INDETERMINATE, OnClick::kNothing, true,  false},
    /* BS_AUTO3STATE      0x6 */ {DLGC_BUTTON, BST_INDETERMINATE, OnClick::kCycle,   true,  false},
    /* BS_GROUPBOX        0x7 */ {DLGC_STATIC, BST_UNCHECKED,     OnClick::kNothing, false, false},
    /* BS_USERBUTTON      0x8 */ {kPush,       BST_UNCHECKED,     OnClick::kNothing, true,  false},
    /* BS_AUTORADIOBUTTON 0x9 */ {kRadio,      BST_CHECKED,       OnClick::kCheck,   true,  false},
    /* BS_PUSHBOX         0xA */ {DLGC_BUTTON, BST_UNCHECKED,     OnClick::kNothing, true,  false},
    /* BS_OWNERDRAW       0xB */ {DLGC_BUTTON, BST_UNCHECKED,     OnClick::kNothing, true,  true},
    /* (no type)          0xC */ {DLGC_BUTTON, BST_UNCHECKED,     OnClick::kNothing, true,  false},
    /* (no type)          0xD */ {DLGC_BUTTON, BST_UNCHECKED,     OnClick::kNothing, true,  false},
    /* (no type)          0xE */ {DLGC_BUTTON, BST_UNCHECKED,     OnClick::kNothing, true,  false},
    /* (no type)          0xF */ {DLGC_BUTTON, BST_UNCHECKED,     OnClick::kNothing, true,  false},
}};
// clang-format on

// Everything painting and interaction need to know about one button.
struct ButtonState : win::WindowState {
  win::PressTracker press;
  bool pushed = false;  // the pushed look: held by the pen, the space key or BM_SETSTATE
  bool spaceDown = false;
  bool focused = false;
  UINT check = BST_UNCHECKED;
  HBITMAP image = nullptr;  // BS_BITMAP's image (BM_SETIMAGE)
};

DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongW(hwnd, GWL_STYLE)); }
const ButtonKind& KindOf(HWND hwnd) { return kKinds[StyleOf(hwnd) & BS_TYPEMASK]; }

RECT ClientOf(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return r;
}

// Asks the parent of an owner-drawn button to draw it, into `hdc` or, when
// it is null (a change of look outside painting), into a DC of its own.
void DrawItem(HWND hwnd, const ButtonState& s, UINT action, HDC hdc = nullptr) {
  if (!KindOf(hwnd).ownerDrawn) return;
  if (!hdc) {
    HDC own = GetDC(hwnd);
    DrawItem(hwnd, s, action, own);
    ReleaseDC(hwnd, own);
    return;
  }
  DRAWITEMSTRUCT dis;
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = UINT(GetDlgCtrlID(hwnd));
  dis.itemAction = action;
  dis.itemState = (s.pushed ? ODS_SELECTED : 0) | (s.focused ? ODS_FOCUS : 0) |
                  (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
  dis.hwndItem = hwnd;
  dis.hDC = hdc;
  dis.rcItem = ClientOf(hwnd);
  SendMessageW(GetParent(hwnd), WM_DRAWITEM, WPARAM(dis.CtlID), reinterpret_cast<LPARAM>(&dis));
}

// A change of look: owner-drawn buttons are drawn at once, the others at
// the next paint.
void Redraw(HWND hwnd, const ButtonState& s, UINT action) {
  if (KindOf(hwnd).ownerDrawn) DrawItem(hwnd, s, action);
  else InvalidateRect(hwnd, nullptr, FALSE);
}

void SetPushed(HWND hwnd, ButtonState& s, bool pushed) {
  if (s.pushed == pushed) return;
  s.pushed = pushed;
  Redraw(hwnd, s, ODA_SELECT);
}

// A completed press: the check changes (through BM_SETCHECK, so that a
// subclass sees it), then the parent hears of the click.
void Click(HWND hwnd) {
  ButtonState* s = win::StateOf<ButtonState>(hwnd);
  if (!s) return;
  switch (KindOf(hwnd).onClick) {
    case OnClick::kNothing:
      break;
    case OnClick::kToggle:
      SendMessageW(hwnd, BM_SETCHECK, s->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
      break;
    case OnClick::kCycle:
      SendMessageW(hwnd, BM_SETCHECK, (s->check + 1) % 3, 0);
      break;
    case OnClick::kCheck:
      SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
      break;
  }
  if (IsWindow(hwnd)) win::NotifyCommand(hwnd, BN_CLICKED);
}

// --- Handlers, one per message -----------------------------------------------

LRESULT OnNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  win::SetState(hwnd, std::make_unique<ButtonState>());
  return DefWindowProcW(hwnd, WM_NCCREATE, wParam, lParam);
}

LRESULT OnLButtonDown(HWND hwnd, ButtonState& s, POINT pt) {
  if (!KindOf(hwnd).pressable) return 0;
  if (GetFocus() != hwnd) SetFocus(hwnd);
  if (!IsWindow(hwnd) || s.press.tracking()) return 0;
  if (s.press.Down(hwnd, pt, ClientOf(hwnd))) SetPushed(hwnd, s, true);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, ButtonState& s, POINT pt) {
  if (s.press.Move(pt)) SetPushed(hwnd, s, s.press.pressed());
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, ButtonState& s, POINT pt) {
  if (!s.press.tracking()) return 0;
  bool click = s.press.Up(pt);
  SetPushed(hwnd, s, false);
  if (click && IsWindow(hwnd)) Click(hwnd);
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, ButtonState& s, HWND newCapture) {
  if (!s.press.tracking() || newCapture == hwnd) return 0;
  s.press.Cancel();
  SetPushed(hwnd, s, false);
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, ButtonState& s, UINT key) {
  if (key != VK_SPACE || s.spaceDown || !KindOf(hwnd).pressable) return 0;
  s.spaceDown = true;
  SetPushed(hwnd, s, true);
  return 0;
}

LRESULT OnKeyUp(HWND hwnd, ButtonState& s, UINT key) {
  if (key != VK_SPACE || !s.spaceDown) return 0;
  s.spaceDown = false;
  SetPushed(hwnd, s, false);
  if (IsWindow(hwnd)) Click(hwnd);
  return 0;
}

LRESULT OnSetFocus(HWND hwnd, ButtonState& s) {
  s.focused = true;
  Redraw(hwnd, s, ODA_FOCUS);
  if ((StyleOf(hwnd) & BS_NOTIFY) && IsWindow(hwnd)) win::NotifyCommand(hwnd, BN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(HWND hwnd, ButtonState& s) {
  s.focused = false;
  s.spaceDown = false;
  if (s.press.tracking() && GetCapture() == hwnd) ReleaseCapture();  // ends the press, no click
  s.press.Cancel();
  if (s.pushed) {
    s.pushed = false;
    Redraw(hwnd, s, ODA_SELECT | ODA_FOCUS);
  } else {
    Redraw(hwnd, s, ODA_FOCUS);
  }
  if ((StyleOf(hwnd) & BS_NOTIFY) && IsWindow(hwnd)) win::NotifyCommand(hwnd, BN_KILLFOCUS);
  return 0;
}

LRESULT OnGetCheck(const ButtonState& s) { return LRESULT(s.check); }

LRESULT OnSetCheck(HWND hwnd, ButtonState& s, WPARAM state) {
  UINT check = std::min<UINT>(UINT(state), KindOf(hwnd).maxCheck);
  if (check != s.check) InvalidateRect(hwnd, nullptr, FALSE);
  s.check = check;
  return 0;
}

LRESULT OnGetState(const ButtonState& s) {
  return LRESULT(s.check | (s.pushed ? BST_PUSHED : 0) | (s.focused ? BST_FOCUS : 0));
}

LRESULT OnSetState(HWND hwnd, ButtonState& s, WPARAM pushed) {
  SetPushed(hwnd, s, pushed != 0);
  return 0;
}

LRESULT OnSetStyle(HWND hwnd, WPARAM style) {
  DWORD kept = StyleOf(hwnd) & 0xFFFF0000u;
  SetWindowLongW(hwnd, GWL_STYLE, LONG(kept | (DWORD(style) & 0xFFFFu)));
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

// As the platform does it: the press and the release the pen would make.
LRESULT OnClickMessage(HWND hwnd) {
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
  return 0;
}

LRESULT OnEnable(HWND hwnd, ButtonState& s) {
  Redraw(hwnd, s, ODA_DRAWENTIRE);
  return 0;
}

LRESULT OnSetText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  InvalidateRect(hwnd, nullptr, TRUE);
  return DefWindowProcW(hwnd, WM_SETTEXT, wParam, lParam);
}

LRESULT OnPaint(HWND hwnd, const ButtonState& s) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (KindOf(hwnd).ownerDrawn) {
    if (hdc) DrawItem(hwnd, s, ODA_DRAWENTIRE, hdc);
  } else {
    win::ButtonLook look;
    look.style = StyleOf(hwnd);
    look.pushed = s.pushed;
    look.focused = s.focused;
    look.enabled = IsWindowEnabled(hwnd) != FALSE;
    look.check = s.check;
    look.text = WindowText(hwnd);
    look.bitmap = s.image;
    win::PaintButton(hwnd, hdc, look);
  }
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnSetImage(HWND hwnd, ButtonState& s, WPARAM type, LPARAM image) {
  if (type != IMAGE_BITMAP) return 0;
  HBITMAP previous = s.image;
  s.image = reinterpret_cast<HBITMAP>(image);
  InvalidateRect(hwnd, nullptr, TRUE);
  return reinterpret_cast<LRESULT>(previous);
}

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, wParam, lParam);
  ButtonState* s = win::StateOf<ButtonState>(hwnd);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnLButtonDown(hwnd, *s, PointFromLParam(lParam));
    case WM_MOUSEMOVE:
      return OnMouseMove(hwnd, *s, PointFromLParam(lParam));
    case WM_LBUTTONUP:
      return OnLButtonUp(hwnd, *s, PointFromLParam(lParam));
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(hwnd, *s, reinterpret_cast<HWND>(lParam));
    case WM_KEYDOWN:
      return OnKeyDown(hwnd, *s, UINT(wParam));
    case WM_KEYUP:
      return OnKeyUp(hwnd, *s, UINT(wParam));
    case WM_SETFOCUS:
      return OnSetFocus(hwnd, *s);
    case WM_KILLFOCUS:
      return OnKillFocus(hwnd, *s);
    case WM_ENABLE:
      return OnEnable(hwnd, *s);
    case WM_GETDLGCODE:
      return KindOf(hwnd).dlgCode;
    case BM_GETCHECK:
      return OnGetCheck(*s);
    case BM_SETCHECK:
      return OnSetCheck(hwnd, *s, wParam);
    case BM_GETSTATE:
      return OnGetState(*s);
    case BM_SETSTATE:
      return OnSetState(hwnd, *s, wParam);
    case BM_SETSTYLE:
      return OnSetStyle(hwnd, wParam);
    case BM_CLICK:
      return OnClickMessage(hwnd);
    case BM_SETIMAGE:
      return OnSetImage(hwnd, *s, wParam, lParam);
    case BM_GETIMAGE:
      return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(s->image) : 0;
    case WM_SETTEXT:
      return OnSetText(hwnd, wParam, lParam);
    case WM_PAINT:
      return OnPaint(hwnd, *s);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

namespace win {

void RegisterButtonClass() {
  win::RegisterSystemClass(u"BUTTON", &ButtonProc);
}

}  // namespace win
