// The windows the main window opens to edit settings files and to show the
// validation report.
#include <QComboBox>
#include <QLineEdit>

#include "filelist/ImportFilter.h"
#include "formats/FormatCatalogue.h"
#include "host/HostInstallation.h"
#include "print/PaperSizeFile.h"
#include "settings/TextCase.h"
#include "settings/TextTokens.h"
#include "ui/AutoCADSetup.h"
#include "ui/Exportsettings.h"
#include "ui/Form1.h"
#include "ui/Form6.h"
#include "ui/ValidationResult.h"

namespace korrin {

std::unique_ptr<Form6> Form1::CreateSettingsEditor() {
  Form6Ports ports{ports_.dialogs, state_.version.registryVersionTag,
                   HostTemplateFolder(ports_.registry, state_.version.registryVersionTag),
                   [this] { return TextInParentheses(state_.exportCaption); },
                   [this] { AcadSetupWindow().exec(); }};
  return std::make_unique<Form6>(std::move(ports), this);
}

void Form1::ShowExportSettingsEditor() {
  if (IsDwgOrDxfExport(state_.exportCaption)) {
    const std::string path = Text2->text().toStdString();
    const auto editor = CreateSettingsEditor();
    if (!editor->LoadSettingsList(path)) return;
    editor->setWindowTitle(QString::fromStdString(path));
    editor->exec();
    return;
  }
  // Closing the settings window unloads it, so every opening starts from a
  // new window loaded afresh from the template: edits that were never
  // applied are gone, and no tab or control keeps the state it was left in.
  const std::string key = EqualsIgnoringCase(state_.exportCaption, "Printer")
                              ? "PRINTER"
                              : ToUpperAscii(LastThree(TextInParentheses(state_.exportCaption)));
  const auto window = CreateExportSettingsWindow();
  window->PrepareForFormat(key);
  window->exec();
}

void Form1::ShowImportSettingsEditor() {
  const std::string path = Text4->text().toStdString();
  const auto editor = CreateSettingsEditor();
  // Shown even after a read error, with the lines read before it.
  (void)editor->LoadSettingsList(path);
  editor->setWindowTitle(QString::fromStdString(path));
  editor->exec();
}

std::unique_ptr<Exportsettings> Form1::CreateExportSettingsWindow() {
  return std::make_unique<Exportsettings>(
      ExportsettingsPorts{state_.options, ports_.place.programFolder, ports_.dialogs, ports_.printers,
                          PaperSizeFilePath(ports_.place.programFolder), state_.version.registryVersionTag},
      this);
}

AutoCADSetup& Form1::AcadSetupWindow() {
  if (acadWindow_ == nullptr) acadWindow_ = new AutoCADSetup(acadSetup_, this);
  return *acadWindow_;
}

void Form1::ExportPatternChanged() {
  acadSetup_.ExportPatternChanged(PatternOf(state_.exportCaption));
  if (acadWindow_ != nullptr) acadWindow_->Refresh();
}

ValidationResult* Form1::validation() const { return validation_; }

ValidationResult& Form1::ValidationWindow() {
  if (validation_ == nullptr) {
    validation_ = new ValidationResult(this, ports_.reportPrinter);
    // Kept when closed (closing empties it): a validation that is still
    // filling it may hold on to it.
  }
  return *validation_;
}

}  // namespace korrin
