// NameOrOrdinal: comparison, conversion from platform pointers, and reading.
#include "res/name_or_ordinal.h"

#include "res/resources.h"

namespace res {
namespace {

char16_t FoldUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  // Latin-1 lower-case letters, except the division sign and y-diaeresis.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}

}  // namespace

NameOrOrdinal NameOrOrdinal::FromPointer(LPCWSTR p) {
  if (p == nullptr) return {};
  if (IS_INTRESOURCE(p)) return NameOrOrdinal(static_cast<WORD>(reinterpret_cast<std::uintptr_t>(p)));
  return NameOrOrdinal(std::u16string_view(p));
}

bool NamesEqualNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldUpper(a[i]) != FoldUpper(b[i])) return false;
  return true;
}

bool operator==(const NameOrOrdinal& a, const NameOrOrdinal& b) {
  if (a.isOrdinal_ != b.isOrdinal_) return false;
  if (a.isOrdinal_) return a.ordinal_ == b.ordinal_;
  return NamesEqualNoCase(a.name_, b.name_);
}

NameOrOrdinal ReadNameOrOrdinal(ByteCursor& cursor, std::size_t maxUnits) {
  std::size_t start = cursor.offset();
  std::uint16_t first = cursor.U16();
  if (!cursor.ok()) return {};
  if (first == 0xFFFF) return NameOrOrdinal(cursor.U16());
  if (first == 0) return {};
  cursor.Seek(start);
  return NameOrOrdinal(cursor.String(maxUnits));
}

}  // namespace res
