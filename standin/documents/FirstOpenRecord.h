#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "ports/Result.h"

namespace korrin::standin {

// The file in an installed host's program folder that holds the record.
inline constexpr const char* kFirstOpenRecordFileName = "Inventor.first-opens";

// The documents whose first open the host has failed on purpose (a "first"
// fault), by full name, so that only the first open of each fails. An
// installed host keeps the record in its program folder: a host restarted
// after such a fault, or a new process, does not fail the reopen. Without a
// file the record lives as long as this object.
class FirstOpenRecord {
 public:
  FirstOpenRecord() = default;
  explicit FirstOpenRecord(std::filesystem::path file) : file_(std::move(file)) {}

  // From now on the record is (also) kept in this file.
  void KeepIn(std::filesystem::path file) { file_ = std::move(file); }
  bool Contains(const std::string& fullFileName) const;
  // Adds the name; the file is rewritten atomically. A name the file cannot
  // hold (one with a line break) and a failed write are still remembered
  // for the life of this object, and the write's failure is returned.
  Status Add(const std::string& fullFileName);

 private:
  std::set<std::string> ReadFile() const;

  std::filesystem::path file_;
  std::set<std::string> names_;
};

// An empty record, replacing whatever the file held.
Status StartFirstOpenRecord(const std::filesystem::path& file);

}  // namespace korrin::standin
