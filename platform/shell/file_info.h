// Shell information about a file or folder: its icon in the system
// small-icon image list, its display name and type name.
#pragma once

#include "sys/find_file.h"
#include "win/controls/image_list.h"

inline constexpr UINT SHGFI_LARGEICON = 0x000000000;
inline constexpr UINT SHGFI_SMALLICON = 0x000000001;
inline constexpr UINT SHGFI_OPENICON = 0x000000002;
inline constexpr UINT SHGFI_SHELLICONSIZE = 0x000000004;
inline constexpr UINT SHGFI_PIDL = 0x000000008;
inline constexpr UINT SHGFI_USEFILEATTRIBUTES = 0x000000010;
inline constexpr UINT SHGFI_ICON = 0x000000100;
inline constexpr UINT SHGFI_DISPLAYNAME = 0x000000200;
inline constexpr UINT SHGFI_TYPENAME = 0x000000400;
inline constexpr UINT SHGFI_ATTRIBUTES = 0x000000800;
inline constexpr UINT SHGFI_SYSICONINDEX = 0x000004000;

// dwAttributes bit for folders (SHGFI_ATTRIBUTES).
inline constexpr DWORD SFGAO_FOLDER = 0x20000000;

struct SHFILEINFO {
  HICON hIcon = nullptr;  // shared with the system list; never destroyed by the caller
  int iIcon = 0;          // index in the system small-icon image list
  DWORD dwAttributes = 0;
  WCHAR szDisplayName[MAX_PATH] = {};
  WCHAR szTypeName[80] = {};
};

// What the shell knows of the handheld path `path`:
// - SHGFI_ICON or SHGFI_SYSICONINDEX (with SHGFI_SMALLICON): iIcon is the
//   picture of a folder, a bitmap file (.bmp, .2bp) or any other file, and
//   the result is the system small-icon image list; with SHGFI_ICON hIcon is
//   that picture's shared handle.
// - SHGFI_DISPLAYNAME: the last part of the path ("\" for the root).
// - SHGFI_TYPENAME: "Folder", "Bitmap Image" or "File".
// - SHGFI_ATTRIBUTES: SFGAO_FOLDER for a folder, else 0.
// Without an icon flag the result is TRUE on success.
// The kind is taken from `attributes` (FILE_ATTRIBUTE_DIRECTORY) with
// SHGFI_USEFILEATTRIBUTES, else from the file system; a path that does not
// exist is answered by its name as a file. Errors return 0 with the last
// error set: a null or empty path or a null/short `info` when fields are
// asked for (ERROR_INVALID_PARAMETER); a large-icon request, as only small
// icons exist (ERROR_NOT_SUPPORTED); a path the mapping refuses (its error,
// see sys::MapPath).
DWORD_PTR SHGetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFO* info, UINT infoSize, UINT flags);
