// CImageList: holds an image-list handle. The image list itself belongs to
// the drawing layer; this object never destroys it, on Detach or otherwise.
#pragma once

#include "win/controls/listview.h"

class CImageList {
 public:
  CImageList() = default;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  HIMAGELIST m_hImageList = nullptr;
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  operator HIMAGELIST() const { return m_hImageList; }

  // Takes a handle; FALSE for null or when one is held already.
  BOOL Attach(HIMAGELIST list) {
    if (!list || m_hImageList) return FALSE;
    m_hImageList = list;
    return TRUE;
  }
  // Lets the handle go without destroying the list.
  HIMAGELIST Detach() {
    HIMAGELIST list = m_hImageList;
    m_hImageList = nullptr;
    return list;
  }
  // Creates a list (ImageList_Create, or the factory a test has set) and
  // holds it; FALSE when one is held already or creation fails. The caller
  // destroys it with ImageList_Destroy after Detach.
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);

  using Factory = HIMAGELIST (*)(int cx, int cy, UINT flags, int initial, int grow);
  static void SetFactory(Factory factory);
};
