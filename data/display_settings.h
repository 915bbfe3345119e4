// The process-wide display settings and the colour that loading gives to the
// categories it creates. The settings store writes them; loading's
// directives and the configuration commands change them.
#pragma once

#include <cstdint>
#include <string>

// A colour value 0x00BBGGRR; 0 stored as a category colour means "not set".
using ColorRef = std::uint32_t;

struct DisplaySettings {
  std::int32_t digits = 4;          // result precision, 1 to 10
  std::int32_t notation = 0;        // 0 fixed, 1 scientific
  ColorRef defcolor = 0x00FFFFFF;   // background of a category whose color is 0
  std::u16string defbitmap = u"*";  // default background bitmap; "*" means none
};

// Everything loading may change besides the database itself.
struct ProcessSettings {
  DisplaySettings display;
  // Colour for categories created by loading. The main window sets it to the
  // system's button-face colour before the first load; 0 until then.
  ColorRef newCategoryColor = 0;
};

// The one instance of the process. Tests use instances of their own.
ProcessSettings& TheSettings();
