// CBitmapButton: a button shown by four images: up, down (held), focus and
// disabled. The images are bitmap resources of the current resource source;
// the button draws the one its state asks for when it is drawn.
#pragma once

#include <array>
#include <functional>

#include "framework/cbutton.h"

class CBitmapButton : public CButton {
 public:
  enum Slot { kUp = 0, kDown = 1, kFocus = 2, kDisabled = 3, kSlotCount = 4 };

  CBitmapButton() = default;
  CBitmapButton(const CBitmapButton&) = delete;
  CBitmapButton& operator=(const CBitmapButton&) = delete;
  // The loaded images are the button's and are deleted with it.
  ~CBitmapButton() override;

  // Makes a bitmap from a resource id of a module; nullptr when it cannot.
  // Without a hook, LoadBitmapW does it; tests set one to see the requests.
  using LoadBitmapHook = std::function<HBITMAP(HINSTANCE module, UINT id)>;
  static void SetLoadBitmapHook(LoadBitmapHook hook);

  // Stores the ids (0 leaves a slot empty) and loads each image, replacing
  // the earlier ones. TRUE when the up image, which every state falls back
  // to, was loaded.
  BOOL LoadBitmaps(UINT up, UINT down = 0, UINT focus = 0, UINT disabled = 0);
  // Binds the dialog's button with this id to the object.
  BOOL AutoLoad(UINT id, CWnd* parent) { return SubclassDlgItem(id, parent); }

  HBITMAP GetBitmap(Slot slot) const { return m_bitmaps[size_t(slot)]; }
  UINT GetBitmapId(Slot slot) const { return m_ids[size_t(slot)]; }

  // The slot the state asks for: disabled, then held (ODS_SELECTED), then
  // focused; a slot without an image falls back to the up image.
  Slot SlotFor(UINT itemState) const;

  // Draws the image of SlotFor(state) at the item's top-left corner.
  void DrawItem(DRAWITEMSTRUCT* dis) override;

 private:
  void ReleaseBitmaps();

  std::array<HBITMAP, kSlotCount> m_bitmaps{};
  std::array<UINT, kSlotCount> m_ids{};
  bool m_ownsBitmaps = false;  // loaded by LoadBitmapW, not by a test's hook
};
