// NameOrOrdinal: a 16-bit ordinal or a UTF-16 name. Resource types and names,
// and a dialog's menu, class and title, are all of this form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/wintypes.h"
#include "res/byte_cursor.h"

namespace res {

class NameOrOrdinal {
 public:
  NameOrOrdinal() = default;  // the empty name: "none" in a dialog template
  NameOrOrdinal(WORD ordinal) : isOrdinal_(true), ordinal_(ordinal) {}                 // NOLINT
  NameOrOrdinal(std::u16string_view name) : name_(name) {}                             // NOLINT
  // A platform argument (LPCWSTR): a MAKEINTRESOURCE value is an ordinal,
  // other pointers zero-terminated names, null the empty name. So RT_STRING
  // or MAKEINTRESOURCEW(102) may be passed where a NameOrOrdinal is taken.
  NameOrOrdinal(const char16_t* name) : NameOrOrdinal(FromPointer(name)) {}              // NOLINT
  // Integer literals are ordinals; only the low 16 bits count, as in MAKEINTRESOURCE.
  NameOrOrdinal(int ordinal) : NameOrOrdinal(static_cast<WORD>(ordinal)) {}           // NOLINT

  // The same conversion, spelled out.
  static NameOrOrdinal FromPointer(LPCWSTR p);

  bool isOrdinal() const { return isOrdinal_; }
  WORD ordinal() const { return ordinal_; }
  const std::u16string& name() const { return name_; }
  bool empty() const { return !isOrdinal_ && name_.empty(); }

  // Ordinals compare by value, names without regard to case (as the
  // platform's resource lookup does); an ordinal never equals a name.
  friend bool operator==(const NameOrOrdinal& a, const NameOrOrdinal& b);

 private:
  bool isOrdinal_ = false;
  WORD ordinal_ = 0;
  std::u16string name_;
};

// Case-insensitive equality of UTF-16 names: ASCII and Latin-1 letters fold
// to upper case, everything else compares by code unit.
bool NamesEqualNoCase(std::u16string_view a, std::u16string_view b);

// Reads the template form: 0xFFFF then a 16-bit ordinal, or a zero-terminated
// string (0x0000 alone being the empty name). Marks the cursor failed when
// either runs out or the name exceeds maxUnits.
NameOrOrdinal ReadNameOrOrdinal(ByteCursor& cursor, std::size_t maxUnits);

}  // namespace res
