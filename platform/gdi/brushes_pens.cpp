// Creating brushes and pens.
#include "gdi/objects.h"

using namespace gdi::detail;

HBRUSH CreateSolidBrush(COLORREF color) {
  auto brush = std::make_unique<Brush>();
  // A system colour reference stays one, so the brush follows SetSysColors.
  brush->color = (color & COLORREF(SYS_COLOR_INDEX_FLAG)) ? color : (color & 0x00FFFFFF);
  return static_cast<HBRUSH>(Table::Get().Add(std::move(brush)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lplb) {
  if (!lplb || (lplb->lbStyle != BS_SOLID && lplb->lbStyle != BS_NULL)) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return nullptr;
  }
  if (lplb->lbStyle == BS_SOLID) return CreateSolidBrush(lplb->lbColor);
  auto brush = std::make_unique<Brush>();
  brush->hollow = true;
  return static_cast<HBRUSH>(Table::Get().Add(std::move(brush)));
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
  if ((iStyle != PS_SOLID && iStyle != PS_DASH && iStyle != PS_NULL) || cWidth < 0) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return nullptr;
  }
  auto pen = std::make_unique<Pen>();
  pen->style = iStyle;
  pen->width = cWidth == 0 ? 1 : cWidth;
  pen->color = (color & COLORREF(SYS_COLOR_INDEX_FLAG)) ? color : (color & 0x00FFFFFF);
  return static_cast<HPEN>(Table::Get().Add(std::move(pen)));
}
