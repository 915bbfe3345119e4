#include "framework/cimagelist.h"

#include "win/controls/image_list.h"

namespace {
CImageList::Factory g_factory = nullptr;
}  // namespace

void CImageList::SetFactory(Factory factory) { g_factory = factory; }

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  if (m_hImageList) return FALSE;
  return Attach(g_factory ? g_factory(cx, cy, flags, initial, grow)
                          : ImageList_Create(cx, cy, flags, initial, grow));
}
