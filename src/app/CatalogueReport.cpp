#include "app/CatalogueReport.h"

#include "formats/FormatCatalogue.h"
#include "formats/OptionKeys.h"
#include "formats/OptionSets.h"
#include "settings/ExportTemplateFile.h"
#include "settings/PathText.h"
#include "settings/TextTokens.h"

namespace korrin {
namespace {

void PrintFormats(std::ostream& out) {
  out << "Import formats, each with the export formats offered for it:\n";
  for (const std::string& caption : FillImportList()) {
    out << caption << "\n";
    for (const std::string& offered : FillExportList(TextInParentheses(caption), caption)) {
      out << "    " << offered << "\n";
    }
  }
}

// The option sets as the settings window shows them after loading, written
// back in the template's own encoding.
void PrintOptionSets(const ExportTemplateLines& loaded, const OptionSetsInMemory& form, std::ostream& out) {
  ExportTemplateLines shown = loaded;
  ApplyExportSettings(form, shown);
  for (const OptionSetKeys& set : AllOptionSetKeys()) {
    out << set.tag << "\n";
    for (const OptionKey& key : set.keys) {
      std::string value;
      if (shown.GetExportOption(key.key, value)) {
        out << "    " << key.key << "=" << value << "\n";
      } else {
        out << "    " << key.key << " (missing from the template)\n";
      }
    }
  }
}

}  // namespace

bool PrintCatalogue(const std::string& programFolder, std::ostream& out, Dialogs& dialogs, const Printers& printers) {
  PrintFormats(out);

  ExportTemplateLines store;
  if (LoadExportTemplate(programFolder, store, dialogs) == TemplateLoad::EndProgram) return false;
  OptionSetsInMemory form;
  LoadAllOptionSets(false, store, form, printers);
  if (const auto failure = LoadAllOptionSets(true, store, form, printers)) {
    dialogs.ShowMessage(OptionLoadFailureMessage(*failure));
  }
  out << "\nOption sets loaded from " << WithTrailingBackslash(programFolder) << kExportTemplateFileName << ":\n";
  PrintOptionSets(store, form, out);
  return true;
}

}  // namespace korrin
