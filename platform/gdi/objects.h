// The drawing room's own records: the handle table of brushes, pens, fonts,
// bitmaps and DCs. Internal to the room; products use wingdi.h.
//
// Handles are keys into one table and are never reused, so a stale handle is
// found dead rather than naming a newer object. Stock objects are created
// with the table and live as long as it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "gdi/surface.h"
#include "gdi/wingdi.h"

namespace gdi::detail {

// The "System" font's em height in pixels when a font asks for no size:
// 8 points at 96 pixels per inch, which gives DejaVu Sans a 14-pixel line and
// a 7-pixel average character, the dialog base units.
inline constexpr int kDefaultFontPixels = 11;

enum class Kind { kBrush, kPen, kFont, kBitmap, kDC };

struct Object {
  explicit Object(Kind k) : kind(k) {}
  virtual ~Object() = default;
  Kind kind;
  bool stock = false;   // never deleted
  int selections = 0;   // DCs this object is selected into
};

struct Brush : Object {
  Brush() : Object(Kind::kBrush) {}
  bool hollow = false;
  COLORREF color = 0;  // may carry SYS_COLOR_INDEX_FLAG: resolved when drawn
};

struct Pen : Object {
  Pen() : Object(Kind::kPen) {}
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
};

struct Font : Object {
  Font() : Object(Kind::kFont) {}
  LOGFONTW log;
  bool bold = false;
  int pixelSize = kDefaultFontPixels;  // em height in pixels
};

// Pixel memory a caller reaches through CreateDIBSection, in its own format.
struct DibBits {
  int bitsPerPixel = 32;
  bool topDown = false;
  std::size_t stride = 0;  // bytes per stored row
  std::vector<COLORREF> palette;
  std::vector<std::uint8_t> bytes;
};

struct Bitmap : Object {
  Bitmap() : Object(Kind::kBitmap) {}
  Surface surface;
  int bitsPerPixel = 32;  // what GetObjectW reports
  std::unique_ptr<DibBits> dib;
};

// What a DC has selected and set; SaveDC copies it.
struct DcState {
  HBRUSH brush = nullptr;
  HPEN pen = nullptr;
  HFONT font = nullptr;
  HBITMAP bitmap = nullptr;  // memory DCs only
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = RGB(0, 0, 0);
  POINT viewport;             // logical (0,0) in device space
  POINT position;             // current position (MoveToEx)
  std::optional<RECT> clip;   // extra clip in device coordinates
};

struct DC : Object {
  DC() : Object(Kind::kDC) {}
  Surface* surface = nullptr;  // a surface DC's surface; null for memory DCs
  POINT origin;                // device (0,0) on the surface
  RECT surfaceClip;            // a surface DC's clip, surface coordinates
  DcState state;
  std::vector<DcState> saved;
};

class Table {
 public:
  static Table& Get();

  // Adds an object and returns its new handle.
  HGDIOBJ Add(std::unique_ptr<Object> object);
  // The live object for a handle, or nullptr.
  Object* Find(HGDIOBJ handle);
  // Removes a live object; unknown handles are ignored.
  void Remove(HGDIOBJ handle);

  HGDIOBJ Stock(int index) const;
  HBRUSH SysColorBrush(int index) const { return sysBrushes_[std::size_t(index)]; }
  HBITMAP DefaultBitmap() const { return defaultBitmap_; }

 private:
  Table();
  std::unordered_map<std::uintptr_t, std::unique_ptr<Object>> objects_;
  std::uintptr_t next_ = 0x20000;
  std::unordered_map<int, HGDIOBJ> stock_;
  std::vector<HBRUSH> sysBrushes_;
  HBITMAP defaultBitmap_ = nullptr;
};

// The live object of kind T for a handle, or nullptr with
// ERROR_INVALID_HANDLE as the last error.
template <typename T>
T* Lookup(const void* handle);
template <> Brush* Lookup<Brush>(const void* handle);
template <> Pen* Lookup<Pen>(const void* handle);
template <> Font* Lookup<Font>(const void* handle);
template <> Bitmap* Lookup<Bitmap>(const void* handle);
template <> DC* Lookup<DC>(const void* handle);

// A colour as it is drawn: system colour references resolved, top byte 0.
COLORREF Resolve(COLORREF color);

// Keeps an object's selection count as DCs select and drop it.
void Retain(HGDIOBJ handle);
void Release(HGDIOBJ handle);

}  // namespace gdi::detail
