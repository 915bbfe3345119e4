// The handheld's registry: HKEY_CURRENT_USER and its sub-keys, kept in one
// SQLite database file in the device folder. The functions carry the
// platform's names, parameters and result codes because the product is written
// against them; the store behind them is ours (see registry_store.h).
//
// Guarantees the product relies on:
//   - a write (set, delete, create) is durable on disk when its call returns;
//     inside a RegistryTransaction, when the outermost scope commits;
//   - a process killed at any moment leaves a readable store holding, for every
//     value, either its old or its new content;
//   - several processes may use the same store at once; a fork() made while
//     no transaction is open hands the child no SQLite state (the connection
//     is closed just before and both processes reopen it on their next call);
//     a child forked while a RegistryTransaction is open must not use the
//     registry (the scope's lock and group belong to the parent);
//   - a store that is not a usable database is moved aside when it is opened,
//     with one line on stderr, and an empty store takes its place.
//
// Key paths are backslash-separated and compared without regard to ASCII case,
// as are value names. Access rights are accepted and not checked, as on the
// handheld, where the product creates a key with access 0 and then writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>

#include "base/wintypes.h"

using REGSAM = DWORD;
using PHKEY = HKEY*;
struct SECURITY_ATTRIBUTES;  // accepted and ignored; only a pointer is passed
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

// Predefined root keys. Only HKEY_CURRENT_USER exists in this stand-in; the
// others are refused with ERROR_INVALID_HANDLE.
inline const HKEY HKEY_CLASSES_ROOT =
    reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000000u)));
inline const HKEY HKEY_CURRENT_USER =
    reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000001u)));
inline const HKEY HKEY_LOCAL_MACHINE =
    reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000002u)));
inline const HKEY HKEY_USERS =
    reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000003u)));

// Value types. Any type number can be stored; these are the ones with meaning.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

// Access rights (accepted, not enforced).
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// RegCreateKeyExW options and dispositions.
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// A handle whose key was deleted (by this or another process) since it was
// opened.
inline constexpr LONG ERROR_KEY_DELETED = 1018;

// Limits: a key name component holds at most 255 characters, a value name at
// most 16383, and a value's data at most 1 MiB.
inline constexpr std::size_t kRegMaxKeyNameChars = 255;
inline constexpr std::size_t kRegMaxValueNameChars = 16383;
inline constexpr DWORD kRegMaxValueBytes = 1u << 20;

// --- The platform calls -----------------------------------------------------
// Common errors of every call below:
//   ERROR_INVALID_HANDLE     hKey is neither HKEY_CURRENT_USER nor an open key
//                            handle (other roots, closed or made-up handles);
//   ERROR_KEY_DELETED        hKey's key was deleted since it was opened;
//   ERROR_INVALID_PARAMETER  a required pointer is null, a name is malformed
//                            (empty path component, leading backslash, too
//                            long) or a size is out of range;
//   ERROR_CANTOPEN           no store is configured, or it cannot be opened;
//   ERROR_CANTREAD / ERROR_CANTWRITE  the store failed to read or write (for
//                            example another process held it longer than the
//                            busy timeout); nothing was changed;
//   ERROR_BADDB              the store was found damaged while in use;
//   any error of the enclosing RegistryTransaction once it has failed.

// Opens the key lpSubKey below hKey, creating it and any missing parents.
// An empty or null lpSubKey opens hKey's own key again. Reserved, lpClass,
// samDesired and lpSecurityAttributes are ignored. dwOptions must be
// REG_OPTION_NON_VOLATILE (else ERROR_INVALID_PARAMETER). On success *phkResult
// is a new handle for RegCloseKey, and *lpdwDisposition (when not null) tells
// whether the key itself was created. On failure *phkResult is null.
// lpClass is const here (the handheld's header has it writable) so that a
// literal class string such as u"" can be passed; nothing is written to it.
LONG RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPCWSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                     PHKEY phkResult, LPDWORD lpdwDisposition);

// Opens the existing key lpSubKey below hKey (empty or null: hKey's key again).
// ERROR_FILE_NOT_FOUND when it does not exist. ulOptions and samDesired are
// ignored. On failure *phkResult is null.
LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                   PHKEY phkResult);

// Releases a handle from RegCreateKeyExW or RegOpenKeyExW. Closing
// HKEY_CURRENT_USER does nothing and succeeds. ERROR_INVALID_HANDLE for a
// handle that is not open.
LONG RegCloseKey(HKEY hKey);

