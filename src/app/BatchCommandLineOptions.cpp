#include "app/BatchCommandLineOptions.h"

#include <algorithm>
#include <array>

namespace korrin {
namespace {

constexpr std::array kOptions{
    BatchOption{"help", "", "Show this help."},
    BatchOption{"version", "", "Show the program's version and platform."},
    BatchOption{"catalogue", "",
                "Print the import formats, the export formats offered for each, and the export option sets of the "
                "export template."},
    BatchOption{"recurse", "", "Walk the subfolders of every folder given."},
    BatchOption{"import", "FORMAT", "The import format: a caption or a pattern such as *.IPT."},
    BatchOption{"export", "FORMAT", "The export format: a caption, a pattern such as *.STP, or Printer."},
    BatchOption{"export-folder", "DIR", "Write the exported files into DIR."},
    BatchOption{"beside-source", "", "Write the exported files beside their sources."},
    BatchOption{"export-ini", "FILE", "The export settings file."},
    BatchOption{"import-ini", "FILE", "The import settings file."},
    BatchOption{"project", "FILE", "The Inventor project file."},
    BatchOption{"print", "", "Print the documents too."},
    BatchOption{"refcheck", "", "Check the references of drawings before exporting them."},
    BatchOption{"skip-existing", "", "Skip every document whose output files are all newer than it."},
    BatchOption{"dry-run", "", "List each document and the file its export would write, without starting the host."},
    BatchOption{"from", "N", "Continue from the N-th entry of the sorted list."},
    BatchOption{"yes", "", "Answer Yes (or OK) to every question."},
    BatchOption{"no", "", "Answer No (or Cancel) to every question (the default)."},
    BatchOption{"report", "FILE", "Save the run log to FILE."},
    BatchOption{"summary", "FILE", "Write the outcome of every entry to FILE as CSV."},
    BatchOption{"save-settings", "", "Keep the choices of this run in the program settings."},
    BatchOption{"host-timeout", "SECONDS",
                "The time limit of each host call that does work (open, save, export, print, quit) and of each wait "
                "on the host (default 600, or KORRIN_HOST_TIMEOUT)."},
    BatchOption{"call-timeout", "SECONDS",
                "The time limit of every other host call (default 30, or KORRIN_CALL_TIMEOUT)."},
    BatchOption{"strip-lineweights", "",
                "After a DWG export, open every file it wrote (one per sheet of a drawing of several) in AutoCAD and "
                "switch its lineweights off."},
    BatchOption{"replace-title-blocks", "",
                "With --strip-lineweights: delete the active sheet's border and title block before the export and "
                "point the DWG translator at the AutoCAD template of that sheet's size."},
    BatchOption{"acad-templates", "DIR",
                "The folder of the AutoCAD templates for --replace-title-blocks (default KORRIN_ACAD_TEMPLATES)."},
    BatchOption{"verify", "",
                "Check the documents instead of converting them: each one's state and its whole reference tree, on "
                "standard output."},
    BatchOption{"validate", "",
                "Check the documents instead of converting them: a table of each one's release, status marks and "
                "remark (with --summary, as CSV)."},
};

}  // namespace

std::span<const BatchOption> BatchOptions() { return kOptions; }

const BatchOption* FindBatchOption(std::string_view name) {
  const auto found = std::find_if(kOptions.begin(), kOptions.end(),
                                  [name](const BatchOption& option) { return option.name == name; });
  return found == kOptions.end() ? nullptr : &*found;
}

}  // namespace korrin
