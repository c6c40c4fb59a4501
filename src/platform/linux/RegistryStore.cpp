#include "platform/linux/RegistryStore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>


namespace korrin {
namespace {

// A lock held by the other process is waited for this long before a call
// fails; writes are single small transactions, so this is ample.
constexpr int kBusyTimeoutMs = 10000;
// The registry's own limits on names.
constexpr std::size_t kLongestKeyName = 255;
constexpr std::size_t kLongestValueName = 16383;
constexpr std::int64_t kRootKeyId = 1;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys("
    " id INTEGER PRIMARY KEY,"
    " parent INTEGER REFERENCES keys(id) ON DELETE CASCADE,"
    " name TEXT NOT NULL COLLATE NOCASE,"
    " class TEXT NOT NULL DEFAULT '',"
    " UNIQUE(parent, name));"
    "CREATE TABLE IF NOT EXISTS key_values("
    " key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,"
    " name TEXT NOT NULL COLLATE NOCASE,"
    " kind INTEGER NOT NULL,"
    " data BLOB NOT NULL,"
    " UNIQUE(key, name));"
    "INSERT OR IGNORE INTO keys(id, parent, name) VALUES(1, NULL, '');"
    "PRAGMA user_version = 1;";

Failure NotFound(const std::string& what) { return Failure{kRegistryNotFound, "The system cannot find " + what + "."}; }

// The levels of a key path. One trailing "\" is tolerated; an empty level
// anywhere else makes the path invalid.
Result<std::vector<std::string>> SplitKeyPath(const std::string& path) {
  std::vector<std::string> levels;
  if (path.empty()) return levels;
  std::string_view rest = path;
  if (rest.back() == '\\') rest.remove_suffix(1);
  while (true) {
    const std::size_t separator = rest.find('\\');
    const std::string_view level = rest.substr(0, separator);
    if (level.empty() || level.size() > kLongestKeyName) {
      return Failure{kRegistryBadName, "The key path is invalid: \"" + path + "\"."};
    }
    levels.emplace_back(level);
    if (separator == std::string_view::npos) break;
    rest.remove_prefix(separator + 1);
  }
  return levels;
}

struct ChildKey {
  std::int64_t id = 0;
  std::string name;
};

Result<std::optional<ChildKey>> FindChild(SqliteDatabase& db, std::int64_t parent, const std::string& name) {
  SqliteStatement find(db, "SELECT id, name FROM keys WHERE parent = ? AND name = ?");
  find.Bind(1, parent).Bind(2, name);
  if (find.Step()) return std::optional<ChildKey>(ChildKey{find.Integer(0), find.Text(1)});
  if (find.failed()) return find.failure();
  return std::optional<ChildKey>();
}

Status MakeFolder(const std::string& folder) {
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return {};
  std::filesystem::create_directories(folder, error);
  if (error) return Failure{error.value(), "Cannot create the registry folder " + folder + ": " + error.message()};
  // The registry holds the user's settings: the user's alone.
  ::chmod(folder.c_str(), S_IRWXU);
  return {};
}

}  // namespace

std::string TextData(const std::string& text) { return text + '\0'; }

std::string NumberData(std::uint32_t number) {
  std::string bytes(4, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return bytes;
}

RegistryStore::RegistryStore(std::string folder) : folder_(std::move(folder)) {}

std::string RegistryStore::DatabasePath(RegistryRoot root) const {
  const char* name = root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE.db" : "HKEY_CURRENT_USER.db";
  return (std::filesystem::path(folder_) / name).string();
}

Result<SqliteDatabase*> RegistryStore::Database(RegistryRoot root, RegistryAccess access) {
  if (auto open = open_.find({root, access}); open != open_.end()) return &open->second;
  if (access == RegistryAccess::Full) return OpenForWriting(root);
  // A registry nobody wrote yet has no keys; reading it creates nothing.
  // A writer killed in the middle of a transaction leaves its journal
  // behind, and only a connection that may write can roll it back: a
  // read-only one fails every read until the next write. So a database the
  // user may write is read through a read-write connection that never
  // creates the file; one the user may not write is read read-only.
  const std::string path = DatabasePath(root);
  const bool writable = ::access(path.c_str(), W_OK) == 0;
  auto db = SqliteDatabase::Open(
      path, writable ? SqliteDatabase::Mode::ReadWriteExisting : SqliteDatabase::Mode::ReadOnly, kBusyTimeoutMs);
  if (!db) return NotFound("the registry database " + DatabasePath(root));
  return &open_.emplace(std::pair{root, access}, std::move(db).value()).first->second;
}

Result<SqliteDatabase*> RegistryStore::OpenForWriting(RegistryRoot root) {
  if (Status made = MakeFolder(folder_); !made) return made.failure();
  auto db = SqliteDatabase::Open(DatabasePath(root), SqliteDatabase::Mode::ReadWrite, kBusyTimeoutMs);
  if (!db) return db.failure();
  if (Status keys = db.value().Execute("PRAGMA foreign_keys = ON"); !keys) return keys.failure();
  if (Status schema = InWriteTransaction(db.value(), [&] { return db.value().Execute(kSchema); }); !schema) {
    return schema.failure();
  }
  return &open_.emplace(std::pair{root, RegistryAccess::Full}, std::move(db).value()).first->second;
}

Status RegistryStore::InWriteTransaction(SqliteDatabase& db, const std::function<Status()>& work) {
  // IMMEDIATE takes the write lock up front, so two writers queue instead of
  // failing when both try to upgrade a read lock.
  if (Status begun = db.Execute("BEGIN IMMEDIATE"); !begun) return begun;
  Status done = work();
  if (done) done = db.Execute("COMMIT");
  if (!done) (void)db.Execute("ROLLBACK");
  return done;
}

Result<RegistryKey> RegistryStore::OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access) {
  auto levels = SplitKeyPath(path);
  if (!levels) return levels.failure();
  auto db = Database(root, access);
  if (!db) return db.failure();
  RegistryKey key{root, kRootKeyId, "", access};
  for (const std::string& level : levels.value()) {
    auto child = FindChild(*db.value(), key.id, level);
    if (!child) return child.failure();
    if (!child.value()) return NotFound("the key " + path);
    key.id = child.value()->id;
    key.path += (key.path.empty() ? "" : "\\") + child.value()->name;
  }
  return key;
}

Result<bool> RegistryStore::CreateKey(RegistryRoot root, const std::string& path, const std::string& className) {
  auto levels = SplitKeyPath(path);
  if (!levels) return levels.failure();
  auto db = Database(root, RegistryAccess::Full);
  if (!db) return db.failure();
  bool created = false;
  Status status = InWriteTransaction(*db.value(), [&]() -> Status {
    std::int64_t parent = kRootKeyId;
    const auto& names = levels.value();
    for (std::size_t i = 0; i < names.size(); ++i) {
      auto child = FindChild(*db.value(), parent, names[i]);
      if (!child) return child.failure();
      if (child.value()) {
        parent = child.value()->id;
        created = false;
        continue;
      }
      SqliteStatement insert(*db.value(), "INSERT INTO keys(parent, name, class) VALUES(?, ?, ?)");
      insert.Bind(1, parent).Bind(2, names[i]).Bind(3, i + 1 == names.size() ? className : "");
      insert.Step();
      if (insert.failed()) return insert.failure();
      parent = db.value()->LastInsertId();
      created = true;
    }
    return {};
  });
  if (!status) return status.failure();
  return created;
}

Status RegistryStore::DeleteKey(RegistryRoot root, const std::string& path) {
  auto key = OpenKey(root, path, RegistryAccess::Full);
  if (!key) return key.failure();
  if (key.value().id == kRootKeyId) return Failure{kRegistryAccessDenied, "A root key cannot be deleted."};
  SqliteDatabase& db = *Database(root, RegistryAccess::Full).value();
  return InWriteTransaction(db, [&]() -> Status {
    SqliteStatement remove(db, "DELETE FROM keys WHERE id = ?");
    remove.Bind(1, key.value().id).Step();
    if (remove.failed()) return remove.failure();
    return {};
  });
}

Result<std::optional<StoredValue>> RegistryStore::ReadValue(const RegistryKey& key, const std::string& name) {
  auto db = Database(key.root, key.access);
  if (!db) return db.failure();
  SqliteStatement read(*db.value(), "SELECT name, kind, data FROM key_values WHERE key = ? AND name = ?");
  read.Bind(1, key.id).Bind(2, name);
  if (read.Step()) {
    return std::optional<StoredValue>(
        StoredValue{read.Text(0), static_cast<std::uint32_t>(read.Integer(1)), read.Blob(2)});
  }
  if (read.failed()) return read.failure();
  return std::optional<StoredValue>();
}

Status RegistryStore::WriteValue(const RegistryKey& key, const StoredValue& value) {
  if (key.access != RegistryAccess::Full) return Failure{kRegistryAccessDenied, "Access is denied."};
  if (value.name.size() > kLongestValueName) return Failure{kRegistryBadName, "The value name is too long."};
  auto db = Database(key.root, RegistryAccess::Full);
  if (!db) return db.failure();
  return InWriteTransaction(*db.value(), [&]() -> Status {
    // An existing value keeps the case of its name and its place in the
    // key's order, as the registry keeps them.
    SqliteStatement write(*db.value(),
                          "INSERT INTO key_values(key, name, kind, data) VALUES(?, ?, ?, ?) "
                          "ON CONFLICT(key, name) DO UPDATE SET kind = excluded.kind, data = excluded.data");
    write.Bind(1, key.id).Bind(2, value.name).Bind(3, std::int64_t{value.kind}).BindBlob(4, value.data).Step();
    if (write.failed()) return write.failure();
    return {};
  });
}

Status RegistryStore::DeleteValue(const RegistryKey& key, const std::string& name) {
  if (key.access != RegistryAccess::Full) return Failure{kRegistryAccessDenied, "Access is denied."};
  auto db = Database(key.root, RegistryAccess::Full);
  if (!db) return db.failure();
  return InWriteTransaction(*db.value(), [&]() -> Status {
    SqliteStatement remove(*db.value(), "DELETE FROM key_values WHERE key = ? AND name = ?");
    remove.Bind(1, key.id).Bind(2, name).Step();
    if (remove.failed()) return remove.failure();
    if (db.value()->Changes() == 0) return NotFound("the value " + name);
    return {};
  });
}

Result<std::vector<SubKeyRecord>> RegistryStore::SubKeys(const RegistryKey& key) {
  auto db = Database(key.root, key.access);
  if (!db) return db.failure();
  SqliteStatement list(*db.value(), "SELECT name, class FROM keys WHERE parent = ? ORDER BY name, id");
  list.Bind(1, key.id);
  std::vector<SubKeyRecord> keys;
  while (list.Step()) keys.push_back(SubKeyRecord{list.Text(0), list.Text(1)});
  if (list.failed()) return list.failure();
  return keys;
}

Result<std::vector<StoredValue>> RegistryStore::Values(const RegistryKey& key) {
  auto db = Database(key.root, key.access);
  if (!db) return db.failure();
  SqliteStatement list(*db.value(), "SELECT name, kind, data FROM key_values WHERE key = ? ORDER BY rowid");
  list.Bind(1, key.id);
  std::vector<StoredValue> values;
  while (list.Step()) values.push_back(StoredValue{list.Text(0), static_cast<std::uint32_t>(list.Integer(1)), list.Blob(2)});
  if (list.failed()) return list.failure();
  return values;
}

}  // namespace korrin
