#pragma once

#include <cstddef>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "ports/Result.h"

namespace korrin {

// The window's run logs kept on disk: one file per run in the user's state
// folder, named by the run's start in local time, written line by line as
// the report window's own format (every line ended by CR LF), so a report
// window that was closed loses nothing.

inline constexpr std::size_t kRunLogsKept = 500;

// "$XDG_STATE_HOME/korrin/logs", else "$HOME/.local/state/korrin/logs"; a
// relative or empty XDG_STATE_HOME is ignored, as the XDG rules say. Empty
// when neither variable names a folder.
std::filesystem::path RunLogFolder(const char* stateHome, const char* home);
std::filesystem::path RunLogFolderFromEnvironment();

// "2026-12-06_213045" for a run started at 21:30:45 on 6 December 2026.
std::string RunLogBaseName(const std::tm& localStart);

// Whether a file name is one of the run logs: the base name, optionally
// "-2", "-3" ..., then ".log".
bool IsRunLogName(const std::string& name);

// Removes the oldest run logs of the folder until at most keep are left;
// other files are never touched. Returns how many were removed.
std::size_t PruneRunLogs(const std::filesystem::path& folder, std::size_t keep = kRunLogsKept);

// One run's log file, open for appending while the run works.
class RunLogFile {
 public:
  // Creates the folder when needed and a new file named after the start,
  // never one that exists: the first free of "NAME.log", "NAME-2.log" ...
  static Result<std::unique_ptr<RunLogFile>> Create(const std::filesystem::path& folder, const std::tm& localStart);
  ~RunLogFile();
  RunLogFile(const RunLogFile&) = delete;
  RunLogFile& operator=(const RunLogFile&) = delete;

  // Writes the line and its CR LF and hands them to the system at once, so
  // the file holds every line logged so far even if the program ends.
  Status Append(const std::string& line);
  const std::filesystem::path& path() const { return path_; }

 private:
  RunLogFile(std::filesystem::path path, std::FILE* file) : path_(std::move(path)), file_(file) {}

  std::filesystem::path path_;
  std::FILE* file_;
};

}  // namespace korrin
