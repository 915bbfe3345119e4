// Names and one-line descriptions of resource parse errors.
#include "res/parse_error.h"

#include <cstdio>

namespace res {

const char* ErrorName(ResError code) {
  switch (code) {
    case ResError::kTruncated: return "truncated";
    case ResError::kBadSignature: return "bad signature";
    case ResError::kBadHeader: return "bad header";
    case ResError::kOutOfRange: return "out of range";
    case ResError::kDirectoryLoop: return "directory loop";
    case ResError::kTooDeep: return "too deep";
    case ResError::kTooManyEntries: return "too many entries";
    case ResError::kBadName: return "bad name";
    case ResError::kBadString: return "bad string";
    case ResError::kBadTemplate: return "bad template";
  }
  return "unknown";
}

std::string Describe(const ParseError& error) {
  char buf[64];
  std::snprintf(buf, sizeof buf, " at 0x%zx: ", error.offset);
  return std::string(ErrorName(error.code)) + buf + error.what;
}

}  // namespace res
