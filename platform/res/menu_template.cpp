// Menu template parsing, normal and MENUEX forms.
#include "res/menu_template.h"

#include <optional>

#include "res/byte_cursor.h"

namespace res {
namespace {

constexpr std::size_t kMaxTextUnits = 4096;
// Normal form option bits that shape the template (MF_POPUP, MF_END).
constexpr WORD kPopup = 0x0010;
constexpr WORD kEnd = 0x0080;
// MENUEX resInfo bits, and the separator type (MFT_SEPARATOR).
constexpr WORD kExPopup = 0x01;
constexpr WORD kExLast = 0x80;
constexpr DWORD kExSeparator = 0x0800;

// Reads one level's items, up to and including the one marked last.
std::optional<ParseError> ReadItems(ByteCursor& c, bool extended, int depth,
                                    std::vector<MenuItem>& out) {
  if (depth > kMaxMenuDepth) return c.Error(ResError::kTooDeep, "popups nested too deep");
  for (;;) {
    MenuItem item;
    bool last = false;
    if (extended) {
      c.Align(4);
      DWORD type = c.U32();
      DWORD state = c.U32();
      item.id = c.U32();
      WORD resInfo = c.U16();
      item.flags = type | state;
      item.popup = resInfo & kExPopup;
      item.separator = type & kExSeparator;
      last = resInfo & kExLast;
    } else {
      WORD option = c.U16();
      item.popup = option & kPopup;
      if (!item.popup) item.id = c.U16();
      item.flags = option & ~(kPopup | kEnd);
      last = option & kEnd;
    }
    if (!c.ok()) return c.Error(ResError::kTruncated, "menu item");
    std::size_t textAt = c.offset();
    item.text = c.String(kMaxTextUnits);
    if (!c.ok()) {
      ResError code = c.remaining() / 2 > kMaxTextUnits ? ResError::kBadString : ResError::kTruncated;
      return ParseError{code, textAt, "menu item text"};
    }
    if (!extended) item.separator = item.flags == 0 && item.id == 0 && item.text.empty();
    if (item.popup) {
      if (extended) {
        c.Align(4);
        item.helpId = c.U32();
        if (!c.ok()) return c.Error(ResError::kTruncated, "popup help id");
      }
      if (auto err = ReadItems(c, extended, depth + 1, item.children)) return err;
    }
    out.push_back(std::move(item));
    if (last) return std::nullopt;
  }
}

}  // namespace

Expected<MenuTemplate> ParseMenuTemplate(std::span<const std::byte> data) {
  ByteCursor c(data);
  WORD version = c.U16();
  WORD offset = c.U16();
  if (!c.ok()) return c.Error(ResError::kTruncated, "menu header");
  MenuTemplate menu;
  if (version == 0) {
    // cbHeaderSize: bytes of header extension after these two words.
    c.Skip(offset);
  } else if (version == 1) {
    menu.extended = true;
    // wOffset counts from the end of the wOffset field itself.
    std::size_t itemsAt = 4 + std::size_t{offset};
    menu.helpId = c.U32();
    if (!c.ok() || itemsAt < 8) return ParseError{ResError::kBadHeader, 2, "MENUEX items offset"};
    c.Seek(itemsAt);
  } else {
    return ParseError{ResError::kBadHeader, 0, "unknown menu template version"};
  }
  if (!c.ok()) return ParseError{ResError::kBadHeader, 2, "items offset past the data"};
  if (auto err = ReadItems(c, menu.extended, 1, menu.items)) return *err;
  return menu;
}

}  // namespace res
