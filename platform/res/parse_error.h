// The error every resource parser reports: what went wrong and where. Parsers
// never throw and never read outside their bytes; a refusal is a value.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <variant>

namespace res {

enum class ResError {
  kTruncated,        // a field or span runs past the end of its bytes
  kBadSignature,     // wrong magic: MZ, PE, optional header, .res lead entry
  kBadHeader,        // a header field is inconsistent (sizes, versions)
  kOutOfRange,       // an offset, RVA or size points outside the file or section
  kDirectoryLoop,    // a resource directory is reached twice
  kTooDeep,          // nesting beyond type/name/language, or a menu too deep
  kTooManyEntries,   // an entry count does not fit in its bytes
  kBadName,          // a name that is odd-placed, out of range or unterminated
  kBadString,        // a text with no terminator within its cap
  kBadTemplate,      // a dialog, menu or string block that breaks its form
};

struct ParseError {
  ResError code = ResError::kTruncated;
  std::size_t offset = 0;      // where in the parsed bytes the fault was seen
  const char* what = "";       // a static, human-readable detail
};

// One line for logs and test failures, e.g. "out of range at 0x1c4: data RVA".
std::string Describe(const ParseError& error);
const char* ErrorName(ResError code);

// A parse result: the value, or the error that refused it.
template <class T>
class Expected {
 public:
  Expected(T value) : v_(std::move(value)) {}          // NOLINT: implicit by design
  Expected(ParseError error) : v_(error) {}            // NOLINT
  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() { return std::get<0>(v_); }
  const T& value() const { return std::get<0>(v_); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  // Only meaningful when !ok().
  const ParseError& error() const { return std::get<1>(v_); }

 private:
  std::variant<T, ParseError> v_;
};

}  // namespace res
