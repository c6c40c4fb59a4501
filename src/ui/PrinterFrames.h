#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "formats/OptionValues.h"
#include "ports/Dialogs.h"
#include "ports/Printers.h"
#include "settings/ExportTemplateLines.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace korrin {

// What the printer frames reach beyond their controls.
struct PrinterFramePorts {
  const ExportTemplateLines& store;  // the values a wrongly typed field falls back to
  Dialogs& dialogs;
  const Printers& printers;
  std::string paperFile;  // the paper size definitions
};

// The four frames of the PRINTER tab of the export settings window:
// "Printer-Settings" with the printer and paper lists, "Print Range",
// "Scale" and "None IDW settings".
class PrinterFrames final : public QObject {
  Q_OBJECT

 public:
  // The frames are made inside page; the paper size editor opens over window.
  PrinterFrames(QWidget& page, QWidget& window, PrinterFramePorts ports);

  QGroupBox* settingsFrame() const { return settingsFrame_; }
  // "Print Range", "Scale" and "None IDW settings", which keep their own places.
  std::vector<QGroupBox*> sideFrames() const;

  void Read(PrinterOptions& options) const;
  void Show(const PrinterOptions& options);

  // A printer chosen: its papers fill the paper list, the template's paper
  // chosen when the list holds it.
  void Combo5_Click();
  // A paper chosen: its width and height shown; "Add Papersize" only for a
  // paper that has no definition yet.
  void Combo6_Click();

  // The host release that cannot print to a file.
  void DisablePrintToFile();

 private:
  void BuildSettings(QWidget& page);
  void BuildRange(QWidget& page);
  void BuildScale(QWidget& page);
  void BuildNoneIdw(QWidget& page);

  void FillPrinters(const std::string& chosen);
  void FillPapers(const std::string& wanted);
  void CopiesChanged();
  void CopiesScrolled(int position);
  void SheetChanged(QLineEdit& field, const char* key);
  void RangeChanged();
  void ScaleChanged();
  void CollateChanged();
  void AddPapersize();
  void CustomPapersize();

  PrinterFramePorts ports_;
  QWidget& window_;
  QGroupBox* settingsFrame_ = nullptr;
  QGroupBox* rangeFrame_ = nullptr;
  QGroupBox* scaleFrame_ = nullptr;
  QGroupBox* noneIdwFrame_ = nullptr;

  QComboBox* printer_ = nullptr;
  QComboBox* paper_ = nullptr;
  QLabel* paperWidth_ = nullptr;
  QLabel* paperHeight_ = nullptr;
  QCheckBox* showPrinterSupported_ = nullptr;
  QPushButton* addPapersize_ = nullptr;
  QLineEdit* copies_ = nullptr;
  QScrollBar* copiesBar_ = nullptr;
  QCheckBox* collate_ = nullptr;
  QLabel* collated_ = nullptr;
  QLabel* uncollated_ = nullptr;
  QCheckBox* printToFile_ = nullptr;
  QButtonGroup* colourMode_ = nullptr;
  QRadioButton* color_ = nullptr;
  QRadioButton* greyScale_ = nullptr;
  QCheckBox* rotate90_ = nullptr;

  QButtonGroup* range_ = nullptr;
  QRadioButton* currentSheet_ = nullptr;
  QRadioButton* allSheets_ = nullptr;
  QRadioButton* sheetsInRange_ = nullptr;
  QLineEdit* sheetFrom_ = nullptr;
  QLineEdit* sheetTo_ = nullptr;

  QButtonGroup* scale_ = nullptr;
  QRadioButton* model_ = nullptr;
  QRadioButton* bestFit_ = nullptr;
  QRadioButton* custom_ = nullptr;
  QLineEdit* customScale_ = nullptr;

  QButtonGroup* renderStyle_ = nullptr;
  QRadioButton* wireFrame_ = nullptr;
  QRadioButton* shaded_ = nullptr;
  QRadioButton* hidden_ = nullptr;
  QCheckBox* iso_ = nullptr;
  QCheckBox* fitNoneIdw_ = nullptr;
};

}  // namespace korrin
