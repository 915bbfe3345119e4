// Invalidation and painting: update rectangles, the paint passes run from
// the idle queue, BeginPaint/EndPaint and the DCs of GetDC.
//
// Sections: geometry helpers | update rectangles | the paint pass |
// platform functions.
#include "win/paint.h"

#include <algorithm>
#include <map>
#include <vector>

#include "win/paint_surface.h"
#include "win/window_table.h"

namespace win {
namespace {

// --- Geometry helpers --------------------------------------------------------

bool Empty(const RECT& r) { return IsRectEmpty(&r) != FALSE; }

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r;
  IntersectRect(&r, &a, &b);
  return r;
}

RECT Union(const RECT& a, const RECT& b) {
  RECT r;
  UnionRect(&r, &a, &b);
  return r;
}

RECT Offset(RECT r, LONG dx, LONG dy) {
  OffsetRect(&r, dx, dy);
  return r;
}

RECT ScreenRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// Offset from the window's top-left corner to its client origin.
POINT ClientOffset(HWND hwnd) {
  RECT r = ScreenRectOf(hwnd);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  return {origin.x - r.left, origin.y - r.top};
}

RECT ClientInWindowCoords(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  POINT off = ClientOffset(hwnd);
  return Offset(client, off.x, off.y);
}

RECT WholeWindow(HWND hwnd) {
  RECT r = ScreenRectOf(hwnd);
  return {0, 0, r.right - r.left, r.bottom - r.top};
}

// --- Update rectangles -------------------------------------------------------

constexpr RECT kScreen{0, 0, 240, 320};

struct Pending {
  std::vector<RECT> exposed{kScreen};  // screen areas to compose again; all at start
  bool passRunning = false;
};

Pending& ThePending() {
  static Pending pending;
  return pending;
}

// Adds `r` (window coordinates) to the window's update rectangle.
void AddUpdate(Window& w, const RECT& r, bool erase) {
  RECT clipped = Intersect(r, WholeWindow(w.handle));
  if (Empty(clipped)) return;
  w.update = Union(w.update, clipped);
  w.erase = w.erase || erase;
}

void ClearUpdate(Window& w) {
  w.update = {};
  w.erase = false;
  w.eraseRefused = false;
}

// Removes `r` from `from` where the rest is still one rectangle.
RECT Subtract(const RECT& from, const RECT& r) {
  RECT overlap = Intersect(from, r);
  if (Empty(overlap)) return from;
  bool fullWidth = overlap.left == from.left && overlap.right == from.right;
  bool fullHeight = overlap.top == from.top && overlap.bottom == from.bottom;
  if (fullWidth && fullHeight) return {};
  RECT out = from;
  if (fullWidth && overlap.top == from.top) out.top = overlap.bottom;
  else if (fullWidth && overlap.bottom == from.bottom) out.bottom = overlap.top;
  else if (fullHeight && overlap.left == from.left) out.left = overlap.right;
  else if (fullHeight && overlap.right == from.right) out.right = overlap.left;
  return out;
}

bool VisibleNow(const Window& w) { return IsWindowVisible(w.handle) != FALSE; }

// --- The paint pass ----------------------------------------------------------

// Screen rectangles painted so far in this pass: every window met later in
// the walk lies above them and is invalidated where it overlaps them.
using Painted = std::vector<RECT>;

void AddPainted(Painted& painted, const RECT& r) {
  if (Empty(r)) return;
  for (const RECT& p : painted)
    if (Intersect(p, r) == r) return;  // already covered
  painted.push_back(r);
}

// Sends WM_ERASEBKGND with a DC clipped to the update rectangle; BeginPaint
// reports a refusal in PAINTSTRUCT.fErase.
void Erase(HWND hwnd, const RECT& clipScreen) {
  Window* w = WindowTable::Get().Find(hwnd);
  if (!w || !w->erase) return;
  w->erase = false;
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  RECT client{};
  GetClientRect(hwnd, &client);
  HDC hdc = CreateWindowSurfaceDC(hwnd, true, Intersect(clipScreen, Offset(client, origin.x, origin.y)));
  LRESULT erased = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
  if (hdc) ReleaseSurfaceDC(hdc);
  if ((w = WindowTable::Get().Find(hwnd)) != nullptr) w->eraseRefused = erased == 0;
}

// Draws the frame when it is invalid, erases, then sends WM_PAINT. A window
// that does not validate itself is validated here, so the pass ends.
void PaintOne(HWND hwnd, const RECT& visible) {
  Window* w = WindowTable::Get().Find(hwnd);
  if (!w) return;
  RECT updateScreen = Intersect(Offset(w->update, ScreenRectOf(hwnd).left, ScreenRectOf(hwnd).top),
                                visible);
  RECT client = ClientInWindowCoords(hwnd);
  if (Intersect(w->update, client) != w->update) PaintNonClient(hwnd, updateScreen);
  if (Empty(Intersect(w->update, client))) {
    ClearUpdate(*w);
    return;
  }
  Erase(hwnd, updateScreen);
  if ((w = WindowTable::Get().Find(hwnd)) == nullptr) return;
  RECT before = w->update;
  SendMessageW(hwnd, WM_PAINT, 0, 0);
  // Unchanged means the handler never validated: that is done here. A
  // handler that validated and invalidated again is painted next pass.
  if ((w = WindowTable::Get().Find(hwnd)) != nullptr && w->update == before) ClearUpdate(*w);
}

std::vector<HWND> ChildrenBottomUp(const Window& w) {
  return std::vector<HWND>(w.children.rbegin(), w.children.rend());
}

void PaintTree(HWND hwnd, Painted& painted) {
  Window* w = WindowTable::Get().Find(hwnd);
  if (!w || !(w->style & WS_VISIBLE)) return;
  RECT visible = VisibleScreenRect(hwnd);
  RECT screen = ScreenRectOf(hwnd);
  if (Empty(visible)) {
    ClearUpdate(*w);
    w->drawnDirectly.clear();
    return;
  }
  for (const RECT& p : Painted(painted)) {
    RECT overlap = Intersect(p, visible);
    if (!Empty(overlap)) AddUpdate(*w, Offset(overlap, -screen.left, -screen.top), true);
  }
  if (!Empty(w->update)) {
    RECT done = Intersect(Offset(w->update, screen.left, screen.top), visible);
    PaintOne(hwnd, visible);
    AddPainted(painted, done);
  }
  if ((w = WindowTable::Get().Find(hwnd)) == nullptr) return;
  for (HWND child : ChildrenBottomUp(*w)) PaintTree(child, painted);
  // What the window drew through GetDC lies under whatever follows it.
  if ((w = WindowTable::Get().Find(hwnd)) == nullptr) return;
  for (const RECT& r : w->drawnDirectly) AddPainted(painted, Intersect(r, visible));
  w->drawnDirectly.clear();
}

bool SubtreePending(HWND hwnd) {
  Window* w = WindowTable::Get().Find(hwnd);
  if (!w || !(w->style & WS_VISIBLE)) return false;
  if (!Empty(w->update) || !w->drawnDirectly.empty()) return true;
  return std::any_of(w->children.begin(), w->children.end(), SubtreePending);
}

// One walk over the whole screen, bottom to top.
bool RunPass() {
  Pending& pending = ThePending();
  Painted painted;
  for (const RECT& r : pending.exposed) {
    FillDesktop(r);
    AddPainted(painted, r);
  }
  pending.exposed.clear();
  bool any = !painted.empty();
  for (HWND top : std::vector<HWND>(WindowTable::Get().topLevel())) {
    size_t before = painted.size();
    PaintTree(top, painted);
    any = any || painted.size() != before;
  }
  return any;
}

// DCs handed out by GetDC/GetWindowDC, with their window and clip.
struct LentDC {
  HWND hwnd;
  RECT clipScreen;
};
std::map<HDC, LentDC>& LentDCs() {
  static std::map<HDC, LentDC> lent;
  return lent;
}

HDC LendDC(HWND hwnd, bool client) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  RECT clip = VisibleScreenRect(hwnd);
  if (client) {
    RECT c{};
    GetClientRect(hwnd, &c);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    clip = Intersect(clip, Offset(c, origin.x, origin.y));
  }
  if (!IsWindowVisible(hwnd)) clip = {};
  HDC hdc = CreateWindowSurfaceDC(hwnd, client, clip);
  if (hdc) LentDCs()[hdc] = {hwnd, clip};
  return hdc;
}

}  // namespace

