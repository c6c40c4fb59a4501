#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "formats/OptionSetForm.h"
#include "ports/Dialogs.h"
#include "ports/Printers.h"
#include "settings/ExportTemplateLines.h"

class QGroupBox;
class QTabBar;

namespace korrin {

class ModelFrames;
class PrinterFrames;

// What the export settings window works on.
struct ExportsettingsPorts {
  ExportTemplateLines& store;  // the template in memory, which "Apply and Exit." changes
  std::string programFolder;   // where "Read from file" and "Save  to file" find the template file
  Dialogs& dialogs;
  const Printers& printers;
  std::string paperFile;    // the paper size definitions
  std::string hostVersion;  // the host's registry version tag ("RegistryVersion5.2")
};

// The window "Exportsettings": one tab per export format over the frames of
// the format's option set, and the commands that move the values between the
// tabs, the template in memory and the template file. A new window shows
// every set's defaults. The main window makes one per opening (closing
// unloads it), calls PrepareForFormat and then exec(); Accepted means "Apply
// and Exit." put the tabs into the template. The window keeps a fixed size.
class Exportsettings final : public QDialog, public OptionSetForm {
  Q_OBJECT

 public:
  explicit Exportsettings(ExportsettingsPorts ports, QWidget* parent = nullptr);
  ~Exportsettings() override;

  // Every tab loaded from the template, then the tab of the export format
  // chosen: "PRINTER", or the last three letters of the export pattern
  // ("STP" for "*.STP"). A key that names no tab leaves the tab as it was.
  void PrepareForFormat(const std::string& key);

  // Shows the frames of a tag: the four printer frames for "PRINTER", else
  // the frames whose caption starts with the tag (any case).
  void ShowFramesForTag(const std::string& tag);
  // Selects the first tab of that caption (any case); none matching, nothing.
  void SelectTab(const std::string& caption);

  // The printer list's and the paper list's handlers, which the printer set's
  // loading and the paper size editor also run.
  void Combo5_Click();
  void Combo6_Click();

  // The five commands below the tabs.
  void InventorDefaults();
  void CancelAndExit();
  void ReadFromFile();
  void ApplyAndExit();
  void SaveToFile();

  // Cancel and Escape: the template keeps what it had.
  void reject() override;

#define KORRIN_EXPORTSETTINGS_SET(Options)   \
  void Read(Options& options) const override; \
  void Show(const Options& options) override;
  KORRIN_EXPORTSETTINGS_SET(IptOptions)
  KORRIN_EXPORTSETTINGS_SET(BmpOptions)
  KORRIN_EXPORTSETTINGS_SET(SatOptions)
  KORRIN_EXPORTSETTINGS_SET(IgsOptions)
  KORRIN_EXPORTSETTINGS_SET(StpOptions)
  KORRIN_EXPORTSETTINGS_SET(StlOptions)
  KORRIN_EXPORTSETTINGS_SET(PtpOptions)
  KORRIN_EXPORTSETTINGS_SET(AmpOptions)
  KORRIN_EXPORTSETTINGS_SET(DwpOptions)
  KORRIN_EXPORTSETTINGS_SET(PrinterOptions)
#undef KORRIN_EXPORTSETTINGS_SET

 signals:
  // The window was closed by one of its commands or Escape.
  void unloaded();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildTabs();
  void FitTabsToWidth();
  void BuildCommands();
  void PlaceFrames();
  void DisableForOldHost();
  void ShowFramesOfSelectedTab();
  void LoadAllTabs();

  ExportsettingsPorts ports_;
  QTabBar* tabs_;
  QWidget* page_;
  ModelFrames* modelFrames_;
  PrinterFrames* printerFrames_;
  std::vector<QGroupBox*> frames_;
};

}  // namespace korrin
