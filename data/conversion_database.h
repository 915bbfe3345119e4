// The in-memory conversion data: categories of measure, their units and
// their directed conversions, and the two writers that table lines use.
//
// Every search is linear and takes the first match; later duplicates exist
// (derivation appends some) but never count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "display_settings.h"

struct ConversionEntry {
  double factor = 0.0;  // to = from * factor + offset
  double offset = 0.0;
  std::int32_t fromUnit = 0;  // index into the category's units
  std::int32_t toUnit = 0;
  std::uint32_t flags = 1;    // 1 whenever the entry is added or overwritten
};

struct Category {
  std::u16string name;
  ColorRef color = 0;              // 0: the default colour applies
  std::u16string bitmapPath = u"*";  // "*": no bitmap file of its own
  // The loaded background bitmap (a platform bitmap handle), owned and set by
  // the category appearance code; loading never touches it.
  void* bitmap = nullptr;
  std::vector<std::u16string> units;
  std::vector<ConversionEntry> entries;
};

// Categories by position; positions never change because categories are only
// appended, or all removed at once. The last one is the custom category.
using ConversionDatabase = std::vector<Category>;

// Position of the first category with exactly this name, or -1.
int FindCategory(const ConversionDatabase& db, std::u16string_view name);

// Index of the first unit with exactly this name, or -1.
int FindUnit(const Category& category, std::u16string_view name);

// The first entry from unit i to unit j, or nullptr.
const ConversionEntry* FindEntry(const Category& category, int from, int to);
ConversionEntry* FindEntry(Category& category, int from, int to);

// Applies one conversion line: creates the category or units it names when
// missing, then overwrites the first entry for the pair (leaving the opposite
// direction alone) or appends the entry and, when the factor is not 0, its
// inverse (1/f, (-o) * (1/f)). New categories get `newCategoryColor` and the
// bitmap path "*". Cannot fail short of running out of memory.
void AddConversionLine(ConversionDatabase& db, ColorRef newCategoryColor,
                       std::u16string_view category, std::u16string_view fromUnit,
                       std::u16string_view toUnit, double factor, double offset);

// Destroys every category.
void EmptyDatabase(ConversionDatabase& db);
