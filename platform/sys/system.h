// Small system services: the clock in whole seconds, the beep, and ending
// the process. Each has a seam so that hosts and tests can take it over.
#pragma once

#include <cstdint>
#include <functional>

#include "base/wintypes.h"

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONHAND = 0x00000010;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONASTERISK = 0x00000040;

// Plays the sound of the given type (MB_OK, MB_ICON…, 0xFFFFFFFF for the
// simple beep) through the beep handler; TRUE always, as the platform
// reports it even when no sound can be made.
BOOL MessageBeep(UINT type);

// Milliseconds since the clock's start (wraps after 49.7 days).
DWORD GetTickCount();

namespace sys {

// Seconds since 1970-01-01 UTC from the real clock, or from the clock a
// test has set.
std::int64_t NowSeconds();

// Replaces the clock (seconds since 1970); an empty function restores the
// real one. GetTickCount follows it in whole seconds while it is set.
void SetClock(std::function<std::int64_t()> clock);

// Receives every MessageBeep; without one a beep is silent.
void SetBeepHandler(std::function<void(UINT)> handler);

// Ends the process with `code`, passed to the host unchanged (Linux keeps
// its low 8 bits). The exit handler, when set, runs first and may throw to
// keep a test's process alive; otherwise the process ends with std::exit.
[[noreturn]] void ExitProcess(int code);
void SetExitHandler(std::function<void(int)> handler);

}  // namespace sys
