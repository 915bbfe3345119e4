// Opening the registry's SQLite file: the connection settings, the checks
// that find a damaged or foreign file, creating the schema in a new one, and
// moving a damaged file aside. See registry_store.h.
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <thread>
#include <utility>

#include "registry_store.h"

namespace sys::registry {
namespace {

// --- Schema and helpers -------------------------------------------------------

// "MSRG": marks the file as ours; user_version numbers the schema.
constexpr int kApplicationId = 0x4D535247;
constexpr int kSchemaVersion = 1;

// Names are stored as UTF-16 code units in host order: `folded` is what
// lookups compare, `name` keeps the caller's spelling. Key ids are
// AUTOINCREMENT so that a deleted key's id is never given to a new key, which
// would silently re-aim a stale handle. The root (HKEY_CURRENT_USER) is id 0
// and has no row.
constexpr const char* kSchema =
    "CREATE TABLE keys("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "parent INTEGER NOT NULL, "
    "folded BLOB NOT NULL, "
    "name BLOB NOT NULL, "
    "UNIQUE(parent, folded));"
    "CREATE TABLE vals("
    "key INTEGER NOT NULL, "
    "folded BLOB NOT NULL, "
    "name BLOB NOT NULL, "
    "type INTEGER NOT NULL, "
    "data BLOB NOT NULL, "
    "PRIMARY KEY(key, folded)) WITHOUT ROWID;";

bool IsDamage(int rc) {
  int primary = rc & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// Runs `sql` (one statement) and collects its rows as text; NULL reads as
// nullopt. Returns the SQLite result.
using Row = std::vector<std::optional<std::string>>;
int Query(sqlite3* db, const char* sql, std::vector<Row>* rows) {
  sqlite3_stmt* raw = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
  if (rc != SQLITE_OK) return rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    if (!rows) continue;
    Row row;
    for (int i = 0; i < sqlite3_column_count(stmt.get()); ++i) {
      const unsigned char* text = sqlite3_column_text(stmt.get(), i);
      if (text)
        row.emplace_back(std::string(reinterpret_cast<const char*>(text),
                                     static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), i))));
      else
        row.emplace_back(std::nullopt);
    }
    rows->push_back(std::move(row));
  }
  return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

constexpr const char* kSchemaQuery =
    "SELECT type, name, tbl_name, sql FROM sqlite_schema ORDER BY name";

// The schema rows a correct store has, taken from a scratch in-memory database
// built with the same statements, so that the comparison is exact.
const std::vector<Row>& ExpectedSchema() {
  static const std::vector<Row> expected = [] {
    std::vector<Row> rows;
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_exec(raw, kSchema, nullptr, nullptr, nullptr) == SQLITE_OK)
      Query(raw, kSchemaQuery, &rows);
    sqlite3_close_v2(raw);
    return rows;
  }();
  return expected;
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

// --- Opening and checking ------------------------------------------------------

// Serialises opening (check, create, move aside) between processes, so that
// one process never moves aside the fresh store another has just created in
// place of a damaged one. It locks the store's folder with flock, which
// SQLite's own fcntl locks do not see. Best effort: without the lock (an
// unsupported file system, or a holder stuck for 10 s) opening goes on, and
// the schema is still created inside a write transaction.
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& folder) {
    fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > deadline)
        return;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the flock
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

// The outcome of one attempt to open: a connection, an error, or the reason
// the file is damaged.
using Connection = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;
struct Attempt {
  Connection db{nullptr, sqlite3_close_v2};
  LONG error = ERROR_SUCCESS;
  std::string damage;
};

// Creates the schema in an empty database, inside a write transaction so that
// two processes creating it at once cannot both do it, and a kill leaves
// either nothing or everything.
int CreateSchema(sqlite3* db) {
  int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return rc;
  std::vector<Row> rows;
  rc = Query(db, kSchemaQuery, &rows);
  if (rc == SQLITE_OK && rows.empty()) {
    std::string sql = std::string(kSchema) + "PRAGMA application_id=" +
                      std::to_string(kApplicationId) +
                      ";PRAGMA user_version=" + std::to_string(kSchemaVersion) + ";";
    rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK && !sqlite3_get_autocommit(db))
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  return rc;
}

// A file that does not start with SQLite's header is damage found without
// letting SQLite near it, so that it and its -wal are moved aside exactly as
// they were. An empty or missing file is a new store.
bool HasForeignHeader(const std::filesystem::path& file) {
  static constexpr char kMagic[] = "SQLite format 3";  // 16 bytes with its zero
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char head[sizeof kMagic] = {};
  ssize_t got = ::read(fd, head, sizeof head);
  // No SQLite connection to this file is open in this process now, so closing
  // the descriptor cannot drop one of SQLite's locks.
  ::close(fd);
  return got > 0 && std::memcmp(head, kMagic, static_cast<std::size_t>(got)) != 0;
}

