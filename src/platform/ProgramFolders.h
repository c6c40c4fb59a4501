#pragma once

#include <string>

namespace korrin {

// The folder the program's own files live in: KORRIN_HOME when it is set,
// else the folder of the running executable.
std::string ProgramFolder();

// The folder of the AutoCAD templates that replace the host's title blocks:
// KORRIN_ACAD_TEMPLATES, or empty when it is not set.
std::string AcadTemplateFolder();

// The user's temporary folder: TEMP, else TMPDIR (TMP on Windows), else the
// system's own (/tmp on Linux).
std::string TempFolder();

}  // namespace korrin