void ResetPainting() {
  ThePending().exposed.assign(1, kScreen);
  ThePending().passRunning = false;
  for (auto& [hdc, lent] : LentDCs()) ReleaseSurfaceDC(hdc);
  LentDCs().clear();
}

bool PaintIsPending() {
  if (!ThePending().exposed.empty()) return true;
  const auto& tops = WindowTable::Get().topLevel();
  return std::any_of(tops.begin(), tops.end(), SubtreePending);
}

bool PaintPending() {
  Pending& pending = ThePending();
  if (pending.passRunning) return false;  // a handler ran a loop inside a pass
  pending.passRunning = true;
  // A handler that keeps invalidating gets a few more passes, never endless.
  constexpr int kMaxPasses = 4;
  bool any = false;
  for (int pass = 0; pass < kMaxPasses && PaintIsPending(); ++pass) any = RunPass() || any;
  pending.passRunning = false;
  return any;
}

void ExposeScreen(const RECT& screen) {
  RECT r = Intersect(screen, kScreen);
  if (!Empty(r)) ThePending().exposed.push_back(r);
}

void InvalidateWhole(HWND hwnd) {
  Window* w = WindowTable::Get().Find(hwnd);
  if (w && IsWindowVisible(hwnd)) AddUpdate(*w, WholeWindow(hwnd), true);
}

