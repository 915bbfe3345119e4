#include "framework/cimagelist.h"

namespace {
CImageList::Factory g_factory = nullptr;
}  // namespace

void CImageList::SetFactory(Factory factory) { g_factory = factory; }

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  if (m_hImageList || !g_factory) return FALSE;
  return Attach(g_factory(cx, cy, flags, initial, grow));
}
