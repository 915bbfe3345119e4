// The "STATIC" control class; see static_control.h.
//
// A static shows its text or its image and otherwise stays out of the way:
// without SS_NOTIFY the pen passes through it to the window beneath (its
// parent), as the platform's transparent hit test makes it; with SS_NOTIFY a
// press is reported as STN_CLICKED.
#include "win/controls/static_control.h"

#include <array>
#include <memory>

#include "gdi/wingdi.h"
#include "res/resources.h"
#include "win/controls/notify.h"
#include "win/controls/static_paint.h"
#include "win/window_table.h"

namespace {

enum class Content { kText, kIcon, kBitmap, kFrame, kOwnerDrawn };
enum class Align { kLeft, kCenter, kRight };

// What each static type shows, indexed by its SS_TYPEMASK bits; `imageType`
// is the IMAGE_* that STM_SETIMAGE accepts (-1: none).
struct StaticKind {
  Content content;
  Align align;
  int imageType;
};

constexpr StaticKind kNoKind{Content::kFrame, Align::kLeft, -1};

constexpr std::array<StaticKind, 0x13> kKinds{{
    /* SS_LEFT           0x00 */ {Content::kText, Align::kLeft, -1},
    /* SS_CENTER         0x01 */ {Content::kText, Align::kCenter, -1},
    /* SS_RIGHT          0x02 */ {Content::kText, Align::kRight, -1},
    /* SS_ICON           0x03 */ {Content::kIcon, Align::kLeft, IMAGE_ICON},
    /* SS_BLACKRECT      0x04 */ {Content::kFrame, Align::kLeft, -1},
    /* SS_GRAYRECT       0x05 */ {Content::kFrame, Align::kLeft, -1},
    /* SS_WHITERECT      0x06 */ {Content::kFrame, Align::kLeft, -1},
    /* SS_BLACKFRAME     0x07 */ {Content::kFrame, Align::kLeft, -1},
    /* SS_GRAYFRAME      0x08 */ {Content::kFrame, Align::kLeft, -1},
    /* SS_WHITEFRAME     0x09 */ {Content::kFrame, Align::kLeft, -1},
    /* SS_USERITEM       0x0A */ {Content::kOwnerDrawn, Align::kLeft, -1},
    /* SS_SIMPLE         0x0B */ {Content::kText, Align::kLeft, -1},
    /* SS_LEFTNOWORDWRAP 0x0C */ {Content::kText, Align::kLeft, -1},
    /* SS_OWNERDRAW      0x0D */ {Content::kOwnerDrawn, Align::kLeft, -1},
    /* SS_BITMAP         0x0E */ {Content::kBitmap, Align::kLeft, IMAGE_BITMAP},
    /* SS_ENHMETAFILE    0x0F */ {Content::kFrame, Align::kLeft, -1},
    /* SS_ETCHEDHORZ     0x10 */ {Content::kFrame, Align::kLeft, -1},
    /* SS_ETCHEDVERT     0x11 */ {Content::kFrame, Align::kLeft, -1},
    /* SS_ETCHEDFRAME    0x12 */ {Content::kFrame, Align::kLeft, -1},
}};

struct StaticState : win::WindowState {
  // The shown image (an HBITMAP or HICON, by the style); opaque here, the
  // drawing layer reads it.
  void* image = nullptr;
  // The resource id a template gave as the image's name (0xFFFF, id), for the
  // drawing layer to load from the window's module; 0 when none.
  WORD imageResource = 0;
  // The bitmap loaded from imageResource, deleted with the window.
  struct BitmapDeleter {
    void operator()(HBITMAP b) const { DeleteObject(b); }
  };
  std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> loadedResource;
};

DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongW(hwnd, GWL_STYLE)); }

const StaticKind& KindOf(HWND hwnd) {
  DWORD type = StyleOf(hwnd) & SS_TYPEMASK;
  return type < kKinds.size() ? kKinds[type] : kNoKind;
}

bool Notifies(HWND hwnd) { return (StyleOf(hwnd) & SS_NOTIFY) != 0; }

// An image type matches the style: a cursor is shown like an icon.
bool Accepts(HWND hwnd, WPARAM type) {
  int wanted = KindOf(hwnd).imageType;
  if (wanted == IMAGE_ICON && type == IMAGE_CURSOR) return true;
  return wanted >= 0 && type == WPARAM(wanted);
}

