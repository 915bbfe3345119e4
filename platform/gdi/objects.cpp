// The handle table and the calls that work on any object: DeleteObject,
// GetObjectW, GetObjectType, GetStockObject.
#include "gdi/objects.h"

#include <algorithm>
#include <cstring>

#include "gdi/sys_colors.h"

namespace gdi::detail {

namespace {

HGDIOBJ ToHandle(std::uintptr_t key) { return reinterpret_cast<HGDIOBJ>(key); }
std::uintptr_t KeyOf(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

std::unique_ptr<Object> MakeStockBrush(COLORREF color, bool hollow) {
  auto brush = std::make_unique<Brush>();
  brush->color = color;
  brush->hollow = hollow;
  return brush;
}

std::unique_ptr<Object> MakeStockPen(COLORREF color, int style) {
  auto pen = std::make_unique<Pen>();
  pen->color = color;
  pen->style = style;
  return pen;
}

std::unique_ptr<Object> MakeStockFont() {
  auto font = std::make_unique<Font>();
  font->log.lfHeight = -kDefaultFontPixels;
  font->log.lfWeight = FW_NORMAL;
  const char16_t face[] = u"System";
  std::copy(std::begin(face), std::end(face), font->log.lfFaceName);
  font->pixelSize = kDefaultFontPixels;
  return font;
}

template <typename T>
T* LookupKind(const void* handle, Kind kind) {
  Object* object = Table::Get().Find(const_cast<void*>(handle));
  if (!object || object->kind != kind) {
    SetLastError(DWORD(ERROR_INVALID_HANDLE));
    return nullptr;
  }
  return static_cast<T*>(object);
}

}  // namespace

Table& Table::Get() {
  static Table table;
  return table;
}

Table::Table() {
  // Every stock object, made once and never deleted.
  const struct {
    int index;
    std::unique_ptr<Object> (*make)();
  } stock[] = {
      {WHITE_BRUSH, [] { return MakeStockBrush(RGB(255, 255, 255), false); }},
      {LTGRAY_BRUSH, [] { return MakeStockBrush(RGB(192, 192, 192), false); }},
      {GRAY_BRUSH, [] { return MakeStockBrush(RGB(128, 128, 128), false); }},
      {DKGRAY_BRUSH, [] { return MakeStockBrush(RGB(64, 64, 64), false); }},
      {BLACK_BRUSH, [] { return MakeStockBrush(RGB(0, 0, 0), false); }},
      {NULL_BRUSH, [] { return MakeStockBrush(0, true); }},
      {WHITE_PEN, [] { return MakeStockPen(RGB(255, 255, 255), PS_SOLID); }},
      {BLACK_PEN, [] { return MakeStockPen(RGB(0, 0, 0), PS_SOLID); }},
      {NULL_PEN, [] { return MakeStockPen(0, PS_NULL); }},
      {SYSTEM_FONT, MakeStockFont},
      {DEFAULT_GUI_FONT, MakeStockFont},
  };
  for (const auto& entry : stock) {
    auto object = entry.make();
    object->stock = true;
    stock_[entry.index] = Add(std::move(object));
  }
  // One brush per system colour that paints the colour's current value.
  for (int i = 0; i < C_SYS_COLOR_TYPES; ++i) {
    auto brush = std::make_unique<Brush>();
    brush->color = COLORREF(i | SYS_COLOR_INDEX_FLAG);
    brush->stock = true;
    sysBrushes_.push_back(static_cast<HBRUSH>(Add(std::move(brush))));
  }
  // What a memory DC holds before a bitmap is selected into it.
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->surface = Surface(1, 1);
  bitmap->stock = true;
  defaultBitmap_ = static_cast<HBITMAP>(Add(std::move(bitmap)));
}

HGDIOBJ Table::Add(std::unique_ptr<Object> object) {
  // Keys step by 4 and never repeat: a deleted handle stays dead.
  const std::uintptr_t key = next_;
  next_ += 4;
  objects_[key] = std::move(object);
  return ToHandle(key);
}

Object* Table::Find(HGDIOBJ handle) {
  auto it = objects_.find(KeyOf(handle));
  return it == objects_.end() ? nullptr : it->second.get();
}

void Table::Remove(HGDIOBJ handle) { objects_.erase(KeyOf(handle)); }

HGDIOBJ Table::Stock(int index) const {
  auto it = stock_.find(index);
  return it == stock_.end() ? nullptr : it->second;
}

template <> Brush* Lookup<Brush>(const void* h) { return LookupKind<Brush>(h, Kind::kBrush); }
template <> Pen* Lookup<Pen>(const void* h) { return LookupKind<Pen>(h, Kind::kPen); }
template <> Font* Lookup<Font>(const void* h) { return LookupKind<Font>(h, Kind::kFont); }
template <> Bitmap* Lookup<Bitmap>(const void* h) { return LookupKind<Bitmap>(h, Kind::kBitmap); }
template <> DC* Lookup<DC>(const void* h) { return LookupKind<DC>(h, Kind::kDC); }

void Retain(HGDIOBJ handle) {
  if (Object* object = Table::Get().Find(handle)) ++object->selections;
}

void Release(HGDIOBJ handle) {
  if (Object* object = Table::Get().Find(handle)) --object->selections;
}

}  // namespace gdi::detail

using namespace gdi::detail;

HGDIOBJ GetStockObject(int i) {
  HGDIOBJ object = Table::Get().Stock(i);
  if (!object) SetLastError(DWORD(ERROR_INVALID_PARAMETER));
  return object;
}

BOOL DeleteObject(HGDIOBJ ho) {
  Object* object = Table::Get().Find(ho);
  if (!object || object->kind == Kind::kDC) {
    SetLastError(DWORD(ERROR_INVALID_HANDLE));
    return FALSE;
  }
  if (object->stock) return TRUE;
  // Deleting a selected object would leave the DC drawing with a dead one.
  if (object->selections > 0) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  Table::Get().Remove(ho);
  return TRUE;
}

namespace {

template <typename T>
int CopyOut(const T& value, int c, LPVOID pv) {
  if (!pv) return int(sizeof(T));
  if (c < int(sizeof(T))) return 0;
  std::memcpy(pv, &value, sizeof(T));
  return int(sizeof(T));
}

BITMAP DescribeBitmap(const Bitmap& bitmap) {
  BITMAP bm;
  bm.bmWidth = bitmap.surface.width();
  bm.bmHeight = bitmap.surface.height();
  bm.bmPlanes = 1;
  bm.bmBitsPixel = WORD(bitmap.bitsPerPixel);
  bm.bmWidthBytes = LONG((bm.bmWidth * bitmap.bitsPerPixel + 15) / 16 * 2);
  if (bitmap.dib) {
    bm.bmWidthBytes = LONG(bitmap.dib->stride);
    bm.bmBits = bitmap.dib->bytes.data();
  }
  return bm;
}

}  // namespace

int GetObjectW(HGDIOBJ h, int c, LPVOID pv) {
  Object* object = Table::Get().Find(h);
  if (!object || object->kind == Kind::kDC) {
    SetLastError(DWORD(ERROR_INVALID_HANDLE));
    return 0;
  }
  switch (object->kind) {
    case Kind::kBitmap:
      return CopyOut(DescribeBitmap(*static_cast<Bitmap*>(object)), c, pv);
    case Kind::kBrush: {
      const auto& brush = *static_cast<Brush*>(object);
      LOGBRUSH lb{brush.hollow ? BS_NULL : BS_SOLID, brush.hollow ? 0 : Resolve(brush.color), 0};
      return CopyOut(lb, c, pv);
    }
    case Kind::kPen: {
      const auto& pen = *static_cast<Pen*>(object);
      LOGPEN lp{UINT(pen.style), POINT{pen.width, 0}, pen.color};
      return CopyOut(lp, c, pv);
    }
    case Kind::kFont:
      return CopyOut(static_cast<Font*>(object)->log, c, pv);
    case Kind::kDC:
      break;
  }
  return 0;
}

DWORD GetObjectType(HGDIOBJ h) {
  Object* object = Table::Get().Find(h);
  if (!object) {
    SetLastError(DWORD(ERROR_INVALID_HANDLE));
    return 0;
  }
  switch (object->kind) {
    case Kind::kBrush: return OBJ_BRUSH;
    case Kind::kPen: return OBJ_PEN;
    case Kind::kFont: return OBJ_FONT;
    case Kind::kBitmap: return OBJ_BITMAP;
    case Kind::kDC: return static_cast<DC*>(object)->surface ? OBJ_DC : OBJ_MEMDC;
  }
  return 0;
}
