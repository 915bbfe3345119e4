// The settings store: single values under the configuration key, and the
// whole save as one registry transaction.
#include "data/settings_store.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/cnum.h"
#include "sys/registry.h"

namespace {

constexpr std::array<CategoryValueNames, 22> kCategoryValueNames = {{
    {u"tmpercolor", u"tmperbmp"},        // 0  Temperature
    {u"acclcolor", u"acclbmp"},          // 1  Acceleration
    {u"anglecolor", u"anglebmp"},        // 2  Angle
    {u"areacolor", u"areabmp"},          // 3  Area
    {u"distcolor", u"distbmp"},          // 4  Distance
    {u"vldrcolor", u"vldrbmp"},          // 5  Volume Dry
    {u"masscolor", u"massbmp"},          // 6  Mass
    {u"volcolor", u"volbmp"},            // 7  Volume
    {u"dencolor", u"denbmp"},            // 8  Density
    {u"energycolor", u"energybmp"},      // 9  Energy
    {u"flowcolor", u"flowbmp"},          // 10 Flow
    {u"forcecolor", u"forcebmp"},        // 11 Force
    {u"lightcolor", u"lightbmp"},        // 12 Light
    {u"aofscolor", u"aofsbmp"},          // 13 Amt. of Substance
    {u"compcolor", u"compbmp"},          // 14 Computer
    {u"conccolor", u"concbmp"},          // 15 Concentration
    {u"pressurecolor", u"pressurebmp"},  // 16 Pressure
    {u"speedcolor", u"speedbmp"},        // 17 Speed
    {u"timecolor", u"timebmp"},          // 18 Time
    {u"torquecolor", u"torquebmp"},      // 19 Torque
    {u"powercolor", u"powerbmp"},        // 20 Power
    {u"custcolor", u"custbmp"},          // 21 Custom
}};

// Acceleration (1) is written after Distance (4); the stored order has
// always been so and other readers of the key may rely on it.
constexpr std::array<int, 22> kCategoryWriteOrder = {0,  2,  3,  4,  1,  5,  6,  7,  8,  9,  10,
                                                     11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};

// Opens the configuration key for reading; nullptr when it does not exist.
HKEY OpenConfigKey() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKeyPath.data(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return nullptr;
  return key;
}

// Whether the value `name` exists and holds a non-empty text. The whole value
// is read whatever its size: a value too long for a fixed buffer must not
// end the removal of old custom values early and leave stale ones behind.
bool CustomValueIsSet(const std::u16string& name) {
  HKEY key = OpenConfigKey();
  if (!key) return false;
  DWORD size = 0;
  bool set = false;
  if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS &&
      size >= sizeof(char16_t)) {
    std::vector<BYTE> bytes(size);
    if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, bytes.data(), &size) ==
        ERROR_SUCCESS)
      set = size >= 2 && (bytes[0] != 0 || bytes[1] != 0);
  }
  RegCloseKey(key);
  return set;
}

std::u16string CustomValueName(std::int64_t n) { return u"custom" + base::FormatInt(n); }

std::u16string FormatColor(ColorRef color) {
  // "%d" of the 32-bit value: a colour with the top bit set prints negative.
  return base::FormatInt(static_cast<std::int32_t>(color));
}

}  // namespace

std::span<const CategoryValueNames> CategoryValueNameTable() { return kCategoryValueNames; }

std::span<const int> CategoryWriteOrder() { return kCategoryWriteOrder; }

int WriteConfigValue(std::u16string_view name, std::u16string_view text) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kConfigKeyPath.data(), 0, u"", 0, 0, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return 0;
  const std::u16string valueName(name);
  LONG result;
  if (!text.empty()) {
    const std::u16string data(text);  // with its terminating zero
    const std::size_t bytes = (data.size() + 1) * sizeof(char16_t);
    result = bytes > kRegMaxValueBytes
                 ? ERROR_INVALID_PARAMETER
                 : RegSetValueExW(key, valueName.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(data.c_str()),
                                  static_cast<DWORD>(bytes));
  } else {
    result = RegDeleteValueW(key, valueName.c_str());
  }
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? 1 : 0;
}

int ReadConfigValue(std::u16string_view name, char16_t* buffer, std::size_t capacity) {
  if (!buffer || capacity == 0) return 0;
  buffer[0] = 0;
  HKEY key = OpenConfigKey();
  if (!key) return 0;
  // Offer at most what a DWORD counts, in whole characters.
  const std::size_t offered = std::min<std::size_t>(capacity, 0x7FFFFFFF) * sizeof(char16_t);
  DWORD size = static_cast<DWORD>(offered);
  DWORD type = REG_NONE;
  const std::u16string valueName(name);
  const LONG result = RegQueryValueExW(key, valueName.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
    buffer[0] = 0;
    return 0;
  }
  // The stored text may lack its zero or carry one early; the count is that
  // of the string the caller sees, and the buffer always ends in a zero.
  std::size_t chars = std::min<std::size_t>(size / sizeof(char16_t), capacity - 1);
  buffer[chars] = 0;
  return static_cast<int>(std::char_traits<char16_t>::length(buffer));
}

LONG SaveSettings(const ConversionDatabase& db, const DisplaySettings& settings,
                  const SaveObserver& observer) {
  RegistryTransaction transaction;
  auto write = [&](std::u16string_view name, std::u16string_view text) {
    WriteConfigValue(name, text);  // a single failure does not stop the save
    if (observer) observer(name, text);
  };

  write(u"defcolor", FormatColor(settings.defcolor));
  write(u"defbitmap", settings.defbitmap);
  write(u"digits", base::FormatInt(settings.digits));
  write(u"notation", base::FormatInt(settings.notation));

  // Old custom values go up to the first missing or empty one; a save never
  // leaves a gap, so nothing stored by an earlier save lies beyond it.
  for (std::int64_t k = 0;; ++k) {
    const std::u16string name = CustomValueName(k);
    if (!CustomValueIsSet(name)) break;
    write(name, u"");
  }

  if (!db.empty()) {
    const Category& custom = db.back();
    const auto unitCount = static_cast<std::int64_t>(custom.units.size());
    std::int64_t n = 0;
    for (const ConversionEntry& entry : custom.entries) {
      if (entry.fromUnit < 0 || entry.fromUnit >= unitCount || entry.toUnit < 0 ||
          entry.toUnit >= unitCount)
        continue;
      std::u16string text = custom.units[entry.fromUnit];
      text += u',';
      text += custom.units[entry.toUnit];
      text += u',';
      text += base::FormatGeneral(entry.factor);
      text += u',';
      text += base::FormatGeneral(entry.offset);
      write(CustomValueName(n++), text);
    }

    for (int position : kCategoryWriteOrder) {
      if (static_cast<std::size_t>(position) >= db.size()) continue;
      const Category& category = db[static_cast<std::size_t>(position)];
      write(kCategoryValueNames[position].color, FormatColor(category.color));
      write(kCategoryValueNames[position].bitmap, category.bitmapPath);
    }
  }
  return transaction.Commit();
}

LONG SaveSettings(const ConversionDatabase& db) { return SaveSettings(db, TheSettings().display); }
