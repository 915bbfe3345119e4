#include "framework/cbitmapbutton.h"

#include <string>
#include <utility>

#include "framework/app_state.h"
#include "res/resources.h"

namespace {
CBitmapButton::LoadBitmapHook& Hook() {
  static CBitmapButton::LoadBitmapHook hook;
  return hook;
}

// 0 and null both mean "no image" for a slot.
res::NameOrOrdinal SlotName(UINT id) { return id ? res::NameOrOrdinal(WORD(id)) : res::NameOrOrdinal(); }
res::NameOrOrdinal SlotName(LPCWSTR name) { return name ? res::NameOrOrdinal(name) : res::NameOrOrdinal(); }
}  // namespace

void CBitmapButton::SetLoadBitmapHook(LoadBitmapHook hook) { Hook() = std::move(hook); }

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
  m_names = names;
  HINSTANCE module = AfxGetResourceHandle();
  for (size_t slot = 0; slot < m_names.size(); ++slot) {
    const res::NameOrOrdinal& name = m_names[slot];
    m_bitmaps[slot] = nullptr;
    if (name.empty() || !Hook()) continue;
    std::u16string text = name.isOrdinal() ? std::u16string() : name.name();
    m_bitmaps[slot] = Hook()(module, name.isOrdinal() ? MAKEINTRESOURCEW(name.ordinal()) : text.c_str());
  }
  return m_bitmaps[kUp] != nullptr;
}
