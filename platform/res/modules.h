// The module table: the program's own resources (an embedded .res blob) and
// resource-only libraries loaded as data, each behind an opaque HINSTANCE,
// with the platform's calls over them (LoadLibraryExW, FreeLibrary,
// LoadStringW) and typed lookups for menus, dialogs and bitmaps.
//
// Spans and templates handed out point into a module's bytes and stay valid
// until that module is freed. The table is guarded for use from any thread;
// the product uses it from its single user-interface thread.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/wintypes.h"
#include "res/dialog_template.h"
#include "res/menu_template.h"
#include "res/parse_error.h"
#include "res/resource_source.h"

namespace res {

// Turns a path as the product names it into a host file path (UTF-8), or
// nullopt when it cannot be mapped (LoadLibraryExW then fails with
// ERROR_PATH_NOT_FOUND). The default takes the path as a host path as it is.
using PathMapper = std::function<std::optional<std::string>(std::u16string_view path)>;
// Installs `mapper` for later loads; an empty function restores the default.
void SetPathMapper(PathMapper mapper);

// Registers an embedded .res blob (which must outlive the module; it is not
// copied) as a module named `fileName`. Returns its handle, or nullptr with
// ERROR_BAD_FORMAT when the blob is not a valid .res. The first module
// registered becomes the main module unless SetMainModule says otherwise.
HINSTANCE RegisterEmbeddedModule(std::span<const std::byte> resBlob, std::u16string_view fileName);

// The module that a null HINSTANCE stands for (the program's own); settable
// so that a test or the program picks it. Setting an unknown handle is ignored.
void SetMainModule(HINSTANCE module);
HINSTANCE MainModule();

// The resources of a module (null = the main module), or nullptr with
// ERROR_INVALID_HANDLE when the handle is unknown or freed.
const ResourceSource* ModuleResources(HINSTANCE module);

// The name the module was loaded or registered under; nullopt for an
// unknown handle.
std::optional<std::u16string> ModuleFileName(HINSTANCE module);

// Raw data of resource (type, name) in a module. nullopt with
// ERROR_INVALID_HANDLE (unknown module) or ERROR_RESOURCE_NAME_NOT_FOUND.
std::optional<std::span<const std::byte>> FindModuleResource(HINSTANCE module,
                                                             const NameOrOrdinal& type,
                                                             const NameOrOrdinal& name);

// A parsed RT_MENU / RT_DIALOG resource. nullopt with the errors of
// FindModuleResource, or ERROR_RESOURCE_DATA_NOT_FOUND when the resource is
// there but malformed.
std::optional<MenuTemplate> LoadMenuTemplate(HINSTANCE module, const NameOrOrdinal& name);
std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE module, const NameOrOrdinal& name);

// The DIB of an RT_BITMAP resource (BITMAPINFOHEADER, colours, bits; there is
// no BITMAPFILEHEADER), undecoded. Errors as FindModuleResource.
std::optional<std::span<const std::byte>> LoadBitmapBits(HINSTANCE module, const NameOrOrdinal& name);

// Why the last LoadLibraryExW on this thread refused the file's contents,
// when it did (ERROR_BAD_EXE_FORMAT); nullopt otherwise.
std::optional<ParseError> LastLoadParseError();

}  // namespace res

// Loads a PE file of any machine type as a resource-only data module. Only
// the data-file form exists: dwFlags must include LOAD_LIBRARY_AS_DATAFILE and
// hFile must be null, else ERROR_INVALID_PARAMETER. The path goes through the
// path mapper. Errors: ERROR_INVALID_PARAMETER (null path, flags),
// ERROR_PATH_NOT_FOUND (unmappable path), ERROR_FILE_NOT_FOUND (no readable
// file), ERROR_BAD_EXE_FORMAT (not a PE image, or its resources are
// malformed: see res::LastLoadParseError). Every call gives a new handle.
HMODULE LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE hFile, DWORD dwFlags);

// Releases a module loaded by LoadLibraryExW or registered as embedded.
// FALSE with ERROR_INVALID_HANDLE for an unknown or already freed handle.
BOOL FreeLibrary(HMODULE hLibModule);

// Copies string uID of the module (null = the main module) into lpBuffer,
// truncated to cchBufferMax - 1 units and always terminated; returns the
// units copied. With cchBufferMax == 0, lpBuffer receives a read-only pointer
// to the string itself (not terminated) and the string's length is returned.
// 0 on failure, with lpBuffer[0] = 0 when there is room: ERROR_INVALID_PARAMETER
// (null buffer, negative size), ERROR_INVALID_HANDLE (unknown module),
// ERROR_RESOURCE_NAME_NOT_FOUND (no such or empty string),
// ERROR_RESOURCE_DATA_NOT_FOUND (a pointer was asked for but the string's
// bytes are not aligned for one).
int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

// The handheld path of a module (null = the program), as it was loaded or
// registered, copied with its terminator and truncated to `size` characters.
// Returns the characters copied without the terminator; when the name does
// not fit, returns `size` with ERROR_INSUFFICIENT_BUFFER and the buffer
// holds as much as fits, terminated. 0 with ERROR_INVALID_HANDLE for an
// unknown module, ERROR_INVALID_PARAMETER for a null buffer or size 0.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
