#pragma once

#include <string>

namespace korrin {

// Why an entry's source cannot be opened as a document now, or nothing when
// it is a regular file (links followed). The list was made before the run:
// by an entry's turn its file may be gone, or a folder, a FIFO or a device
// may stand in its place, and the host would fail the open with a reason of
// its own, or wait on a FIFO for ever.
std::string SourceFileProblem(const std::string& entry);

}  // namespace korrin
