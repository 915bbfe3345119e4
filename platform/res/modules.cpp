// The module table and the platform's module and string calls.
#include "res/modules.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "base/utf.h"
#include "res/pe_file.h"
#include "res/res_file.h"
#include "res/resources.h"
#include "res/string_table.h"

namespace res {
namespace {

// Language packs are a few hundred kilobytes; anything far larger is not one.
constexpr std::uintmax_t kMaxModuleFileSize = 64u << 20;

struct Module {
  std::vector<std::byte> owned;  // file contents of a loaded library; empty if embedded
  ResourceSource source;
  std::u16string fileName;
};

struct Table {
  std::mutex mutex;
  std::map<std::uintptr_t, std::unique_ptr<Module>> modules;
  std::uintptr_t nextKey = 1;
  std::uintptr_t mainKey = 0;
  PathMapper mapper;
};

Table& GetTable() {
  static Table table;
  return table;
}

thread_local std::optional<ParseError> t_lastParseError;

// Handles are spaced 64 KiB apart and never reused, so a freed handle stays
// invalid and can never look like a MAKEINTRESOURCE value.
HINSTANCE ToHandle(std::uintptr_t key) { return reinterpret_cast<HINSTANCE>(key << 16); }
std::uintptr_t ToKey(HINSTANCE h) { return reinterpret_cast<std::uintptr_t>(h) >> 16; }

HINSTANCE Insert(std::unique_ptr<Module> module) {
  Table& t = GetTable();
  std::lock_guard lock(t.mutex);
  std::uintptr_t key = t.nextKey++;
  t.modules.emplace(key, std::move(module));
  return ToHandle(key);
}

// Caller holds the lock. Null stands for the main module.
Module* LookupLocked(HINSTANCE h) {
  Table& t = GetTable();
  std::uintptr_t key = h == nullptr ? t.mainKey : ToKey(h);
  if (h != nullptr && reinterpret_cast<std::uintptr_t>(h) != key << 16) return nullptr;
  auto it = t.modules.find(key);
  return it == t.modules.end() ? nullptr : it->second.get();
}

Module* Lookup(HINSTANCE h) {
  std::lock_guard lock(GetTable().mutex);
  Module* m = LookupLocked(h);
  if (m == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return m;
}

std::optional<std::vector<std::byte>> ReadHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uintmax_t>(size) > kMaxModuleFileSize) return std::nullopt;
  std::vector<std::byte> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
  return bytes;
}

}  // namespace

void SetPathMapper(PathMapper mapper) {
  Table& t = GetTable();
  std::lock_guard lock(t.mutex);
  t.mapper = std::move(mapper);
}

HINSTANCE RegisterEmbeddedModule(std::span<const std::byte> resBlob, std::u16string_view fileName) {
  auto parsed = ParseResFile(resBlob);
  if (!parsed) {
    SetLastError(ERROR_BAD_FORMAT);
    return nullptr;
  }
  auto module = std::make_unique<Module>();
  module->source = std::move(*parsed);
  module->fileName = fileName;
  HINSTANCE h = Insert(std::move(module));
  Table& t = GetTable();
  std::lock_guard lock(t.mutex);
  if (t.mainKey == 0) t.mainKey = ToKey(h);
  return h;
}

void SetMainModule(HINSTANCE module) {
  Table& t = GetTable();
  std::lock_guard lock(t.mutex);
  if (module != nullptr && LookupLocked(module) != nullptr) t.mainKey = ToKey(module);
}

HINSTANCE MainModule() {
  Table& t = GetTable();
  std::lock_guard lock(t.mutex);
  return t.mainKey == 0 ? nullptr : ToHandle(t.mainKey);
}

const ResourceSource* ModuleResources(HINSTANCE module) {
  Module* m = Lookup(module);
  return m ? &m->source : nullptr;
}

std::optional<std::u16string> ModuleFileName(HINSTANCE module) {
  Module* m = Lookup(module);
  if (!m) return std::nullopt;
  return m->fileName;
}

std::optional<std::span<const std::byte>> FindModuleResource(HINSTANCE module,
                                                             const NameOrOrdinal& type,
                                                             const NameOrOrdinal& name) {
  const ResourceSource* source = ModuleResources(module);
  if (!source) return std::nullopt;
  auto data = source->Find(type, name);
  if (!data) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return data;
}