// Stores cbData bytes from lpData as the value lpValueName (null or empty: the
// key's default value) with type dwType, replacing any earlier value of that
// name. The bytes are kept exactly: a REG_SZ string carries its terminating
// zero only if cbData counts it. ERROR_INVALID_PARAMETER when lpData is null
// while cbData is not 0, when a REG_DWORD is not exactly 4 bytes, or when
// cbData exceeds kRegMaxValueBytes.
LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                    const BYTE* lpData, DWORD cbData);

// Reads the value lpValueName (null or empty: the default value).
//   *lpType (when not null) receives the type, even when the buffer is short;
//   lpData null: *lpcbData (when not null) receives the size in bytes;
//   lpData not null: lpcbData is required and holds the buffer's size in
//     bytes; if the value is larger, ERROR_MORE_DATA with the needed size in
//     *lpcbData and the buffer untouched; otherwise the bytes are copied and
//     *lpcbData is set to their number. A REG_SZ / REG_EXPAND_SZ value stored
//     without its terminating zero gets one written after it when the buffer
//     has room (not counted in *lpcbData), so a reader never runs off the end.
// ERROR_FILE_NOT_FOUND when the value does not exist. lpReserved is ignored.
LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                      LPBYTE lpData, LPDWORD lpcbData);

// Removes the value lpValueName (null or empty: the default value).
// ERROR_FILE_NOT_FOUND when it does not exist.
LONG RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName);

// Removes the key lpSubKey below hKey with all its values and sub-keys, as the
// handheld does. Handles still open on removed keys then report
// ERROR_KEY_DELETED. ERROR_FILE_NOT_FOUND when the key does not exist;
// ERROR_INVALID_PARAMETER for an empty or null lpSubKey (a root cannot be
// removed).
LONG RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey);

// --- The store ---------------------------------------------------------------

// Points the registry at the database file `file` (created when missing; its
// folder must exist) and opens it at once, so that damage is found and the
// file moved aside now rather than at the first use. Closes the previous store
// and every open key handle, and rolls back any open transaction.
// Returns ERROR_SUCCESS, or the error of the open (ERROR_CANTOPEN,
// ERROR_ACCESS_DENIED for a read-only file, ERROR_BADDB when a damaged file
// could not be moved aside); after an error the path is kept and every call
// tries to open it again.
LONG RegistryUseStore(const std::filesystem::path& file);

// Closes the store: rolls back any open transaction, closes every key handle
// and forgets the path; registry calls then fail with ERROR_CANTOPEN until
// RegistryUseStore is called again. Never fails.
void RegistryCloseStore();

// --- Transactions ------------------------------------------------------------

namespace sys::detail {
std::recursive_mutex& RegistryMutex();
}

// Makes a group of registry writes atomic: either all of them reach the store
// at Commit() or none does. Construction takes the store's write lock (BEGIN
// IMMEDIATE; it waits up to the busy timeout for another process); the
// destructor rolls back unless Commit() was called. A scope created while a
// group is open on this thread joins it: its Commit() only marks it finished,
// and abandoning it (destruction without Commit) rolls the whole group back at
// once and makes the outer Commit() fail. Once the outermost scope has
// committed, writes made while its object still lives are ordinary writes,
// each durable on its own.
//
// The scope holds the registry for its thread: calls from other threads wait
// until it ends. Use it as a local object of one thread.
//
// If the scope could not begin, or a write inside it failed in a way that
// ended the group, every later write inside it fails with that error instead
// of being stored on its own, and Commit() returns it.
class RegistryTransaction {
 public:
  RegistryTransaction();
  ~RegistryTransaction();
  RegistryTransaction(const RegistryTransaction&) = delete;
  RegistryTransaction& operator=(const RegistryTransaction&) = delete;

  // Outermost scope: makes the group durable and visible to other processes.
  // Nested scope: marks it finished. Returns ERROR_SUCCESS, or the error that
  // failed the group (the group is then rolled back). A second Commit(), or a
  // nested scope's Commit() after its group has ended, returns
  // ERROR_INVALID_PARAMETER.
  LONG Commit();

  // While the group is open: ERROR_SUCCESS if it is healthy, else the error
  // that failed it. After this scope's Commit(): what Commit() returned.
  LONG Status() const;

 private:
  std::unique_lock<std::recursive_mutex> lock_;
  std::uint64_t group_ = 0;  // which group this scope belongs to
  bool outermost_ = false;
  bool finished_ = false;
  LONG result_ = ERROR_SUCCESS;
};
