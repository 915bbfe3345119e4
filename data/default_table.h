// The conversion table the program carries: 696 conversion lines in 21
// categories, then the directives that give categories their backgrounds.
#pragma once

#include <string>
#include <string_view>

// The table in its stored form, where "^" stands for superscript two and "~"
// for superscript three. Every line ends with a line feed.
extern const std::u16string_view DefaultTableText;

// The stored form with every "^" replaced by U+00B2 and every "~" by U+00B3,
// everywhere in the text (names, numbers and paths alike).
std::u16string ExpandSuperscripts(std::u16string_view stored);
