// The windows the main window opens to edit settings files and to show the
// validation report.
#include "ui/Form1.h"

namespace korrin {

void Form1::ShowExportSettingsEditor() { ShowStatusText("The export settings editor is not part of this build"); }

void Form1::ShowImportSettingsEditor() { ShowStatusText("The translator settings editor is not part of this build"); }

void Form1::ShowValidationReport(const ValidationReport& /*report*/) {
  ShowStatusText("The validation report window is not part of this build");
}

}  // namespace korrin
