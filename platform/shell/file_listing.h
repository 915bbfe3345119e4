// What the open-file dialog lists: the filters of an OPENFILENAMEW filter
// text, and the folders and matching files of one handheld folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/wintypes.h"

namespace shell {

struct FileFilter {
  std::u16string description;           // "Tables (*.dat)"
  std::vector<std::u16string> patterns;  // {"*.dat"}; ";" separates several
};

// Reads "text\0pattern\0text\0pattern\0\0" up to its empty string. A text
// without its pattern ends the list there; blank patterns are dropped, and a
// filter left without one matches everything ("*.*"). Null gives no filters.
std::vector<FileFilter> ParseFileFilter(LPCWSTR filter);

struct FolderEntry {
  std::u16string name;
  bool folder = false;
};

// The folders of `folder` (a handheld path), then its files whose names
// match one of `patterns` (sys::MatchesFindPattern), each group in the
// lists' sort order. Empty when the folder cannot be listed.
std::vector<FolderEntry> ListFolder(std::u16string_view folder, const std::vector<std::u16string>& patterns);

// `name` inside `folder`: one backslash between them. A name that starts
// with a backslash is a full path already.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);

// A rooted path with "." parts dropped, ".." parts going up (never above
// the root), repeated and trailing backslashes removed; "\" for the root.
std::u16string NormalizePath(std::u16string_view path);

// The folder above `folder`; "\" stays "\".
std::u16string ParentFolder(std::u16string_view folder);

}  // namespace shell
