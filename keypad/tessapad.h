// The keypad library's one entry point, bound by the program at load time.
#pragma once

#include <string>

#include "base/wintypes.h"

#if defined(TESSAPAD_BUILDING)
#define TESSAPAD_EXPORT __attribute__((visibility("default")))
#else
#define TESSAPAD_EXPORT
#endif

// Shows the keypad dialog modally over the active window, on a background of
// `backgroundColor` (0x00BBGGRR), allowing `decimals` decimal places.
// Returns 1 with `value` holding the typed number when the user confirms;
// returns 0 and leaves `value` untouched when the user cancels or anything
// inside fails (the library catches every error at this boundary).
extern "C" TESSAPAD_EXPORT int TSP_InputNumber(std::u16string& value,
                                               COLORREF backgroundColor, int decimals);
