// The soft input panel: a keyboard drawn at the bottom of the work area,
// just above the menu bar strip, that types into the focus window as the
// hardware keys would (WM_KEYDOWN, WM_CHAR, WM_KEYUP). Programs show and
// hide it with SipShowIM and read or write its state with SHSipInfo.
#pragma once

#include <string>
#include <vector>

#include "win/winuser.h"

// Panel state flags (SIPINFO::fdwFlags).
inline constexpr DWORD SIPF_OFF = 0x00000000;
inline constexpr DWORD SIPF_ON = 0x00000001;
inline constexpr DWORD SIPF_DOCKED = 0x00000002;
inline constexpr DWORD SIPF_LOCKED = 0x00000004;

// SHSipInfo actions.
inline constexpr UINT SPI_SETSIPINFO = 224;
inline constexpr UINT SPI_GETSIPINFO = 225;

struct SIPINFO {
  DWORD cbSize = 0;
  DWORD fdwFlags = 0;
  RECT rcVisibleDesktop;  // the work area the panel leaves uncovered
  RECT rcSipRect;         // where the panel is (or would be), screen
  DWORD dwImDataSize = 0;
  void* pvImData = nullptr;
};

inline constexpr const char16_t* kSoftKeyboardClass = u"SipPanel";

// SIPF_ON shows the panel, SIPF_OFF hides it. FALSE for any other value.
BOOL SipShowIM(DWORD flags);

// SPI_GETSIPINFO fills *info (SIPINFO*); SPI_SETSIPINFO takes its
// fdwFlags: SIPF_ON shows the panel, its absence hides it, SIPF_LOCKED is
// kept. The panel is always docked, so SIPF_DOCKED always reads back set.
// FALSE with ERROR_INVALID_PARAMETER for another action, a null pointer or
// a cbSize other than sizeof(SIPINFO); `uiParam` and `winIni` are ignored.
BOOL SHSipInfo(UINT action, UINT uiParam, void* info, UINT winIni);

namespace shell {

// One key of the panel, in the panel's client coordinates.
struct SoftKey {
  std::u16string label;  // what the key shows
  UINT virtualKey = 0;
  char16_t character = 0;  // typed by the key (lower case; Shift raises letters)
  RECT rect;
};

// The panel's keys, row by row; `shifted` says whether Shift is down.
const std::vector<SoftKey>& SoftKeys();
bool SoftKeyboardShifted();

// The panel window, created when first shown; nullptr before.
HWND SoftKeyboard();

// Where the panel sits on the screen.
RECT SoftKeyboardRect();

// The key being held by the pen, or -1 (for painting).
int SoftKeyboardHeldKey();

// Registers the panel's class; does nothing when it is registered.
void RegisterSoftKeyboardClass();

// Forgets the panel's state (for tests that reset the window system).
void ResetSoftKeyboard();

}  // namespace shell
