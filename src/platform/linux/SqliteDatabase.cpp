#include "platform/linux/SqliteDatabase.h"

#include <sqlite3.h>

#include <utility>

namespace korrin {
namespace {

Failure FailureOf(sqlite3* db, int code) {
  return Failure{code, db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code)};
}

}  // namespace

Result<SqliteDatabase> SqliteDatabase::Open(const std::string& path, Mode mode, int busyTimeoutMs) {
  const int flags = mode == Mode::ReadOnly            ? SQLITE_OPEN_READONLY
                    : mode == Mode::ReadWriteExisting ? SQLITE_OPEN_READWRITE
                                                      : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  sqlite3* db = nullptr;
  const int code = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  if (code != SQLITE_OK) {
    Failure failure{code, std::string(sqlite3_errstr(code)) + ": " + path};
    sqlite3_close(db);
    return failure;
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, busyTimeoutMs);
  return SqliteDatabase(db);
}

SqliteDatabase::SqliteDatabase(SqliteDatabase&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}

SqliteDatabase& SqliteDatabase::operator=(SqliteDatabase&& other) noexcept {
  if (this != &other) {
    sqlite3_close(db_);
    db_ = std::exchange(other.db_, nullptr);
  }
  return *this;
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close(db_); }

Status SqliteDatabase::Execute(const char* sql) {
  const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) return FailureOf(db_, code);
  return {};
}

Failure SqliteDatabase::LastFailure() const { return FailureOf(db_, sqlite3_extended_errcode(db_)); }

std::int64_t SqliteDatabase::LastInsertId() const { return sqlite3_last_insert_rowid(db_); }

int SqliteDatabase::Changes() const { return sqlite3_changes(db_); }

SqliteStatement::SqliteStatement(const SqliteDatabase& db, const char* sql) : db_(db) {
  if (sqlite3_prepare_v2(db.handle(), sql, -1, &statement_, nullptr) != SQLITE_OK) failed_ = true;
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
  if (statement_ != nullptr && sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) failed_ = true;
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text) {
  if (statement_ != nullptr &&
      sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8) != SQLITE_OK) {
    failed_ = true;
  }
  return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, std::string_view bytes) {
  // A zero-length blob still binds as a blob, never as NULL.
  if (statement_ != nullptr &&
      sqlite3_bind_blob64(statement_, index, bytes.empty() ? "" : bytes.data(), bytes.size(), SQLITE_TRANSIENT) !=
          SQLITE_OK) {
    failed_ = true;
  }
  return *this;
}

bool SqliteStatement::Step() {
  if (failed_ || statement_ == nullptr) {
    failed_ = true;
    return false;
  }
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code != SQLITE_DONE) failed_ = true;
  return false;
}

Failure SqliteStatement::failure() const { return db_.LastFailure(); }

std::int64_t SqliteStatement::Integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::string SqliteStatement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  return text != nullptr ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))) : "";
}

std::string SqliteStatement::Blob(int column) const {
  const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
  return bytes != nullptr ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                          : "";
}

}  // namespace korrin
