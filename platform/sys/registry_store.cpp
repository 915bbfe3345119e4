// The registry's key and value operations on its SQLite connection, and the
// transactions around them; see registry_store.h. Opening the file is in
// registry_open.cpp.
//
// Sections: helpers; connection and statements; keys; values; transactions.
#include "registry_store.h"

#include <sqlite3.h>

#include <utility>

#include "base/ascii_case.h"
#include "sys/registry.h"

namespace sys::registry {
namespace {

// Maps a failed SQLite result to the platform's registry errors.
LONG MapError(int rc, bool writing) {
  switch (rc & 0xFF) {
    case SQLITE_NOMEM: return ERROR_OUTOFMEMORY;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return ERROR_BADDB;
    case SQLITE_READONLY: return ERROR_ACCESS_DENIED;
    case SQLITE_TOOBIG: return ERROR_INVALID_PARAMETER;
    default: return writing ? ERROR_CANTWRITE : ERROR_CANTREAD;
  }
}

void BindName(sqlite3_stmt* stmt, int index, const std::u16string& text) {
  // text.data() is never null, so an empty name binds as an empty blob.
  sqlite3_bind_blob(stmt, index, text.data(), static_cast<int>(text.size() * sizeof(char16_t)),
                    SQLITE_STATIC);
}

}  // namespace

Name::Name(std::u16string_view given) : text(given), folded(base::FoldAscii(given)) {}

// --- Connection and statements -------------------------------------------------

void Store::DbCloser::operator()(sqlite3* db) const { sqlite3_close_v2(db); }
void Store::StmtFinalizer::operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }

Store::Store(sqlite3* db) : db_(db), owner_(::getpid()) {}
Store::~Store() = default;

void Store::Abandon() {
  for (auto& entry : statements_) (void)entry.second.release();
  statements_.clear();
  (void)db_.release();
  inTransaction_ = false;
}

// A cached statement in use: bound by the caller, reset when the scope ends so
// that it never holds a read open across COMMIT.
class Store::Statement {
 public:
  Statement(Store& store, const char* sql) : stmt_(store.Prepare(sql)) {}
  ~Statement() {
    if (stmt_) {
      sqlite3_reset(stmt_);
      sqlite3_clear_bindings(stmt_);
    }
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* get() const { return stmt_; }
  explicit operator bool() const { return stmt_ != nullptr; }

 private:
  sqlite3_stmt* stmt_;
};

sqlite3_stmt* Store::Prepare(const char* sql) {
  auto found = statements_.find(sql);
  if (found != statements_.end()) return found->second.get();
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v3(db_.get(), sql, -1, SQLITE_PREPARE_PERSISTENT, &raw, nullptr) !=
      SQLITE_OK)
    return nullptr;
  statements_.emplace(sql, std::unique_ptr<sqlite3_stmt, StmtFinalizer>(raw));
  return raw;
}

LONG Store::Exec(const char* sql, bool writing) {
  int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
  return rc == SQLITE_OK ? ERROR_SUCCESS : MapError(rc, writing);
}

// Runs one registry call's writes atomically: its own IMMEDIATE transaction
// (committed, hence durable, before the call returns), or a savepoint of the
// open group.
template <class Body>
LONG Store::Write(Body&& body) {
  if (inTransaction_) {
    if (sqlite3_get_autocommit(db_.get())) {
      inTransaction_ = false;  // the group was already lost; never write outside it
      return ERROR_CANTWRITE;
    }
    LONG result = Exec("SAVEPOINT regcall", true);
    if (result != ERROR_SUCCESS) return result;
    result = body();
    if (sqlite3_get_autocommit(db_.get())) {
      inTransaction_ = false;  // SQLite ended the group after an error
      return result != ERROR_SUCCESS ? result : ERROR_CANTWRITE;
    }
    if (result != ERROR_SUCCESS) Exec("ROLLBACK TO regcall", true);
    LONG released = Exec("RELEASE regcall", true);
    return result != ERROR_SUCCESS ? result : released;
  }
  LONG result = Exec("BEGIN IMMEDIATE", true);
  if (result != ERROR_SUCCESS) return result;
  result = body();
  if (result == ERROR_SUCCESS) result = Exec("COMMIT", true);
  if (!sqlite3_get_autocommit(db_.get())) Exec("ROLLBACK", true);
  return result;
}

