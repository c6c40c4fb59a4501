#pragma once

#include <filesystem>
#include <string>

#include "ports/Result.h"

// What the text-file module asks of the system, one implementation per
// platform (TextFilePosix.cpp, TextFileWindows.cpp). The module's public
// calls (TextFile.h) are built on these and on FileReplacement's platform
// members.
namespace korrin::text_file_platform {

// A whole file's bytes, or how far reading it got.
struct WholeFile {
  enum class Outcome { Complete, OpenFailed, ReadFailed };

  Outcome outcome = Outcome::Complete;
  // Complete: every byte. ReadFailed: the bytes read before the failure.
  std::string bytes;
  Failure failure;  // set unless Complete
};

WholeFile ReadWholeFile(const std::filesystem::path& path);

}  // namespace korrin::text_file_platform
