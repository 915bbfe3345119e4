// How typed names find categories and units on the command line.
#include <gtest/gtest.h>

#include "cli/name_match.h"

namespace {
const std::vector<std::u16string> kUnits = {u"kilometer (km)", u"meter (m)", u"mile (mi)",
                                            u"nautical mile (M)", u"mile/hour second (mi/(h\u00B7s))",
                                            u"Meter"};
}

TEST(MatchName, RoundsInOrder) {
  EXPECT_EQ(MatchName(kUnits, u"Meter").index, 5);           // exact beats folded
  EXPECT_EQ(MatchName(kUnits, u"M").index, 3);               // exact abbreviation
  EXPECT_EQ(MatchName(kUnits, u"KM").index, 0);              // folded abbreviation
  EXPECT_EQ(MatchName(kUnits, u"mi/(h\u00B7s)").index, 4);   // nested parentheses
  EXPECT_EQ(MatchName(kUnits, u"kilo").index, 0);            // unique prefix
  EXPECT_EQ(MatchName(kUnits, u"NAUT").index, 3);
}

TEST(MatchName, AmbiguousAndUnknownListCandidates) {
  NameMatch m = MatchName(kUnits, u"mile");
  EXPECT_EQ(m.index, 2);  // whole name, folded, before prefixes
  m = MatchName(kUnits, u"mil");
  EXPECT_TRUE(m.ambiguous);
  EXPECT_EQ(m.candidates.size(), 2u);
  m = MatchName(kUnits, u"furlong");
  EXPECT_FALSE(m.ambiguous);
  EXPECT_EQ(m.candidates.size(), kUnits.size());
  EXPECT_EQ(MatchName(kUnits, u"").index, -1);
  EXPECT_EQ(Abbreviation(u"x)"), u"");
}
