#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ports/Result.h"

struct sqlite3;
struct sqlite3_stmt;

namespace korrin {

// One connection to an SQLite database file, with the few calls the stores
// of this folder need. Failures carry SQLite's extended result code and its
// message.
class SqliteDatabase {
 public:
  enum class Mode { ReadOnly, ReadWrite, ReadWriteExisting };

  // ReadWrite creates the file when it is missing; ReadOnly and
  // ReadWriteExisting fail then.
  // Both wait up to busyTimeoutMs for another process's lock.
  static Result<SqliteDatabase> Open(const std::string& path, Mode mode, int busyTimeoutMs);

  SqliteDatabase(SqliteDatabase&& other) noexcept;
  SqliteDatabase& operator=(SqliteDatabase&& other) noexcept;
  SqliteDatabase(const SqliteDatabase&) = delete;
  ~SqliteDatabase();

  // Runs statements that return no rows.
  Status Execute(const char* sql);
  Failure LastFailure() const;
  std::int64_t LastInsertId() const;
  // Rows changed by the last statement.
  int Changes() const;
  sqlite3* handle() const { return db_; }

 private:
  explicit SqliteDatabase(sqlite3* db) : db_(db) {}
  sqlite3* db_ = nullptr;
};

// A prepared statement with positional parameters from 1.
class SqliteStatement {
 public:
  SqliteStatement(const SqliteDatabase& db, const char* sql);
  SqliteStatement(const SqliteStatement&) = delete;
  ~SqliteStatement();

  bool prepared() const { return statement_ != nullptr; }
  SqliteStatement& Bind(int index, std::int64_t value);
  SqliteStatement& Bind(int index, std::string_view text);
  SqliteStatement& BindBlob(int index, std::string_view bytes);

  // Steps once: true when a row is ready; false when done or failed, which
  // failed() then tells.
  bool Step();
  bool failed() const { return failed_; }
  Failure failure() const;

  std::int64_t Integer(int column) const;
  std::string Text(int column) const;
  std::string Blob(int column) const;

 private:
  const SqliteDatabase& db_;
  sqlite3_stmt* statement_ = nullptr;
  bool failed_ = false;
};

}  // namespace korrin
