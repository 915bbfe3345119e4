// CBitmapButton: a button shown by four images: up, down (held), focus and
// disabled. The images are bitmap resources of the current resource source,
// turned into bitmaps by the load hook until the drawing layer does it.
#pragma once

#include <array>
#include <functional>

#include "framework/cbutton.h"

class CBitmapButton : public CButton {
 public:
  enum Slot { kUp = 0, kDown = 1, kFocus = 2, kDisabled = 3, kSlotCount = 4 };

  // Makes a bitmap from a resource id of a module; nullptr when it cannot.
  using LoadBitmapHook = std::function<HBITMAP(HINSTANCE module, UINT id)>;
  static void SetLoadBitmapHook(LoadBitmapHook hook);

  // Stores the ids (0 leaves a slot empty) and loads each image. TRUE when
  // the up image, which every state falls back to, was loaded.
  BOOL LoadBitmaps(UINT up, UINT down = 0, UINT focus = 0, UINT disabled = 0);
  // Binds the dialog's button with this id to the object.
  BOOL AutoLoad(UINT id, CWnd* parent) { return SubclassDlgItem(id, parent); }

  HBITMAP GetBitmap(Slot slot) const { return m_bitmaps[size_t(slot)]; }
  UINT GetBitmapId(Slot slot) const { return m_ids[size_t(slot)]; }

  // DrawItem (picking the slot from the button's state) comes with the drawing layer.

 private:
  std::array<HBITMAP, kSlotCount> m_bitmaps{};
  std::array<UINT, kSlotCount> m_ids{};
};
