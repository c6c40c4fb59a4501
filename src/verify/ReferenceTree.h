#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>

#include "host/Apprentice.h"
#include "ports/EventPump.h"
#include "settings/PathText.h"

namespace korrin {

// The reference tree of a document opened with a reader, written to the log
// one reference per line, each level indented five blanks further. Every
// occurrence of a shared subassembly is written out again; the reader keeps
// the documents it loaded, so each file is read once.
class ReferenceTree {
 public:
  // Files are told apart by the platform's rule for letter case.
  ReferenceTree(host::Apprentice& reader, std::function<void(const std::string&)> logLine, EventPump& events,
                FileNameCase names = kNativeFileNameCase)
      : reader_(reader), logLine_(std::move(logLine)), events_(events), names_(names) {}

  // True when every reference below the document resolved; a failure of
  // the reader ends the walk of the whole tree at once and is returned.
  // The file itself counts as being walked, so a reference back to it is
  // a cycle.
  Result<bool> LogReferenceTree(host::DocumentHandle document, const std::string& fileName);

 private:
  Result<bool> Walk(host::DocumentHandle document);
  Result<bool> WalkReference(const host::ReferencedFile& file);

  host::Apprentice& reader_;
  std::function<void(const std::string&)> logLine_;
  EventPump& events_;
  FileNameCase names_;
  int level_ = 0;
  // The keys of the files on the way down to the one being walked: a
  // damaged file may refer back to one of them.
  std::set<std::string> above_;
};

}  // namespace korrin
