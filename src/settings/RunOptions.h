#pragma once

#include <string>

#include "ports/Result.h"

namespace korrin {

// Beside Korrin.ini, which keeps exactly the main window's old choices: the
// window's newer run options live in a file of their own.
inline constexpr const char* kRunOptionsFileName = "KorrinRunOptions.ini";

struct RunOptions {
  // "Skip documents already converted": outputs newer than their source
  // are not made again.
  bool skipExisting = false;

  bool operator==(const RunOptions&) const = default;
};

// The options the file in the program folder keeps. A missing or unreadable
// file, a line it does not know and a value other than "0" or "1" leave the
// default: the file is only ever written by the program.
RunOptions ReadRunOptions(const std::string& programFolder);

// Replaces the whole file.
Status WriteRunOptions(const std::string& programFolder, const RunOptions& options);

}  // namespace korrin
