#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>

#include "host/Apprentice.h"
#include "ports/EventPump.h"

namespace korrin {

// The reference tree of a document opened with a reader, written to the log
// one reference per line, each level indented five blanks further. Every
// occurrence of a shared subassembly is written out again; the reader keeps
// the documents it loaded, so each file is read once.
class ReferenceTree {
 public:
  ReferenceTree(host::Apprentice& reader, std::function<void(const std::string&)> logLine, EventPump& events)
      : reader_(reader), logLine_(std::move(logLine)), events_(events) {}

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
  int level_ = 0;
  // The files on the way down to the one being walked, upper-cased: a
  // damaged file may refer back to one of them.
  std::set<std::string> above_;
};

}  // namespace korrin
