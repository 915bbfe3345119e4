// mensora-cli: the conversion engine on the command line.
//
//   mensora-cli [--table FILE] categories
//   mensora-cli [--table FILE] units CATEGORY
//   mensora-cli [--table FILE] convert CATEGORY FROM TO VALUE [--digits N] [--scientific] [--raw]
//   mensora-cli [--table FILE] table
//
// Exit codes: 0 success, 1 no conversion for the pair, 2 usage error or
// unknown name. Errors are one line on stderr.
#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/number_format.h"
#include "base/cnum.h"
#include "base/utf.h"
#include "cli/name_match.h"
#include "data/default_table.h"
#include "data/derivation.h"
#include "data/table_loader.h"

namespace {

constexpr int kOk = 0, kNoConversion = 1, kUsage = 2;

constexpr const char* kUsageText =
    "usage: mensora-cli [--table FILE] COMMAND\n"
    "\n"
    "commands:\n"
    "  categories                      list the categories, one a line\n"
    "  units CATEGORY                  list a category's units, one a line\n"
    "  convert CATEGORY FROM TO VALUE  convert VALUE and print it as the result field shows it\n"
    "      --digits N                  precision, 1 to 10 (default 4)\n"
    "      --scientific                scientific notation\n"
    "      --raw                       the exact double, shortest round-trip form\n"
    "  table                           print the conversion table in use (UTF-8)\n"
    "\n"
    "options:\n"
    "  --table FILE   use this table file (UTF-8, or UTF-16 with BOM) instead of the built-in one\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "\n"
    "Names match exactly, else case-insensitively on the whole name or on the\n"
    "abbreviation in parentheses (km), else by a unique prefix.\n"
    "Exit codes: 0 success, 1 no conversion for the pair, 2 usage error or unknown name.\n";

struct Options {
  std::optional<std::string> table;
  std::optional<int> digits;
  bool scientific = false;
  bool raw = false;
  std::vector<std::string> positional;
};

struct UsageError {
  std::string message;
};

int Fail(int code, const std::string& message) {
  std::cerr << "mensora-cli: " << message << "\n";
  return code;
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError{arg + " needs a value"};
      return argv[++i];
    };
    if (arg == "--table") {
      options.table = value();
    } else if (arg == "--digits") {
      std::string text = value();
      int n = 0;
      auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
      if (ec != std::errc() || ptr != text.data() + text.size() || n < 1 || n > 10)
        throw UsageError{"--digits takes a whole number from 1 to 10, not '" + text + "'"};
      options.digits = n;
    } else if (arg == "--scientific") {
      options.scientific = true;
    } else if (arg == "--raw") {
      options.raw = true;
    } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      throw UsageError{"unknown option " + arg};
    } else {
      options.positional.push_back(arg);  // "-40" is a value, not an option
    }
  }
  return options;
}

std::u16string Widen(const std::string& utf8) {
  auto text = base::FromUtf8(utf8);
  if (!text) throw UsageError{"argument is not valid UTF-8"};
  return *text;
}

std::string CandidateList(const std::vector<std::u16string>& names) {
  std::string list;
  for (const auto& n : names) list += (list.empty() ? "" : ", ") + ("'" + base::ToUtf8(n) + "'");
  return list;
}

// Resolves a typed name or throws a usage error that lists the candidates.
int Resolve(const std::vector<std::u16string>& names, const std::string& typed, const char* what) {
  NameMatch m = MatchName(names, Widen(typed));
  if (m.index >= 0) return m.index;
  bool ambiguous = m.ambiguous;
  throw UsageError{std::string(ambiguous ? "ambiguous " : "unknown ") + what + " '" + typed +
                   "'; " + (ambiguous ? "matches: " : "one of: ") + CandidateList(m.candidates)};
}

std::vector<std::u16string> CategoryNames(const ConversionDatabase& db) {
  std::vector<std::u16string> names;
  for (const auto& c : db) names.push_back(c.name);
  return names;
}

void ExpectArgs(const Options& o, size_t count, const char* usage) {
  if (o.positional.size() != count) throw UsageError{std::string("usage: mensora-cli ") + usage};
}

int Convert(ConversionDatabase& db, const Options& o) {
  ExpectArgs(o, 5, "convert CATEGORY FROM TO VALUE [--digits N] [--scientific] [--raw]");
  int position = Resolve(CategoryNames(db), o.positional[1], "category");
  Category& category = db[size_t(position)];
  const auto& from = category.units[size_t(Resolve(category.units, o.positional[2], "unit"))];
  const auto& to = category.units[size_t(Resolve(category.units, o.positional[3], "unit"))];

  std::u16string typed = Widen(o.positional[4]);
  base::DecimalRead read = base::ReadDecimal(typed);
  if (read.used == 0 || read.used != typed.size())
    throw UsageError{"'" + o.positional[4] + "' is not a decimal number"};

  DeriveUntilComplete(category);
  double result = 0;
  if (ConvertValue(db, position, from, to, read.value, result) != 0)
    return Fail(kNoConversion, "no conversion from '" + base::ToUtf8(from) + "' to '" +
                                   base::ToUtf8(to) + "' in '" + base::ToUtf8(category.name) + "'");
  if (o.raw) {
    char buf[32];
    auto end = std::to_chars(buf, buf + sizeof buf, result).ptr;
    std::cout << std::string(buf, end) << "\n";
  } else {
    std::cout << base::ToUtf8(FormatResult(result, o.digits.value_or(4), o.scientific ? 1 : 0))
              << "\n";
  }
  return kOk;
}

int Run(const Options& o) {
  if (o.positional.empty()) throw UsageError{"no command; try --help"};
  const std::string& command = o.positional[0];
  if (command != "categories" && command != "units" && command != "convert" && command != "table")
    throw UsageError{"unknown command '" + command + "'; try --help"};
  if (command != "convert" && (o.digits || o.scientific || o.raw))
    throw UsageError{"--digits, --scientific and --raw belong to convert"};

  ProcessSettings settings;
  ConversionLoader loader(settings);
  std::u16string fileText;
  if (o.table) {
    if (auto error = ReadTableFile(*o.table, fileText)) return Fail(kUsage, *error);
    loader.LoadTableText(fileText);
  } else {
    loader.LoadConversionTable(u"\\windows\\mensora.dat");
  }
  ConversionDatabase& db = loader.database();

  if (command == "table") {
    ExpectArgs(o, 1, "table");
    std::cout << base::ToUtf8(o.table ? fileText : ExpandSuperscripts(DefaultTableText));
  } else if (command == "categories") {
    ExpectArgs(o, 1, "categories");
    for (const auto& c : db) std::cout << base::ToUtf8(c.name) << "\n";
  } else if (command == "units") {
    ExpectArgs(o, 2, "units CATEGORY");
    const Category& category = db[size_t(Resolve(CategoryNames(db), o.positional[1], "category"))];
    for (const auto& u : category.units) std::cout << base::ToUtf8(u) << "\n";
  } else {
    return Convert(db, o);
  }
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--table") ++i;  // its value may be any file name
    else if (arg == "--help") return std::cout << kUsageText, kOk;
    else if (arg == "--version") return std::cout << "mensora-cli " MENSORA_VERSION "\n", kOk;
  }
  try {
    int code = Run(ParseOptions(argc, argv));
    std::cout.flush();
    return std::cout ? code : Fail(kUsage, "cannot write the output");
  } catch (const UsageError& e) {
    return Fail(kUsage, e.message);
  }
}
