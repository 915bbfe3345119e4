// Directory enumeration over handheld paths; see find_file.h.
#include "sys/find_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "base/ascii_case.h"
#include "base/utf.h"

namespace {

struct Search {
  std::vector<WIN32_FIND_DATAW> matches;
  size_t next = 0;
};

struct Searches {
  std::map<std::uintptr_t, std::unique_ptr<Search>> open;
  std::uintptr_t nextKey = 0x5000;
};

Searches& TheSearches() {
  static Searches searches;
  return searches;
}

// Seconds since 1970 to 100-ns intervals since 1601.
FILETIME ToFileTime(struct timespec t) {
  std::uint64_t v = (std::uint64_t(t.tv_sec) + 11644473600ull) * 10000000ull +
                    std::uint64_t(t.tv_nsec) / 100;
  return {DWORD(v & 0xFFFFFFFF), DWORD(v >> 32)};
}

std::optional<WIN32_FIND_DATAW> Describe(const std::filesystem::path& path,
                                         const std::u16string& name) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;  // a dangling link
  WIN32_FIND_DATAW data;
  if (S_ISDIR(st.st_mode)) {
    data.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;  // exactly, as the handheld reports
  } else {
    data.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    if (::access(path.c_str(), W_OK) != 0) data.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    auto size = std::uint64_t(st.st_size);
    data.nFileSizeHigh = DWORD(size >> 32);
    data.nFileSizeLow = DWORD(size & 0xFFFFFFFF);
  }
  if (!name.empty() && name.front() == u'.') data.dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
  data.ftCreationTime = ToFileTime(st.st_ctim);
  data.ftLastAccessTime = ToFileTime(st.st_atim);
  data.ftLastWriteTime = ToFileTime(st.st_mtim);
  data.dwOID = DWORD(st.st_ino);
  std::copy(name.begin(), name.end(), data.cFileName);
  data.cFileName[name.size()] = u'\0';
  return data;
}

}  // namespace

namespace sys {

bool MatchesFindPattern(std::u16string_view pattern, std::u16string_view name) {
  if (pattern == u"*.*") return true;
  // Iterative wildcard match with one backtrack point: linear in practice.
  size_t p = 0, n = 0, starP = std::u16string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == u'?' || base::FoldAscii(pattern[p]) == base::FoldAscii(name[n]))) {
      ++p, ++n;
    } else if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::u16string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace sys

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
  if (!pattern || !data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::u16string_view full(pattern);
  size_t cut = full.find_last_of(u"\\/");
  std::u16string_view folder = cut == std::u16string_view::npos ? u"\\" : full.substr(0, cut + 1);
  std::u16string_view namePattern = cut == std::u16string_view::npos ? full : full.substr(cut + 1);
  if (namePattern.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  auto dir = sys::MapPath(folder);
  if (!dir) return INVALID_HANDLE_VALUE;
  std::error_code ec;
  if (!std::filesystem::is_directory(*dir, ec)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }

  auto search = std::make_unique<Search>();
  for (const auto& entry : std::filesystem::directory_iterator(*dir, ec)) {
    auto name = base::FromUtf8(entry.path().filename().string());
    if (!name || name->size() >= MAX_PATH) continue;  // not representable here
    if (!sys::MatchesFindPattern(namePattern, *name)) continue;
    if (auto found = Describe(entry.path(), *name)) search->matches.push_back(*found);
  }
  // The host lists in no fixed order; the handheld's listing is stable.
  std::sort(search->matches.begin(), search->matches.end(),
            [](const WIN32_FIND_DATAW& a, const WIN32_FIND_DATAW& b) {
              return std::u16string_view(a.cFileName) < std::u16string_view(b.cFileName);
            });
  if (search->matches.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  *data = search->matches[0];
  search->next = 1;
  Searches& all = TheSearches();
  auto key = all.nextKey++;
  all.open.emplace(key, std::move(search));
  return reinterpret_cast<HANDLE>(key);
}

BOOL FindNextFileW(HANDLE handle, WIN32_FIND_DATAW* data) {
  auto& open = TheSearches().open;
  auto it = open.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == open.end() || !data) {
    SetLastError(it == open.end() ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Search& s = *it->second;
  if (s.next >= s.matches.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  *data = s.matches[s.next++];
  return TRUE;
}

BOOL FindClose(HANDLE handle) {
  if (TheSearches().open.erase(reinterpret_cast<std::uintptr_t>(handle)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
