// The keypad library as built: its dynamic symbol table defines exactly one
// symbol, the function TSP_InputNumber, and a program linked against it
// gets a typed number back through that symbol.
#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "keypad_fixture.h"

namespace {

struct DynamicSymbol {
  std::string name;
  unsigned type;  // STT_*
  bool defined;   // false: imported from another library
};

// The non-local symbols of a 64-bit ELF file's .dynsym, read with every
// offset and size checked; nullopt when the file is not such an ELF.
std::optional<std::vector<DynamicSymbol>> DynamicSymbols(const std::vector<char>& file) {
  auto fits = [&](std::uint64_t offset, std::uint64_t size) {
    return offset <= file.size() && size <= file.size() - offset;
  };
  Elf64_Ehdr header;
  if (!fits(0, sizeof header)) return std::nullopt;
  std::memcpy(&header, file.data(), sizeof header);
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
      header.e_shentsize != sizeof(Elf64_Shdr) ||
      !fits(header.e_shoff, std::uint64_t(header.e_shnum) * sizeof(Elf64_Shdr)))
    return std::nullopt;
  auto section = [&](unsigned index) {
    Elf64_Shdr s;
    std::memcpy(&s, file.data() + header.e_shoff + index * sizeof(Elf64_Shdr), sizeof s);
    return s;
  };
  for (unsigned i = 0; i < header.e_shnum; ++i) {
    Elf64_Shdr symbols = section(i);
    if (symbols.sh_type != SHT_DYNSYM) continue;
    if (symbols.sh_entsize != sizeof(Elf64_Sym) || symbols.sh_link >= header.e_shnum ||
        !fits(symbols.sh_offset, symbols.sh_size))
      return std::nullopt;
    Elf64_Shdr strings = section(symbols.sh_link);
    if (!fits(strings.sh_offset, strings.sh_size)) return std::nullopt;
    std::vector<DynamicSymbol> out;
    for (std::uint64_t at = 0; at + sizeof(Elf64_Sym) <= symbols.sh_size; at += sizeof(Elf64_Sym)) {
      Elf64_Sym sym;
      std::memcpy(&sym, file.data() + symbols.sh_offset + at, sizeof sym);
      if (ELF64_ST_BIND(sym.st_info) == STB_LOCAL || sym.st_name == 0) continue;
      if (sym.st_name >= strings.sh_size) return std::nullopt;
      const char* name = file.data() + strings.sh_offset + sym.st_name;
      std::size_t length = strnlen(name, strings.sh_size - sym.st_name);
      if (length == strings.sh_size - sym.st_name) return std::nullopt;  // unterminated
      out.push_back({std::string(name, length), ELF64_ST_TYPE(sym.st_info), sym.st_shndx != SHN_UNDEF});
    }
    return out;
  }
  return std::nullopt;
}

// Exports the one function and takes the framework from the process's
// platform library instead of carrying a copy of it.
TEST(KeypadLibrary, ExportsExactlyTheOneFunction) {
  std::ifstream in(TESSAPAD_FILE, std::ios::binary);
  ASSERT_TRUE(in) << TESSAPAD_FILE;
  std::vector<char> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  auto symbols = DynamicSymbols(file);
  ASSERT_TRUE(symbols);
  std::vector<DynamicSymbol> defined;
  bool importsDoModal = false;
  for (const DynamicSymbol& s : *symbols) {
    if (s.defined) defined.push_back(s);
    if (!s.defined && s.name == "_ZN7CDialog7DoModalEv") importsDoModal = true;
  }
  ASSERT_EQ(defined.size(), 1u);
  EXPECT_EQ(defined.front().name, "TSP_InputNumber");
  EXPECT_EQ(defined.front().type, unsigned(STT_FUNC));
  EXPECT_TRUE(importsDoModal);
}

TEST(KeypadLibrary, TheSymbolTableReaderRefusesWhatIsNotAnElfFile) {
  EXPECT_FALSE(DynamicSymbols({}));
  EXPECT_FALSE(DynamicSymbols(std::vector<char>(64, '\x7f')));
}

TEST_F(KeypadTest, AProgramLinkedAgainstTheLibraryGetsTheTypedNumber) {
  host::Robot robot;
  Keys(robot, u"2.5").TapControl(IDC_SIGN).TapControl(IDOK);
  std::u16string value;
  EXPECT_EQ(TSP_InputNumber(value, RGB(0xC0, 0xF0, 0xC0), 2), 1);
  EXPECT_TRUE(robot.errors().empty());
  EXPECT_EQ(value, u"-2.5");
}

}  // namespace
