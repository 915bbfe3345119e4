// UTF-16 <-> UTF-8 conversion for the edges of the program: host file paths,
// the terminal, and table files. Inside, all text is UTF-16 code units.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace base {

// Encodes UTF-16 code units as UTF-8. Never fails: an unpaired surrogate is
// written as U+FFFD so that the output is always valid UTF-8.
std::string ToUtf8(std::u16string_view text);

// Decodes strict UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF). Returns nullopt on the first invalid or truncated sequence.
std::optional<std::u16string> FromUtf8(std::string_view bytes);

// Decodes a text file's bytes: UTF-16 LE or BE when it starts with that byte
// order mark, otherwise UTF-8 with or without its mark. Returns nullopt when
// the bytes are not valid in the detected encoding (invalid UTF-8, or an odd
// number of bytes after a UTF-16 mark). UTF-16 code units are kept as they
// are, unpaired surrogates included, because they are the text's own units.
std::optional<std::u16string> DecodeTextFile(std::string_view bytes);

}  // namespace base
