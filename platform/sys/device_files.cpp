// Handheld path mapping and the device folder; see device_files.h.
#include "sys/device_files.h"

#include <cstdlib>
#include <iostream>
#include <vector>

#include "base/ascii_case.h"
#include "base/utf.h"

namespace sys {
namespace {

struct Folders {
  std::filesystem::path device;
  std::filesystem::path program;
};

Folders& TheFolders() {
  static Folders folders;
  return folders;
}

bool ForbiddenChar(char16_t c) {
  return c < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|' ||
         c == u'?' || c == u'*';
}

// Splits and normalises the parts; nullopt (with the last error) on a bad
// part or an escape above the root.
std::optional<std::vector<std::u16string>> Parts(std::u16string_view path) {
  std::vector<std::u16string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of(u"\\/", start);
    if (end == std::u16string_view::npos) end = path.size();
    std::u16string_view part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == u".") continue;
    if (part == u"..") {
      if (parts.empty()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return std::nullopt;
      }
      parts.pop_back();
      continue;
    }
    for (char16_t c : part) {
      if (ForbiddenChar(c)) {
        SetLastError(ERROR_INVALID_NAME);
        return std::nullopt;
      }
    }
    parts.emplace_back(part);
  }
  return parts;
}

// The existing entry of `dir` whose name equals `part` without regard to
// case (an exact match first), or `part` itself.
std::filesystem::path MatchEntry(const std::filesystem::path& dir, const std::u16string& part) {
  std::string utf8 = base::ToUtf8(part);
  std::error_code ec;
  if (std::filesystem::exists(dir / utf8, ec)) return dir / utf8;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    auto name = base::FromUtf8(entry.path().filename().string());
    if (name && base::EqualIgnoringAsciiCase(*name, part)) return entry.path();
  }
  return dir / utf8;
}

bool Within(const std::filesystem::path& path, const std::filesystem::path& base) {
  auto [b, p] = std::mismatch(base.begin(), base.end(), path.begin(), path.end());
  return b == base.end();
}

std::filesystem::path Canonical(const std::filesystem::path& p) {
  std::error_code ec;
  auto c = std::filesystem::weakly_canonical(p, ec);
  return ec ? p.lexically_normal() : c;
}

}  // namespace

std::filesystem::path DefaultDeviceRoot() {
  if (const char* root = std::getenv("MENSORA_ROOT"); root && *root) return root;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return std::filesystem::path(data) / "mensora" / "device";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : "/tmp") / ".local/share/mensora/device";
}

std::optional<std::string> SetDeviceFolders(const std::filesystem::path& deviceRoot,
                                            const std::filesystem::path& programDir) {
  std::error_code ec;
  std::filesystem::create_directories(deviceRoot, ec);
  if (ec) return "cannot create the device folder " + deviceRoot.string() + ": " + ec.message();
  TheFolders() = {Canonical(deviceRoot), Canonical(programDir)};
  return std::nullopt;
}

const std::filesystem::path& DeviceRoot() { return TheFolders().device; }
const std::filesystem::path& ProgramDir() { return TheFolders().program; }

std::optional<std::filesystem::path> MapPath(std::u16string_view handheldPath) {
  if (handheldPath.size() >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return std::nullopt;
  }
  auto parts = Parts(handheldPath);
  if (!parts) return std::nullopt;
  const Folders& folders = TheFolders();

  std::filesystem::path base = folders.device;
  size_t first = 0;
  auto program = Parts(kProgramFolder);
  if (parts->size() >= program->size() &&
      std::equal(program->begin(), program->end(), parts->begin(),
                 [](const auto& a, const auto& b) { return base::EqualIgnoringAsciiCase(a, b); })) {
    base = folders.program;
    first = program->size();
  }
  std::filesystem::path host = base;
  for (size_t i = first; i < parts->size(); ++i) host = MatchEntry(host, (*parts)[i]);

  // Links are followed before the check, so none leads out of the folders.
  std::filesystem::path resolved = Canonical(host);
  if (!Within(resolved, folders.device) && !Within(resolved, folders.program)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return std::nullopt;
  }
  return resolved;
}

std::optional<std::u16string> HandheldPathOf(const std::filesystem::path& hostPath) {
  const Folders& folders = TheFolders();
  std::filesystem::path p = Canonical(hostPath);
  std::u16string prefix;
  std::filesystem::path base;
  if (Within(p, folders.program)) {
    prefix = kProgramFolder;
    base = folders.program;
  } else if (Within(p, folders.device)) {
    base = folders.device;
  } else {
    return std::nullopt;
  }
  std::u16string out = prefix;
  for (const auto& part : p.lexically_relative(base)) {
    if (part == ".") continue;
    auto name = base::FromUtf8(part.string());
    if (!name) return std::nullopt;
    out += u"\\" + *name;
  }
  return out.empty() ? u"\\" : out;
}

int SeedDeviceFolder(const std::filesystem::path& seedDir) {
  int copied = 0;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(seedDir, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    auto target = DeviceRoot() / it->path().lexically_relative(seedDir);
    std::error_code e;
    if (std::filesystem::exists(target, e)) continue;  // the user's file stays
    std::filesystem::create_directories(target.parent_path(), e);
    if (!e) std::filesystem::copy_file(it->path(), target, std::filesystem::copy_options::none, e);
    if (e) {
      std::cerr << "mensora: cannot seed " << target.string() << ": " << e.message() << "\n";
      continue;
    }
    ++copied;
  }
  return copied;
}

}  // namespace sys
