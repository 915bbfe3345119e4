// The rule the keypad's entry field obeys after every change of its text:
// only digits and (when decimals are allowed) one point, no more characters
// than the limit, no more decimals than allowed. Pure functions; the dialog
// applies their verdict to the field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessapad {

// The most characters the entry holds: 9 without decimals (decimals <= 0),
// otherwise 9 + decimals but never more than 17. Never fails.
std::size_t EntryLimit(int decimals);

// The text with everything but "0" to "9" dropped, keeping the first "."
// only when decimals > 0. Never fails.
std::u16string FilterEntry(std::u16string_view text, int decimals);

// What to do with the entry's text after a change, in order of precedence:
// kReplace with the filtered text when filtering changes it; kRevert to the
// text before the change when it is longer than the limit; kCut to the point
// and `decimals` digits after it when it carries more; kKeep otherwise.
struct EntryVerdict {
  enum Action { kKeep, kReplace, kRevert, kCut };
  Action action = kKeep;
  std::u16string text;  // the new text for kReplace and kCut
};
EntryVerdict CheckEntry(std::u16string_view text, int decimals);

}  // namespace tessapad
