// The list view painter; see listview_paint.h.
#include "win/controls/listview_paint.h"

#include <algorithm>

#include "gdi/wingdi.h"
#include "win/controls/image_list.h"
#include "win/controls/style_painter.h"
#include "win/controls/text_metrics.h"

namespace win {
namespace {

constexpr int kPadding = 2;  // pixels each side of a cell's text

UINT AlignOf(const ListViewColumnLook& c) {
  return c.right ? DT_RIGHT : c.center ? DT_CENTER : DT_LEFT;
}

void DrawCell(HDC hdc, const std::u16string& text, RECT cell, UINT align, COLORREF color) {
  InflateRect(&cell, -kPadding, 0);
  SetTextColor(hdc, color);
  DrawTextW(hdc, text.c_str(), int(text.size()), &cell,
            align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintHeader(HDC hdc, const ListViewLook& look, LONG right) {
  LONG x = 0;
  for (const ListViewColumnLook& c : look.columns) {
    RECT cell{x, 0, x + c.width, look.headerHeight};
    RECT face = style::DrawFrame(hdc, cell, style::Frame::kButton);
    DrawCell(hdc, c.heading, face, AlignOf(c), style::TextColor(style::Frame::kButton));
    x += c.width;
  }
  if (x < right) style::DrawFrame(hdc, {x, 0, right, look.headerHeight}, style::Frame::kButton);
}

void PaintRow(HDC hdc, const ListViewLook& look, const ListViewRowLook& row, LONG top) {
  LONG x = 0;
  COLORREF color = look.enabled ? look.textColor : GetSysColor(COLOR_GRAYTEXT);
  if (row.selected && look.fullRow) {
    LONG width = 0;
    for (const auto& c : look.columns) width += c.width;
    color = style::FillSelection(hdc, {0, top, width, top + metrics::kRowHeight});
  }
  for (size_t i = 0; i < look.columns.size(); ++i) {
    const ListViewColumnLook& c = look.columns[i];
    RECT cell{x + (i == 0 ? look.iconWidth : 0), top, x + c.width, top + metrics::kRowHeight};
    const std::u16string text = i < row.texts.size() ? row.texts[i] : std::u16string();
    COLORREF cellColor = color;
    if (row.selected && !look.fullRow && i == 0) {
      // Only the label's text is highlighted.
      SIZE extent{};
      GetTextExtentPoint32W(hdc, text.c_str(), int(text.size()), &extent);
      RECT label{cell.left, top, std::min<LONG>(cell.right, cell.left + extent.cx + 2 * kPadding),
                 cell.bottom};
      cellColor = style::FillSelection(hdc, label);
    } else if (!row.selected && look.textBackground != look.background) {
      style::FillColor(hdc, cell, look.textBackground);
    }
    if (i == 0 && look.smallImages)
      ImageList_Draw(look.smallImages, row.image, hdc, x, top, row.selected ? ILD_SELECTED : ILD_NORMAL);
    DrawCell(hdc, text, cell, AlignOf(c), cellColor);
    x += c.width;
  }
}

}  // namespace

void PaintVerticalScrollBar(HDC hdc, const RECT& r, int first, int visible, int total) {
  if (!hdc || IsRectEmpty(&r)) return;
  LONG w = r.right - r.left;
  RECT up{r.left, r.top, r.right, r.top + w};
  RECT down{r.left, r.bottom - w, r.right, r.bottom};
  RECT track{r.left, up.bottom - 1, r.right, down.top + 1};
  style::DrawFrame(hdc, track, style::Frame::kField);
  style::DrawFrame(hdc, up, style::Frame::kArrow);
  style::DrawFrame(hdc, down, style::Frame::kArrow);
  COLORREF mark = style::TextColor(style::Frame::kArrow);
  style::DrawArrow(hdc, up, style::Arrow::kUp, mark);
  style::DrawArrow(hdc, down, style::Arrow::kDown, mark);
  LONG room = track.bottom - track.top - 2;
  if (total <= 0 || room <= 4) return;
  LONG length = std::max<LONG>(8, LONG(room * std::min(visible, total) / total));
  int scrollable = std::max(1, total - visible);
  LONG offset = LONG((room - length) * std::clamp(first, 0, scrollable) / scrollable);
  RECT thumb{track.left, track.top + 1 + offset, track.right, track.top + 1 + offset + length};
  style::DrawFrame(hdc, thumb, style::Frame::kButton);
}

void PaintListView(HWND hwnd, HDC hdc, const ListViewLook& look) {
  if (!hdc) return;
  RECT client{};
  GetClientRect(hwnd, &client);
  int perPage = std::max(0, int((client.bottom - look.headerHeight) / metrics::kRowHeight));
  int total = int(look.rows.size());
  bool scrolls = total > perPage;
  RECT rows{0, look.headerHeight, client.right - (scrolls ? kScrollBarWidth : 0), client.bottom};
  style::FillColor(hdc, {0, 0, client.right, client.bottom}, look.background);
  // Rows and header stay left of the scroll bar.
  SaveDC(hdc);
  IntersectClipRect(hdc, 0, 0, rows.right, client.bottom);
  SetBkMode(hdc, TRANSPARENT);
  if (look.headerHeight > 0) PaintHeader(hdc, look, rows.right);
  IntersectClipRect(hdc, rows.left, rows.top, rows.right, rows.bottom);
  for (int i = std::max(0, look.top); i < total && i < look.top + perPage + 1; ++i)
    PaintRow(hdc, look, look.rows[size_t(i)],
             LONG(look.headerHeight + (i - look.top) * metrics::kRowHeight));
  RestoreDC(hdc, -1);
  // The scroll bar runs the whole height, beside the header too.
  if (scrolls)
    PaintVerticalScrollBar(hdc, {rows.right, 0, client.right, client.bottom}, look.top, perPage,
                           total);
}

}  // namespace win
