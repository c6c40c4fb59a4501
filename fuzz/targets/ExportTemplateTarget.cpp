// The export template: any bytes loaded as KorrinExportTemplate.INI, every
// option set read from it into the window-less form and written back, the
// result saved and loaded again.
#include <cstdint>

#include "FuzzInput.h"
#include "formats/OptionSetForm.h"
#include "formats/OptionSets.h"
#include "ports/NoPrinters.h"
#include "settings/ExportTemplateFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  using namespace korrin::fuzz;
  const std::filesystem::path file = WriteScratchFile(kExportTemplateFileName, InputBytes(data, size));
  const std::string folder = file.parent_path().string();
  AnsweringDialogs dialogs;
  ExportTemplateLines store;
  if (LoadExportTemplate(folder, store, dialogs) != TemplateLoad::Loaded) return 0;

  OptionSetsInMemory form;
  const NoPrinters printers;
  const std::optional<OptionLoadFailure> failure = LoadAllOptionSets(true, store, form, printers);
  if (failure) (void)OptionLoadFailureMessage(*failure);
  ApplyExportSettings(form, store);
  const std::size_t lineCount = store.lines().size();

  Require(SaveExportTemplate(folder, store, [] {}, dialogs), "the template is saved");
  ExportTemplateLines reloaded;
  Require(LoadExportTemplate(folder, reloaded, dialogs) == TemplateLoad::Loaded, "the saved template loads");
  Require(reloaded.lines() == store.lines(), "the saved template reads back line for line");
  Require(lineCount == store.lines().size(), "collecting the sets adds no line");
  return 0;
}
