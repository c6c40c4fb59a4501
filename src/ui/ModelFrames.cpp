#include "ui/ModelFrames.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/FormControls.h"

namespace korrin {
namespace {

constexpr const char* kImageSizeTip = "Min. 0, max. 10000";
constexpr double kImageSizeMaximum = 10000;
constexpr const char* kRestartTip = "Restart of Inventor needed if changed";
constexpr const char* kStlValueTip = "Change with CAUTION. Restart of Inventor needed if changed";
constexpr const char* kNoOptions = "No options available";

constexpr const char* kSurfaces = "Surfaces";
constexpr const char* kSolids = "Solids";

struct StlLevel {
  const char* caption;
  const char* name;
  const char* key;
  const char* defaultValue;
  const char* defaultTip;
};
constexpr StlLevel kStlHigh{"High", "StlHigh", "STLHigh", "20000", "Default: 20000"};
constexpr StlLevel kStlMedium{"Medium", "StlMedium", "STLMedium", "6300", "Default: 6300"};
constexpr StlLevel kStlLow{"Low", "StlLow", "STLLow", "2000", "Default: 2000"};

QComboBox* List(QWidget* parent, const char* name, const QStringList& items) {
  auto* list = Named(new QComboBox(parent), name);
  list->addItems(items);
  list->setCurrentIndex(-1);
  return list;
}

std::string StoredValue(const ExportTemplateLines& store, const char* key) {
  std::string value;
  store.GetExportOption(key, value);
  return value;
}

QRadioButton* ChosenOf(bool first, QRadioButton* ifTrue, QRadioButton* ifFalse) { return first ? ifTrue : ifFalse; }

}  // namespace

ModelFrames::ModelFrames(QWidget& page, const ExportTemplateLines& store) : QObject(&page), store_(store) {
  BuildIpt(page);
  BuildBmp(page);
  BuildSat(page);
  BuildIgs(page);
  BuildStp(page);
  BuildStl(page);
  BuildPublishing(page);
}

QGroupBox* ModelFrames::AddFrame(QWidget& page, const char* name, const char* caption) {
  auto* frame = Named(new QGroupBox(caption, &page), name);
  frames_.push_back(frame);
  return frame;
}

void ModelFrames::BuildIpt(QWidget& page) {
  QGroupBox* frame = AddFrame(page, "iptframe", "IPT/IAM/IDW/IDE/IPN-Settings");
  savePreview_ = Named(new QCheckBox("Save Preview Picture", frame), "SavePreviewPicture");
  activeWindowOnSave_ = Named(new QRadioButton("Active Window on Save", frame), "ActiveWindowOnSave");
  activeWindow_ = Named(new QRadioButton("Active Window", frame), "ActiveWindow");
  importFromFile_ = Named(new QRadioButton("Import from file", frame), "ImportFromFile");
  previewSource_ = new QButtonGroup(frame);
  for (QRadioButton* button : {activeWindowOnSave_, activeWindow_, importFromFile_}) previewSource_->addButton(button);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(savePreview_);
  for (QRadioButton* button : {activeWindowOnSave_, activeWindow_, importFromFile_}) layout->addWidget(button);
  layout->addStretch(1);
  connect(savePreview_, &QCheckBox::toggled, this, &ModelFrames::SavePreviewChanged);
  SavePreviewChanged();
}

void ModelFrames::BuildBmp(QWidget& page) {
  QGroupBox* frame = AddFrame(page, "bmpframe", "BMP-Settings");
  imageWidth_ = Named(new QLineEdit(frame), "ImageWidth", kImageSizeTip);
  imageHeight_ = Named(new QLineEdit(frame), "ImageHeight", kImageSizeTip);
  auto* layout = new QFormLayout(frame);
  layout->addRow("Image width", imageWidth_);
  layout->addRow("Image height", imageHeight_);
  connect(imageWidth_, &QLineEdit::textChanged, this, [this] { ImageSizeChanged(*imageWidth_, "BMP_X"); });
  connect(imageHeight_, &QLineEdit::textChanged, this, [this] { ImageSizeChanged(*imageHeight_, "BMP_Y"); });
}

void ModelFrames::BuildSat(QWidget& page) {
  QGroupBox* frame = AddFrame(page, "satframe", "SAT-Settings");
  satVersion_ = List(frame, "SatVersion", {"4", "5", "6", "7"});
  auto* layout = new QFormLayout(frame);
  layout->addRow("Version", satVersion_);
}

void ModelFrames::BuildIgs(QWidget& page) {
  QGroupBox* frame = AddFrame(page, "igesframe", "IGS-Settings");
  outputGeometryType_ = List(frame, "OutputGeometryType", {kSurfaces, kSolids, "Wireframe"});
  surfaceType_ = List(frame, "SurfaceType", {"143 - Bounded", "144 - Trimmed"});
  solidFaceType_ = List(frame, "SolidFaceType", {"NURBS", "Analytic"});
  importHealing_ = Named(new QCheckBox("Import Enable Healing", frame), "ImportEnableHealing", kRestartTip);
  importStitch_ = Named(new QCheckBox("Autostitch and Promote", frame), "AutostitchAndPromote", kRestartTip);
  auto* layout = new QGridLayout(frame);
  layout->addWidget(new QLabel("Output Geometry Type", frame), 0, 0);
  layout->addWidget(outputGeometryType_, 0, 1);
  layout->addWidget(new QLabel("( Defines for STEP too )", frame), 0, 2);
  layout->addWidget(new QLabel("Surface Type", frame), 1, 0);
  layout->addWidget(surfaceType_, 1, 1);
  layout->addWidget(new QLabel("Solid Face Type", frame), 2, 0);
  layout->addWidget(solidFaceType_, 2, 1);
  layout->addWidget(importHealing_, 3, 0, 1, 2);
  layout->addWidget(importStitch_, 4, 0, 1, 2);
  layout->setRowStretch(5, 1);
  connect(outputGeometryType_, &QComboBox::currentTextChanged, this, &ModelFrames::OutputGeometryChanged);
  OutputGeometryChanged();
}

void ModelFrames::BuildStp(QWidget& page) {
  QGroupBox* frame = AddFrame(page, "stpframe", "STP-Settings");
  auto* protocol = Named(new QGroupBox("Application Protocol", frame), "ApplicationProtocol");
  configurationControlledDesign_ =
      Named(new QRadioButton("Configuration Controlled Design", protocol), "ConfigurationControlledDesign");
  automotiveDesign_ = Named(new QRadioButton("Automotive Design", protocol), "AutomotiveDesign");
  applicationProtocol_ = new QButtonGroup(protocol);
  applicationProtocol_->addButton(configurationControlledDesign_);
  applicationProtocol_->addButton(automotiveDesign_);
  automotiveDesignStatus_ = List(protocol, "AutomotiveDesignStatus",
                                 {"DIS - Draft International Standard", "IS - International Standard"});
  auto* protocolLayout = new QGridLayout(protocol);
  protocolLayout->addWidget(configurationControlledDesign_, 0, 0, 1, 2);
  protocolLayout->addWidget(automotiveDesign_, 1, 0);
  protocolLayout->addWidget(automotiveDesignStatus_, 1, 1);

  authorization_ = Named(new QLineEdit(frame), "Authorization");
  author_ = Named(new QLineEdit(frame), "Author");
  inventorUsername_ = Named(new QCheckBox("Inventor Username", frame), "InventorUsername");
  organization_ = Named(new QLineEdit(frame), "Organization");
  description_ = Named(new QLineEdit(frame), "Description");
  auto* layout = new QGridLayout(frame);
  layout->addWidget(protocol, 0, 0, 1, 3);
  const std::pair<const char*, QLineEdit*> fields[] = {
      {"Authorization", authorization_}, {"Author", author_}, {"Organization", organization_},
      {"Description", description_}};
  int row = 1;
  for (const auto& [caption, field] : fields) {
    layout->addWidget(new QLabel(caption, frame), row, 0);
    layout->addWidget(field, row, 1);
    ++row;
  }
  layout->addWidget(inventorUsername_, 2, 2);
  layout->addWidget(new QLabel("Import: Healing, autostich and promote is available in the IGS tab", frame), row, 0,
                    1, 3);
  layout->setRowStretch(row + 1, 1);
  connect(configurationControlledDesign_, &QRadioButton::toggled, this, &ModelFrames::ApplicationProtocolChanged);
  connect(inventorUsername_, &QCheckBox::toggled, this, &ModelFrames::InventorUsernameChanged);
  ApplicationProtocolChanged();
}

void ModelFrames::BuildStl(QWidget& page) {
  QGroupBox* frame = AddFrame(page, "stlframe", "STL-Settings");
  stlResolution_ = new QButtonGroup(frame);
  auto* layout = new QGridLayout(frame);
  int row = 0;
  for (const StlLevel* level : {&kStlHigh, &kStlMedium, &kStlLow}) {
    auto* option = Named(new QRadioButton(level->caption, frame), level->name);
    auto* value = Named(new QLineEdit(frame), (std::string(level->name) + "Value").c_str(), kStlValueTip);
    auto* reset = Named(new QPushButton("Inventor Default", frame), (std::string(level->name) + "Default").c_str(),
                        level->defaultTip);
    stlResolution_->addButton(option);
    layout->addWidget(option, row, 0);
    layout->addWidget(new QLabel("Value:", frame), row, 1);
    layout->addWidget(value, row, 2);
    layout->addWidget(reset, row, 3);
    connect(value, &QLineEdit::textChanged, this, [this, value, key = level->key] { StlValueChanged(*value, key); });
    connect(option, &QRadioButton::toggled, this, [this, value, level](bool chosen) {
      if (chosen) StlResolutionChosen(*value, level->defaultValue);
    });
    connect(reset, &QPushButton::clicked, this, [value, level] { value->setText(level->defaultValue); });
    (level == &kStlHigh ? stlHigh_ : level == &kStlMedium ? stlMedium_ : stlLow_) = option;
    (level == &kStlHigh ? stlHighValue_ : level == &kStlMedium ? stlMediumValue_ : stlLowValue_) = value;
    ++row;
  }
  layout->setRowStretch(row, 1);
}

void ModelFrames::BuildPublishing(QWidget& page) {
  QGroupBox* ptp = AddFrame(page, "ptpframe", "PTP-Settings");
  auto* ptpLayout = new QVBoxLayout(ptp);
  ptpLayout->addWidget(new QLabel("Export Options", ptp));
  ptpComponentProperties_ =
      Named(new QCheckBox("Publish Component Properties", ptp), "PtpPublishComponentProperties");
  ptpLayout->addWidget(ptpComponentProperties_);
  ptpLayout->addStretch(1);

  BuildWithoutOptions(page, "xglframe", "XGL-Settings");

  QGroupBox* amp = AddFrame(page, "ampframe", "AMP-Settings");
  auto* ampLayout = new QVBoxLayout(amp);
  ampLayout->addWidget(new QLabel("Export Options", amp));
  ampComponentProperties_ =
      Named(new QCheckBox("Publish Component Properties", amp), "AmpPublishComponentProperties");
  ampDesignViewInformation_ =
      Named(new QCheckBox("Publish Design View Information", amp), "AmpPublishDesignViewInformation");
  ampLayout->addWidget(ampComponentProperties_);
  ampLayout->addWidget(ampDesignViewInformation_);
  ampLayout->addStretch(1);

  BuildWithoutOptions(page, "zglframe", "ZGL-Settings");

  QGroupBox* dwp = AddFrame(page, "dwpframe", "DWP-Settings");
  dwpPublishProperties_ = Named(new QCheckBox("Publish Properties", dwp), "DwpPublishProperties");
  allSheets_ = Named(new QRadioButton("All Sheets in Drawing", dwp), "AllSheetsInDrawing");
  currentSheetOnly_ = Named(new QRadioButton("Current Sheet Only", dwp), "CurrentSheetOnly");
  dwpSheets_ = new QButtonGroup(dwp);
  dwpSheets_->addButton(allSheets_);
  dwpSheets_->addButton(currentSheetOnly_);
  auto* dwpLayout = new QVBoxLayout(dwp);
  for (QWidget* control : std::initializer_list<QWidget*>{dwpPublishProperties_, allSheets_, currentSheetOnly_}) {
    dwpLayout->addWidget(control);
  }
  dwpLayout->addStretch(1);

  BuildWithoutOptions(page, "dwfframe", "DWF-Settings");
  BuildWithoutOptions(page, "pnpframe", "PNP-Settings");
}

void ModelFrames::BuildWithoutOptions(QWidget& page, const char* name, const char* caption) {
  QGroupBox* frame = AddFrame(page, name, caption);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(new QLabel(kNoOptions, frame));
  layout->addStretch(1);
}

void ModelFrames::SavePreviewChanged() {
  const bool ticked = savePreview_->isChecked();
  activeWindowOnSave_->setEnabled(ticked);
  activeWindow_->setEnabled(ticked);
  importFromFile_->setEnabled(false);  // previews are never taken from a file
}

void ModelFrames::OutputGeometryChanged() {
  const QString type = outputGeometryType_->currentText();
  ShowListEnabled(*surfaceType_, type == kSurfaces);
  ShowListEnabled(*solidFaceType_, type == kSolids);
}

void ModelFrames::ApplicationProtocolChanged() {
  ShowListEnabled(*automotiveDesignStatus_, !configurationControlledDesign_->isChecked());
}

void ModelFrames::InventorUsernameChanged() { author_->setEnabled(!inventorUsername_->isChecked()); }

void ModelFrames::ImageSizeChanged(QLineEdit& field, const char* key) {
  const std::optional<double> size = LocaleNumber(field.text());
  if (!size) {
    SetFieldQuietly(field, ToQt(StoredValue(store_, key)));
  } else if (*size > kImageSizeMaximum) {
    SetFieldQuietly(field, "10000");
  } else if (*size < 0) {
    SetFieldQuietly(field, "0");
  }
}

void ModelFrames::StlValueChanged(QLineEdit& field, const char* key) {
  if (!LocaleNumber(field.text())) SetFieldQuietly(field, ToQt(StoredValue(store_, key)));
}

void ModelFrames::StlResolutionChosen(QLineEdit& field, const char* defaultValue) {
  if (LocaleNumber(field.text()).value_or(0) <= 0) field.setText(defaultValue);
}

void ModelFrames::DisableSatVersion() { satVersion_->setEnabled(false); }

void ModelFrames::Read(IptOptions& options) const {
  options.savePreview = savePreview_->isChecked();
  options.previewSource = activeWindowOnSave_->isChecked() ? PreviewSource::ActiveWindowOnSave
                          : activeWindow_->isChecked()     ? PreviewSource::ActiveWindow
                          : importFromFile_->isChecked()   ? PreviewSource::ImportFromFile
                                                           : PreviewSource::None;
}

void ModelFrames::Show(const IptOptions& options) {
  savePreview_->setChecked(options.savePreview);
  switch (options.previewSource) {
    case PreviewSource::ActiveWindowOnSave: ChooseButton(*previewSource_, activeWindowOnSave_); break;
    case PreviewSource::ActiveWindow: ChooseButton(*previewSource_, activeWindow_); break;
    case PreviewSource::ImportFromFile: ChooseButton(*previewSource_, importFromFile_); break;
    case PreviewSource::None: ChooseButton(*previewSource_, nullptr); break;
  }
  SavePreviewChanged();
}

void ModelFrames::Read(BmpOptions& options) const {
  options.width = FromQt(imageWidth_->text());
  options.height = FromQt(imageHeight_->text());
}

void ModelFrames::Show(const BmpOptions& options) {
  imageWidth_->setText(ToQt(options.width));
  imageHeight_->setText(ToQt(options.height));
}

void ModelFrames::Read(SatOptions& options) const { options.version = FromQt(satVersion_->currentText()); }

void ModelFrames::Show(const SatOptions& options) { ShowListText(*satVersion_, ToQt(options.version)); }

void ModelFrames::Read(IgsOptions& options) const {
  options.outputGeometryType = FromQt(outputGeometryType_->currentText());
  options.surfaceType = FromQt(surfaceType_->currentText());
  options.solidFaceType = FromQt(solidFaceType_->currentText());
  options.importHealing = importHealing_->isChecked();
  options.importStitch = importStitch_->isChecked();
}

void ModelFrames::Show(const IgsOptions& options) {
  ShowListText(*outputGeometryType_, ToQt(options.outputGeometryType));
  ShowListText(*surfaceType_, ToQt(options.surfaceType));
  ShowListText(*solidFaceType_, ToQt(options.solidFaceType));
  importHealing_->setChecked(options.importHealing);
  importStitch_->setChecked(options.importStitch);
  OutputGeometryChanged();
}

void ModelFrames::Read(StpOptions& options) const {
  options.configurationControlledDesign = configurationControlledDesign_->isChecked();
  options.automotiveDesign = FromQt(automotiveDesignStatus_->currentText());
  options.authorization = FromQt(authorization_->text());
  options.author = FromQt(author_->text());
  options.inventorUsername = inventorUsername_->isChecked();
  options.organization = FromQt(organization_->text());
  options.description = FromQt(description_->text());
}

void ModelFrames::Show(const StpOptions& options) {
  ChooseButton(*applicationProtocol_,
               ChosenOf(options.configurationControlledDesign, configurationControlledDesign_, automotiveDesign_));
  ShowListText(*automotiveDesignStatus_, ToQt(options.automotiveDesign));
  authorization_->setText(ToQt(options.authorization));
  author_->setText(ToQt(options.author));
  inventorUsername_->setChecked(options.inventorUsername);
  organization_->setText(ToQt(options.organization));
  description_->setText(ToQt(options.description));
  ApplicationProtocolChanged();
  InventorUsernameChanged();
}

void ModelFrames::Read(StlOptions& options) const {
  options.high = FromQt(stlHighValue_->text());
  options.medium = FromQt(stlMediumValue_->text());
  options.low = FromQt(stlLowValue_->text());
  options.resolution = stlHigh_->isChecked()     ? StlResolution::High
                       : stlMedium_->isChecked() ? StlResolution::Medium
                       : stlLow_->isChecked()    ? StlResolution::Low
                                                 : StlResolution::None;
}

void ModelFrames::Show(const StlOptions& options) {
  stlHighValue_->setText(ToQt(options.high));
  stlMediumValue_->setText(ToQt(options.medium));
  stlLowValue_->setText(ToQt(options.low));
  switch (options.resolution) {
    case StlResolution::High: ChooseButton(*stlResolution_, stlHigh_); break;
    case StlResolution::Medium: ChooseButton(*stlResolution_, stlMedium_); break;
    case StlResolution::Low: ChooseButton(*stlResolution_, stlLow_); break;
    case StlResolution::None: ChooseButton(*stlResolution_, nullptr); break;
  }
}

void ModelFrames::Read(PtpOptions& options) const {
  options.publishComponentProperties = ptpComponentProperties_->isChecked();
}

void ModelFrames::Show(const PtpOptions& options) {
  ptpComponentProperties_->setChecked(options.publishComponentProperties);
}

void ModelFrames::Read(AmpOptions& options) const {
  options.publishComponentProperties = ampComponentProperties_->isChecked();
  options.publishDesignViewInformation = ampDesignViewInformation_->isChecked();
}

void ModelFrames::Show(const AmpOptions& options) {
  ampComponentProperties_->setChecked(options.publishComponentProperties);
  ampDesignViewInformation_->setChecked(options.publishDesignViewInformation);
}

void ModelFrames::Read(DwpOptions& options) const {
  options.publishProperties = dwpPublishProperties_->isChecked();
  options.allSheets = allSheets_->isChecked();
}

void ModelFrames::Show(const DwpOptions& options) {
  dwpPublishProperties_->setChecked(options.publishProperties);
  ChooseButton(*dwpSheets_, ChosenOf(options.allSheets, allSheets_, currentSheetOnly_));
}

}  // namespace korrin
