// One run of the table-text fuzz target over arbitrary bytes; shared by the
// libFuzzer target and the test that replays its corpus.
#pragma once

#include <cstddef>
#include <cstdint>

// Decodes the bytes as a table file, loads them into a fresh database,
// derives every small category, converts between its units and formats the
// results. Returns the number of conversions that succeeded.
int RunTableFuzzOnce(const std::uint8_t* data, std::size_t size);
