#include "FuzzInput.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace korrin::fuzz {
namespace {

std::filesystem::path MakeScratchFolder() {
  std::error_code error;
  // Memory-backed where the system has it: the atomic saves the targets make
  // sync every file, which on a disk would cap a target at tens of inputs a
  // second.
  std::filesystem::path base = "/dev/shm";
  if (!std::filesystem::is_directory(base, error)) base = std::filesystem::temp_directory_path(error);
  if (error) base = "/tmp";
  std::filesystem::path folder = base / ("korrin-fuzz-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "cannot make the scratch folder %s: %s\n", folder.c_str(), error.message().c_str());
    std::abort();
  }
  return folder;
}

struct ScratchFolderOwner {
  std::filesystem::path folder = MakeScratchFolder();
  ~ScratchFolderOwner() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

}  // namespace

const std::filesystem::path& ScratchFolder() {
  static const ScratchFolderOwner owner;
  return owner.folder;
}

std::filesystem::path WriteScratchFile(std::string_view name, std::string_view bytes) {
  const std::filesystem::path path = ScratchFolder() / name;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "cannot write the input file %s\n", path.c_str());
    std::abort();
  }
  return path;
}

std::vector<std::string> SplitAtNul(std::string_view bytes) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = bytes.find('\0', start);
    if (end == std::string_view::npos) {
      parts.emplace_back(bytes.substr(start));
      return parts;
    }
    parts.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }
}

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

}  // namespace korrin::fuzz
