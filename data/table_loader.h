// The loader object: owns the conversion database and fills it from the
// built-in table or from a table file, line by line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "conversion_database.h"
#include "display_settings.h"
#include "table_format.h"

// Reads a table text line by line. Only lines that end with a line feed are
// lines: text after the last line feed is never returned.
class TableReader {
 public:
  explicit TableReader(std::u16string_view text = {}) : text_(text) {}

  // Copies the next line, without its line feed, into `line` and returns 0;
  // returns -1, leaving the position and `line` as they are, when no line
  // feed follows the read position.
  int ReadTableLine(std::u16string& line);

  void Rewind() { position_ = 0; }

 private:
  std::u16string_view text_;
  size_t position_ = 0;
};

class ConversionLoader {
 public:
  // The database starts empty. `settings` receives what directives set.
  explicit ConversionLoader(ProcessSettings& settings = TheSettings(), LoaderHooks hooks = {});
  ~ConversionLoader();  // empties the database
  ConversionLoader(const ConversionLoader&) = delete;
  ConversionLoader& operator=(const ConversionLoader&) = delete;

  ConversionDatabase& database() { return db_; }
  const ConversionDatabase& database() const { return db_; }

  // Makes sure the expanded built-in table text exists (built once, kept
  // until ReleaseTableText) and rewinds its read position. When memory for it
  // runs out, calls the out-of-memory hook and ends the process with code 0.
  void BuildDefaultTableText();

  // The next line of the built-in table text; see TableReader.
  int ReadTableLine(std::u16string& line);

  // Applies every line of the built-in table to the database, without
  // emptying it first, under the busy cursor. The path names the table the
  // caller has in mind; it is not opened. Always returns 0.
  int LoadConversionTable(std::u16string_view path);

  // Applies every line of `text` (already expanded; no superscript
  // replacement) to the database. Cannot fail.
  void LoadTableText(std::u16string_view text);

  // Reads a table file (UTF-8 with or without BOM, UTF-16 LE or BE with
  // BOM; at most 64 MiB) and applies its lines like the built-in table.
  // Returns an error message (UTF-8, naming the file) when the file cannot be
  // read or decoded; the database is then unchanged.
  std::optional<std::string> LoadTableFile(const std::filesystem::path& file);

  // Frees the built-in table text; the next load builds it again.
  void ReleaseTableText();

 private:
  void ApplyAll(TableReader& reader);

  ConversionDatabase db_;
  ProcessSettings& settings_;
  LoaderHooks hooks_;
  std::optional<std::u16string> tableText_;
  TableReader reader_;
};

// Reads a table file's text without applying it; same errors as LoadTableFile.
std::optional<std::string> ReadTableFile(const std::filesystem::path& file, std::u16string& text);
