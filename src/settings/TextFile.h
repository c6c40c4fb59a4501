#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Result.h"

namespace korrin {

// The one module through which settings files are read and written. Files are
// bytes in the system code page, read and written whole.

// What reading a text file produced. Lines end at LF; a CR right before the
// LF belongs to the line end, so CR LF and LF files read alike. A last line
// without a line end is still a line.
struct TextFileRead {
  enum class Outcome { Complete, OpenFailed, ReadFailed };

  Outcome outcome = Outcome::Complete;
  // Complete: every line. ReadFailed: the lines read whole before the failure.
  std::vector<std::string> lines;
  Failure failure;  // set unless Complete

  bool complete() const { return outcome == Outcome::Complete; }
};

// Anything but a regular file (links followed) reads no line: a folder, a
// device or a FIFO fails with ReadFailed on POSIX, and the open never waits
// for a FIFO's writer.
TextFileRead ReadTextFile(const std::filesystem::path& path);

// Whether a file of this type can be read as a document or settings file:
// only a regular one. The failure says what it is instead, in the system's
// words where the system has them ("Is a directory").
Status RegularFileStatus(std::filesystem::file_type type);

// A file being replaced: Start creates a temporary file in the same folder,
// Commit writes every line followed by CR LF, makes it reach the disk and
// renames it over the old file. A crash or a full disk therefore leaves
// either the old file or the new one, never a half-written one. On POSIX a
// replaced file keeps its permissions and a new one gets what the user's
// umask allows; on Windows the new file takes the folder's permissions, and a
// read-only file is not replaced. A replacement dropped without a successful
// Commit removes its temporary file.
class FileReplacement {
 public:
  static Result<FileReplacement> Start(const std::filesystem::path& path);

  FileReplacement(FileReplacement&& other) noexcept;
  FileReplacement& operator=(FileReplacement&&) = delete;
  ~FileReplacement();

  Status Commit(const std::vector<std::string>& lines);
  Status CommitBytes(std::string_view bytes);

 private:
  FileReplacement(std::filesystem::path path, std::filesystem::path temporary, int fd);

  std::filesystem::path path_;
  std::filesystem::path temporary_;
  int fd_ = -1;  // the temporary file's descriptor (a C runtime one on Windows)
};

// Start and Commit in one call.
Status WriteTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Makes target a copy of source, replacing target the same safe way.
Status CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace korrin
