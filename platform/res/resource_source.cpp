// ResourceSource: lookup with the platform's language preference.
#include "res/resource_source.h"

namespace res {

std::optional<std::span<const std::byte>> ResourceSource::Find(
    const NameOrOrdinal& type, const NameOrOrdinal& name, std::optional<LANGID> language) const {
  const ResourceEntry* first = nullptr;
  const ResourceEntry* english = nullptr;
  for (const ResourceEntry& e : entries_) {
    if (!(e.type == type) || !(e.name == name)) continue;
    if (language) {
      if (e.language == *language) return e.data;
      continue;
    }
    if (e.language == kLangNeutral) return e.data;
    if (e.language == kLangEnglishUs && english == nullptr) english = &e;
    if (first == nullptr) first = &e;
  }
  if (english != nullptr) return english->data;
  if (first != nullptr) return first->data;
  return std::nullopt;
}

}  // namespace res
