// The registry store of the settings: the display settings, the colour and
// bitmap of every category position, and the custom conversions, all as
// text values under one key of HKEY_CURRENT_USER. The language setting lives
// under the same key (i18n/language_pack.h).
//
// Nothing here reads the stored values back into the program; the forms are
// what a later reader will find:
//   "defcolor", "digits", "notation", "<pos>color"  "%d"
//   "defbitmap", "<pos>bmp"                         the path itself
//   "custom0", "custom1", ...                      "%s,%s,%G,%G": from-unit,
//                                                  to-unit, factor, offset
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

#include "base/wintypes.h"
#include "data/conversion_database.h"
#include "data/display_settings.h"

// The configuration key under HKEY_CURRENT_USER.
inline constexpr std::u16string_view kConfigKeyPath = u"Software\\KESTRAVO\\Mensora\\Config";

// The colour and bitmap value names of one category position.
struct CategoryValueNames {
  const char16_t* color;
  const char16_t* bitmap;
};

// The 22 positions' value names, indexed by position (0 "tmper", 1 "accl",
// 2 "angle" ... 21 "cust"). Positions beyond them have no stored values.
std::span<const CategoryValueNames> CategoryValueNameTable();

// The order in which SaveSettings writes the positions: 0, 2, 3, 4, 1, 5 ... 21.
std::span<const int> CategoryWriteOrder();

// Stores `text` as the REG_SZ value `name` (with its terminating zero) under
// the configuration key, creating the key when missing; an empty text removes
// the value instead. Returns 1 when the store or removal succeeded, 0 when
// the key cannot be created or the value cannot be stored or removed
// (removing a value that does not exist counts as a failure).
int WriteConfigValue(std::u16string_view name, std::u16string_view text);

// Reads the value `name` of the configuration key into `buffer`, which holds
// `capacity` characters. Returns the number of characters read without the
// terminating zero, and the buffer always ends with one when capacity > 0.
// Returns 0 (buffer[0] = 0) when the key or value is missing, the value is not
// a string, the value needs more room than `capacity` offers, or it is empty.
int ReadConfigValue(std::u16string_view name, char16_t* buffer, std::size_t capacity);

// One write of SaveSettings: the value's name and its text (empty: removed).
// Lets a caller watch the sequence; a test stops or breaks a save with it.
using SaveObserver = std::function<void(std::u16string_view name, std::u16string_view text)>;

// Writes everything, as one registry transaction, in this order: "defcolor",
// "defbitmap", "digits", "notation"; removes "custom0", "custom1", ... up to
// the first that is missing or empty; then, when the database holds any
// category, one "custom<n>" per entry of the last category, and the colour
// and bitmap value of every position in CategoryWriteOrder() that the database
// holds (an empty bitmap path removes the value). Entries whose unit indices
// lie outside the category's units are skipped without using a number.
//
// The single writes' results do not stop the save. Either the whole save
// reaches the store or none of it does: a program killed at any point leaves
// the previous save. Returns ERROR_SUCCESS, or the registry error that kept
// the save from being committed (the store then holds the previous save).
LONG SaveSettings(const ConversionDatabase& db, const DisplaySettings& settings,
                  const SaveObserver& observer = {});

// The same with the process-wide settings.
LONG SaveSettings(const ConversionDatabase& db);
