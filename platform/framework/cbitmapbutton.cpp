#include "framework/cbitmapbutton.h"

#include <algorithm>
#include <string>
#include <utility>

#include "framework/app_state.h"
#include "gdi/wingdi.h"
#include "res/resources.h"

namespace {
CBitmapButton::LoadBitmapHook& Hook() {
  static CBitmapButton::LoadBitmapHook hook;
  return hook;
}

const CBitmapButton::LoadBitmapHook& DefaultLoader() {
  static const CBitmapButton::LoadBitmapHook loader = &LoadBitmapW;
  return loader;
}

// 0 and null both mean "no image" for a slot.
res::NameOrOrdinal SlotName(UINT id) { return id ? res::NameOrOrdinal(WORD(id)) : res::NameOrOrdinal(); }
res::NameOrOrdinal SlotName(LPCWSTR name) { return name ? res::NameOrOrdinal(name) : res::NameOrOrdinal(); }
}  // namespace

void CBitmapButton::SetLoadBitmapHook(LoadBitmapHook hook) { Hook() = std::move(hook); }

CBitmapButton::~CBitmapButton() { ReleaseBitmaps(); }

void CBitmapButton::ReleaseBitmaps() {
  for (HBITMAP& bitmap : m_bitmaps) {
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

BOOL CBitmapButton::LoadBitmaps(UINT up, UINT down, UINT focus, UINT disabled) {
  return Load({SlotName(up), SlotName(down), SlotName(focus), SlotName(disabled)});
}

BOOL CBitmapButton::LoadBitmaps(LPCWSTR up, LPCWSTR down, LPCWSTR focus, LPCWSTR disabled) {
  return Load({SlotName(up), SlotName(down), SlotName(focus), SlotName(disabled)});
}

UINT CBitmapButton::GetBitmapId(Slot slot) const {
  const res::NameOrOrdinal& name = m_names[size_t(slot)];
  return name.isOrdinal() ? name.ordinal() : 0;
}

BOOL CBitmapButton::Load(const std::array<res::NameOrOrdinal, kSlotCount>& names) {
  ReleaseBitmaps();
  m_names = names;
  const LoadBitmapHook& load = Hook() ? Hook() : DefaultLoader();
  HINSTANCE module = AfxGetResourceHandle();
  for (size_t slot = 0; slot < m_names.size(); ++slot) {
    const res::NameOrOrdinal& name = m_names[slot];
    if (name.empty()) continue;
    std::u16string text = name.isOrdinal() ? std::u16string() : name.name();
    m_bitmaps[slot] = load(module, name.isOrdinal() ? MAKEINTRESOURCEW(name.ordinal()) : text.c_str());
  }
  return m_bitmaps[kUp] != nullptr;
}

namespace {
// Which image a state asks for, in order of precedence; a state whose image
// is not loaded falls through to the next row, and at last to the up image.
struct StateImage {
  UINT state;  // ODS_* bit
  CBitmapButton::Slot slot;
};
constexpr StateImage kStateImages[] = {
    {ODS_SELECTED, CBitmapButton::kDown},      // held down by the pen
    {ODS_FOCUS, CBitmapButton::kFocus},        // has the focus
    {ODS_DISABLED, CBitmapButton::kDisabled},  // disabled
};
}  // namespace

HBITMAP CBitmapButton::BitmapForState(UINT itemState) const {
  for (const StateImage& row : kStateImages)
    if ((itemState & row.state) && m_bitmaps[row.slot]) return m_bitmaps[row.slot];
  return m_bitmaps[kUp];
}

void CBitmapButton::DrawItem(DRAWITEMSTRUCT* item) {
  if (!item || !item->hDC) return;
  HBITMAP image = BitmapForState(item->itemState);
  BITMAP size;
  if (!image || !GetObjectW(image, sizeof size, &size)) return;
  HDC memory = CreateCompatibleDC(item->hDC);
  if (!memory) return;
  HGDIOBJ previous = SelectObject(memory, image);
  const RECT& r = item->rcItem;
  int width = std::min<int>(size.bmWidth, r.right - r.left);
  int height = std::min<int>(size.bmHeight, r.bottom - r.top);
  if (previous && width > 0 && height > 0)
    BitBlt(item->hDC, r.left, r.top, width, height, memory, 0, 0, SRCCOPY);
  if (previous) SelectObject(memory, previous);
  DeleteDC(memory);
}
