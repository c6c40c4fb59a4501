#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "frontend/HostTimeouts.h"

namespace korrin {

// What korrin-batch was asked to do.
struct BatchRequest {
  bool catalogue = false;
  // Check the documents instead of converting them.
  bool verify = false;
  bool validate = false;
  std::vector<std::string> paths;
  bool recurse = false;
  std::optional<std::string> importFormat;  // a caption or a pattern
  std::optional<std::string> exportFormat;
  std::optional<std::string> exportFolder;
  bool besideSource = false;
  std::optional<std::string> exportIniFile;
  std::optional<std::string> importIniFile;
  std::optional<std::string> projectFile;
  bool print = false;
  bool referenceCheck = false;
  bool skipExisting = false;
  // List what a run would convert, and where, without starting the host.
  bool dryRun = false;
  std::optional<std::size_t> from;  // 1-based
  bool answerYes = false;
  std::optional<std::string> reportFile;
  std::optional<std::string> summaryFile;
  bool saveSettings = false;
  HostTimeouts timeouts;
  // How drawings exported to DWG are finished in AutoCAD.
  bool stripLineweights = false;
  bool replaceTitleBlocks = false;
  std::optional<std::string> acadTemplateFolder;
};

// The command line read: a request, or the text to print and the status to
// end with (help, or a usage error).
struct BatchCommandLine {
  std::optional<BatchRequest> request;
  std::string message;
  int exitStatus = 0;
};

inline constexpr int kUsageErrorStatus = 64;

// Reads the arguments after the program name; the time limits not given
// keep the ones passed in (the environment's).
BatchCommandLine ParseBatchCommandLine(const std::vector<std::string>& arguments, HostTimeouts timeouts = {});

}  // namespace korrin
