#pragma once

#include <string>

#include "engine/ExportContext.h"

namespace korrin {

// What the format step decided for an entry.
struct FormatExport {
  enum class Next { Continue, NextEntry, EndRun };

  std::string translatorTag;  // handed to the translator export
  bool directSave = true;     // the output is written: no translator export
  std::string outputBase;     // the entry's output base path, possibly now the file written
  Next next = Next::Continue;
};

// Writes the output of formats the host saves itself (native documents,
// packages, bitmaps, SAT ...) or picks the translator for the rest, by the
// export pattern ("*.IPT", "*.DWG", "PRINTE" ...). Failing host saves are
// kept in the context's pending failure for the run to report.
FormatExport ExportByFormat(ExportContext& context, const std::string& exportPattern, const std::string& outputBase,
                            host::DocumentHandle document);

}  // namespace korrin
