// Reader of a 32-bit .res file, the form llvm-rc writes and our binaries
// embed: a lead entry with no data, then one RESOURCEHEADER and its data per
// resource, each DWORD-aligned.
#pragma once

#include <span>

#include "res/parse_error.h"
#include "res/resource_source.h"

namespace res {

// Indexes every resource of `blob`. Errors: kBadSignature when the blob does
// not start with the lead entry of a 32-bit .res; kTruncated or kBadHeader
// when a header or its data runs past the blob or its header size is too
// small for its fields; kBadName when a type or name string is unterminated
// within its header. An empty blob is a valid, empty source. The result's
// spans point into `blob`.
Expected<ResourceSource> ParseResFile(std::span<const std::byte> blob);

}  // namespace res
