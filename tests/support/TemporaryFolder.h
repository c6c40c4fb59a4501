#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korrin::testing {

// A fresh folder for one test, removed with everything in it afterwards.
class TemporaryFolder {
 public:
  TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder();

  const std::filesystem::path& path() const { return path_; }
  std::string string() const { return path_.string(); }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  // Writes bytes exactly as given.
  void Write(std::string_view name, std::string_view bytes) const;
  // Reads a file's bytes exactly; empty when it cannot be read.
  std::string Read(std::string_view name) const;
  bool Exists(std::string_view name) const;
  // Names of the entries in the folder, sorted.
  std::string Listing() const;

 private:
  std::filesystem::path path_;
};

}  // namespace korrin::testing
