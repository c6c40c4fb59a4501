#include "settings/TextFile.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "settings/TextFilePlatform.h"

namespace korrin {
namespace {

using text_file_platform::ReadWholeFile;
using text_file_platform::WholeFile;

// Splits bytes into lines; with whole_file false a last line without its line
// end is left out, since the read stopped inside it.
std::vector<std::string> SplitLines(std::string_view bytes, bool whole_file) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) {
      if (whole_file) lines.emplace_back(bytes.substr(start));
      break;
    }
    std::size_t length = end - start;
    if (length > 0 && bytes[end - 1] == '\r') --length;
    lines.emplace_back(bytes.substr(start, length));
    start = end + 1;
  }
  return lines;
}

}  // namespace

TextFileRead ReadTextFile(const std::filesystem::path& path) {
  const WholeFile read = ReadWholeFile(path);
  TextFileRead result;
  switch (read.outcome) {
    case WholeFile::Outcome::Complete:
      result.lines = SplitLines(read.bytes, true);
      break;
    case WholeFile::Outcome::OpenFailed:
      result.outcome = TextFileRead::Outcome::OpenFailed;
      result.failure = read.failure;
      break;
    case WholeFile::Outcome::ReadFailed:
      result.outcome = TextFileRead::Outcome::ReadFailed;
      result.lines = SplitLines(read.bytes, false);
      result.failure = read.failure;
      break;
  }
  return result;
}

Status RegularFileStatus(std::filesystem::file_type type) {
  using std::filesystem::file_type;
  switch (type) {
    case file_type::regular:
      return {};
    case file_type::not_found:
      return Failure{ENOENT, std::strerror(ENOENT)};
    case file_type::directory:
      return Failure{EISDIR, std::strerror(EISDIR)};
    case file_type::fifo:
      return Failure{EINVAL, "Is a FIFO, not a regular file"};
    case file_type::character:
    case file_type::block:
      return Failure{EINVAL, "Is a device, not a regular file"};
    case file_type::socket:
      return Failure{EINVAL, "Is a socket, not a regular file"};
    default:
      return Failure{EINVAL, "Is not a regular file"};
  }
}

FileReplacement::FileReplacement(std::filesystem::path path, std::filesystem::path temporary, int fd)
    : path_(std::move(path)), temporary_(std::move(temporary)), fd_(fd) {}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : path_(std::move(other.path_)), temporary_(std::move(other.temporary_)), fd_(other.fd_) {
  other.fd_ = -1;
  other.temporary_.clear();
}

Status FileReplacement::Commit(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return CommitBytes(bytes);
}

Status WriteTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  Result<FileReplacement> replacement = FileReplacement::Start(path);
  if (!replacement) return replacement.failure();
  return replacement.value().Commit(lines);
}

Status CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target) {
  const WholeFile read = ReadWholeFile(source);
  if (read.outcome != WholeFile::Outcome::Complete) return read.failure;
  Result<FileReplacement> replacement = FileReplacement::Start(target);
  if (!replacement) return replacement.failure();
  return replacement.value().CommitBytes(read.bytes);
}

}  // namespace korrin