// --- Keys ------------------------------------------------------------------------

LONG Store::Lookup(KeyId parent, const Name& name, KeyId* id) {
  Statement stmt(*this, "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2");
  if (!stmt) return MapError(sqlite3_errcode(db_.get()), false);
  sqlite3_bind_int64(stmt.get(), 1, parent);
  BindName(stmt.get(), 2, name.folded);
  int rc = sqlite3_step(stmt.get());
  if (rc == SQLITE_ROW) {
    *id = sqlite3_column_int64(stmt.get(), 0);
    return ERROR_SUCCESS;
  }
  return rc == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : MapError(rc, false);
}

LONG Store::CheckKey(KeyId id) {
  if (id == kRootKey) return ERROR_SUCCESS;
  Statement stmt(*this, "SELECT 1 FROM keys WHERE id = ?1");
  if (!stmt) return MapError(sqlite3_errcode(db_.get()), false);
  sqlite3_bind_int64(stmt.get(), 1, id);
  int rc = sqlite3_step(stmt.get());
  if (rc == SQLITE_ROW) return ERROR_SUCCESS;
  return rc == SQLITE_DONE ? ERROR_KEY_DELETED : MapError(rc, false);
}

LONG Store::FindKey(KeyId parent, const std::vector<Name>& path, KeyId* id) {
  LONG result = CheckKey(parent);
  KeyId current = parent;
  for (std::size_t i = 0; result == ERROR_SUCCESS && i < path.size(); ++i)
    result = Lookup(current, path[i], &current);
  if (result == ERROR_SUCCESS) *id = current;
  return result;
}

LONG Store::CreateKey(KeyId parent, const std::vector<Name>& path, KeyId* id, bool* created) {
  return Write([&]() -> LONG {
    LONG result = CheckKey(parent);
    if (result != ERROR_SUCCESS) return result;
    KeyId current = parent;
    bool made = false;
    for (const Name& name : path) {
      result = Lookup(current, name, &current);
      made = result == ERROR_FILE_NOT_FOUND;
      if (made) {
        Statement insert(*this, "INSERT INTO keys(parent, folded, name) VALUES(?1, ?2, ?3)");
        if (!insert) return MapError(sqlite3_errcode(db_.get()), true);
        sqlite3_bind_int64(insert.get(), 1, current);
        BindName(insert.get(), 2, name.folded);
        BindName(insert.get(), 3, name.text);
        int rc = sqlite3_step(insert.get());
        if (rc != SQLITE_DONE) return MapError(rc, true);
        current = sqlite3_last_insert_rowid(db_.get());
      } else if (result != ERROR_SUCCESS) {
        return result;
      }
    }
    *id = current;
    *created = made;
    return ERROR_SUCCESS;
  });
}

LONG Store::DeleteKey(KeyId parent, const std::vector<Name>& path) {
  return Write([&]() -> LONG {
    KeyId target = kRootKey;
    LONG result = FindKey(parent, path, &target);
    if (result != ERROR_SUCCESS) return result;
    // The key and everything below it: values first, then the keys.
    for (const char* sql :
         {"WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL "
          "SELECT keys.id FROM keys JOIN sub ON keys.parent = sub.id) "
          "DELETE FROM vals WHERE key IN (SELECT id FROM sub)",
          "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL "
          "SELECT keys.id FROM keys JOIN sub ON keys.parent = sub.id) "
          "DELETE FROM keys WHERE id IN (SELECT id FROM sub)"}) {
      Statement stmt(*this, sql);
      if (!stmt) return MapError(sqlite3_errcode(db_.get()), true);
      sqlite3_bind_int64(stmt.get(), 1, target);
      int rc = sqlite3_step(stmt.get());
      if (rc != SQLITE_DONE) return MapError(rc, true);
    }
    return ERROR_SUCCESS;
  });
}

