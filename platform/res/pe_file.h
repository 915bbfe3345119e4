// Reader of the resources of a PE32 or PE32+ file of any machine type, as
// data only: nothing in the file is ever run or relocated. The headers lead
// to data directory 2; the resource directory is walked as the platform lays
// it out, type / name / language, and every data entry's RVA is mapped back
// to file bytes through the section table.
#pragma once

#include <cstdint>
#include <span>

#include "res/parse_error.h"
#include "res/resource_source.h"

namespace res {

struct PeInfo {
  std::uint16_t machine = 0;  // COFF machine; any value is accepted
  bool pe32Plus = false;      // optional header magic 0x20b
};

// Indexes the resources of the PE image `file`. A well-formed image without
// a resource directory gives an empty source. Errors:
//  - kBadSignature: no "MZ", no "PE\0\0", or an optional header magic other
//    than 0x10b / 0x20b;
//  - kTruncated / kBadHeader: a header, the section table or a directory
//    runs past the file, or the optional header is too small for its fields;
//  - kOutOfRange: the resource directory's RVA or a data entry's RVA and
//    size lie outside every section's file bytes, or an offset inside the
//    directory points outside it;
//  - kDirectoryLoop: a directory is reached twice (a loop or shared subtree);
//  - kTooDeep: a subdirectory below the language level; kBadHeader when a
//    data entry stands above it;
//  - kTooManyEntries: a directory's entry count does not fit in its bytes;
//  - kBadName: a name at an odd offset, running out of the directory, or a
//    named language, or an id entry above 0xFFFF.
// The result's spans point into `file`; `info` (if given) gets the header
// facts when parsing succeeds.
Expected<ResourceSource> ParsePeResources(std::span<const std::byte> file, PeInfo* info = nullptr);

}  // namespace res
