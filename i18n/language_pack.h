// Language packs: the resource-only libraries "msr_l<code>.dll" beside the
// program that hold every text the user sees, the language image and the
// menu bar. This file owns the choice and loading of the one pack in use,
// UI strings by identifier, pack bitmaps, the list of installed packs for the
// language dialog, and the persisted language setting ("locale").
//
// Everything here belongs to the user-interface thread; the string buffer and
// the pack bitmap are single shared instances.
//
// Where the packs are: the program's own module (res::MainModule()) is named
// by its handheld path, for example "\Program Files\Mensora\mensora.exe";
// the packs are looked for in that folder, which the handheld path mapping
// (InitLanguagePacks) leads to the program's directory on the host.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "base/wintypes.h"

// ---- Languages --------------------------------------------------------------

inline constexpr DWORD kLanguageCount = 2;

// The known languages in index order; index 0 ("us") is the fallback.
inline constexpr char16_t LanguageCodes[kLanguageCount][3] = {u"us", u"de"};

// The current language: an index into LanguageCodes. 0xFFFFFFFF and values of
// kLanguageCount or more are taken as 0 by LoadLanguagePack.
extern DWORD languageIndex;

// The pack file name of a language: "msr_l" + code + ".dll".
std::u16string PackFileName(DWORD index);

// ---- Platform services not yet offered by the platform ----------------------
//
// The message box, process exit, beep, bitmap objects, the main window and the
// framework's resource source are reached through these hooks until the
// platform and the framework provide them. An empty member uses its default.
struct LanguagePackHooks {
  // MessageBoxW(nullptr, text, nullptr, MB_OK). Default: one line on stderr.
  std::function<void(std::u16string_view text)> showFatalMessage;
  // Ends the process with the code. Default: std::exit. When a hook returns,
  // the caller returns its failure instead.
  std::function<void(DWORD exitCode)> exitProcess;
  // The default beep (MessageBeep). Default: nothing.
  std::function<void()> beep;
  // LoadBitmapW(pack, id) and DeleteObject. Default: no bitmap (nullptr) and
  // nothing to release, until the drawing room has bitmap objects.
  std::function<HBITMAP(HINSTANCE pack, UINT id)> loadBitmap;
  std::function<void(HBITMAP bitmap)> deleteBitmap;
  // The window told about every successful pack load (WM_USER, wParam 15).
  // Default: none.
  std::function<HWND()> mainWindow;
  // Makes `module` the framework's source of resources. Default: nothing
  // beyond ResourceModule() answering it.
  std::function<void(HINSTANCE module)> setResourceModule;
};

// Replaces all hooks at once (members left empty take their defaults).
void SetLanguagePackHooks(LanguagePackHooks hooks);

// The message of a successful pack load, sent to the main window.
inline constexpr UINT kPackLoadedMessage = 0x0400;  // WM_USER
inline constexpr WPARAM kPackLoadedCode = 15;

// ---- Start-up ---------------------------------------------------------------

// Makes module loads take handheld paths: res::SetPathMapper with
// sys::MapPath. Call once at start-up, before the first pack load, after the
// device folders are set (sys::SetDeviceFolders). Never fails.
void InitLanguagePacks();

// ---- The pack in use --------------------------------------------------------

// Loads the pack of `languageIndex` from the program's folder, releasing the
// previous pack first. When it cannot be loaded, `languageIndex` becomes 0 and
// the "us" pack is tried once (even when "us" was the one that failed). On
// success sends the main window WM_USER with wParam 15 and returns true.
// When no pack loads, or the program's own path has no folder part, shows
// "LangPack dll loading error" and ends the process with 0xFFFFFFFF; returns
// false only when the exit hook returns. The registry is not touched.
bool LoadLanguagePack();

// The loaded pack, or nullptr while none is loaded.
HINSTANCE LanguagePack();

// Releases the pack and the pack bitmap. For tests and orderly shutdown;
// the program itself keeps its pack to the end.
void UnloadLanguagePack();

// ---- UI strings -------------------------------------------------------------

// The size of the shared string buffer in characters (8192 bytes), and the
// longest string it returns.
inline constexpr std::size_t kUiStringBufferChars = 4096;
inline constexpr std::size_t kUiStringMaxChars = 4094;

// String `id` of the pack, in the one shared buffer: zeroed, then filled with
// at most kUiStringMaxChars characters and a terminator. The next call
// overwrites it, so use or copy the text at once. A missing string, or no
// pack, gives the empty string. Never null.
const char16_t* LoadUiString(UINT id);

// ---- Pack bitmaps and resources ---------------------------------------------

// Releases the previously loaded pack bitmap, then loads bitmap `id` from the
// pack and keeps it as the pack bitmap. Returns it, or nullptr when the pack
// lacks it or no pack is loaded.
HBITMAP LoadPackBitmap(UINT id);

// With true, the framework takes resources (such as menu 135) from the pack;
// with false, from the program's own module again.
void UsePackResources(bool usePack);

// The module the framework currently takes resources from: the pack after
// UsePackResources(true), else the program's own (nullptr).
HINSTANCE ResourceModule();

// ---- Installed packs --------------------------------------------------------

// Room for a display name, with its terminator.
inline constexpr std::size_t kDisplayNameChars = 78;

// Tells whether `fileName` (a name in the program's folder, or a full
// handheld path) is a usable pack. Its code is the two characters after
// "msr_l" in the name; it must equal a LanguageCodes entry (case matters).
// The file must load as data and hold string 33004; a file without it is
// refused with a beep. On success stores the language index and the display
// name (string 33005, at most 77 characters; the code when the pack has none)
// and returns true; on failure leaves both as they were.
bool ProbeLanguagePack(std::u16string_view fileName, DWORD& index, std::u16string& displayName);

// Fills a drop-down list (combo box) with the installed packs, in directory
// order: each item is a display name carrying its language index as item
// data; the item of `languageIndex` is selected. Empties the list first.
// Returns false when `comboBox` is not a window, the program has no folder,
// or no file matches "msr_l??.dll" (the list is then empty).
bool FillLanguageList(HWND comboBox);

// ---- The language setting ---------------------------------------------------

// Sets `languageIndex` from the REG_DWORD "locale" of the configuration key
// (creating the key when missing); 0 when the value is missing, is not a
// 4-byte REG_DWORD, or the registry fails.
void ReadLanguageSetting();

// Stores `languageIndex` as the REG_DWORD "locale". Returns whether it was
// stored; a failure is otherwise ignored.
bool WriteLanguageSetting();