Attempt TryOpen(const std::filesystem::path& file) {
  Attempt result;
  if (HasForeignHeader(file)) {
    result.damage = "not a database file";
    return result;
  }
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(file.c_str(), &raw,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX |
                               SQLITE_OPEN_EXRESCODE,
                           nullptr);
  Connection db(raw, sqlite3_close_v2);
  auto fail = [&](int code) {
    if (IsDamage(code))
      result.damage = OneLine(sqlite3_errstr(code));
    else
      result.error = (code & 0xFF) == SQLITE_NOMEM ? ERROR_OUTOFMEMORY : ERROR_CANTOPEN;
    return std::move(result);
  };
  if (rc != SQLITE_OK) return fail(rc);
  if (sqlite3_db_readonly(db.get(), "main") == 1) {
    result.error = ERROR_ACCESS_DENIED;
    return result;
  }
  sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
  // Defensive mode: no writes to the schema or to pages behind SQLite's back,
  // even through SQL that reaches this connection.
  int on = 0;
  if (sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, &on) != SQLITE_OK || on != 1)
    return fail(SQLITE_CANTOPEN);
  sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);

  // WAL: readers never block the writer and a killed writer leaves the last
  // commit intact. The setting is kept in the file.
  std::vector<Row> rows;
  rc = Query(db.get(), "PRAGMA journal_mode=WAL", &rows);
  if (rc != SQLITE_OK) return fail(rc);
  if (rows.empty() || rows[0].empty() || rows[0][0] != "wal") return fail(SQLITE_CANTOPEN);
  // FULL, not NORMAL: in WAL mode NORMAL syncs only at checkpoints, so a
  // commit could be lost to a power cut after its call returned. FULL syncs
  // the WAL at every commit, which is what "durable when the call returns"
  // needs; the store is small and written rarely, so the cost does not matter.
  rc = sqlite3_exec(db.get(), "PRAGMA synchronous=FULL; PRAGMA cell_size_check=ON;", nullptr,
                    nullptr, nullptr);
  if (rc != SQLITE_OK) return fail(rc);

  rows.clear();
  rc = Query(db.get(), "PRAGMA quick_check", &rows);
  if (rc != SQLITE_OK) return fail(rc);
  if (rows.empty() || rows[0].empty() || rows[0][0] != "ok") {
    result.damage = "integrity check failed: " +
                    OneLine(rows.empty() || rows[0].empty() ? std::string("no answer")
                                                            : rows[0][0].value_or("?"));
    return result;
  }

  // The schema: nothing at all (a new file) is filled in; anything but exactly
  // ours is damage.
  auto readSchema = [&](std::vector<Row>* schema, std::vector<Row>* ids) {
    int r = Query(db.get(), kSchemaQuery, schema);
    if (r == SQLITE_OK) r = Query(db.get(), "SELECT * FROM pragma_application_id, pragma_user_version", ids);
    return r;
  };
  std::vector<Row> schema, ids;
  rc = readSchema(&schema, &ids);
  if (rc != SQLITE_OK) return fail(rc);
  const Row blank = {std::string("0"), std::string("0")};
  if (schema.empty() && !ids.empty() && ids[0] == blank) {
    rc = CreateSchema(db.get());
    if (rc != SQLITE_OK) return fail(rc);
    schema.clear();
    ids.clear();
    rc = readSchema(&schema, &ids);
    if (rc != SQLITE_OK) return fail(rc);
  }
  const Row ours = {std::to_string(kApplicationId), std::to_string(kSchemaVersion)};
  if (ids.empty() || ids[0] != ours || schema != ExpectedSchema()) {
    result.damage = "not a registry store of this version";
    return result;
  }
  result.db = std::move(db);
  return result;
}

// "20261207-060512" in UTC.
std::string Timestamp() {
  std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &utc);
  return text;
}

// Renames `file` to "<file>.corrupt-<timestamp>" (with a counter if that is
// taken). Its -wal and -shm files go first and keep their pairing, so that a
// stale WAL is never replayed into the new store and the damaged copy can
// still be examined with its WAL. Returns the new name, or nullopt.
std::optional<std::filesystem::path> MoveAside(const std::filesystem::path& file) {
  std::string base = file.string() + ".corrupt-" + Timestamp();
  std::string aside = base;
  std::error_code ec;
  for (int n = 2; std::filesystem::exists(aside, ec) || std::filesystem::exists(aside + "-wal", ec);
       ++n)
    aside = base + "." + std::to_string(n);
  for (const char* suffix : {"-wal", "-shm"}) {
    std::string from = file.string() + suffix;
    if (std::rename(from.c_str(), (aside + suffix).c_str()) != 0 && errno != ENOENT)
      return std::nullopt;
  }
  if (std::rename(file.c_str(), aside.c_str()) != 0) return std::nullopt;
  return std::filesystem::path(aside);
}

}  // namespace

LONG Store::Open(const std::filesystem::path& file, std::unique_ptr<Store>* out) {
  FolderLock lock(file.parent_path());
  Attempt attempt = TryOpen(file);
  if (!attempt.damage.empty()) {
    std::optional<std::filesystem::path> aside = MoveAside(file);
    if (!aside) {
      std::fprintf(stderr,
                   "mensora: registry store %s is damaged (%s) and could not be moved aside; "
                   "registry unavailable\n",
                   file.c_str(), attempt.damage.c_str());
      return ERROR_BADDB;
    }
    std::fprintf(stderr,
                 "mensora: registry store %s is damaged (%s); moved it to %s and started an "
                 "empty store\n",
                 file.c_str(), attempt.damage.c_str(), aside->c_str());
    attempt = TryOpen(file);
    if (!attempt.damage.empty()) return ERROR_BADDB;
  }
  if (attempt.error != ERROR_SUCCESS) return attempt.error;
  out->reset(new Store(attempt.db.release()));
  return ERROR_SUCCESS;
}

}  // namespace sys::registry
