// A plain, literal derivation pass: every "first entry" search walks the
// entry list. It is the yardstick for DeriveConversions, which must produce
// the same entries in the same order, bit for bit; tests and benchmarks use
// it, the program does not.
#pragma once

#include "conversion_database.h"

void LiteralDeriveConversions(Category& category);
