// CBitmapButton: an owner-drawn button shown by four images: up, down
// (held), focus and disabled. The images are bitmap resources of the current
// resource source, addressed by id or by name and loaded with LoadBitmapW
// (or a test's load hook); the button owns them.
#pragma once

#include <array>
#include <functional>

#include "framework/cbutton.h"
#include "res/name_or_ordinal.h"

class CBitmapButton : public CButton {
 public:
  enum Slot { kUp = 0, kDown = 1, kFocus = 2, kDisabled = 3, kSlotCount = 4 };

  CBitmapButton() = default;
  // Releases every loaded image.
  ~CBitmapButton() override;

  // Makes a bitmap from a bitmap resource of a module, named or given as
  // MAKEINTRESOURCEW(id), as LoadBitmapW does; nullptr when it cannot. The
  // button owns what it returns. An empty hook restores LoadBitmapW.
  using LoadBitmapHook = std::function<HBITMAP(HINSTANCE module, LPCWSTR name)>;
  static void SetLoadBitmapHook(LoadBitmapHook hook);

  // Stores the ids (0 leaves a slot empty) and loads each image. TRUE when
  // the up image, which every state falls back to, was loaded.
  BOOL LoadBitmaps(UINT up, UINT down = 0, UINT focus = 0, UINT disabled = 0);
  // The same with resource names (null leaves a slot empty).
  BOOL LoadBitmaps(LPCWSTR up, LPCWSTR down = nullptr, LPCWSTR focus = nullptr,
                   LPCWSTR disabled = nullptr);
  // Binds the dialog's button with this id to the object.
  BOOL AutoLoad(UINT id, CWnd* parent) { return SubclassDlgItem(id, parent); }

  HBITMAP GetBitmap(Slot slot) const { return m_bitmaps[size_t(slot)]; }
  // The id a slot was loaded from; 0 when it is empty or was given by name.
  UINT GetBitmapId(Slot slot) const;
  // The id or name a slot was loaded from (the empty name when unused).
  const res::NameOrOrdinal& GetBitmapName(Slot slot) const { return m_names[size_t(slot)]; }

  // Draws the image for the button's state unscaled at the top-left corner
  // of the item's rectangle, cut to it: the down image while it is held,
  // else the focus image with the focus, else the disabled image when
  // disabled, each only when loaded, and the up image otherwise. Draws
  // nothing without a context or an image.
  void DrawItem(DRAWITEMSTRUCT* item) override;
  // The image DrawItem shows for a DRAWITEMSTRUCT itemState.
  HBITMAP BitmapForState(UINT itemState) const;

 private:
  void ReleaseBitmaps();

  // Fills every slot from `names`; the empty name leaves a slot empty.
  BOOL Load(const std::array<res::NameOrOrdinal, kSlotCount>& names);

  std::array<HBITMAP, kSlotCount> m_bitmaps{};
  std::array<res::NameOrOrdinal, kSlotCount> m_names{};
};
