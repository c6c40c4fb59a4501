#pragma once

#include "documents/LineTokens.h"
#include "documents/StandinDocument.h"

namespace korrin::standin {

// The words a sheet line starts with wherever the stand-in writes one (its
// documents and its drawing exchange files): the name, the size in
// centimetres, the size code, border and title block. A document's line
// goes on with more; the caller reads the rest and ends the line.
StandinSheet ReadSheetFrame(LineTokens& line);

}  // namespace korrin::standin
