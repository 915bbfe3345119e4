// Directory enumeration with the platform's FindFirstFileW/FindNextFileW/
// FindClose over handheld paths (see device_files.h).
#pragma once

#include "base/wintypes.h"
#include "sys/device_files.h"

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;

struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;
};

// The handheld's layout: no alternate short name, an object id instead.
struct WIN32_FIND_DATAW {
  DWORD dwFileAttributes = 0;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh = 0;
  DWORD nFileSizeLow = 0;
  DWORD dwOID = 0;
  WCHAR cFileName[MAX_PATH] = {};
};

// Starts listing the entries of a folder whose names match the last part of
// `pattern` ("\windows\*.bmp"; "*" any run, "?" one character, no regard to
// ASCII case; "*.*" matches every name). "." and ".." are never listed, nor
// names too long for cFileName. Fills `data` with the first match and returns
// a search handle; INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when
// nothing matches, ERROR_PATH_NOT_FOUND when the folder does not exist, or
// the mapping's errors (device_files.h).
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data);

// The next match; FALSE with ERROR_NO_MORE_FILES at the end, or
// ERROR_INVALID_HANDLE for a handle that is not an open search.
BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* data);

// Ends a search; FALSE with ERROR_INVALID_HANDLE for an unknown handle.
BOOL FindClose(HANDLE search);

namespace sys {
// Whether `name` matches a find pattern (exposed for tests and the file
// dialog's filters).
bool MatchesFindPattern(std::u16string_view pattern, std::u16string_view name);
}  // namespace sys
