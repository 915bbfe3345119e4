// Completing a category's conversions through shared units, and converting
// one value by the first matching entry.
#pragma once

#include <string_view>

#include "conversion_database.h"

// One derivation pass: for every ordered pair (i, j) that lacks a direction,
// finds the smallest intermediate unit k with entries i->k and j->k and
// appends i->j and j->i through it. Pairs whose first k has a zero factor,
// and pairs without any k, are skipped. Entries appended early in the pass
// take part in later searches of the same pass. Cannot fail.
void DeriveConversions(Category& category);

// Runs passes until one adds nothing (at most one pass per unit, which is
// enough for any chain). Returns the number of passes that added entries.
int DeriveUntilComplete(Category& category);

// Converts `value` from the unit named `fromUnit` to the unit named
// `toUnit` of category `position`. Equal names give the value unchanged
// (whatever the category). Returns 0 and sets `result`, or -1 when the
// position is negative or beyond the database, or no entry matches the
// names; `result` is then untouched.
int ConvertValue(const ConversionDatabase& db, int position, std::u16string_view fromUnit,
                 std::u16string_view toUnit, double value, double& result);
