#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <vector>

namespace korrin::testing {
namespace {

std::string RandomSuffix(std::mt19937_64& generator) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string suffix;
  for (int i = 0; i < 8; ++i) suffix += kLetters[pick(generator)];
  return suffix;
}

}  // namespace

// create_directory reports whether it made the folder, so a name another
// process took first is never shared (as mkdtemp guarantees on POSIX). The
// folder is the owner's alone, as mkdtemp makes it: the window and host
// folders tests point at one refuse any other mode.
TemporaryFolder::TemporaryFolder() {
  std::mt19937_64 generator(std::random_device{}());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate = base / ("korrin-test-" + RandomSuffix(generator));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = candidate;
      std::filesystem::permissions(candidate, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace,
                                   error);
      if (error) ADD_FAILURE() << "cannot make " << candidate << " the owner's alone: " << error.message();
      return;
    }
  }
  ADD_FAILURE() << "cannot create a temporary folder in " << base;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TemporaryFolder::Write(std::string_view name, std::string_view bytes) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << (path_ / name);
}

std::string TemporaryFolder::Read(std::string_view name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool TemporaryFolder::Exists(std::string_view name) const { return std::filesystem::exists(path_ / name); }

std::string TemporaryFolder::Listing() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const std::string& name : names) listing += (listing.empty() ? "" : " ") + name;
  return listing;
}

}  // namespace korrin::testing
