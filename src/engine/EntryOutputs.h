#pragma once

#include <string>
#include <vector>

namespace korrin {

// The extension, lower case and without its full stop, of the file an export
// pattern writes ("*.STEP" writes ".stp"); empty for printing.
std::string OutputExtension(const std::string& exportPattern);

// The outputs of an output base that exist: "base.ext", then the sheets of a
// multi-sheet export, "base_1.ext", "base_2.ext" ... up to the first missing
// one.
std::vector<std::string> ExistingOutputs(const std::string& outputBase, const std::string& extension);

// What an import saved as the type the host reports left behind: the
// existing ".ipt", ".iam" and ".idw" of the output base.
std::vector<std::string> ExistingImportOutputs(const std::string& outputBase);

// True when there are outputs and each was modified after the source; false
// too when a time cannot be read.
bool AllNewerThan(const std::vector<std::string>& outputs, const std::string& source);

// The outputs an export by the pattern left for an entry at the output base
// when all are newer than the entry; none when one is missing or older. An
// export saved as the type the host reports ("*.IAM") counts any of them.
std::vector<std::string> UpToDateOutputs(const std::string& entry, const std::string& outputBase,
                                         const std::string& exportPattern);

}  // namespace korrin
