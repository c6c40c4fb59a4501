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

}  // namespace korrin
