// ResourceSource: the resources of one container (a .res blob or a PE file),
// flattened to (type, name, language) -> bytes. Both container readers build
// one; every lookup of a module goes through Find.
//
// The source holds spans into the container's bytes and does not own them:
// whoever owns the bytes (the module table) keeps them alive while it lives.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "base/wintypes.h"
#include "res/name_or_ordinal.h"

namespace res {

inline constexpr LANGID kLangNeutral = 0;
inline constexpr LANGID kLangEnglishUs = 0x0409;

struct ResourceEntry {
  NameOrOrdinal type;
  NameOrOrdinal name;
  LANGID language = kLangNeutral;
  std::span<const std::byte> data;
};

class ResourceSource {
 public:
  ResourceSource() = default;
  explicit ResourceSource(std::vector<ResourceEntry> entries) : entries_(std::move(entries)) {}

  // The data of the resource (type, name). With a language, only that
  // language matches. Without one, the platform's order for an English
  // handheld: language-neutral, then English (US), then the first in
  // container order. Names match without regard to case. nullopt when
  // nothing matches; never fails otherwise.
  std::optional<std::span<const std::byte>> Find(const NameOrOrdinal& type,
                                                 const NameOrOrdinal& name,
                                                 std::optional<LANGID> language = {}) const;

  const std::vector<ResourceEntry>& entries() const { return entries_; }

 private:
  std::vector<ResourceEntry> entries_;
};

}  // namespace res
