// The program's own resources (app/mensora.rc, embedded in the binary) as
// the module named by the program's handheld path, and the platform
// services the language packs reach through their hooks.
#pragma once

#include <string_view>

#include "base/wintypes.h"

// Where the program lies on the handheld; the language packs are looked for
// in the same folder.
inline constexpr std::u16string_view kProgramPath = u"\\Program Files\\Mensora\\mensora.exe";

// Registers the embedded resources once per process under kProgramPath and
// makes them the main module. Returns the module; nullptr only when the
// embedded blob is damaged (ERROR_BAD_FORMAT).
HINSTANCE RegisterProgramModule();

// Connects the language packs to the platform: the message box for the fatal
// message, process exit, the beep, pack bitmaps, the application's main
// window, and the framework's resource source. Also makes module loads take
// handheld paths. Call after the device folders are set. Never fails.
void ConnectLanguagePacks();
