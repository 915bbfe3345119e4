// The registry's platform calls: argument checks, key handles, path parsing
// and transaction scopes, over the SQLite store of registry_store.h.
//
// All state is process-wide and guarded by one recursive mutex, which a
// RegistryTransaction holds for its lifetime.
#include "sys/registry.h"

#include <pthread.h>
#include <unistd.h>

#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry_store.h"

namespace sys::detail {
std::recursive_mutex& RegistryMutex() {
  static std::recursive_mutex mutex;
  return mutex;
}
}  // namespace sys::detail

namespace {

using sys::registry::KeyId;
using sys::registry::kRootKey;
using sys::registry::Name;
using sys::registry::Store;

struct RegistryState {
  std::filesystem::path path;
  std::unique_ptr<Store> store;
  // Open key handles: the handle's value is the map's key. Values start high
  // and step by 4 so that they never look like small integers or null, and are
  // not reused while the process lives.
  std::unordered_map<std::uintptr_t, KeyId> handles;
  std::uintptr_t nextHandle = 0x1000;
  // The open group of writes (0: none), numbered so that a scope can tell its
  // own group from a later one, and the error that failed it (ERROR_SUCCESS
  // while it is healthy).
  std::uint64_t openGroup = 0;
  std::uint64_t lastGroup = 0;
  LONG groupError = ERROR_SUCCESS;
};

RegistryState& State() {
  static RegistryState state;
  return state;
}

using Guard = std::lock_guard<std::recursive_mutex>;

// Runs just before fork(): closes the connection, so that the child inherits
// none of SQLite's in-process state (open files, lock bookkeeping, the shared
// WAL index), which SQLite does not support using across fork. Both
// processes reopen the store on their next call. Skipped while a group is
// open (closing would lose it) or another thread is inside a registry call.
void CloseConnectionBeforeFork() {
  std::unique_lock<std::recursive_mutex> lock(sys::detail::RegistryMutex(), std::try_to_lock);
  if (!lock) return;
  RegistryState& s = State();
  if (s.store && !s.openGroup && s.store->Owner() == ::getpid()) s.store.reset();
}

// Drops a connection that was inherited through fork() all the same: it
// belongs to the parent, and closing it here could remove the parent's WAL.
void ForgetInheritedStore(RegistryState& s) {
  if (s.store && s.store->Owner() != ::getpid()) {
    s.store->Abandon();
    s.store.reset();
    if (s.openGroup && s.groupError == ERROR_SUCCESS) s.groupError = ERROR_CANTWRITE;
  }
}

void CloseStore(RegistryState& s) {
  ForgetInheritedStore(s);
  if (s.store) s.store->Rollback();
  s.store.reset();
  s.handles.clear();
  if (s.openGroup && s.groupError == ERROR_SUCCESS) s.groupError = ERROR_CANTWRITE;
}

// The open store, opening it from the configured path when needed.
Store* GetStore(RegistryState& s, LONG* error) {
  ForgetInheritedStore(s);
  if (!s.store) {
    if (s.path.empty()) {
      *error = ERROR_CANTOPEN;
      return nullptr;
    }
    *error = Store::Open(s.path, &s.store);
    if (*error != ERROR_SUCCESS) return nullptr;
    static std::once_flag registered;
    std::call_once(registered, [] { ::pthread_atfork(CloseConnectionBeforeFork, nullptr, nullptr); });
  }
  return s.store.get();
}

// Before a write: inside a group, refuse once the group has failed, so that a
// write is never stored on its own when the caller meant it to be atomic with
// others.
LONG CheckGroup(RegistryState& s, Store& store) {
  if (!s.openGroup) return ERROR_SUCCESS;
  if (s.groupError == ERROR_SUCCESS && !store.InTransaction()) s.groupError = ERROR_CANTWRITE;
  return s.groupError;
}

// After a write inside a group: a failure that ended the group fails it.
LONG NoteWrite(RegistryState& s, Store& store, LONG result) {
  if (s.openGroup && s.groupError == ERROR_SUCCESS && !store.InTransaction())
    s.groupError = result != ERROR_SUCCESS ? result : ERROR_CANTWRITE;
  return result;
}

LONG Resolve(RegistryState& s, HKEY key, KeyId* id) {
  if (key == HKEY_CURRENT_USER) {
    *id = kRootKey;
    return ERROR_SUCCESS;
  }
  auto found = s.handles.find(reinterpret_cast<std::uintptr_t>(key));
  if (found == s.handles.end()) return ERROR_INVALID_HANDLE;
  *id = found->second;
  return ERROR_SUCCESS;
}

HKEY NewHandle(RegistryState& s, KeyId id) {
  std::uintptr_t value = s.nextHandle;
  s.nextHandle += 4;
  s.handles.emplace(value, id);
  return reinterpret_cast<HKEY>(value);
}

// Splits "A\B\C" into its components. Null or empty means no components; a
// single trailing backslash is tolerated; a leading backslash, an empty
// component or one longer than kRegMaxKeyNameChars is malformed.
LONG ParsePath(LPCWSTR subKey, std::vector<Name>* out) {
  if (!subKey || !*subKey) return ERROR_SUCCESS;
  std::u16string_view path(subKey);
  if (path.front() == u'\\') return ERROR_INVALID_PARAMETER;
  if (path.back() == u'\\') path.remove_suffix(1);
  while (true) {
    std::size_t cut = path.find(u'\\');
    std::u16string_view part = path.substr(0, cut);
    if (part.empty() || part.size() > kRegMaxKeyNameChars) return ERROR_INVALID_PARAMETER;
    out->emplace_back(part);
    if (cut == std::u16string_view::npos) return ERROR_SUCCESS;
    path.remove_prefix(cut + 1);
  }
}

LONG ParseValueName(LPCWSTR valueName, std::u16string_view* out) {
  *out = valueName ? std::u16string_view(valueName) : std::u16string_view();
  return out->size() > kRegMaxValueNameChars ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
}

enum class Access { kRead, kWrite };

// The common start of every call on a key: lock the registry, resolve the
// handle, open the store and, for writes, check that the current group can
// take them. Then runs `op(state, store, key)` and returns its result, or
// the first failure.
template <class Op>
LONG WithKey(HKEY hKey, Access access, Op op) {
  Guard guard(sys::detail::RegistryMutex());
  RegistryState& s = State();
  KeyId key = kRootKey;
  LONG result = Resolve(s, hKey, &key);
  if (result != ERROR_SUCCESS) return result;
  Store* store = GetStore(s, &result);
  if (!store) return result;
  if (access == Access::kWrite && (result = CheckGroup(s, *store)) != ERROR_SUCCESS) return result;
  return op(s, *store, key);
}

}  // namespace

