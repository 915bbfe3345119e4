// The registry's SQLite side: one database file holding the key tree and the
// values of HKEY_CURRENT_USER. registry.cpp turns the platform calls into the
// operations here; nothing above this file knows SQL.
//
// The file is opened in WAL mode with synchronous=FULL (each commit is synced
// to disk before it returns, so a write survives a power cut as well as a
// killed process), a busy timeout for other processes' write locks, and
// defensive mode. It is checked when opened: a file that is not a database,
// fails the quick integrity check, or does not carry exactly our schema is
// moved aside together with its -wal and -shm files, and an empty store is
// created in its place.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/wintypes.h"

struct sqlite3;
struct sqlite3_stmt;

namespace sys::registry {

using KeyId = std::int64_t;
inline constexpr KeyId kRootKey = 0;  // HKEY_CURRENT_USER; has no row of its own

// How long a call waits for another process's write lock before it fails.
inline constexpr int kBusyTimeoutMs = 5000;

// A key or value name as given, and folded for comparison (ASCII A-Z to a-z;
// other code units compare exactly).
struct Name {
  std::u16string text;
  std::u16string folded;
  explicit Name(std::u16string_view given);
};

struct Value {
  DWORD type = 0;
  std::vector<BYTE> data;
};

class Store {
 public:
  // Opens the store at `file`, creating it when missing. A damaged file is
  // moved aside (one line on stderr) and replaced by an empty store. Returns
  // ERROR_SUCCESS with *out set, or ERROR_CANTOPEN (cannot open or create,
  // including a busy timeout), ERROR_ACCESS_DENIED (read-only file),
  // ERROR_BADDB (damaged and could not be moved aside), ERROR_OUTOFMEMORY.
  static LONG Open(const std::filesystem::path& file, std::unique_ptr<Store>* out);

  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  // The process that opened the connection. A forked child must not use it.
  pid_t Owner() const { return owner_; }
  // Forgets the connection without closing it: closing an inherited
  // connection in a forked child could checkpoint or remove the parent's WAL.
  void Abandon();

  // Key tree. `path` holds the components below `parent`.
  // FindKey: ERROR_FILE_NOT_FOUND when a component is missing.
  LONG FindKey(KeyId parent, const std::vector<Name>& path, KeyId* id);
  // CreateKey: creates missing components; *created tells whether the last one
  // was created.
  LONG CreateKey(KeyId parent, const std::vector<Name>& path, KeyId* id, bool* created);
  // DeleteKey: removes the key with its sub-keys and values.
  LONG DeleteKey(KeyId parent, const std::vector<Name>& path);
  // ERROR_SUCCESS when the key exists, ERROR_KEY_DELETED when it does not.
  LONG CheckKey(KeyId id);

  // Values. GetValue and DeleteValue: ERROR_FILE_NOT_FOUND when missing.
  LONG SetValue(KeyId key, const Name& name, DWORD type, std::span<const BYTE> data);
  LONG GetValue(KeyId key, const Name& name, Value* out);
  LONG DeleteValue(KeyId key, const Name& name);

  // The explicit transaction of a RegistryTransaction scope. While it is open
  // each write above runs in a savepoint of it, so that a failed call leaves
  // the group as it was. InTransaction() turns false when SQLite ended the
  // transaction by itself after an error (the group is then lost).
  LONG Begin();
  LONG Commit();
  void Rollback();
  bool InTransaction() const;

 private:
  class Statement;
  explicit Store(sqlite3* db);
  sqlite3_stmt* Prepare(const char* sql);
  LONG Exec(const char* sql, bool writing);
  template <class Body>
  LONG Write(Body&& body);
  LONG Lookup(KeyId parent, const Name& name, KeyId* id);

  struct DbCloser {
    void operator()(sqlite3* db) const;
  };
  struct StmtFinalizer {
    void operator()(sqlite3_stmt* stmt) const;
  };
  std::unique_ptr<sqlite3, DbCloser> db_;
  std::unordered_map<const char*, std::unique_ptr<sqlite3_stmt, StmtFinalizer>> statements_;
  bool inTransaction_ = false;
  pid_t owner_;
};

}  // namespace sys::registry
