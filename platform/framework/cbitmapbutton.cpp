#include "framework/cbitmapbutton.h"

#include <utility>

#include "framework/app_state.h"

namespace {
CBitmapButton::LoadBitmapHook& Hook() {
  static CBitmapButton::LoadBitmapHook hook;
  return hook;
}
}  // namespace

void CBitmapButton::SetLoadBitmapHook(LoadBitmapHook hook) { Hook() = std::move(hook); }

BOOL CBitmapButton::LoadBitmaps(UINT up, UINT down, UINT focus, UINT disabled) {
  m_ids = {up, down, focus, disabled};
  HINSTANCE module = AfxGetResourceHandle();
  for (size_t slot = 0; slot < m_ids.size(); ++slot)
    m_bitmaps[slot] = (m_ids[slot] && Hook()) ? Hook()(module, m_ids[slot]) : nullptr;
  return m_bitmaps[kUp] != nullptr;
}