// --- Values ----------------------------------------------------------------------

LONG Store::SetValue(KeyId key, const Name& name, DWORD type, std::span<const BYTE> data) {
  return Write([&]() -> LONG {
    LONG result = CheckKey(key);
    if (result != ERROR_SUCCESS) return result;
    // A value keeps the spelling of its name from when it was first stored.
    Statement stmt(*this,
                   "INSERT INTO vals(key, folded, name, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
                   "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, "
                   "data = excluded.data");
    if (!stmt) return MapError(sqlite3_errcode(db_.get()), true);
    sqlite3_bind_int64(stmt.get(), 1, key);
    BindName(stmt.get(), 2, name.folded);
    BindName(stmt.get(), 3, name.text);
    sqlite3_bind_int64(stmt.get(), 4, type);
    if (data.empty())
      sqlite3_bind_zeroblob(stmt.get(), 5, 0);
    else
      sqlite3_bind_blob(stmt.get(), 5, data.data(), static_cast<int>(data.size()), SQLITE_STATIC);
    int rc = sqlite3_step(stmt.get());
    return rc == SQLITE_DONE ? ERROR_SUCCESS : MapError(rc, true);
  });
}

LONG Store::GetValue(KeyId key, const Name& name, Value* out) {
  {
    Statement stmt(*this, "SELECT type, data FROM vals WHERE key = ?1 AND folded = ?2");
    if (!stmt) return MapError(sqlite3_errcode(db_.get()), false);
    sqlite3_bind_int64(stmt.get(), 1, key);
    BindName(stmt.get(), 2, name.folded);
    int rc = sqlite3_step(stmt.get());
    if (rc == SQLITE_ROW) {
      out->type = static_cast<DWORD>(sqlite3_column_int64(stmt.get(), 0));
      const auto* bytes = static_cast<const BYTE*>(sqlite3_column_blob(stmt.get(), 1));
      auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), 1));
      out->data.assign(bytes, bytes ? bytes + size : bytes);
      return ERROR_SUCCESS;
    }
    if (rc != SQLITE_DONE) return MapError(rc, false);
  }
  LONG result = CheckKey(key);
  return result == ERROR_SUCCESS ? ERROR_FILE_NOT_FOUND : result;
}

LONG Store::DeleteValue(KeyId key, const Name& name) {
  return Write([&]() -> LONG {
    LONG result = CheckKey(key);
    if (result != ERROR_SUCCESS) return result;
    Statement stmt(*this, "DELETE FROM vals WHERE key = ?1 AND folded = ?2");
    if (!stmt) return MapError(sqlite3_errcode(db_.get()), true);
    sqlite3_bind_int64(stmt.get(), 1, key);
    BindName(stmt.get(), 2, name.folded);
    int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_DONE) return MapError(rc, true);
    return sqlite3_changes(db_.get()) > 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

// --- Transactions ----------------------------------------------------------------

LONG Store::Begin() {
  LONG result = Exec("BEGIN IMMEDIATE", true);
  inTransaction_ = result == ERROR_SUCCESS;
  return result;
}

LONG Store::Commit() {
  if (!InTransaction()) {
    inTransaction_ = false;
    return ERROR_CANTWRITE;
  }
  LONG result = Exec("COMMIT", true);
  if (result != ERROR_SUCCESS) Rollback();
  inTransaction_ = false;
  return result;
}

void Store::Rollback() {
  if (!sqlite3_get_autocommit(db_.get())) Exec("ROLLBACK", true);
  inTransaction_ = false;
}

bool Store::InTransaction() const {
  return inTransaction_ && !sqlite3_get_autocommit(db_.get());
}

}  // namespace sys::registry
