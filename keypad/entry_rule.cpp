// The keypad's entry rule; see entry_rule.h.
#include "keypad/entry_rule.h"

#include <algorithm>

namespace tessapad {

namespace {
constexpr std::size_t kIntegerDigits = 9;
constexpr std::size_t kMaxLength = 17;
}  // namespace

std::size_t EntryLimit(int decimals) {
  if (decimals <= 0) return kIntegerDigits;
  // Clamped before adding, so that a huge count cannot overflow.
  return std::min(kIntegerDigits + std::min<std::size_t>(std::size_t(decimals), kMaxLength),
                  kMaxLength);
}

std::u16string FilterEntry(std::u16string_view text, int decimals) {
  std::u16string kept;
  bool pointKept = false;
  for (char16_t c : text) {
    if (c >= u'0' && c <= u'9') {
      kept += c;
    } else if (c == u'.' && decimals > 0 && !pointKept) {
      kept += c;
      pointKept = true;
    }
  }
  return kept;
}

EntryVerdict CheckEntry(std::u16string_view text, int decimals) {
  std::u16string filtered = FilterEntry(text, decimals);
  if (filtered != text) return {EntryVerdict::kReplace, std::move(filtered)};
  if (text.size() > EntryLimit(decimals)) return {EntryVerdict::kRevert, {}};
  std::size_t point = text.find(u'.');
  if (decimals > 0 && point != std::u16string_view::npos &&
      text.size() - point - 1 > std::size_t(decimals))
    return {EntryVerdict::kCut, std::u16string(text.substr(0, point + 1 + std::size_t(decimals)))};
  return {};
}

}  // namespace tessapad
