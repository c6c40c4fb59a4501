#include "frontend/RunLogFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#endif

namespace korrin {
namespace {

constexpr std::size_t kBaseLength = 17;  // "YYYY-MM-DD_HHMMSS"
constexpr int kMostNamesTried = 10000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBaseName(const std::string& text) {
  if (text.size() != kBaseLength) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char expected = i == 4 || i == 7 ? '-' : i == 10 ? '_' : '0';
    if (expected == '0' ? !IsDigit(text[i]) : text[i] != expected) return false;
  }
  return true;
}

// The order of two runs' logs: by start, then by the number that a second
// run of the same second got ("-2" before "-10").
std::pair<std::string, unsigned long> SortKey(const std::string& name) {
  const std::string stem = name.substr(0, name.size() - 4);
  if (stem.size() == kBaseLength) return {stem, 1};
  return {stem.substr(0, kBaseLength), std::strtoul(stem.c_str() + kBaseLength + 1, nullptr, 10)};
}

Failure ErrnoFailure(int number, const std::string& what) {
  return Failure{number, what + ": " + std::strerror(number)};
}

}  // namespace

std::filesystem::path RunLogFolder(const char* stateHome, const char* home) {
  if (stateHome != nullptr && stateHome[0] == '/') return std::filesystem::path(stateHome) / "korrin" / "logs";
  if (home != nullptr && home[0] != '\0') return std::filesystem::path(home) / ".local" / "state" / "korrin" / "logs";
  return {};
}

std::filesystem::path RunLogFolderFromEnvironment() {
  return RunLogFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

std::string RunLogBaseName(const std::tm& localStart) {
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d_%H%M%S", &localStart);
  return std::string(text, length);
}

bool IsRunLogName(const std::string& name) {
  if (name.size() < kBaseLength + 4 || name.compare(name.size() - 4, 4, ".log") != 0) return false;
  const std::string stem = name.substr(0, name.size() - 4);
  if (!IsBaseName(stem.substr(0, kBaseLength))) return false;
  if (stem.size() == kBaseLength) return true;
  const std::string number = stem.substr(kBaseLength);
  if (number.size() < 2 || number[0] != '-' || number[1] == '0') return false;
  return std::all_of(number.begin() + 1, number.end(), IsDigit);
}

std::size_t PruneRunLogs(const std::filesystem::path& folder, std::size_t keep) {
  std::error_code error;
  std::vector<std::string> logs;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (IsRunLogName(name) && it->is_regular_file(error)) logs.push_back(name);
  }
  if (logs.size() <= keep) return 0;
  std::sort(logs.begin(), logs.end(),
            [](const std::string& a, const std::string& b) { return SortKey(a) < SortKey(b); });
  std::size_t removed = 0;
  for (std::size_t i = 0; i + keep < logs.size(); ++i) {
    if (std::filesystem::remove(folder / logs[i], error)) ++removed;
  }
  return removed;
}

namespace {

// A file made here or not at all, open for writing bytes.
std::FILE* OpenNewFile(const std::filesystem::path& path) {
#ifdef _WIN32
  // The system's C runtime knows no "x" mode.
  const int descriptor = _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) return nullptr;
  std::FILE* file = _fdopen(descriptor, "wb");
  if (file == nullptr) _close(descriptor);
  return file;
#else
  return std::fopen(path.c_str(), "wbx");
#endif
}

}  // namespace

Result<std::unique_ptr<RunLogFile>> RunLogFile::Create(const std::filesystem::path& folder,
                                                       const std::tm& localStart) {
  if (folder.empty()) return Failure{ENOENT, "No folder for run logs (neither XDG_STATE_HOME nor HOME is set)"};
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Failure{error.value(), "Cannot create " + folder.string() + ": " + error.message()};
  const std::string base = RunLogBaseName(localStart);
  for (int number = 1; number <= kMostNamesTried; ++number) {
    const std::filesystem::path path =
        folder / (number == 1 ? base + ".log" : base + "-" + std::to_string(number) + ".log");
    // "x": created here or not at all, so two programs started in the same
    // second never share a file.
    std::FILE* file = OpenNewFile(path);
    if (file != nullptr) return std::unique_ptr<RunLogFile>(new RunLogFile(path, file));
    if (errno != EEXIST) return ErrnoFailure(errno, "Cannot create " + path.string());
  }
  return Failure{EEXIST, "Cannot create a run log in " + folder.string() + ": every name of this second is taken"};
}

RunLogFile::~RunLogFile() { std::fclose(file_); }

Status RunLogFile::Append(const std::string& line) {
  const std::string text = line + "\r\n";
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) {
    return ErrnoFailure(errno, "Cannot write " + path_.string());
  }
  return {};
}

}  // namespace korrin
