// The literal derivation pass; see literal_derivation.h.
#include "literal_derivation.h"

namespace {

// Index of the first entry from -> to, or -1.
int Search(const Category& c, int from, int to) {
  for (size_t e = 0; e < c.entries.size(); ++e)
    if (c.entries[e].fromUnit == from && c.entries[e].toUnit == to) return static_cast<int>(e);
  return -1;
}

}  // namespace

void LiteralDeriveConversions(Category& c) {
  const int n = static_cast<int>(c.units.size());
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      if (i == j) continue;
      if (Search(c, i, j) >= 0 && Search(c, j, i) >= 0) continue;
      int k = 0, ik = -1, jk = -1;
      for (; k < n; ++k) {
        if (k == i || k == j) continue;
        ik = Search(c, i, k);
        jk = Search(c, j, k);
        if (ik >= 0 && jk >= 0) break;
      }
      if (k == n) continue;
      double fik = c.entries[size_t(ik)].factor, oik = c.entries[size_t(ik)].offset;
      double fjk = c.entries[size_t(jk)].factor, ojk = c.entries[size_t(jk)].offset;
      if (fik == 0.0 || fjk == 0.0) continue;
      double r = 1.0 / fjk;
      c.entries.push_back({r * fik, (oik - ojk) * r, i, j, 1});
      double s = 1.0 / fik;
      c.entries.push_back({s * fjk, (ojk - oik) * s, j, i, 1});
    }
  }
}
