// Searches and the conversion-line writer of the conversion database.
#include "conversion_database.h"

#include <algorithm>
#include <utility>

int FindCategory(const ConversionDatabase& db, std::u16string_view name) {
  auto it = std::find_if(db.begin(), db.end(), [&](const Category& c) { return c.name == name; });
  return it == db.end() ? -1 : static_cast<int>(it - db.begin());
}

int FindUnit(const Category& category, std::u16string_view name) {
  auto it = std::find(category.units.begin(), category.units.end(), name);
  return it == category.units.end() ? -1 : static_cast<int>(it - category.units.begin());
}

const ConversionEntry* FindEntry(const Category& category, int from, int to) {
  for (const ConversionEntry& e : category.entries)
    if (e.fromUnit == from && e.toUnit == to) return &e;
  return nullptr;
}

ConversionEntry* FindEntry(Category& category, int from, int to) {
  return const_cast<ConversionEntry*>(FindEntry(std::as_const(category), from, to));
}

namespace {

int FindOrAppendUnit(Category& category, std::u16string_view name) {
  int index = FindUnit(category, name);
  if (index >= 0) return index;
  category.units.emplace_back(name);
  return static_cast<int>(category.units.size()) - 1;
}

// Appends from->to and, for a non-zero factor, its inverse. The inverse
// offset is the negated offset times the already computed inverse factor;
// stored tables and peers compare against exactly these bits.
void AppendWithInverse(Category& category, int from, int to, double factor, double offset) {
  category.entries.push_back({factor, offset, from, to, 1});
  if (factor != 0.0) {
    double inverse = 1.0 / factor;
    category.entries.push_back({inverse, (-offset) * inverse, to, from, 1});
  }
}

}  // namespace

void AddConversionLine(ConversionDatabase& db, ColorRef newCategoryColor,
                       std::u16string_view categoryName, std::u16string_view fromUnit,
                       std::u16string_view toUnit, double factor, double offset) {
  int position = FindCategory(db, categoryName);
  if (position < 0) {
    // A new category takes both names as given, even when they are equal.
    Category category;
    category.name = categoryName;
    category.color = newCategoryColor;
    category.units = {std::u16string(fromUnit), std::u16string(toUnit)};
    AppendWithInverse(category, 0, 1, factor, offset);
    db.push_back(std::move(category));
    return;
  }
  Category& category = db[static_cast<size_t>(position)];
  int from = FindOrAppendUnit(category, fromUnit);
  int to = FindOrAppendUnit(category, toUnit);
  if (ConversionEntry* existing = FindEntry(category, from, to)) {
    existing->factor = factor;
    existing->offset = offset;
    existing->flags = 1;
    return;
  }
  AppendWithInverse(category, from, to, factor, offset);
}

void EmptyDatabase(ConversionDatabase& db) { db.clear(); }