std::optional<MenuTemplate> LoadMenuTemplate(HINSTANCE module, const NameOrOrdinal& name) {
  auto data = FindModuleResource(module, NameOrOrdinal(kRtMenu), name);
  if (!data) return std::nullopt;
  auto menu = ParseMenuTemplate(*data);
  if (!menu) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return std::nullopt;
  }
  return std::move(*menu);
}

std::optional<DialogTemplate> LoadDialogTemplate(HINSTANCE module, const NameOrOrdinal& name) {
  auto data = FindModuleResource(module, NameOrOrdinal(kRtDialog), name);
  if (!data) return std::nullopt;
  auto dialog = ParseDialogTemplate(*data);
  if (!dialog) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return std::nullopt;
  }
  return std::move(*dialog);
}

std::optional<std::span<const std::byte>> LoadBitmapBits(HINSTANCE module, const NameOrOrdinal& name) {
  return FindModuleResource(module, NameOrOrdinal(kRtBitmap), name);
}

std::optional<ParseError> LastLoadParseError() { return t_lastParseError; }

}  // namespace res

HMODULE LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE hFile, DWORD dwFlags) {
  using namespace res;
  t_lastParseError.reset();
  if (lpLibFileName == nullptr || hFile != nullptr || !(dwFlags & LOAD_LIBRARY_AS_DATAFILE)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::u16string_view path(lpLibFileName);
  PathMapper mapper;
  {
    std::lock_guard lock(GetTable().mutex);
    mapper = GetTable().mapper;
  }
  std::optional<std::string> hostPath = mapper ? mapper(path) : std::optional(base::ToUtf8(path));
  if (!hostPath) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
  }
  auto bytes = ReadHostFile(*hostPath);
  if (!bytes) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  auto module = std::make_unique<Module>();
  module->owned = std::move(*bytes);
  auto parsed = ParsePeResources(module->owned);
  if (!parsed) {
    t_lastParseError = parsed.error();
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  module->source = std::move(*parsed);
  module->fileName = path;
  return Insert(std::move(module));
}

BOOL FreeLibrary(HMODULE hLibModule) {
  using namespace res;
  Table& t = GetTable();
  std::unique_ptr<Module> doomed;  // destroyed outside the lock
  {
    std::lock_guard lock(t.mutex);
    if (hLibModule == nullptr || LookupLocked(hLibModule) == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    auto it = t.modules.find(ToKey(hLibModule));
    doomed = std::move(it->second);
    t.modules.erase(it);
    if (t.mainKey == ToKey(hLibModule)) t.mainKey = 0;
  }
  return TRUE;
}

int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
  using namespace res;
  if (lpBuffer == nullptr || cchBufferMax < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto fail = [&](LONG error) {
    if (cchBufferMax > 0) lpBuffer[0] = 0;
    SetLastError(static_cast<DWORD>(error));
    return 0;
  };
  const ResourceSource* source = ModuleResources(hInstance);
  if (!source) return fail(ERROR_INVALID_HANDLE);
  auto units = FindStringUnits(*source, uID);
  if (!units) return fail(ERROR_RESOURCE_NAME_NOT_FOUND);
  std::size_t length = units->size() / 2;

  if (cchBufferMax == 0) {
    // The caller's buffer is really a pointer to receive the string's address.
    const void* text = units->data();
    if (reinterpret_cast<std::uintptr_t>(text) % alignof(char16_t) != 0) {
      SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
      return 0;
    }
    LPCWSTR pointer = static_cast<LPCWSTR>(text);
    std::memcpy(lpBuffer, &pointer, sizeof pointer);
    return static_cast<int>(length);
  }
  std::size_t copied = std::min(length, static_cast<std::size_t>(cchBufferMax) - 1);
  std::u16string text = UnitsToString(units->first(copied * 2));
  std::copy(text.begin(), text.end(), lpBuffer);
  lpBuffer[copied] = 0;
  return static_cast<int>(copied);
}

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
  if (!lpFilename || nSize == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto name = res::ModuleFileName(hModule);
  if (!name) return 0;  // ModuleFileName set ERROR_INVALID_HANDLE
  std::size_t copied = std::min<std::size_t>(name->size(), nSize - 1);
  std::copy_n(name->data(), copied, lpFilename);
  lpFilename[copied] = u'\0';
  if (copied < name->size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  return DWORD(copied);
}
