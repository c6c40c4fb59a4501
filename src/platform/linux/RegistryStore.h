#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/SqliteDatabase.h"
#include "ports/Result.h"
#include "settings/Registry.h"

namespace korrin {

// Failure numbers of the registry store, as the registry numbers them, so a
// message reads the same on every system.
inline constexpr long kRegistryNotFound = 2;
inline constexpr long kRegistryAccessDenied = 5;
inline constexpr long kRegistryBadName = 161;

enum class RegistryAccess { Read, Full };

// An open key: where it is, its path as stored (the case it was created
// with), and the access it was opened with.
struct RegistryKey {
  RegistryRoot root = RegistryRoot::CurrentUser;
  std::int64_t id = 0;
  std::string path;
  RegistryAccess access = RegistryAccess::Read;
};

// A stored value: the registry's kind number and the data bytes as the
// registry keeps them (text with its terminating NUL, numbers as four bytes
// little-endian).
struct StoredValue {
  std::string name;
  std::uint32_t kind = 0;
  std::string data;

  bool operator==(const StoredValue&) const = default;
};

// The registry on Linux: one SQLite database per root in one folder. Key and
// value names compare ignoring case (ASCII) and keep the case they were
// created with. Every write is one transaction, and the databases use
// SQLite's locking, so the program and the host can share a registry from
// two processes without losing a write. Reads open the database read-only
// and never create anything.
class RegistryStore {
 public:
  explicit RegistryStore(std::string folder);

  const std::string& folder() const { return folder_; }
  std::string DatabasePath(RegistryRoot root) const;

  // An empty path opens the root key itself.
  Result<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access);
  // Creates the key and its missing parents; true when the key itself was
  // created now, false when it existed.
  Result<bool> CreateKey(RegistryRoot root, const std::string& path, const std::string& className);
  // Removes the key with everything below it. The root key cannot be removed.
  Status DeleteKey(RegistryRoot root, const std::string& path);

  // Nothing when the key has no value of that name.
  Result<std::optional<StoredValue>> ReadValue(const RegistryKey& key, const std::string& name);
  // Needs a key opened with full access.
  Status WriteValue(const RegistryKey& key, const StoredValue& value);
  Status DeleteValue(const RegistryKey& key, const std::string& name);

  // Sub-keys in name order, ignoring case; values in the order they were
  // first written.
  Result<std::vector<SubKeyRecord>> SubKeys(const RegistryKey& key);
  Result<std::vector<StoredValue>> Values(const RegistryKey& key);

 private:
  Result<SqliteDatabase*> Database(RegistryRoot root, RegistryAccess access);
  Result<SqliteDatabase*> OpenForWriting(RegistryRoot root);
  Status InWriteTransaction(SqliteDatabase& db, const std::function<Status()>& work);

  std::string folder_;
  std::map<std::pair<RegistryRoot, RegistryAccess>, SqliteDatabase> open_;
};

// Data bytes of the handled kinds, as the registry stores them.
std::string TextData(const std::string& text);
std::string NumberData(std::uint32_t number);

}  // namespace korrin
