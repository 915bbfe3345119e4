// The handheld's file system: handheld paths ("\windows\mensora.dat",
// backslashes, rooted at "\", case-insensitive) mapped into the device folder
// on the host, and the program's own directory reachable under a fixed
// handheld folder. All file functions of the platform go through MapPath.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/wintypes.h"

inline constexpr DWORD MAX_PATH = 260;
inline constexpr LONG ERROR_FILENAME_EXCED_RANGE = 206;

// Where the program itself appears on the handheld.
inline constexpr std::u16string_view kProgramFolder = u"\\Program Files\\Mensora";

namespace sys {

// Sets where the device folder and the program's directory lie on the host.
// The device folder is created when missing. Returns an error message when
// it cannot be created.
std::optional<std::string> SetDeviceFolders(const std::filesystem::path& deviceRoot,
                                            const std::filesystem::path& programDir);

// The device folder by default: $MENSORA_ROOT, else $XDG_DATA_HOME/mensora/
// device, else ~/.local/share/mensora/device.
std::filesystem::path DefaultDeviceRoot();

const std::filesystem::path& DeviceRoot();
const std::filesystem::path& ProgramDir();

// Maps a handheld path to a host path. "\" and "/" both separate; "." parts
// are dropped and ".." parts go up (never above "\"); each existing part is
// matched without regard to ASCII case; paths under kProgramFolder map into
// the program's directory. After links are resolved the result must lie in
// the device folder or the program's directory. Errors (with the last error
// set): nullopt for a path above the root or outside both folders
// (ERROR_ACCESS_DENIED), a part with a character the handheld forbids or
// a control character (ERROR_INVALID_NAME), or a path of MAX_PATH
// characters or more (ERROR_FILENAME_EXCED_RANGE).
std::optional<std::filesystem::path> MapPath(std::u16string_view handheldPath);

// The handheld path of a host path inside the program's directory or the
// device folder (the inverse of MapPath), or nullopt.
std::optional<std::u16string> HandheldPathOf(const std::filesystem::path& hostPath);

// Copies every file under `seedDir` into the device folder at the same
// relative place, creating folders, and never overwriting a file that is
// already there (the user's own). Returns the number of files copied;
// files that cannot be copied are skipped with a line on stderr.
int SeedDeviceFolder(const std::filesystem::path& seedDir);

}  // namespace sys
