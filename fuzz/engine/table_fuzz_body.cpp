// The body of the table-text fuzz target; see table_fuzz_body.h.
#include "table_fuzz_body.h"

#include <string_view>

#include "app/number_format.h"
#include "base/utf.h"
#include "data/derivation.h"
#include "data/table_loader.h"

int RunTableFuzzOnce(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto text = base::DecodeTextFile(bytes);
  if (!text) return 0;
  ProcessSettings settings;
  ConversionLoader loader(settings);
  loader.LoadTableText(*text);
  ConversionDatabase& db = loader.database();
  int converted = 0;
  for (size_t p = 0; p < db.size(); ++p) {
    Category& c = db[p];
    if (c.units.size() > 48) continue;  // a pass is cubic in the units
    DeriveConversions(c);
    for (const auto& from : c.units) {
      for (const auto& to : c.units) {
        double result = 0;
        if (ConvertValue(db, int(p), from, to, 1.5, result) == 0) {
          ++converted;
          (void)FormatResult(result, settings.display.digits, settings.display.notation);
          (void)FormatValue(result, settings.display.digits);
        }
      }
    }
  }
  return converted;
}
