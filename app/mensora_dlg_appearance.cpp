// CMensoraDlg: the category bitmaps, the background (the category's bitmap
// tiled, or a solid colour) and the two field captions.
#include "app/mensora_dlg.h"

#include "app/category_bitmaps.h"
#include "app/category_drawing.h"
#include "i18n/language_pack.h"
#include "i18n/resource_ids.h"

// Loads the bitmap of every category from its path (category_bitmaps.h).
void CMensoraDlg::LoadCategoryBitmaps() {
  AssignCategoryBitmaps(Database(), TheSettings().display, &appearance::LoadBitmapFile,
                        &appearance::ReleaseBitmap);
}

void CMensoraDlg::ReleaseCategoryBitmaps() {
  for (Category& category : Database()) {
    appearance::ReleaseBitmap(CategoryBitmap(category));
    category.bitmap = nullptr;
  }
}

// Invalidates the whole window with erasing and, unless the caller says
// otherwise, the "<<" and ">>" buttons, so they are drawn over the new ground.
void CMensoraDlg::RepaintBackground(bool withButtons) {
  appearance::InvalidateWithErase(m_hWnd);
  if (!withButtons) return;
  appearance::InvalidateWithErase(m_btnPrev.m_hWnd);
  appearance::InvalidateWithErase(m_btnNext.m_hWnd);
}

// The current category's bitmap repeated over the client area, or a solid
// fill of the background colour (the start-up button face when that is
// unset). Without a current category nothing is painted. Always reports the
// background as erased.
LRESULT CMensoraDlg::OnEraseBkgnd(WPARAM wParam, LPARAM) {
  if (m_nCategory < 0 || m_nCategory >= int(Database().size())) return TRUE;
  auto dc = reinterpret_cast<HDC>(wParam);
  RECT client;
  GetClientRect(&client);
  const int width = client.right - client.left, height = client.bottom - client.top;
  if (HBITMAP bitmap = CategoryBitmap(Database()[size_t(m_nCategory)])) {
    appearance::PaintTiledBitmap(dc, bitmap, width, height);
  } else {
    const COLORREF color = m_crBackground != 0 ? m_crBackground : TheSettings().newCategoryColor;
    appearance::PaintSolid(dc, color, width, height);
  }
  return TRUE;
}

// The captions left of the value and result fields, black with a white
// shadow, in rectangles relative to the whole window: from 65 pixels left of
// the field, 60 wide, 4 pixels lower than the field.
LRESULT CMensoraDlg::OnPaint(WPARAM, LPARAM) {
  appearance::ValidateByPainting(m_hWnd);
  RECT window;
  GetWindowRect(&window);
  auto captionRect = [&](const CWnd& field) {
    RECT r;
    field.GetWindowRect(&r);
    const LONG left = r.left - window.left - 65;
    return RECT{left, r.top - window.top + 4, left + 60, r.bottom - window.top + 4};
  };
  // Each caption is copied at once: the UI string buffer is shared.
  const std::u16string valueText = LoadUiString(IDS_VALUE_CAPTION);
  const std::u16string resultText = LoadUiString(IDS_RESULT_CAPTION);
  appearance::PaintCaptions(m_hWnd, {valueText, captionRect(m_editValue)},
                            {resultText, captionRect(m_editResult)});
  return 0;
}
