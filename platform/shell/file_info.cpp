// Shell file information; see file_info.h.
#include "shell/file_info.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "base/ascii_case.h"
#include "shell/file_icons.h"
#include "sys/find_file.h"

namespace {

inline constexpr LONG ERROR_NOT_SUPPORTED = 50;

// The last part of a handheld path; "\" for the root itself.
std::u16string_view LastPart(std::u16string_view path) {
  while (path.size() > 1 && (path.back() == u'\\' || path.back() == u'/')) path.remove_suffix(1);
  size_t cut = path.find_last_of(u"\\/");
  if (cut == std::u16string_view::npos) return path;
  return path.size() == 1 ? path : path.substr(cut + 1);
}

bool IsBitmapName(std::u16string_view name) {
  size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos) return false;
  std::u16string ext = base::FoldAscii(name.substr(dot + 1));
  return ext == u"bmp" || ext == u"2bp";
}

// Whether the path is a folder; nullopt when the mapping refuses the path.
std::optional<bool> IsFolderOnDevice(std::u16string_view path) {
  auto host = sys::MapPath(path);
  if (!host) return std::nullopt;
  std::error_code error;
  return std::filesystem::is_directory(*host, error);
}

void Copy(std::u16string_view text, WCHAR* out, size_t capacity) {
  size_t n = std::min(text.size(), capacity - 1);
  std::copy_n(text.begin(), n, out);
  out[n] = 0;
}

}  // namespace

DWORD_PTR SHGetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFO* info, UINT infoSize, UINT flags) {
  const bool wantsIcon = flags & (SHGFI_ICON | SHGFI_SYSICONINDEX);
  const bool needsInfo = flags & (SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME | SHGFI_ATTRIBUTES) ||
                         (info && (flags & SHGFI_SYSICONINDEX));
  if (!path || !*path || (needsInfo && (!info || infoSize < sizeof(SHFILEINFO)))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (wantsIcon && !(flags & SHGFI_SMALLICON)) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }

  std::u16string_view name = LastPart(path);
  bool folder = false;
  if (flags & SHGFI_USEFILEATTRIBUTES) {
    folder = attributes & FILE_ATTRIBUTE_DIRECTORY;
  } else {
    std::optional<bool> onDevice = IsFolderOnDevice(path);
    if (!onDevice) return 0;  // the mapping has set the last error
    folder = *onDevice;
  }
  const int icon = folder ? shell::kFolderIcon : IsBitmapName(name) ? shell::kBitmapIcon : shell::kDocumentIcon;

  HIMAGELIST list = shell::SystemSmallImageList();
  if (info) {
    if (wantsIcon) info->iIcon = icon;
    if (flags & SHGFI_ICON) info->hIcon = win::ImageListIcon(list, icon);
    if (flags & SHGFI_DISPLAYNAME) Copy(name, info->szDisplayName, std::size(info->szDisplayName));
    if (flags & SHGFI_TYPENAME)
      Copy(folder ? u"Folder" : icon == shell::kBitmapIcon ? u"Bitmap Image" : u"File", info->szTypeName,
           std::size(info->szTypeName));
    if (flags & SHGFI_ATTRIBUTES) info->dwAttributes = folder ? SFGAO_FOLDER : 0;
  }
  return wantsIcon ? reinterpret_cast<DWORD_PTR>(list) : TRUE;
}