// --- Handlers, one per message -----------------------------------------------

LRESULT OnNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  auto state = std::make_unique<StaticState>();
  auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  Content content = KindOf(hwnd).content;
  if (cs && cs->lpszName && cs->lpszName[0] == u'\xFFFF' &&
      (content == Content::kBitmap || content == Content::kIcon))
    state->imageResource = WORD(cs->lpszName[1]);
  win::SetState(hwnd, std::move(state));
  return DefWindowProcW(hwnd, WM_NCCREATE, wParam, lParam);
}

LRESULT OnSetImage(HWND hwnd, StaticState& s, WPARAM type, LPARAM handle) {
  if (!Accepts(hwnd, type)) return 0;
  void* previous = s.image;
  s.image = reinterpret_cast<void*>(handle);
  InvalidateRect(hwnd, nullptr, TRUE);
  return reinterpret_cast<LRESULT>(previous);
}

LRESULT OnGetImage(HWND hwnd, const StaticState& s, WPARAM type) {
  return Accepts(hwnd, type) ? reinterpret_cast<LRESULT>(s.image) : 0;
}

// Without SS_NOTIFY the pen goes through to the parent, in its coordinates.
LRESULT PassToParent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND parent = GetParent(hwnd);
  if (!parent || !(StyleOf(hwnd) & WS_CHILD)) return 0;
  POINT p{LONG(short(LOWORD(std::uintptr_t(lParam)))), LONG(short(HIWORD(std::uintptr_t(lParam))))};
  ClientToScreen(hwnd, &p);
  ScreenToClient(parent, &p);
  return SendMessageW(parent, message, wParam, LPARAM(MAKELONG(WORD(p.x), WORD(p.y))));
}

LRESULT OnPen(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!Notifies(hwnd)) return PassToParent(hwnd, message, wParam, lParam);
  if (message == WM_LBUTTONDOWN) win::NotifyCommand(hwnd, STN_CLICKED);
  if (message == WM_LBUTTONDBLCLK) win::NotifyCommand(hwnd, STN_DBLCLK);
  return 0;
}

LRESULT OnEnable(HWND hwnd, BOOL enabled) {
  if (Notifies(hwnd)) win::NotifyCommand(hwnd, enabled ? STN_ENABLE : STN_DISABLE);
  return 0;
}

LRESULT OnSetText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  InvalidateRect(hwnd, nullptr, TRUE);
  return DefWindowProcW(hwnd, WM_SETTEXT, wParam, lParam);
}

// A template's image id is loaded from the window's module the first time
// the static is painted; the static owns that bitmap.
HBITMAP ShownBitmap(HWND hwnd, StaticState& s) {
  if (KindOf(hwnd).content != Content::kBitmap) return nullptr;
  if (!s.image && s.imageResource && !s.loadedResource) {
    auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWL_HINSTANCE));
    s.loadedResource.reset(LoadBitmapW(module, MAKEINTRESOURCEW(s.imageResource)));
  }
  return s.image ? static_cast<HBITMAP>(s.image) : s.loadedResource.get();
}

LRESULT OnPaint(HWND hwnd, StaticState& s) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  win::StaticLook look;
  look.style = StyleOf(hwnd);
  look.enabled = IsWindowEnabled(hwnd) != FALSE;
  if (KindOf(hwnd).content == Content::kText) look.text = WindowText(hwnd);
  look.bitmap = ShownBitmap(hwnd, s);
  win::PaintStatic(hwnd, hdc, look);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return OnNcCreate(hwnd, wParam, lParam);
  StaticState* s = win::StateOf<StaticState>(hwnd);
  if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case STM_SETIMAGE:
      return OnSetImage(hwnd, *s, wParam, lParam);
    case STM_GETIMAGE:
      return OnGetImage(hwnd, *s, wParam);
    case STM_SETICON:
      return OnSetImage(hwnd, *s, IMAGE_ICON, LPARAM(wParam));
    case STM_GETICON:
      return OnGetImage(hwnd, *s, IMAGE_ICON);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      return OnPen(hwnd, message, wParam, lParam);
    case WM_ENABLE:
      return OnEnable(hwnd, BOOL(wParam));
    case WM_GETDLGCODE:
      return DLGC_STATIC;
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

void RegisterStaticClass() {
  win::RegisterSystemClass(u"STATIC", &StaticProc);
}

}  // namespace win
