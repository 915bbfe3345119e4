// Filters and folder listings of the open-file dialog; see file_listing.h.
#include "shell/file_listing.h"

#include <algorithm>

#include "sys/find_file.h"
#include "win/controls/sort_order.h"

namespace shell {
namespace {

std::u16string Trim(std::u16string_view text) {
  size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  size_t last = text.find_last_not_of(u' ');
  return std::u16string(text.substr(first, last - first + 1));
}

std::vector<std::u16string> SplitPatterns(std::u16string_view text) {
  std::vector<std::u16string> patterns;
  for (size_t start = 0; start <= text.size();) {
    size_t end = std::min(text.find(u';', start), text.size());
    std::u16string one = Trim(text.substr(start, end - start));
    if (!one.empty()) patterns.push_back(std::move(one));
    start = end + 1;
  }
  if (patterns.empty()) patterns.push_back(u"*.*");
  return patterns;
}

}  // namespace

std::vector<FileFilter> ParseFileFilter(LPCWSTR filter) {
  std::vector<FileFilter> filters;
  if (!filter) return filters;
  for (const char16_t* p = filter; *p;) {
    std::u16string_view text(p);
    const char16_t* patterns = p + text.size() + 1;
    if (!*patterns) break;  // a text without its pattern
    std::u16string_view pattern(patterns);
    filters.push_back({std::u16string(text), SplitPatterns(pattern)});
    p = patterns + pattern.size() + 1;
  }
  return filters;
}

std::vector<FolderEntry> ListFolder(std::u16string_view folder, const std::vector<std::u16string>& patterns) {
  std::vector<FolderEntry> folders, files;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(JoinPath(folder, u"*.*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return {};
  do {
    std::u16string name = data.cFileName;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      folders.push_back({std::move(name), true});
    } else if (std::any_of(patterns.begin(), patterns.end(),
                           [&](const std::u16string& p) { return sys::MatchesFindPattern(p, name); })) {
      files.push_back({std::move(name), false});
    }
  } while (FindNextFileW(search, &data));
  FindClose(search);

  auto byName = [](const FolderEntry& a, const FolderEntry& b) { return win::CompareForSort(a.name, b.name) < 0; };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  folders.insert(folders.end(), files.begin(), files.end());
  return folders;
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  if (!name.empty() && name.front() == u'\\') return std::u16string(name);
  std::u16string path(folder);
  if (path.empty() || path.back() != u'\\') path += u'\\';
  return path += name;
}

std::u16string NormalizePath(std::u16string_view path) {
  std::vector<std::u16string_view> parts;
  for (size_t start = 0; start <= path.size();) {
    size_t end = std::min(path.find(u'\\', start), path.size());
    std::u16string_view part = path.substr(start, end - start);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::u16string out;
  for (std::u16string_view part : parts) (out += u'\\') += part;
  return out.empty() ? u"\\" : out;
}

std::u16string ParentFolder(std::u16string_view folder) {
  while (folder.size() > 1 && folder.back() == u'\\') folder.remove_suffix(1);
  size_t cut = folder.rfind(u'\\');
  if (cut == std::u16string_view::npos || cut == 0) return u"\\";
  return std::u16string(folder.substr(0, cut));
}

}  // namespace shell
