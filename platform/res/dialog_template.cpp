// Dialog template parsing: header, font, then each DWORD-aligned item.
#include "res/dialog_template.h"

#include <optional>

#include "res/byte_cursor.h"

namespace res {
namespace {

constexpr std::size_t kMaxTextUnits = 4096;
constexpr DWORD kSetFont = 0x00000040;  // DS_SETFONT: the header carries a font

ParseError TextError(const ByteCursor& c, std::size_t at, const char* what) {
  ResError code = c.remaining() / 2 > kMaxTextUnits ? ResError::kBadString : ResError::kTruncated;
  return ParseError{code, at, what};
}

std::optional<ParseError> ReadItem(ByteCursor& c, bool extended, DialogItem& item) {
  c.Align(4);
  std::size_t start = c.offset();
  if (extended) {
    item.helpId = c.U32();
    item.exStyle = c.U32();
    item.style = c.U32();
  } else {
    item.style = c.U32();
    item.exStyle = c.U32();
  }
  item.x = c.I16();
  item.y = c.I16();
  item.cx = c.I16();
  item.cy = c.I16();
  item.id = extended ? c.U32() : c.U16();
  if (!c.ok()) return ParseError{ResError::kTruncated, start, "dialog item"};
  std::size_t at = c.offset();
  item.windowClass = ReadNameOrOrdinal(c, kMaxTextUnits);
  if (!c.ok()) return TextError(c, at, "dialog item class");
  at = c.offset();
  item.title = ReadNameOrOrdinal(c, kMaxTextUnits);
  if (!c.ok()) return TextError(c, at, "dialog item title");
  // Creation data: a 16-bit byte count, then that many bytes.
  item.creationDataSize = c.U16();
  c.Skip(item.creationDataSize);
  if (!c.ok()) return ParseError{ResError::kTruncated, start, "dialog item creation data"};
  return std::nullopt;
}

}  // namespace

bool IsControlAtom(const NameOrOrdinal& windowClass, ControlAtom atom) {
  return windowClass.isOrdinal() && windowClass.ordinal() == static_cast<WORD>(atom);
}

Expected<DialogTemplate> ParseDialogTemplate(std::span<const std::byte> data) {
  ByteCursor c(data);
  DialogTemplate d;
  std::size_t count = 0;
  {
    ByteCursor probe(data);
    WORD version = probe.U16();
    WORD signature = probe.U16();
    d.extended = probe.ok() && signature == 0xFFFF;
    if (d.extended && version != 1)
      return ParseError{ResError::kBadHeader, 0, "DLGTEMPLATEEX version"};
  }
  if (d.extended) {
    c.Skip(4);
    d.helpId = c.U32();
    d.exStyle = c.U32();
    d.style = c.U32();
  } else {
    d.style = c.U32();
    d.exStyle = c.U32();
  }
  count = c.U16();
  d.x = c.I16();
  d.y = c.I16();
  d.cx = c.I16();
  d.cy = c.I16();
  if (!c.ok()) return c.Error(ResError::kTruncated, "dialog header");

  std::size_t at = c.offset();
  d.menu = ReadNameOrOrdinal(c, kMaxTextUnits);
  if (!c.ok()) return TextError(c, at, "dialog menu");
  at = c.offset();
  d.windowClass = ReadNameOrOrdinal(c, kMaxTextUnits);
  if (!c.ok()) return TextError(c, at, "dialog class");
  at = c.offset();
  d.title = c.String(kMaxTextUnits);
  if (!c.ok()) return TextError(c, at, "dialog title");

  if (d.style & kSetFont) {
    d.hasFont = true;
    d.pointSize = c.U16();
    if (d.extended) {
      d.weight = c.U16();
      d.italic = c.U8() != 0;
      d.charset = c.U8();
    }
    if (!c.ok()) return c.Error(ResError::kTruncated, "dialog font");
    at = c.offset();
    d.fontFace = c.String(kMaxTextUnits);
    if (!c.ok()) return TextError(c, at, "dialog font face");
  }

  // Each item takes at least 18 bytes, so a count the data cannot hold is
  // refused before any allocation.
  if (count > c.remaining() / 18) return c.Error(ResError::kTruncated, "dialog item count");
  d.items.resize(count);
  for (DialogItem& item : d.items)
    if (auto err = ReadItem(c, d.extended, item)) return *err;
  return d;
}

}  // namespace res
