// PE resource reader. Sections:
//   1. headers: DOS header, PE signature, COFF header, optional header
//   2. the section table and RVA mapping
//   3. the resource directory walk
#include "res/pe_file.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "res/byte_cursor.h"

namespace res {
namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;        // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr std::size_t kSectionHeaderSize = 40;

enum Level { kTypeLevel = 0, kNameLevel = 1, kLanguageLevel = 2 };

struct Section {
  std::uint32_t virtualAddress;
  std::uint32_t mappedSize;  // the part of the section backed by file bytes
  std::uint32_t fileOffset;
};

// ---- 2. sections -----------------------------------------------------------

// The file bytes of [rva, rva + size), when they lie wholly inside one
// section's file-backed part and inside the file.
std::optional<std::span<const std::byte>> MapRva(std::span<const std::byte> file,
                                                 const std::vector<Section>& sections,
                                                 std::uint32_t rva, std::uint32_t size) {
  for (const Section& s : sections) {
    if (rva < s.virtualAddress) continue;
    std::uint64_t delta = rva - s.virtualAddress;
    if (delta >= s.mappedSize || size > s.mappedSize - delta) continue;
    std::uint64_t offset = std::uint64_t{s.fileOffset} + delta;
    if (offset > file.size() || size > file.size() - offset) return std::nullopt;
    return file.subspan(static_cast<std::size_t>(offset), size);
  }
  return std::nullopt;
}

// ---- 3. the directory walk ---------------------------------------------------

class DirectoryWalker {
 public:
  DirectoryWalker(std::span<const std::byte> file, const std::vector<Section>& sections,
                  std::span<const std::byte> tree, std::size_t treeFileOffset)
      : file_(file), sections_(sections), tree_(tree), base_(treeFileOffset) {}

  std::optional<ParseError> Walk(std::size_t dirOffset, int level, const NameOrOrdinal* path) {
    if (!visited_.insert(dirOffset).second)
      return Fail(ResError::kDirectoryLoop, dirOffset, "directory reached twice");
    ByteCursor c(tree_, dirOffset);
    c.Skip(12);  // Characteristics, TimeDateStamp, MajorVersion, MinorVersion
    std::size_t named = c.U16();
    std::size_t ids = c.U16();
    if (!c.ok()) return Fail(ResError::kOutOfRange, dirOffset, "directory header outside the tree");
    std::size_t count = named + ids;
    if (count > (tree_.size() - dirOffset - kDirectoryHeaderSize) / kDirectoryEntrySize)
      return Fail(ResError::kTooManyEntries, dirOffset, "entry count beyond the tree");

    for (std::size_t i = 0; i < count; ++i) {
      std::uint32_t nameField = c.U32();
      std::uint32_t dataField = c.U32();
      std::size_t at = c.offset() - kDirectoryEntrySize;
      NameOrOrdinal key;
      if (auto err = ReadKey(nameField, level, at, key)) return err;

      NameOrOrdinal here[3];
      for (int k = 0; k < level; ++k) here[k] = path[k];
      here[level] = std::move(key);

      std::size_t target = dataField & ~kHighBit;
      if (dataField & kHighBit) {
        if (level == kLanguageLevel)
          return Fail(ResError::kTooDeep, at, "directory below the language level");
        if (auto err = Walk(target, level + 1, here)) return err;
      } else {
        if (level != kLanguageLevel)
          return Fail(ResError::kBadHeader, at, "data entry above the language level");
        if (auto err = AddData(target, here)) return err;
      }
    }
    return std::nullopt;
  }

  std::vector<ResourceEntry> Take() { return std::move(entries_); }

 private:
  ParseError Fail(ResError code, std::size_t treeOffset, const char* what) const {
    return ParseError{code, base_ + treeOffset, what};
  }

  std::optional<ParseError> ReadKey(std::uint32_t field, int level, std::size_t at,
                                    NameOrOrdinal& key) const {
    if (!(field & kHighBit)) {
      if (field > 0xFFFF) return Fail(ResError::kBadName, at, "id above 0xFFFF");
      key = NameOrOrdinal(static_cast<WORD>(field));
      return std::nullopt;
    }
    if (level == kLanguageLevel) return Fail(ResError::kBadName, at, "named language");
    std::size_t offset = field & ~kHighBit;
    if (offset % 2 != 0) return Fail(ResError::kBadName, at, "name at an odd offset");
    ByteCursor n(tree_, offset);
    std::size_t length = n.U16();
    std::u16string text = n.CountedString(length);
    if (!n.ok()) return Fail(ResError::kBadName, at, "name outside the tree");
    key = NameOrOrdinal(std::u16string_view(text));
    return std::nullopt;
  }

