#include "frontend/ProgramStart.h"

#include "formats/FormatCatalogue.h"
#include "formats/OptionSetForm.h"
#include "formats/OptionSets.h"
#include "frontend/StartUpSteps.h"
#include "host/HostSession.h"
#include "settings/ExportTemplateFile.h"
#include "settings/PathText.h"
#include "settings/TextTokens.h"

namespace korrin {
namespace {

class StateChoiceForm final : public ExportChoiceForm {
 public:
  explicit StateChoiceForm(ProgramState& state) : state_(state) {}

  void SetExportSettingsFile(const std::string& path) override { state_.exportIniFile = path; }
  void SetImportSettingsFile(const std::string& path) override { state_.importIniFile = path; }
  void SetPrintDocuments(bool enabled, bool ticked) override {
    state_.printEnabled = enabled;
    state_.printDocuments = ticked;
  }

 private:
  ProgramState& state_;
};

void ApplyChoice(ProgramState& state) {
  StateChoiceForm form(state);
  ApplyExportChoice(state.exportCaption, state.settings, form);
}

}  // namespace

void ProgramState::ChooseImportFormat(const std::string& caption) {
  importCaption = caption;
  const std::string pattern = TextInParentheses(caption);
  settings.BatchLastImportFilter = pattern;
  exportCaptions = FillExportList(pattern, caption);
  exportCaption.clear();
  if (!exportCaptions.empty()) ChooseExportFormat(exportCaptions.front());
}

void ProgramState::ChooseExportFormat(const std::string& caption) {
  exportCaption = caption;
  ApplyChoice(*this);
  settings.BatchLastExportFilter = TextInParentheses(caption);
}

void ProgramState::SetExportIniFile(const std::string& path) {
  exportIniFile = path;
  const std::string pattern = TextInParentheses(exportCaption);
  if (pattern == "*.DWG") {
    settings.BatchLastExportDWGFile = path;
  } else if (pattern == "*.DXF") {
    settings.BatchLastExportDXFFile = path;
  } else {
    settings.BatchLastSettingFile = path;
  }
}

void ProgramState::SetImportIniFile(const std::string& path) {
  importIniFile = path;
  settings.BatchLastImportDWGFile = path;
}

void ProgramState::SetExportFolder(std::optional<std::string> folder) {
  exportFolder = std::move(folder);
  settings.BatchExportToFolder.assign(1, exportFolder ? '1' : '0');
  if (exportFolder && !exportFolder->empty()) settings.BatchlastExportToFolder = *exportFolder;
}

std::optional<ProgramState> StartProgram(const StartPorts& ports,
                                         const std::function<bool(ProgramState&)>& chooseFormats) {
  ProgramState state;
  ReadProgramSettings(ports.place, state.settings, ports.dialogs);
  const std::string savedExportFilter = state.settings.BatchLastExportFilter;
  // The format boxes follow the saved choices alone; they are filled first
  // so a front end can change the choice before the host is touched.
  if (auto import = FirstEntryContaining(FillImportList(), state.settings.BatchLastImportFilter)) {
    state.ChooseImportFormat(*import);
  }
  ApplyChoice(state);
  if (auto exported = FirstEntryContaining(state.exportCaptions, savedExportFilter)) {
    state.ChooseExportFormat(*exported);
  }
  if (chooseFormats && !chooseFormats(state)) return std::nullopt;

  state.installFolder = HostInstallFolder(ports.registry);
  if (state.installFolder.empty()) {
    ports.dialogs.ShowMessage(kHostNotDetected);
    return std::nullopt;
  }
  if (const std::string failure = ApprenticeSelfTest(ports.connector, ports.place.programFolder); !failure.empty()) {
    ports.dialogs.ShowMessage(ApprenticeFailureMessage(failure));
  }
  state.version = DetectHostVersion(ports.registry, ports.dialogs);
  if (state.version.endProgram) return std::nullopt;
  state.caption = ProgramCaption(state.version.registryVersionTag);
  if (LoadExportTemplate(ports.place.programFolder, state.options, ports.dialogs) == TemplateLoad::EndProgram) {
    return std::nullopt;
  }
  if (!PrepareHost({ports.connector, ports.processes, ports.dialogs, ports.events})) {
    ports.dialogs.ShowMessage(kHostNotPrepared);
    return std::nullopt;
  }
  state.exportFolder = ExportFolderAtStart(state.settings, ports.place.tempFolder);
  state.projectFile = ProjectFileAtStart(ports.registry, state.version.registryVersionTag, state.installFolder);

  // The run reads the template's lines; loading the sets as the settings
  // window does tells the user now of a value that would not convert.
  OptionSetsInMemory form;
  LoadAllOptionSets(false, state.options, form, ports.printers);
  if (const auto failure = LoadAllOptionSets(true, state.options, form, ports.printers)) {
    ports.dialogs.ShowMessage(OptionLoadFailureMessage(*failure));
  }
  return state;
}

}  // namespace korrin