// --- Keys ------------------------------------------------------------------------

LONG RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD /*Reserved*/, LPCWSTR /*lpClass*/,
                     DWORD dwOptions, REGSAM /*samDesired*/,
                     LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, PHKEY phkResult,
                     LPDWORD lpdwDisposition) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  if (dwOptions != REG_OPTION_NON_VOLATILE) return ERROR_INVALID_PARAMETER;
  std::vector<Name> path;
  LONG result = ParsePath(lpSubKey, &path);
  if (result != ERROR_SUCCESS) return result;

  return WithKey(hKey, Access::kWrite, [&](RegistryState& s, Store& store, KeyId parent) {
    KeyId id = kRootKey;
    bool created = false;
    LONG written = NoteWrite(s, store, store.CreateKey(parent, path, &id, &created));
    if (written != ERROR_SUCCESS) return written;
    *phkResult = NewHandle(s, id);
    if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
  });
}

LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD /*ulOptions*/, REGSAM /*samDesired*/,
                   PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  std::vector<Name> path;
  LONG result = ParsePath(lpSubKey, &path);
  if (result != ERROR_SUCCESS) return result;

  return WithKey(hKey, Access::kRead, [&](RegistryState& s, Store& store, KeyId parent) {
    KeyId id = kRootKey;
    LONG found = store.FindKey(parent, path, &id);
    if (found != ERROR_SUCCESS) return found;
    *phkResult = NewHandle(s, id);
    return ERROR_SUCCESS;
  });
}

LONG RegCloseKey(HKEY hKey) {
  if (hKey == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  Guard guard(sys::detail::RegistryMutex());
  return State().handles.erase(reinterpret_cast<std::uintptr_t>(hKey)) ? ERROR_SUCCESS
                                                                         : ERROR_INVALID_HANDLE;
}

LONG RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
  std::vector<Name> path;
  LONG result = ParsePath(lpSubKey, &path);
  if (result != ERROR_SUCCESS) return result;
  if (path.empty()) return ERROR_INVALID_PARAMETER;

  return WithKey(hKey, Access::kWrite, [&](RegistryState& s, Store& store, KeyId parent) {
    return NoteWrite(s, store, store.DeleteKey(parent, path));
  });
}

// --- Values ----------------------------------------------------------------------

LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD /*Reserved*/, DWORD dwType,
                    const BYTE* lpData, DWORD cbData) {
  if ((!lpData && cbData != 0) || cbData > kRegMaxValueBytes) return ERROR_INVALID_PARAMETER;
  // Every reader of a REG_DWORD takes exactly 4 bytes; refuse anything else
  // rather than store a value no reader can take.
  if (dwType == REG_DWORD && cbData != sizeof(DWORD)) return ERROR_INVALID_PARAMETER;
  std::u16string_view valueName;
  LONG result = ParseValueName(lpValueName, &valueName);
  if (result != ERROR_SUCCESS) return result;

  return WithKey(hKey, Access::kWrite, [&](RegistryState& s, Store& store, KeyId key) {
    return NoteWrite(s, store, store.SetValue(key, Name(valueName), dwType, std::span(lpData, cbData)));
  });
}

LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD /*lpReserved*/, LPDWORD lpType,
                      LPBYTE lpData, LPDWORD lpcbData) {
  if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
  std::u16string_view valueName;
  LONG result = ParseValueName(lpValueName, &valueName);
  if (result != ERROR_SUCCESS) return result;

  sys::registry::Value value;
  result = WithKey(hKey, Access::kRead, [&](RegistryState&, Store& store, KeyId key) {
    return store.GetValue(key, Name(valueName), &value);
  });
  if (result != ERROR_SUCCESS) return result;

  auto size = static_cast<DWORD>(value.data.size());
  if (lpType) *lpType = value.type;
  if (!lpData) {
    if (lpcbData) *lpcbData = size;
    return ERROR_SUCCESS;
  }
  DWORD capacity = *lpcbData;
  *lpcbData = size;
  if (capacity < size) return ERROR_MORE_DATA;
  if (size) std::memcpy(lpData, value.data.data(), size);
  // A string stored without its terminating zero gets one when there is room,
  // so that a caller treating the buffer as a string stops inside it.
  bool isString = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
  bool terminated = size >= 2 && value.data[size - 1] == 0 && value.data[size - 2] == 0;
  if (isString && size % 2 == 0 && !terminated && capacity - size >= 2) {
    lpData[size] = 0;
    lpData[size + 1] = 0;
  }
  return ERROR_SUCCESS;
}

LONG RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
  std::u16string_view valueName;
  LONG result = ParseValueName(lpValueName, &valueName);
  if (result != ERROR_SUCCESS) return result;

  return WithKey(hKey, Access::kWrite, [&](RegistryState& s, Store& store, KeyId key) {
    return NoteWrite(s, store, store.DeleteValue(key, Name(valueName)));
  });
}

// --- The store -------------------------------------------------------------------

LONG RegistryUseStore(const std::filesystem::path& file) {
  Guard guard(sys::detail::RegistryMutex());
  RegistryState& s = State();
  CloseStore(s);
  s.path = file;
  LONG result = ERROR_SUCCESS;
  GetStore(s, &result);
  return result;
}

void RegistryCloseStore() {
  Guard guard(sys::detail::RegistryMutex());
  RegistryState& s = State();
  CloseStore(s);
  s.path.clear();
}

// --- Transactions ----------------------------------------------------------------

RegistryTransaction::RegistryTransaction() : lock_(sys::detail::RegistryMutex()) {
  RegistryState& s = State();
  outermost_ = !s.openGroup;
  if (!outermost_) {
    group_ = s.openGroup;
    return;
  }
  group_ = s.openGroup = ++s.lastGroup;
  LONG result = ERROR_SUCCESS;
  Store* store = GetStore(s, &result);
  if (store) result = store->Begin();
  s.groupError = result;
}

RegistryTransaction::~RegistryTransaction() {
  RegistryState& s = State();
  if (finished_ || group_ != s.openGroup) return;
  // Abandoning any scope of the open group, inner or outer, ends the group now.
  ForgetInheritedStore(s);
  if (s.store) s.store->Rollback();
  if (outermost_)
    s.openGroup = 0;
  else if (s.groupError == ERROR_SUCCESS)
    s.groupError = ERROR_CANTWRITE;
}

LONG RegistryTransaction::Commit() {
  RegistryState& s = State();
  if (finished_ || group_ != s.openGroup) return ERROR_INVALID_PARAMETER;
  finished_ = true;
  ForgetInheritedStore(s);
  if (!outermost_) return result_ = s.groupError;
  s.openGroup = 0;
  if (s.groupError != ERROR_SUCCESS || !s.store) {
    if (s.store) s.store->Rollback();
    return result_ = s.groupError != ERROR_SUCCESS ? s.groupError : ERROR_CANTWRITE;
  }
  return result_ = s.store->Commit();
}

LONG RegistryTransaction::Status() const {
  const RegistryState& s = State();
  return !finished_ && group_ == s.openGroup ? s.groupError : result_;
}
