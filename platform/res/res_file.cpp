// Reader of .res blobs: a walk over RESOURCEHEADERs.
#include "res/res_file.h"

#include "res/byte_cursor.h"

namespace res {
namespace {

constexpr std::size_t kMaxNameUnits = 256;
// DataSize, HeaderSize, two ordinals, DataVersion, flags, language, Version,
// Characteristics: the smallest header that holds every field.
constexpr std::uint32_t kMinHeaderSize = 32;

}  // namespace

Expected<ResourceSource> ParseResFile(std::span<const std::byte> blob) {
  std::vector<ResourceEntry> entries;
  ByteCursor c(blob);
  bool first = true;
  while (true) {
    std::size_t start = c.AlignedOffset(4);
    if (start >= blob.size()) break;  // trailing padding may be cut short
    c.Seek(start);
    std::uint32_t dataSize = c.U32();
    std::uint32_t headerSize = c.U32();
    if (!c.ok()) return ParseError{ResError::kTruncated, start, "resource header"};
    if (headerSize < kMinHeaderSize)
      return ParseError{ResError::kBadHeader, start, "header size too small"};
    if (headerSize > blob.size() - start)
      return ParseError{ResError::kTruncated, start, "header runs past the end"};
    if (dataSize > blob.size() - start - headerSize)
      return ParseError{ResError::kTruncated, start, "data runs past the end"};

    // Names are read inside the header only, so a bad one cannot run on.
    ByteCursor h(blob.subspan(start, headerSize), 8);
    NameOrOrdinal type = ReadNameOrOrdinal(h, kMaxNameUnits);
    NameOrOrdinal name = ReadNameOrOrdinal(h, kMaxNameUnits);
    if (!h.ok()) return ParseError{ResError::kBadName, start + h.offset(), "type or name"};
    h.Align(4);
    h.U32();  // DataVersion
    h.U16();  // MemoryFlags
    LANGID language = h.U16();
    h.U32();  // Version
    h.U32();  // Characteristics
    if (!h.ok()) return ParseError{ResError::kBadHeader, start, "header too small for its names"};

    bool lead = type.isOrdinal() && type.ordinal() == 0 && name.isOrdinal() &&
                name.ordinal() == 0 && dataSize == 0;
    if (first && !lead) return ParseError{ResError::kBadSignature, 0, "no .res lead entry"};
    if (!lead) entries.push_back({std::move(type), std::move(name), language,
                                  blob.subspan(start + headerSize, dataSize)});
    first = false;
    c.Seek(start + headerSize + dataSize);
  }
  return ResourceSource(std::move(entries));
}

}  // namespace res