  std::optional<ParseError> AddData(std::size_t offset, const NameOrOrdinal* path) {
    ByteCursor d(tree_, offset);
    std::uint32_t rva = d.U32();
    std::uint32_t size = d.U32();
    d.Skip(kDataEntrySize - 8);  // CodePage, Reserved
    if (!d.ok()) return Fail(ResError::kOutOfRange, offset, "data entry outside the tree");
    auto bytes = MapRva(file_, sections_, rva, size);
    if (!bytes) return Fail(ResError::kOutOfRange, offset, "data RVA outside every section");
    entries_.push_back({path[kTypeLevel], path[kNameLevel], path[kLanguageLevel].ordinal(), *bytes});
    return std::nullopt;
  }

  std::span<const std::byte> file_;
  const std::vector<Section>& sections_;
  std::span<const std::byte> tree_;
  std::size_t base_;
  std::unordered_set<std::size_t> visited_;
  std::vector<ResourceEntry> entries_;
};

}  // namespace

// ---- 1. headers ----------------------------------------------------------------

Expected<ResourceSource> ParsePeResources(std::span<const std::byte> file, PeInfo* info) {
  ByteCursor c(file);
  if (c.U16() != kDosMagic || !c.ok()) return ParseError{ResError::kBadSignature, 0, "no MZ"};
  c.Seek(0x3C);
  std::uint32_t peOffset = c.U32();
  if (!c.ok()) return ParseError{ResError::kTruncated, 0x3C, "DOS header"};
  c.Seek(peOffset);
  std::uint32_t signature = c.U32();
  if (!c.ok()) return ParseError{ResError::kOutOfRange, 0x3C, "PE header offset"};
  if (signature != kPeSignature) return ParseError{ResError::kBadSignature, peOffset, "no PE signature"};

  PeInfo facts;
  facts.machine = c.U16();
  std::size_t sectionCount = c.U16();
  c.Skip(12);  // TimeDateStamp, PointerToSymbolTable, NumberOfSymbols
  std::size_t optionalSize = c.U16();
  c.U16();     // Characteristics
  std::size_t optionalStart = c.offset();
  std::span<const std::byte> optional = c.Bytes(optionalSize);
  if (!c.ok()) return ParseError{ResError::kTruncated, peOffset, "COFF or optional header"};

  ByteCursor o(optional);
  std::uint16_t magic = o.U16();
  if (!o.ok()) return ParseError{ResError::kBadHeader, optionalStart, "optional header too small"};
  if (magic != kPe32Magic && magic != kPe32PlusMagic)
    return ParseError{ResError::kBadSignature, optionalStart, "optional header magic"};
  facts.pe32Plus = magic == kPe32PlusMagic;
  // NumberOfRvaAndSizes and the data directories sit after the fields whose
  // width differs between the two forms.
  std::size_t countAt = facts.pe32Plus ? 108 : 92;
  o.Seek(countAt);
  std::uint32_t directoryCount = o.U32();
  if (!o.ok()) return ParseError{ResError::kBadHeader, optionalStart, "optional header too small"};
  std::uint32_t resourceRva = 0, resourceSize = 0;
  if (directoryCount > kResourceDirectoryIndex) {
    o.Skip(kResourceDirectoryIndex * 8);
    resourceRva = o.U32();
    resourceSize = o.U32();
    if (!o.ok()) return ParseError{ResError::kBadHeader, optionalStart, "data directories"};
  }

  std::vector<Section> sections;
  c.Seek(optionalStart + optionalSize);
  if (sectionCount > c.remaining() / kSectionHeaderSize)
    return ParseError{ResError::kTruncated, c.offset(), "section table"};
  for (std::size_t i = 0; i < sectionCount; ++i) {
    c.Skip(8);  // Name
    std::uint32_t virtualSize = c.U32();
    std::uint32_t virtualAddress = c.U32();
    std::uint32_t rawSize = c.U32();
    std::uint32_t rawOffset = c.U32();
    c.Skip(16);  // relocation and line-number fields, Characteristics
    // Bytes past VirtualSize are file alignment padding, not section content;
    // a zero VirtualSize (some linkers) means the raw size holds.
    std::uint32_t mapped = virtualSize == 0 ? rawSize : std::min(virtualSize, rawSize);
    sections.push_back({virtualAddress, mapped, rawOffset});
  }
  if (!c.ok()) return ParseError{ResError::kTruncated, c.offset(), "section table"};
  if (resourceRva == 0 || resourceSize == 0) {
    if (info) *info = facts;
    return ResourceSource();
  }

  auto tree = MapRva(file, sections, resourceRva, resourceSize);
  if (!tree) return ParseError{ResError::kOutOfRange, optionalStart, "resource directory RVA"};
  std::size_t treeOffset = static_cast<std::size_t>(tree->data() - file.data());
  DirectoryWalker walker(file, sections, *tree, treeOffset);
  if (auto err = walker.Walk(0, kTypeLevel, nullptr)) return *err;
  if (info) *info = facts;
  return ResourceSource(walker.Take());
}

}  // namespace res
