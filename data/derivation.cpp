// Derivation pass and evaluation; see derivation.h.
//
// The pass keeps a table of the first entry for every ordered pair, so each
// "first entry i->j" search is a lookup instead of a walk over the entries.
// The table is updated as entries are appended, which keeps the exact
// first-match semantics of a linear search (a test compares against a
// literal implementation, bit for bit).
#include "derivation.h"

#include <vector>

namespace {

class FirstEntryTable {
 public:
  explicit FirstEntryTable(const Category& category)
      : n_(static_cast<int>(category.units.size())), first_(size_t(n_) * size_t(n_), -1) {
    for (size_t e = 0; e < category.entries.size(); ++e) Note(category.entries[e], int(e));
  }

  // Records entry `index` unless an earlier entry for its pair exists.
  void Note(const ConversionEntry& entry, int index) {
    if (entry.fromUnit < 0 || entry.toUnit < 0 || entry.fromUnit >= n_ || entry.toUnit >= n_)
      return;
    int& slot = first_[size_t(entry.fromUnit) * size_t(n_) + size_t(entry.toUnit)];
    if (slot < 0) slot = index;
  }

  int Find(int from, int to) const { return first_[size_t(from) * size_t(n_) + size_t(to)]; }

 private:
  int n_;
  std::vector<int> first_;
};

void Append(Category& category, FirstEntryTable& table, ConversionEntry entry) {
  category.entries.push_back(entry);
  table.Note(entry, static_cast<int>(category.entries.size()) - 1);
}

}  // namespace

void DeriveConversions(Category& category) {
  const int n = static_cast<int>(category.units.size());
  FirstEntryTable table(category);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      if (i == j || (table.Find(i, j) >= 0 && table.Find(j, i) >= 0)) continue;
      int ik = -1, jk = -1;
      for (int k = 0; k < n && ik < 0; ++k) {
        if (k == i || k == j) continue;
        int a = table.Find(i, k), b = table.Find(j, k);
        if (a >= 0 && b >= 0) ik = a, jk = b;
      }
      if (ik < 0) continue;
      // Copies: the appends below may move the entries.
      const ConversionEntry eik = category.entries[size_t(ik)];
      const ConversionEntry ejk = category.entries[size_t(jk)];
      if (eik.factor == 0.0 || ejk.factor == 0.0) continue;
      double r = 1.0 / ejk.factor;
      Append(category, table, {r * eik.factor, (eik.offset - ejk.offset) * r, i, j, 1});
      double s = 1.0 / eik.factor;
      Append(category, table, {s * ejk.factor, (ejk.offset - eik.offset) * s, j, i, 1});
    }
  }
}

int DeriveUntilComplete(Category& category) {
  int passes = 0;
  for (size_t limit = category.units.size() + 1; limit > 0; --limit) {
    size_t before = category.entries.size();
    DeriveConversions(category);
    if (category.entries.size() == before) break;
    ++passes;
  }
  return passes;
}

int ConvertValue(const ConversionDatabase& db, int position, std::u16string_view fromUnit,
                 std::u16string_view toUnit, double value, double& result) {
  if (fromUnit == toUnit) {
    result = value;
    return 0;
  }
  if (position < 0 || static_cast<size_t>(position) >= db.size()) return -1;
  const Category& category = db[static_cast<size_t>(position)];
  const auto& units = category.units;
  auto named = [&](std::int32_t index, std::u16string_view name) {
    return index >= 0 && static_cast<size_t>(index) < units.size() && units[size_t(index)] == name;
  };
  for (const ConversionEntry& e : category.entries) {
    if (named(e.fromUnit, fromUnit) && named(e.toUnit, toUnit)) {
      result = value * e.factor + e.offset;
      return 0;
    }
  }
  return -1;
}
