#pragma once

#include <string>

#include "engine/ExportContext.h"

namespace korrin {

// Writes the document through the host's translator for the last three
// characters of outputFile (DWG, DXF, DWF, SAT, IGS, STP, STL), fed with the
// export option set. "" on success, else the text the run logs after
// "Error saving: ". The wait for the host to finish ends early only when
// the run is aborted or the run's time limit passes.
std::string ExportThroughTranslator(ExportContext& context, host::DocumentHandle document,
                                    const std::string& outputFile);

// Waits until a translator the host runs for file has finished (the host's
// command state is idle again), yielding between reads. "" when it finished
// or the run was aborted, else the text that the host was still busy with
// the activity ("saving", "importing") when the run's time limit passed.
std::string WaitForTranslator(ExportContext& context, const std::string& file, const std::string& activity);

}  // namespace korrin