RECT VisibleScreenRect(HWND hwnd) {
  auto& table = WindowTable::Get();
  Window* w = table.Find(hwnd);
  if (!w) return {};
  RECT r = ScreenRectOf(hwnd);
  // A child pinned to the screen (the menu bar) is not clipped by the
  // ancestors it lies outside of; its own children are clipped by it.
  Window* a = w->pinnedToScreen ? nullptr : table.Find(w->parent);
  for (; a && !Empty(r); a = a->pinnedToScreen ? nullptr : table.Find(a->parent)) {
    RECT c{};
    GetClientRect(a->handle, &c);
    POINT origin{0, 0};
    ClientToScreen(a->handle, &origin);
    r = Intersect(r, Offset(c, origin.x, origin.y));
  }
  return r;
}

}  // namespace win

using win::Lookup;
using win::Window;

// --- Platform functions ------------------------------------------------------

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    win::ExposeScreen(win::kScreen);
    return TRUE;
  }
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  if (!win::VisibleNow(*w)) return TRUE;  // painted whole when shown
  if (!rect) {
    win::AddUpdate(*w, win::WholeWindow(hwnd), erase != FALSE);
    return TRUE;
  }
  POINT off = win::ClientOffset(hwnd);
  RECT r = win::Intersect(*rect, [&] { RECT c{}; GetClientRect(hwnd, &c); return c; }());
  win::AddUpdate(*w, win::Offset(r, off.x, off.y), erase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  if (!hwnd) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  if (!rect) {
    win::ClearUpdate(*w);
    return TRUE;
  }
  POINT off = win::ClientOffset(hwnd);
  w->update = win::Subtract(w->update, win::Offset(*rect, off.x, off.y));
  if (win::Empty(w->update)) win::ClearUpdate(*w);
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  POINT off = win::ClientOffset(hwnd);
  RECT client = win::Offset(win::Intersect(w->update, win::ClientInWindowCoords(hwnd)), -off.x,
                            -off.y);
  if (win::Empty(client)) client = {};
  if (rect) *rect = client;
  if (erase && w->erase && !win::Empty(client)) {
    w->erase = false;
    HDC hdc = GetDC(hwnd);
    SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    ReleaseDC(hwnd, hdc);
  }
  return win::Empty(client) ? FALSE : TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return FALSE;
  if (!win::SubtreePending(hwnd)) return TRUE;
  win::Painted painted;
  win::PaintTree(hwnd, painted);
  // What was painted now lies under the windows above it.
  if ((w = win::WindowTable::Get().Find(hwnd)) != nullptr)
    for (const RECT& r : painted) w->drawnDirectly.push_back(r);
  return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  Window* w = Lookup(hwnd);
  if (!w || !ps) return nullptr;
  *ps = PAINTSTRUCT{};
  POINT off = win::ClientOffset(hwnd);
  RECT paint = win::Offset(win::Intersect(w->update, win::ClientInWindowCoords(hwnd)), -off.x,
                           -off.y);
  ps->rcPaint = win::Empty(paint) ? RECT{} : paint;
  bool erase = w->erase;
  bool refused = w->eraseRefused;
  win::ClearUpdate(*w);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  RECT clip = win::Intersect(win::Offset(ps->rcPaint, origin.x, origin.y),
                             win::VisibleScreenRect(hwnd));
  if (!IsWindowVisible(hwnd)) clip = {};
  ps->hdc = win::CreateWindowSurfaceDC(hwnd, true, clip);
  ps->fErase = refused ? TRUE : FALSE;
  if (erase) {
    LRESULT erased = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0);
    ps->fErase = erased ? FALSE : TRUE;
  }
  return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps || !Lookup(hwnd)) return FALSE;
  if (ps->hdc) win::ReleaseSurfaceDC(ps->hdc);
  return TRUE;
}

HDC GetDC(HWND hwnd) { return win::LendDC(hwnd, true); }
HDC GetWindowDC(HWND hwnd) { return win::LendDC(hwnd, false); }

int ReleaseDC(HWND hwnd, HDC hdc) {
  auto& lent = win::LentDCs();
  auto it = lent.find(hdc);
  if (!hdc || it == lent.end() || (hwnd && it->second.hwnd != hwnd)) return 0;
  if (Window* w = win::WindowTable::Get().Find(it->second.hwnd); w && !win::Empty(it->second.clipScreen))
    w->drawnDirectly.push_back(it->second.clipScreen);
  win::ReleaseSurfaceDC(hdc);
  lent.erase(it);
  return 1;
}
