// Device contexts: creating and deleting them, selecting objects, colours
// and modes, the viewport origin, the clip and the saved-state stack.
#include <algorithm>

#include "gdi/draw_target.h"

using namespace gdi::detail;

namespace {

// Every object a state holds counts as selected, so DeleteObject refuses it.
void RetainState(const DcState& s) {
  for (HGDIOBJ h : {HGDIOBJ(s.brush), HGDIOBJ(s.pen), HGDIOBJ(s.font), HGDIOBJ(s.bitmap)}) {
    if (h) Retain(h);
  }
}
void ReleaseState(const DcState& s) {
  for (HGDIOBJ h : {HGDIOBJ(s.brush), HGDIOBJ(s.pen), HGDIOBJ(s.font), HGDIOBJ(s.bitmap)}) {
    if (h) Release(h);
  }
}

DcState DefaultState(bool memory) {
  Table& table = Table::Get();
  DcState s;
  s.brush = static_cast<HBRUSH>(table.Stock(WHITE_BRUSH));
  s.pen = static_cast<HPEN>(table.Stock(BLACK_PEN));
  s.font = static_cast<HFONT>(table.Stock(SYSTEM_FONT));
  if (memory) s.bitmap = table.DefaultBitmap();
  return s;
}

HDC AddDC(std::unique_ptr<DC> dc) {
  RetainState(dc->state);
  return static_cast<HDC>(Table::Get().Add(std::move(dc)));
}

template <typename Field>
Field Swap(Field& field, Field value) {
  Field old = field;
  field = value;
  return old;
}

}  // namespace

namespace gdi {

HDC CreateSurfaceDC(Surface& surface, POINT origin, const RECT& clip) {
  if (surface.empty()) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return nullptr;
  }
  auto dc = std::make_unique<DC>();
  dc->surface = &surface;
  dc->origin = origin;
  dc->surfaceClip = Intersect(clip, surface.bounds());
  dc->state = DefaultState(false);
  return AddDC(std::move(dc));
}

}  // namespace gdi

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc && !Lookup<DC>(hdc)) return nullptr;
  auto dc = std::make_unique<DC>();
  dc->state = DefaultState(true);
  return AddDC(std::move(dc));
}

BOOL DeleteDC(HDC hdc) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  ReleaseState(dc->state);
  for (const DcState& saved : dc->saved) ReleaseState(saved);
  Table::Get().Remove(hdc);
  return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return nullptr;
  Object* object = Table::Get().Find(h);
  if (!object) {
    SetLastError(DWORD(ERROR_INVALID_HANDLE));
    return nullptr;
  }
  HGDIOBJ* slot = nullptr;
  switch (object->kind) {
    case Kind::kBrush: slot = reinterpret_cast<HGDIOBJ*>(&dc->state.brush); break;
    case Kind::kPen: slot = reinterpret_cast<HGDIOBJ*>(&dc->state.pen); break;
    case Kind::kFont: slot = reinterpret_cast<HGDIOBJ*>(&dc->state.font); break;
    case Kind::kBitmap:
      // A bitmap lives in one memory DC at a time (the stock 1 x 1 in any).
      if (dc->surface || (object->selections > 0 && !object->stock &&
                          dc->state.bitmap != static_cast<HBITMAP>(h))) {
        SetLastError(DWORD(ERROR_INVALID_PARAMETER));
        return nullptr;
      }
      slot = reinterpret_cast<HGDIOBJ*>(&dc->state.bitmap);
      break;
    case Kind::kDC:
      SetLastError(DWORD(ERROR_INVALID_PARAMETER));
      return nullptr;
  }
  HGDIOBJ old = *slot;
  Retain(h);
  Release(old);
  *slot = h;
  return old;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_BRUSH: return dc->state.brush;
    case OBJ_PEN: return dc->state.pen;
    case OBJ_FONT: return dc->state.font;
    case OBJ_BITMAP:
      if (dc->state.bitmap) return dc->state.bitmap;
      break;
    default: break;
  }
  SetLastError(DWORD(ERROR_INVALID_PARAMETER));
  return nullptr;
}

int SetBkMode(HDC hdc, int mode) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return 0;
  if (mode != TRANSPARENT && mode != OPAQUE) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return 0;
  }
  return Swap(dc->state.bkMode, mode);
}

int GetBkMode(HDC hdc) {
  DC* dc = Lookup<DC>(hdc);
  return dc ? dc->state.bkMode : 0;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  DC* dc = Lookup<DC>(hdc);
  return dc ? Swap(dc->state.bkColor, color) : CLR_INVALID;
}

COLORREF GetBkColor(HDC hdc) {
  DC* dc = Lookup<DC>(hdc);
  return dc ? dc->state.bkColor : CLR_INVALID;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  DC* dc = Lookup<DC>(hdc);
  return dc ? Swap(dc->state.textColor, color) : CLR_INVALID;
}

COLORREF GetTextColor(HDC hdc) {
  DC* dc = Lookup<DC>(hdc);
  return dc ? dc->state.textColor : CLR_INVALID;
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* lppt) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  POINT old = Swap(dc->state.viewport, POINT{Clamp(x), Clamp(y)});
  if (lppt) *lppt = old;
  return TRUE;
}

BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* lppt) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  const POINT old = dc->state.viewport;
  dc->state.viewport = {Clamp(std::int64_t{old.x} + dx), Clamp(std::int64_t{old.y} + dy)};
  if (lppt) *lppt = old;
  return TRUE;
}

BOOL GetViewportOrgEx(HDC hdc, POINT* lppt) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->state.viewport;
  return TRUE;
}

int GetClipBox(HDC hdc, RECT* lprect) {
  DrawTarget target(hdc, false);
  if (!target.ok()) return ERROR;
  const RECT box = Offset(target.clip(), -target.dx(), -target.dy());
  if (lprect) *lprect = IsEmpty(target.clip()) ? RECT{} : box;
  return IsEmpty(target.clip()) ? NULLREGION : SIMPLEREGION;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return ERROR;
  const POINT vp = dc->state.viewport;
  RECT device = Offset(MakeRect(left, top, right, bottom), vp.x, vp.y);
  if (dc->state.clip) device = Intersect(device, *dc->state.clip);
  dc->state.clip = device;
  return GetClipBox(hdc, nullptr);
}

int SaveDC(HDC hdc) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return 0;
  RetainState(dc->state);
  dc->saved.push_back(dc->state);
  return int(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  const int depth = int(dc->saved.size());
  const int level = nSavedDC < 0 ? depth + 1 + nSavedDC : nSavedDC;
  if (nSavedDC == 0 || level < 1 || level > depth) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  // The saved state's references move into the DC; the current ones go.
  ReleaseState(dc->state);
  dc->state = dc->saved[std::size_t(level - 1)];
  for (std::size_t i = std::size_t(level); i < dc->saved.size(); ++i) ReleaseState(dc->saved[i]);
  dc->saved.resize(std::size_t(level - 1));
  return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
  if (!Lookup<DC>(hdc)) return 0;
  switch (index) {
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case HORZRES: return gdi::kScreenWidth;
    case VERTRES: return gdi::kScreenHeight;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    default: return 0;
  }
}
