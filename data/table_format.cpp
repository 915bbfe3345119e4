// Table line grammar and directives; see table_format.h.
#include "table_format.h"

#include <algorithm>
#include <array>

#include "base/cnum.h"

std::u16string_view TrimTableLine(std::u16string_view line) {
  auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  return line;
}

std::optional<ConversionFields> SplitConversionLine(std::u16string_view line) {
  std::array<std::u16string_view, 5> fields;
  for (size_t k = 0; k < 4; ++k) {
    size_t comma = line.find(u',');
    if (comma == std::u16string_view::npos) return std::nullopt;
    fields[k] = line.substr(0, comma);
    line.remove_prefix(comma + 1);
  }
  fields[4] = line;
  for (auto field : fields)
    if (field.empty()) return std::nullopt;
  return ConversionFields{fields[0], fields[1], fields[2], fields[3], fields[4]};
}

namespace {

// Splits "name,value" at its first comma; nullopt when there is none.
std::optional<std::pair<std::u16string_view, std::u16string_view>> SplitAtComma(
    std::u16string_view text) {
  size_t comma = text.find(u',');
  if (comma == std::u16string_view::npos) return std::nullopt;
  return std::pair{text.substr(0, comma), text.substr(comma + 1)};
}

// The category a "color" or "bitmap" directive names, appended when missing.
Category& DirectiveCategory(ConversionDatabase& db, std::u16string_view name, ColorRef color) {
  int position = FindCategory(db, name);
  if (position >= 0) return db[static_cast<size_t>(position)];
  Category category;
  category.name = name;
  category.color = color;
  db.push_back(std::move(category));
  return db.back();
}

}  // namespace

void ApplyDirective(ConversionDatabase& db, ProcessSettings& settings, const LoaderHooks& hooks,
                    std::u16string_view directive) {
  auto split = SplitAtComma(directive);
  if (!split || split->first.empty()) return;
  auto [keyword, rest] = *split;
  DisplaySettings& display = settings.display;

  if (keyword == u"color" || keyword == u"bitmap") {
    auto target = SplitAtComma(rest);
    if (!target) return;
    auto [name, value] = *target;
    if (keyword == u"color") {
      DirectiveCategory(db, name, 0).color = static_cast<ColorRef>(base::WToL(value));
    } else {
      DirectiveCategory(db, name, settings.newCategoryColor).bitmapPath = value;
    }
  } else if (keyword == u"digits") {
    display.digits = std::clamp(base::WToL(rest), 1, 10);
  } else if (keyword == u"notation") {
    display.notation = base::WToL(rest) != 0 ? 1 : 0;
  } else if (keyword == u"defbitmap") {
    display.defbitmap = rest;
  } else if (keyword == u"defcolor") {
    // The number is read but has no effect: both colours become the system's
    // button face, which is what the program has always done with it.
    (void)base::WToL(rest);
    ColorRef face = hooks.buttonFaceColor ? hooks.buttonFaceColor() : settings.newCategoryColor;
    display.defcolor = face;
    settings.newCategoryColor = face;
  }
}

void ApplyTableLine(ConversionDatabase& db, ProcessSettings& settings, const LoaderHooks& hooks,
                    std::u16string_view line) {
  line = TrimTableLine(line);
  if (line.empty() || line.front() == u'#') return;
  if (line.front() == u'@') {
    ApplyDirective(db, settings, hooks, line.substr(1));
    return;
  }
  auto fields = SplitConversionLine(line);
  if (!fields) return;
  AddConversionLine(db, settings.newCategoryColor, fields->category, fields->fromUnit,
                    fields->toUnit, base::WcsToD(fields->factor), base::WcsToD(fields->offset));
}
