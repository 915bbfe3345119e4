// Command-line name matching; see name_match.h.
#include "name_match.h"

#include <algorithm>
#include <functional>

#include "base/ascii_case.h"

namespace {

using base::EqualIgnoringAsciiCase;

// Indices of the names for which `test` holds.
std::vector<int> Select(const std::vector<std::u16string>& names,
                        const std::function<bool(std::u16string_view)>& test) {
  std::vector<int> hits;
  for (size_t i = 0; i < names.size(); ++i)
    if (test(names[i])) hits.push_back(static_cast<int>(i));
  return hits;
}

}  // namespace

std::u16string_view BaseName(std::u16string_view name) {
  auto abbr = Abbreviation(name);
  if (abbr.empty()) return name;
  name.remove_suffix(abbr.size() + 2);
  while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
  return name;
}

std::u16string_view Abbreviation(std::u16string_view name) {
  if (name.empty() || name.back() != u')') return {};
  int depth = 0;
  for (size_t i = name.size(); i-- > 0;) {
    if (name[i] == u')') ++depth;
    if (name[i] == u'(' && --depth == 0) return name.substr(i + 1, name.size() - i - 2);
  }
  return {};
}

NameMatch MatchName(const std::vector<std::u16string>& names, std::u16string_view typed) {
  NameMatch match;
  if (auto exact = std::find(names.begin(), names.end(), typed); exact != names.end()) {
    match.index = static_cast<int>(exact - names.begin());
    return match;
  }
  const std::function<bool(std::u16string_view)> rounds[] = {
      // "M" is the nautical mile and "m" the meter: case decides first.
      [&](std::u16string_view n) { return !typed.empty() && Abbreviation(n) == typed; },
      [&](std::u16string_view n) {
        auto abbr = Abbreviation(n);
        return EqualIgnoringAsciiCase(n, typed) || EqualIgnoringAsciiCase(BaseName(n), typed) ||
               (!abbr.empty() && EqualIgnoringAsciiCase(abbr, typed));
      },
      [&](std::u16string_view n) {
        return !typed.empty() && n.size() >= typed.size() && EqualIgnoringAsciiCase(n.substr(0, typed.size()), typed);
      },
  };
  for (const auto& round : rounds) {
    std::vector<int> hits = Select(names, round);
    if (hits.size() == 1) {
      match.index = hits.front();
      return match;
    }
    if (hits.size() > 1) {
      match.ambiguous = true;
      for (int h : hits) match.candidates.push_back(names[size_t(h)]);
      return match;
    }
  }
  match.candidates = names;
  return match;
}
