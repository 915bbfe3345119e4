// Menu templates, both forms, parsed to one tree:
//  - MENUITEMTEMPLATE (header version 0): per item a 16-bit option word, an id
//    unless MF_POPUP is set, and a zero-terminated text; MF_END closes a level.
//  - MENUEX (header version 1): DWORD-aligned items of type, state, id, a
//    16-bit flags word (0x01 popup, 0x80 last) and text; a popup carries a
//    help id before its children.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "base/wintypes.h"
#include "res/parse_error.h"

namespace res {

struct MenuItem {
  // MF_* bits as the platform's menu calls take them: for the normal form the
  // option word without MF_POPUP (0x10) and MF_END (0x80); for MENUEX
  // type | state, whose MFT_/MFS_ values share those bits (MFS_GRAYED 0x3,
  // MFS_CHECKED 0x8, MFT_SEPARATOR 0x800...).
  UINT flags = 0;
  UINT id = 0;
  std::u16string text;
  bool popup = false;
  bool separator = false;  // normal form: option 0, id 0, no text; MENUEX: MFT_SEPARATOR
  DWORD helpId = 0;        // MENUEX popups only
  std::vector<MenuItem> children;
};

struct MenuTemplate {
  bool extended = false;
  DWORD helpId = 0;  // MENUEX header
  std::vector<MenuItem> items;
};

inline constexpr int kMaxMenuDepth = 16;

// Parses a menu resource. Errors: kBadHeader for an unknown version or an
// items offset past the data; kTruncated when an item, its text or a level's
// closing MF_END is missing; kBadString for a text over 4096 units;
// kTooDeep for popups nested beyond kMaxMenuDepth.
Expected<MenuTemplate> ParseMenuTemplate(std::span<const std::byte> data);

}  // namespace res
