#pragma once

#include <QObject>
#include <vector>

#include "formats/OptionValues.h"
#include "settings/ExportTemplateLines.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace korrin {

// The frames of the export settings window for the formats that are no
// printer: one frame per tab, each with the controls of its option set, the
// rules that tie the controls together, and the checks of the typed values.
// The frames of the formats without options say so.
class ModelFrames final : public QObject {
  Q_OBJECT

 public:
  // The frames are made inside page; a field that is typed into wrongly gets
  // the value the template holds for it.
  ModelFrames(QWidget& page, const ExportTemplateLines& store);

  const std::vector<QGroupBox*>& frames() const { return frames_; }

  void Read(IptOptions& options) const;
  void Show(const IptOptions& options);
  void Read(BmpOptions& options) const;
  void Show(const BmpOptions& options);
  void Read(SatOptions& options) const;
  void Show(const SatOptions& options);
  void Read(IgsOptions& options) const;
  void Show(const IgsOptions& options);
  void Read(StpOptions& options) const;
  void Show(const StpOptions& options);
  void Read(StlOptions& options) const;
  void Show(const StlOptions& options);
  void Read(PtpOptions& options) const;
  void Show(const PtpOptions& options);
  void Read(AmpOptions& options) const;
  void Show(const AmpOptions& options);
  void Read(DwpOptions& options) const;
  void Show(const DwpOptions& options);

  // The host release that cannot choose the ACIS version.
  void DisableSatVersion();

 private:
  QGroupBox* AddFrame(QWidget& page, const char* name, const char* caption);
  void BuildIpt(QWidget& page);
  void BuildBmp(QWidget& page);
  void BuildSat(QWidget& page);
  void BuildIgs(QWidget& page);
  void BuildStp(QWidget& page);
  void BuildStl(QWidget& page);
  void BuildPublishing(QWidget& page);
  void BuildWithoutOptions(QWidget& page, const char* name, const char* caption);

  void SavePreviewChanged();
  void OutputGeometryChanged();
  void ApplicationProtocolChanged();
  void InventorUsernameChanged();
  void ImageSizeChanged(QLineEdit& field, const char* key);
  void StlValueChanged(QLineEdit& field, const char* key);
  void StlResolutionChosen(QLineEdit& field, const char* defaultValue);

  const ExportTemplateLines& store_;
  std::vector<QGroupBox*> frames_;

  QCheckBox* savePreview_ = nullptr;
  QButtonGroup* previewSource_ = nullptr;
  QRadioButton* activeWindowOnSave_ = nullptr;
  QRadioButton* activeWindow_ = nullptr;
  QRadioButton* importFromFile_ = nullptr;

  QLineEdit* imageWidth_ = nullptr;
  QLineEdit* imageHeight_ = nullptr;

  QComboBox* satVersion_ = nullptr;

  QComboBox* outputGeometryType_ = nullptr;
  QComboBox* surfaceType_ = nullptr;
  QComboBox* solidFaceType_ = nullptr;
  QCheckBox* importHealing_ = nullptr;
  QCheckBox* importStitch_ = nullptr;

  QButtonGroup* applicationProtocol_ = nullptr;
  QRadioButton* configurationControlledDesign_ = nullptr;
  QRadioButton* automotiveDesign_ = nullptr;
  QComboBox* automotiveDesignStatus_ = nullptr;
  QLineEdit* authorization_ = nullptr;
  QLineEdit* author_ = nullptr;
  QCheckBox* inventorUsername_ = nullptr;
  QLineEdit* organization_ = nullptr;
  QLineEdit* description_ = nullptr;

  QButtonGroup* stlResolution_ = nullptr;
  QRadioButton* stlHigh_ = nullptr;
  QRadioButton* stlMedium_ = nullptr;
  QRadioButton* stlLow_ = nullptr;
  QLineEdit* stlHighValue_ = nullptr;
  QLineEdit* stlMediumValue_ = nullptr;
  QLineEdit* stlLowValue_ = nullptr;

  QCheckBox* ptpComponentProperties_ = nullptr;
  QCheckBox* ampComponentProperties_ = nullptr;
  QCheckBox* ampDesignViewInformation_ = nullptr;
  QCheckBox* dwpPublishProperties_ = nullptr;
  QButtonGroup* dwpSheets_ = nullptr;
  QRadioButton* allSheets_ = nullptr;
  QRadioButton* currentSheetOnly_ = nullptr;
};

}  // namespace korrin
