#pragma once

#include <ostream>
#include <string>

#include "ports/Dialogs.h"
#include "ports/Printers.h"

namespace korrin {

// Prints the import formats with the export formats offered for each, then
// every option set as loaded from the export template in programFolder.
// Returns false when the template could not be used.
bool PrintCatalogue(const std::string& programFolder, std::ostream& out, Dialogs& dialogs, const Printers& printers);

}  // namespace korrin
