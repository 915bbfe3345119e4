// Loading the language pack, UI strings, pack bitmaps, the list of installed
// packs and the language setting.
//
// Sections: state and hooks; paths; the pack in use; strings, bitmaps and
// resources; installed packs; the setting.
#include "i18n/language_pack.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>

#include "base/utf.h"
#include "data/settings_store.h"
#include "i18n/resource_ids.h"
#include "win/controls/combobox.h"
#include "res/modules.h"
#include "res/resources.h"
#include "sys/device_files.h"
#include "sys/find_file.h"
#include "sys/registry.h"
#include "win/winuser.h"

DWORD languageIndex = 0;

namespace {

// ---- State and hooks ---------------------------------------------------------

// The file name pattern of a pack; the code stands where "%2s" is.
constexpr std::u16string_view kPackPattern = u"msr_l%2s.dll";
constexpr std::size_t kCodePosition = kPackPattern.find(u'%');  // 5
// The same pattern with "??" for the code, for listing the folder.
constexpr std::u16string_view kPackFindPattern = u"msr_l??.dll";

constexpr char16_t kNoPackMessage[] = u"LangPack dll loading error";
constexpr DWORD kNoPackExitCode = 0xFFFFFFFF;

// Room for the marker string: its presence is all that counts.
constexpr int kMarkerChars = 8;

HINSTANCE g_pack = nullptr;
HINSTANCE g_programModule = nullptr;  // captured by each pack load
HINSTANCE g_resourceModule = nullptr;
HBITMAP g_packBitmap = nullptr;
// 8192 bytes, shared by every LoadUiString call.
char16_t g_uiString[kUiStringBufferChars] = {};
LanguagePackHooks g_hooks;

void ShowFatalMessage(std::u16string_view text) {
  if (g_hooks.showFatalMessage) return g_hooks.showFatalMessage(text);
  std::fprintf(stderr, "mensora: %s\n", base::ToUtf8(text).c_str());
}

void EndProcess(DWORD code) {
  if (g_hooks.exitProcess) return g_hooks.exitProcess(code);
  std::exit(static_cast<int>(code));  // Linux keeps the low 8 bits: 255
}

void SoundBeep() {
  if (g_hooks.beep) g_hooks.beep();
}

HBITMAP LoadBitmapFromPack(HINSTANCE pack, UINT id) {
  return g_hooks.loadBitmap ? g_hooks.loadBitmap(pack, id) : nullptr;
}

void ReleaseBitmap(HBITMAP bitmap) {
  if (bitmap && g_hooks.deleteBitmap) g_hooks.deleteBitmap(bitmap);
}

void NotifyMainWindow() {
  HWND window = g_hooks.mainWindow ? g_hooks.mainWindow() : nullptr;
  if (window) SendMessageW(window, kPackLoadedMessage, kPackLoadedCode, 0);
}

// ---- Paths --------------------------------------------------------------------

// The handheld folder of the program file (its path cut at the last "\"), or
// nullopt when the program has no name or the name has no folder part.
std::optional<std::u16string> ProgramFolder() {
  std::optional<std::u16string> path = res::ModuleFileName(g_programModule);
  if (!path) return std::nullopt;
  std::size_t slash = path->rfind(u'\\');
  if (slash == std::u16string::npos) return std::nullopt;
  path->resize(slash);
  return path;
}

HMODULE LoadAsData(const std::u16string& path) {
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

}  // namespace

std::u16string PackFileName(DWORD index) {
  std::u16string name(kPackPattern.substr(0, kCodePosition));
  name += LanguageCodes[index < kLanguageCount ? index : 0];
  name += kPackPattern.substr(kCodePosition + 3);  // after "%2s"
  return name;
}

void SetLanguagePackHooks(LanguagePackHooks hooks) { g_hooks = std::move(hooks); }

void InitLanguagePacks() {
  res::SetPathMapper([](std::u16string_view path) -> std::optional<std::string> {
    std::optional<std::filesystem::path> host = sys::MapPath(path);
    if (!host) return std::nullopt;
    return host->string();
  });
}

// ---- The pack in use -------------------------------------------------------------

bool LoadLanguagePack() {
  if (languageIndex == 0xFFFFFFFF) languageIndex = 0;
  g_programModule = res::MainModule();
  bool fallbackLeft = true;
  for (;;) {
    // Without a folder no pack can be found; that is the same as none loading
    // rather than a program running without any text.
    std::optional<std::u16string> folder = ProgramFolder();
    if (!folder) break;
    if (languageIndex >= kLanguageCount) languageIndex = 0;
    const std::u16string path = *folder + u'\\' + PackFileName(languageIndex);

    if (g_pack) {
      // Resources never come from a released pack.
      if (g_resourceModule == g_pack) UsePackResources(false);
      FreeLibrary(g_pack);
      g_pack = nullptr;
    }
    g_pack = LoadAsData(path);
    if (g_pack) {
      NotifyMainWindow();
      return true;
    }
    languageIndex = 0;
    if (!fallbackLeft) break;
    fallbackLeft = false;
  }
  ShowFatalMessage(kNoPackMessage);
  EndProcess(kNoPackExitCode);
  return false;
}

HINSTANCE LanguagePack() { return g_pack; }

void UnloadLanguagePack() {
  ReleaseBitmap(g_packBitmap);
  g_packBitmap = nullptr;
  if (g_resourceModule) UsePackResources(false);
  if (g_pack) FreeLibrary(g_pack);
  g_pack = nullptr;
}

// ---- Strings, bitmaps and resources ----------------------------------------------

const char16_t* LoadUiString(UINT id) {
  std::fill(std::begin(g_uiString), std::end(g_uiString), u'\0');
  if (g_pack)
    LoadStringW(g_pack, id, g_uiString, static_cast<int>(kUiStringMaxChars + 1));
  return g_uiString;
}

HBITMAP LoadPackBitmap(UINT id) {
  ReleaseBitmap(g_packBitmap);
  g_packBitmap = g_pack ? LoadBitmapFromPack(g_pack, id) : nullptr;
  return g_packBitmap;
}

void UsePackResources(bool usePack) {
  g_resourceModule = usePack ? g_pack : nullptr;
  if (g_hooks.setResourceModule) g_hooks.setResourceModule(g_resourceModule);
}

HINSTANCE ResourceModule() { return g_resourceModule; }

// ---- Installed packs ---------------------------------------------------------------

bool ProbeLanguagePack(std::u16string_view fileName, DWORD& index, std::u16string& displayName) {
  // The code comes from the name itself, whatever folder it lies in.
  const std::size_t slash = fileName.rfind(u'\\');
  const std::u16string_view name =
      slash == std::u16string_view::npos ? fileName : fileName.substr(slash + 1);
  if (name.size() < kCodePosition + 2) return false;
  const std::u16string_view code = name.substr(kCodePosition, 2);

  std::u16string path;
  if (slash == std::u16string_view::npos) {
    std::optional<std::u16string> folder = ProgramFolder();
    if (!folder) return false;
    path = *folder + u'\\' + std::u16string(name);
  } else {
    path = std::u16string(fileName);
  }
  HMODULE library = LoadAsData(path);
  if (!library) return false;

  char16_t marker[kMarkerChars] = {};
  if (LoadStringW(library, IDS_PACK_MARKER, marker, kMarkerChars) == 0) {
    SoundBeep();
    FreeLibrary(library);
    return false;
  }
  DWORD match = kLanguageCount;
  for (DWORD i = 0; i < kLanguageCount && match == kLanguageCount; ++i)
    if (code == std::u16string_view(LanguageCodes[i], 2)) match = i;
  if (match == kLanguageCount) {
    FreeLibrary(library);
    return false;
  }

  index = match;
  char16_t buffer[kDisplayNameChars] = {};
  if (LoadStringW(library, IDS_PACK_NAME, buffer, static_cast<int>(kDisplayNameChars)) > 0)
    displayName = buffer;
  else
    displayName = code;
  FreeLibrary(library);
  return true;
}

bool FillLanguageList(HWND comboBox) {
  if (!IsWindow(comboBox)) return false;
  // FillLanguageList may run before any pack load captured the program.
  if (!g_programModule) g_programModule = res::MainModule();
  std::optional<std::u16string> folder = ProgramFolder();
  if (!folder) return false;
  SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);

  const std::u16string pattern = *folder + u'\\' + std::u16string(kPackFindPattern);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    DWORD index = 0;
    std::u16string displayName;
    if (!ProbeLanguagePack(found.cFileName, index, displayName)) continue;
    LRESULT item =
        SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(displayName.c_str()));
    if (item == CB_ERR || item < 0) continue;
    SendMessageW(comboBox, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(index));
    if (index == languageIndex) SendMessageW(comboBox, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return true;
}

// ---- The setting --------------------------------------------------------------------

void ReadLanguageSetting() {
  languageIndex = 0;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kConfigKeyPath.data(), 0, u"", 0, 0, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  DWORD value = 0, type = REG_NONE, size = sizeof value;
  // Only a 4-byte REG_DWORD counts: a shorter value would fill part of the
  // index, a longer or different one is not ours.
  if (RegQueryValueExW(key, u"locale", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
          ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof value)
    languageIndex = value;
  RegCloseKey(key);
}

bool WriteLanguageSetting() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kConfigKeyPath.data(), 0, u"", 0, 0, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const DWORD value = languageIndex;
  const LONG result = RegSetValueExW(key, u"locale", 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}
