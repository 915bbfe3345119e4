// The one style painter; see style_painter.h.
#include "win/controls/style_painter.h"

#include <array>

#include "gdi/wingdi.h"

namespace win::style {
namespace {

// One row per frame kind: how thick the frame is and which system colours
// draw the frame, the face and what stands on the face.
struct FrameStyle {
  int width;
  int frameColor;
  int faceColor;
  int textColor;
};

// clang-format off
constexpr std::array<FrameStyle, 7> kFrames{{
    /* kField         */ {1, COLOR_WINDOWFRAME, COLOR_WINDOW,      COLOR_WINDOWTEXT},
    /* kButton        */ {1, COLOR_WINDOWFRAME, COLOR_BTNFACE,     COLOR_BTNTEXT},
    /* kDefaultButton */ {2, COLOR_WINDOWFRAME, COLOR_BTNFACE,     COLOR_BTNTEXT},
    /* kPressed       */ {1, COLOR_WINDOWFRAME, COLOR_BTNTEXT,     COLOR_BTNHIGHLIGHT},
    /* kCheckBox      */ {1, COLOR_WINDOWFRAME, COLOR_WINDOW,      COLOR_WINDOWTEXT},
    /* kPopup         */ {1, COLOR_WINDOWFRAME, COLOR_WINDOW,      COLOR_WINDOWTEXT},
    /* kArrow         */ {1, COLOR_WINDOWFRAME, COLOR_BTNFACE,     COLOR_BTNTEXT},
}};
// clang-format on

const FrameStyle& StyleOf(Frame kind) { return kFrames[size_t(kind)]; }

void Fill(HDC hdc, const RECT& r, COLORREF color) {
  if (IsRectEmpty(&r)) return;
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(hdc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

void FillColor(HDC hdc, const RECT& r, COLORREF color) {
  if (hdc) Fill(hdc, r, color);
}

RECT DrawFrame(HDC hdc, const RECT& r, Frame kind) {
  const FrameStyle& s = StyleOf(kind);
  RECT inside = r;
  InflateRect(&inside, -s.width, -s.width);
  if (!hdc) return inside;
  HBRUSH frame = GetSysColorBrush(s.frameColor);
  RECT ring = r;
  for (int i = 0; i < s.width && !IsRectEmpty(&ring); ++i) {
    FrameRect(hdc, &ring, frame);
    InflateRect(&ring, -1, -1);
  }
  FillRect(hdc, &inside, GetSysColorBrush(s.faceColor));
  return inside;
}

void DrawWindowFrame(HDC hdc, const RECT& r, int rings) {
  if (!hdc) return;
  RECT ring = r;
  for (int i = 0; i < rings && !IsRectEmpty(&ring); ++i) {
    // The outer ring is black; a client edge's inner rings are grey.
    FrameRect(hdc, &ring, GetSysColorBrush(i == 0 ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW));
    InflateRect(&ring, -1, -1);
  }
}

COLORREF TextColor(Frame kind) { return GetSysColor(StyleOf(kind).textColor); }
COLORREF FaceColor(Frame kind) { return GetSysColor(StyleOf(kind).faceColor); }

void DrawFocus(HDC hdc, const RECT& r) {
  if (!hdc) return;
  // Every other pixel of the rectangle's edge, in the text colour.
  COLORREF c = GetSysColor(COLOR_WINDOWFRAME);
  for (LONG x = r.left; x < r.right; x += 2) {
    SetPixel(hdc, x, r.top, c);
    SetPixel(hdc, x, r.bottom - 1, c);
  }
  for (LONG y = r.top; y < r.bottom; y += 2) {
    SetPixel(hdc, r.left, y, c);
    SetPixel(hdc, r.right - 1, y, c);
  }
}

void DrawArrow(HDC hdc, const RECT& box, Arrow dir, COLORREF color) {
  if (!hdc) return;
  // A triangle of rows (or columns) one pixel shorter at each end per step.
  const int size = 4;
  LONG cx = (box.left + box.right) / 2;
  LONG cy = (box.top + box.bottom) / 2;
  HBRUSH brush = CreateSolidBrush(color);
  for (int i = 0; i < size; ++i) {
    RECT line;
    switch (dir) {
      case Arrow::kUp: line = {cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i}; break;
      case Arrow::kDown: line = {cx - i, cy + 1 - i, cx + i + 1, cy + 2 - i}; break;
      case Arrow::kLeft: line = {cx - 2 + i, cy - i, cx - 1 + i, cy + i + 1}; break;
      case Arrow::kRight: line = {cx + 1 - i, cy - i, cx + 2 - i, cy + i + 1}; break;
    }
    FillRect(hdc, &line, brush);
  }
  DeleteObject(brush);
}

void DrawTick(HDC hdc, const RECT& box, COLORREF color) {
  if (!hdc) return;
  // Two strokes, two pixels thick: down to the bottom left third, then up.
  LONG w = box.right - box.left, h = box.bottom - box.top;
  POINT a{box.left + w / 5, box.top + h / 2};
  POINT b{box.left + w * 2 / 5, box.top + h * 3 / 4};
  POINT c{box.right - w / 5 - 1, box.top + h / 4};
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(hdc, pen);
  for (int dy = 0; dy < 2; ++dy) {
    MoveToEx(hdc, a.x, a.y + dy, nullptr);
    LineTo(hdc, b.x, b.y + dy);
    LineTo(hdc, c.x + 1, c.y + dy - 1);
  }
  SelectObject(hdc, old);
  DeleteObject(pen);
}

void DrawSeparator(HDC hdc, const RECT& r) {
  if (!hdc) return;
  LONG y = (r.top + r.bottom) / 2;
  RECT line{r.left, y, r.right, y + 1};
  FillRect(hdc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
}

COLORREF FillSelection(HDC hdc, const RECT& r) {
  if (hdc) FillRect(hdc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  return GetSysColor(COLOR_HIGHLIGHTTEXT);
}

}  // namespace win::style
