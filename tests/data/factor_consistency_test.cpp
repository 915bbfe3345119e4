// The built-in factors agree with one another: inverse pairs multiply to 1,
// chains through a third unit give the direct factor, and every value comes
// back from a round trip once a category is complete.
#include <gtest/gtest.h>

#include <cmath>

#include "data/derivation.h"
#include "data/table_loader.h"

namespace {

ConversionDatabase LoadBuiltIn() {
  ProcessSettings settings;
  ConversionLoader loader(settings);
  loader.LoadConversionTable(u"");
  return loader.database();
}

bool Close(double a, double b, double relative) {
  return std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b));
}

}  // namespace

TEST(FactorConsistency, CategoriesListingEveryPair) {
  ConversionDatabase db = LoadBuiltIn();
  for (const char16_t* name : {u"Acceleration", u"Area", u"Volume Dry"}) {
    const Category& c = db[size_t(FindCategory(db, name))];
    int n = int(c.units.size());
    ASSERT_EQ(c.entries.size(), size_t(n * (n - 1)));
    auto f = [&](int a, int b) { return FindEntry(c, a, b)->factor; };
    for (int a = 0; a < n; ++a) {
      for (int b = 0; b < n; ++b) {
        if (a == b) continue;
        EXPECT_TRUE(Close(f(a, b) * f(b, a), 1.0, 1e-9)) << a << " " << b;
        for (int k = 0; k < n; ++k) {
          if (k == a || k == b) continue;
          EXPECT_TRUE(Close(f(a, k) * f(k, b), f(a, b), 1e-9)) << a << " " << b << " " << k;
        }
      }
    }
  }
}

TEST(FactorConsistency, RoundTripsAfterFullDerivation) {
  ConversionDatabase db = LoadBuiltIn();
  for (size_t p = 0; p < db.size(); ++p) {
    DeriveUntilComplete(db[p]);
    const auto& units = db[p].units;
    for (const auto& a : units) {
      for (const auto& b : units) {
        for (double x : {1.0, -40.0, 123.456, 1e-3}) {
          double there = 0, back = 0;
          ASSERT_EQ(ConvertValue(db, int(p), a, b, x, there), 0);
          ASSERT_EQ(ConvertValue(db, int(p), b, a, there, back), 0);
          EXPECT_TRUE(Close(back, x, 1e-12) || std::fabs(back - x) < 1e-9)
              << std::string(a.begin(), a.end()) << " -> " << std::string(b.begin(), b.end());
        }
      }
    }
  }
}
