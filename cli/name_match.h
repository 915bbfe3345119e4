// Finding a category or unit from what a person types on the command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct NameMatch {
  int index = -1;                       // the match, or -1
  bool ambiguous = false;                  // several names matched in one round
  std::vector<std::u16string> candidates;  // when ambiguous or unknown: what to offer
};

// Matches `typed` against `names` in rounds, each used only when the one
// before finds nothing: the exact name; then the exact abbreviation in the
// trailing parentheses; then a unique case-insensitive
// match on the whole name, on the name without its parentheses ("mile" for
// "mile (mi)") or on the abbreviation in its trailing parentheses
// ("km" for "kilometer (km)"); then a unique case-insensitive prefix. On no
// match, `candidates` lists all names; on an ambiguous round, the ones that
// matched in it.
NameMatch MatchName(const std::vector<std::u16string>& names, std::u16string_view typed);

// The text inside a name's trailing parentheses ("mi/(h·s)" for
// "mile/hour second (mi/(h·s))"), or empty.
std::u16string_view Abbreviation(std::u16string_view name);

// The name without its trailing parenthesised abbreviation and the blanks
// before it ("mile" for "mile (mi)"); the name itself when it has none.
std::u16string_view BaseName(std::u16string_view name);
