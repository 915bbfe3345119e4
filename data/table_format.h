// The grammar of conversion table text: lines, trimming, the five fields of
// a conversion line, and the directive lines that start with "@".
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "conversion_database.h"
#include "display_settings.h"

// Platform services that loading needs but the engine does not own: the busy
// cursor, the system's button-face colour, and what to do when memory for
// the table text runs out. Empty functions are skipped; without an
// out-of-memory handler the process ends with code 0 as the program does.
struct LoaderHooks {
  std::function<void()> beginBusy;
  std::function<void()> endBusy;
  std::function<ColorRef()> buttonFaceColor;
  std::function<void()> tableOutOfMemory;
};

// Removes spaces and tabs (nothing else) from both ends of a line.
std::u16string_view TrimTableLine(std::u16string_view line);

// The five fields of a conversion line, as views into the line.
struct ConversionFields {
  std::u16string_view category, fromUnit, toUnit, factor, offset;
};

// Splits a trimmed conversion line at its first four commas; the offset takes
// the rest, further commas included. Returns nullopt when a comma is missing
// or a field is empty; such lines are dropped silently by loading.
std::optional<ConversionFields> SplitConversionLine(std::u16string_view line);

// Applies one directive, given the trimmed line without its "@": "color" and
// "bitmap" set a category's colour or bitmap path (creating the category at
// the end when missing); "digits", "notation", "defbitmap" and "defcolor"
// set the display settings. Other keywords, an empty keyword and a missing
// comma are ignored. Never fails.
void ApplyDirective(ConversionDatabase& db, ProcessSettings& settings, const LoaderHooks& hooks,
                    std::u16string_view directive);

// Applies one raw table line (trimmed here): blank and "#" lines are
// ignored, "@" lines are directives, everything else a conversion line whose
// numbers are read with the wcstod grammar (bad numbers read as 0).
void ApplyTableLine(ConversionDatabase& db, ProcessSettings& settings, const LoaderHooks& hooks,
                    std::u16string_view line);
