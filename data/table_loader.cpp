// The loader object and table file reading; see table_loader.h.
#include "table_loader.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>

#include "base/utf.h"
#include "default_table.h"

int TableReader::ReadTableLine(std::u16string& line) {
  size_t feed = text_.find(u'\n', position_);
  if (feed == std::u16string_view::npos) return -1;
  line.assign(text_.substr(position_, feed - position_));
  position_ = feed + 1;
  return 0;
}

ConversionLoader::ConversionLoader(ProcessSettings& settings, LoaderHooks hooks)
    : settings_(settings), hooks_(std::move(hooks)) {}

ConversionLoader::~ConversionLoader() { EmptyDatabase(db_); }

void ConversionLoader::BuildDefaultTableText() {
  if (!tableText_) {
    try {
      tableText_ = ExpandSuperscripts(DefaultTableText);
    } catch (const std::bad_alloc&) {
      if (hooks_.tableOutOfMemory) hooks_.tableOutOfMemory();
      std::exit(0);
    }
    reader_ = TableReader(*tableText_);
  }
  reader_.Rewind();
}

int ConversionLoader::ReadTableLine(std::u16string& line) { return reader_.ReadTableLine(line); }

void ConversionLoader::ApplyAll(TableReader& reader) {
  std::u16string line;
  while (reader.ReadTableLine(line) == 0) ApplyTableLine(db_, settings_, hooks_, line);
}

int ConversionLoader::LoadConversionTable(std::u16string_view /*path*/) {
  if (hooks_.beginBusy) hooks_.beginBusy();
  BuildDefaultTableText();
  ApplyAll(reader_);
  if (hooks_.endBusy) hooks_.endBusy();
  return 0;
}

void ConversionLoader::LoadTableText(std::u16string_view text) {
  TableReader reader(text);
  ApplyAll(reader);
}

std::optional<std::string> ConversionLoader::LoadTableFile(const std::filesystem::path& file) {
  std::u16string text;
  if (auto error = ReadTableFile(file, text)) return error;
  if (hooks_.beginBusy) hooks_.beginBusy();
  LoadTableText(text);
  if (hooks_.endBusy) hooks_.endBusy();
  return std::nullopt;
}

void ConversionLoader::ReleaseTableText() {
  tableText_.reset();
  reader_ = TableReader();
}

std::optional<std::string> ReadTableFile(const std::filesystem::path& file, std::u16string& text) {
  constexpr std::uintmax_t kMaxBytes = 64u << 20;
  const std::string name = file.string();
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) return name + ": is a directory";
  std::ifstream in(file, std::ios::binary);
  if (!in) return name + ": cannot open: " + std::strerror(errno);
  std::string bytes;
  char chunk[65536];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes.append(chunk, static_cast<size_t>(in.gcount()));
    if (bytes.size() > kMaxBytes) return name + ": larger than 64 MiB, not a table file";
  }
  if (in.bad()) return name + ": read error";
  auto decoded = base::DecodeTextFile(bytes);
  if (!decoded) return name + ": not valid UTF-8 or UTF-16 text";
  text = std::move(*decoded);
  return std::nullopt;
}
