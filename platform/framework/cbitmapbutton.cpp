// CBitmapButton; see cbitmapbutton.h.
#include "framework/cbitmapbutton.h"

#include <utility>

#include "framework/app_state.h"
#include "gdi/wingdi.h"
#include "res/resources.h"

namespace {
CBitmapButton::LoadBitmapHook& Hook() {
  static CBitmapButton::LoadBitmapHook hook;
  return hook;
}
}  // namespace

void CBitmapButton::SetLoadBitmapHook(LoadBitmapHook hook) { Hook() = std::move(hook); }

CBitmapButton::~CBitmapButton() { ReleaseBitmaps(); }

void CBitmapButton::ReleaseBitmaps() {
  if (m_ownsBitmaps)
    for (HBITMAP b : m_bitmaps)
      if (b) DeleteObject(b);
  m_bitmaps = {};
  m_ownsBitmaps = false;
}

BOOL CBitmapButton::LoadBitmaps(UINT up, UINT down, UINT focus, UINT disabled) {
  ReleaseBitmaps();
  m_ids = {up, down, focus, disabled};
  HINSTANCE module = AfxGetResourceHandle();
  m_ownsBitmaps = !Hook();
  for (size_t slot = 0; slot < m_ids.size(); ++slot) {
    if (!m_ids[slot]) continue;
    m_bitmaps[slot] = Hook() ? Hook()(module, m_ids[slot])
                             : LoadBitmapW(module, MAKEINTRESOURCEW(m_ids[slot]));
  }
  return m_bitmaps[kUp] != nullptr;
}

CBitmapButton::Slot CBitmapButton::SlotFor(UINT itemState) const {
  Slot wanted = (itemState & ODS_DISABLED) ? kDisabled
                : (itemState & ODS_SELECTED) ? kDown
                : (itemState & ODS_FOCUS)    ? kFocus
                                             : kUp;
  return m_bitmaps[size_t(wanted)] ? wanted : kUp;
}

void CBitmapButton::DrawItem(DRAWITEMSTRUCT* dis) {
  if (!dis || !dis->hDC) return;
  HBITMAP image = m_bitmaps[size_t(SlotFor(dis->itemState))];
  BITMAP info{};
  if (!image || !GetObjectW(image, sizeof info, &info)) return;
  HDC memory = CreateCompatibleDC(dis->hDC);
  HGDIOBJ old = SelectObject(memory, image);
  BitBlt(dis->hDC, dis->rcItem.left, dis->rcItem.top, info.bmWidth, info.bmHeight, memory, 0, 0,
         SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}
