#include "ui/PrinterFrames.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

#include "formats/ValueConversion.h"
#include "print/PaperMapping.h"
#include "print/PaperSizeFile.h"
#include "settings/TextCase.h"
#include "ui/FormControls.h"
#include "ui/PaperSizeDefinitions.h"
#include "ui/PaperSizeRules.h"

namespace korrin {
namespace {

// The copies bar runs the other way round: its top (the smallest value)
// stands for the most copies.
constexpr int kMostCopies = 10000;
constexpr int kCopiesBarSum = kMostCopies + 1;
constexpr int kCopiesLargeStep = 10;
constexpr int kPictogramSide = 28;
constexpr int kListCharacters = 12;
constexpr int kCopiesFieldWidth = 60;

constexpr const char* kPaperTip =
    "Select Papersize. Be aware that some Custom papersizes may not be supported on the selected printer";
constexpr const char* kBestFitPaperTip =
    "None IDW's: Uses screenwidth and height for best paperfill. IDW's scale and rotate to best fit paper. Overrides "
    "Rotation and scalesettings";

std::string StoredValue(const ExportTemplateLines& store, const char* key) {
  std::string value;
  store.GetExportOption(key, value);
  return value;
}

// Sheets of paper, stacked in order (collated) or sheet by sheet.
QPixmap CollatePictogram(bool collated) {
  QPixmap picture(kPictogramSide, kPictogramSide);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(Qt::black);
  const char* order = collated ? "1212" : "1122";
  for (int sheet = 0; sheet < 4; ++sheet) {
    const QRect page(2 + sheet * 5, 2 + sheet * 4, 12, 14);
    painter.fillRect(page, Qt::white);
    painter.drawRect(page);
    painter.drawText(page, Qt::AlignCenter, QString(QChar(order[sheet])));
  }
  return picture;
}

QLabel* Pictogram(QWidget* parent, const char* name, bool collated) {
  auto* label = Named(new QLabel(parent), name);
  label->setPixmap(CollatePictogram(collated));
  return label;
}

bool IsNoPaper(const std::string& name) {
  const std::string upper = ToUpperAscii(name);
  return upper.find("POSTSCRIPT") != std::string::npos || upper.find("SCREEN") != std::string::npos;
}

// Controls side by side, left-aligned.
QHBoxLayout* Row(std::initializer_list<QWidget*> controls) {
  auto* row = new QHBoxLayout;
  for (QWidget* control : controls) row->addWidget(control);
  row->addStretch(1);
  return row;
}

QButtonGroup* Group(QWidget* parent, std::initializer_list<QRadioButton*> buttons) {
  auto* group = new QButtonGroup(parent);
  for (QRadioButton* button : buttons) group->addButton(button);
  return group;
}

}  // namespace

PrinterFrames::PrinterFrames(QWidget& page, QWidget& window, PrinterFramePorts ports)
    : QObject(&page), ports_(std::move(ports)), window_(window) {
  BuildSettings(page);
  BuildRange(page);
  BuildScale(page);
  BuildNoneIdw(page);
}

std::vector<QGroupBox*> PrinterFrames::sideFrames() const { return {rangeFrame_, scaleFrame_, noneIdwFrame_}; }

void PrinterFrames::BuildSettings(QWidget& page) {
  settingsFrame_ = Named(new QGroupBox("Printer-Settings", &page), "printerframe");
  QGroupBox* frame = settingsFrame_;
  printer_ = Named(new QComboBox(frame), "Combo5");
  paper_ = Named(new QComboBox(frame), "Combo6", kPaperTip);
  paperWidth_ = Named(new QLabel(frame), "PaperWidth");
  paperHeight_ = Named(new QLabel(frame), "PaperHeight");
  showPrinterSupported_ = Named(new QCheckBox("Show printer supported", frame), "ShowPrinterSupported");
  addPapersize_ = Named(new QPushButton("Add Papersize", frame), "AddPapersize");
  auto* customPapersize = Named(new QPushButton("Custom Papersize", frame), "CustomPapersize");
  copies_ = Named(new QLineEdit(frame), "Copies");
  copiesBar_ = Named(new QScrollBar(Qt::Vertical, frame), "CopiesSpin");
  copiesBar_->setRange(1, kMostCopies);
  copiesBar_->setSingleStep(1);
  copiesBar_->setPageStep(kCopiesLargeStep);
  copiesBar_->setValue(kMostCopies);
  copiesBar_->setFixedHeight(copies_->sizeHint().height());
  collate_ = Named(new QCheckBox("Collate", frame), "Collate", "For multisheet IDW's");
  collated_ = Pictogram(frame, "CollatePicture1", true);
  uncollated_ = Pictogram(frame, "CollatePicture2", false);
  printToFile_ = Named(new QCheckBox("Print to file", frame), "PrintToFile");
  color_ = Named(new QRadioButton("Color", frame), "Color");
  greyScale_ = Named(new QRadioButton("GreyScale", frame), "GreyScale");
  colourMode_ = Group(frame, {color_, greyScale_});
  rotate90_ = Named(new QCheckBox("Rotate by 90 Deg.", frame), "Rotate90Deg");

  for (QComboBox* list : {printer_, paper_}) {
    // Long printer and paper names must not push the labels out of the frame.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(kListCharacters);
  }
  copies_->setMaximumWidth(kCopiesFieldWidth);
  auto* layout = new QGridLayout(frame);
  layout->addWidget(new QLabel("Select Printer", frame), 0, 0);
  layout->addWidget(printer_, 0, 1);
  layout->addWidget(new QLabel("Select Paper size", frame), 1, 0);
  layout->addWidget(paper_, 1, 1);
  layout->addLayout(Row({new QLabel("( Width", frame), paperWidth_, new QLabel("Height", frame), paperHeight_,
                         new QLabel(")", frame)}),
                    2, 1);
  layout->addWidget(showPrinterSupported_, 3, 0, 1, 2);
  layout->addLayout(Row({addPapersize_, customPapersize}), 4, 0, 1, 2);
  layout->addWidget(new QLabel("Number of Copies", frame), 5, 0);
  layout->addLayout(Row({copies_, copiesBar_}), 5, 1);
  layout->addLayout(Row({collate_, collated_, uncollated_}), 6, 0, 1, 2);
  layout->addLayout(Row({printToFile_, color_, greyScale_}), 7, 0, 1, 2);
  layout->addWidget(rotate90_, 8, 0, 1, 2);
  layout->setRowStretch(9, 1);

  connect(printer_, &QComboBox::activated, this, &PrinterFrames::Combo5_Click);
  connect(paper_, &QComboBox::currentIndexChanged, this, &PrinterFrames::Combo6_Click);
  connect(showPrinterSupported_, &QCheckBox::clicked, this, &PrinterFrames::Combo5_Click);
  connect(addPapersize_, &QPushButton::clicked, this, &PrinterFrames::AddPapersize);
  connect(customPapersize, &QPushButton::clicked, this, &PrinterFrames::CustomPapersize);
  connect(copies_, &QLineEdit::textChanged, this, &PrinterFrames::CopiesChanged);
  connect(copiesBar_, &QScrollBar::valueChanged, this, &PrinterFrames::CopiesScrolled);
  connect(collate_, &QCheckBox::toggled, this, &PrinterFrames::CollateChanged);
  CollateChanged();
}

void PrinterFrames::BuildRange(QWidget& page) {
  rangeFrame_ = Named(new QGroupBox("Print Range", &page), "printrangeframe");
  currentSheet_ = Named(new QRadioButton("Current Sheet", rangeFrame_), "CurrentSheet",
                        "This will always be the first sheet in the open document");
  allSheets_ = Named(new QRadioButton("All Sheets", rangeFrame_), "AllSheets");
  sheetsInRange_ = Named(new QRadioButton("Sheets in Range", rangeFrame_), "SheetsInRange");
  range_ = Group(rangeFrame_, {currentSheet_, allSheets_, sheetsInRange_});
  sheetFrom_ = Named(new QLineEdit(rangeFrame_), "SheetFrom");
  sheetTo_ = Named(new QLineEdit(rangeFrame_), "SheetTo");
  auto* layout = new QGridLayout(rangeFrame_);
  layout->addWidget(currentSheet_, 0, 0, 1, 2);
  layout->addWidget(allSheets_, 0, 2, 1, 2);
  layout->addWidget(sheetsInRange_, 1, 0, 1, 4);
  layout->addWidget(new QLabel("From", rangeFrame_), 2, 0, Qt::AlignRight);
  layout->addWidget(sheetFrom_, 2, 1);
  layout->addWidget(new QLabel("To", rangeFrame_), 2, 2, Qt::AlignRight);
  layout->addWidget(sheetTo_, 2, 3);
  for (QRadioButton* option : {currentSheet_, allSheets_, sheetsInRange_}) {
    connect(option, &QRadioButton::toggled, this, &PrinterFrames::RangeChanged);
  }
  connect(sheetFrom_, &QLineEdit::textChanged, this, [this] { SheetChanged(*sheetFrom_, "PrinterSheetrangeFrom"); });
  connect(sheetTo_, &QLineEdit::textChanged, this, [this] { SheetChanged(*sheetTo_, "PrinterSheetRangeTo"); });
  RangeChanged();
}

void PrinterFrames::BuildScale(QWidget& page) {
  scaleFrame_ = Named(new QGroupBox("Scale", &page), "scaleframe");
  model_ = Named(new QRadioButton("Model 1:1", scaleFrame_), "Model11", "Uses papersize as defined on IDW sheet");
  bestFit_ = Named(new QRadioButton("Best Fit", scaleFrame_), "BestFit", "Uses Selected Printer Papersize");
  custom_ = Named(new QRadioButton("Custom", scaleFrame_), "Custom",
                  "Uses Selected Printer Papersize and scales according to Sheet size");
  scale_ = Group(scaleFrame_, {model_, bestFit_, custom_});
  customScale_ = Named(new QLineEdit(scaleFrame_), "CustomScale");
  auto* layout = new QGridLayout(scaleFrame_);
  layout->addWidget(model_, 0, 0);
  layout->addWidget(bestFit_, 1, 0);
  layout->addWidget(custom_, 2, 0);
  layout->addWidget(customScale_, 2, 1);
  for (QRadioButton* option : {model_, bestFit_, custom_}) {
    connect(option, &QRadioButton::toggled, this, &PrinterFrames::ScaleChanged);
  }
  ScaleChanged();
}

void PrinterFrames::BuildNoneIdw(QWidget& page) {
  noneIdwFrame_ = Named(new QGroupBox("None IDW settings", &page), "noneidwframe");
  wireFrame_ = Named(new QRadioButton("WireFrame", noneIdwFrame_), "WireFrame");
  shaded_ = Named(new QRadioButton("Shaded", noneIdwFrame_), "Shaded");
  hidden_ = Named(new QRadioButton("Hidden", noneIdwFrame_), "Hidden");
  renderStyle_ = Group(noneIdwFrame_, {wireFrame_, shaded_, hidden_});
  iso_ = Named(new QCheckBox("ISO", noneIdwFrame_), "ISO", "If not enabled, default is used");
  // The caption's trailing blank is part of it.
  fitNoneIdw_ = Named(new QCheckBox("Best fit selected paper ", noneIdwFrame_), "BestFitSelectedPaper",
                      kBestFitPaperTip);
  auto* layout = new QGridLayout(noneIdwFrame_);
  layout->addWidget(wireFrame_, 0, 0);
  layout->addWidget(shaded_, 0, 1);
  layout->addWidget(hidden_, 0, 2);
  layout->addWidget(iso_, 1, 0);
  layout->addWidget(fitNoneIdw_, 2, 0, 1, 3);
}

void PrinterFrames::Combo5_Click() { FillPapers(StoredValue(ports_.store, "PrinterPapersize")); }

void PrinterFrames::FillPrinters(const std::string& chosen) {
  const QSignalBlocker quiet(printer_);
  printer_->clear();
  for (const std::string& name : ports_.printers.InstalledPrinters()) printer_->addItem(ToQt(name));
  const int index = printer_->findText(ToQt(chosen), Qt::MatchExactly | Qt::MatchCaseSensitive);
  printer_->setCurrentIndex(index >= 0 ? index : 0);
}

void PrinterFrames::FillPapers(const std::string& wanted) {
  const std::vector<std::string> papers =
      BuildPaperList(ports_.printers, FromQt(printer_->currentText()), showPrinterSupported_->isChecked(),
                     ports_.paperFile, ports_.dialogs);
  {
    const QSignalBlocker quiet(paper_);
    paper_->clear();
    for (const std::string& name : papers) {
      if (!IsNoPaper(name)) paper_->addItem(ToQt(name));
    }
    const int index = paper_->findText(ToQt(wanted), Qt::MatchExactly | Qt::MatchCaseSensitive);
    paper_->setCurrentIndex(index >= 0 ? index : 0);
  }
  Combo6_Click();
}

void PrinterFrames::Combo6_Click() {
  paperWidth_->clear();
  paperHeight_->clear();
  if (paper_->currentIndex() < 0) {
    addPapersize_->setEnabled(false);
    return;
  }
  const PaperSizeDisplay size = PaperSizeDisplayOf(ports_.paperFile, FromQt(paper_->currentText()), ports_.dialogs);
  paperWidth_->setText(ToQt(size.width));
  paperHeight_->setText(ToQt(size.height));
  // A paper the definitions do not name yet can be added to them.
  addPapersize_->setEnabled(size.width.empty() || size.width == "0");
}

void PrinterFrames::AddPapersize() {
  const std::string paper = FromQt(paper_->currentText());
  const PaperSizeOfName size = PaperSizeFromName(paper);
  PaperSizeDefinitions editor(ports_.dialogs, ports_.paperFile, &window_);
  editor.LoadPaperSizeList();
  editor.AddRow({paper, RealText(size.width), RealText(size.height), "Supported by: " + FromQt(printer_->currentText())});
  if (editor.exec() == QDialog::Accepted) Combo6_Click();
}

void PrinterFrames::CustomPapersize() {
  PaperSizeDefinitions editor(ports_.dialogs, ports_.paperFile, &window_);
  editor.LoadPaperSizeList();
  if (editor.exec() == QDialog::Accepted) Combo6_Click();
}

void PrinterFrames::CopiesChanged() {
  const std::optional<double> copies = LocaleNumber(copies_->text());
  double number = copies.value_or(0);
  if (!copies || number < 1 || number > kMostCopies) {
    SetFieldQuietly(*copies_, "1");
    number = 1;
  }
  const QSignalBlocker quiet(copiesBar_);
  copiesBar_->setValue(kCopiesBarSum - static_cast<int>(std::nearbyint(number)));
}

void PrinterFrames::CopiesScrolled(int position) {
  const double copies = LocaleNumber(copies_->text()).value_or(0);
  if (copies > 0 && copies < kCopiesBarSum) {
    copies_->setText(QString::number(kCopiesBarSum - position));
    return;
  }
  SetFieldQuietly(*copies_, "1");
  const QSignalBlocker quiet(copiesBar_);
  copiesBar_->setValue(kMostCopies);
}

void PrinterFrames::SheetChanged(QLineEdit& field, const char* key) {
  if (!LocaleNumber(field.text())) SetFieldQuietly(field, ToQt(StoredValue(ports_.store, key)));
}

void PrinterFrames::RangeChanged() {
  const bool inRange = sheetsInRange_->isChecked();
  sheetFrom_->setEnabled(inRange);
  sheetTo_->setEnabled(inRange);
}

void PrinterFrames::ScaleChanged() {
  ShowListEnabled(*customScale_, custom_->isChecked(), QPalette::Button);
  ShowListEnabled(*paper_, !model_->isChecked(), QPalette::Button);
}

void PrinterFrames::CollateChanged() {
  collated_->setVisible(collate_->isChecked());
  uncollated_->setVisible(!collate_->isChecked());
}

void PrinterFrames::DisablePrintToFile() { printToFile_->setEnabled(false); }

void PrinterFrames::Read(PrinterOptions& options) const {
  options.printer = FromQt(printer_->currentText());
  options.paperSize = FromQt(paper_->currentText());
  options.range = currentSheet_->isChecked()    ? PrintRange::CurrentSheet
                  : allSheets_->isChecked()     ? PrintRange::AllSheets
                  : sheetsInRange_->isChecked() ? PrintRange::SheetsInRange
                                                : PrintRange::None;
  options.sheetFrom = FromQt(sheetFrom_->text());
  options.sheetTo = FromQt(sheetTo_->text());
  options.scale = model_->isChecked()     ? PrintScale::Model
                  : bestFit_->isChecked() ? PrintScale::BestFit
                  : custom_->isChecked()  ? PrintScale::Custom
                                          : PrintScale::None;
  options.customScale = FromQt(customScale_->text());
  options.rotate90 = rotate90_->isChecked();
  options.copies = FromQt(copies_->text());
  options.collate = collate_->isChecked();
  options.color = color_->isChecked();
  options.printToFile = printToFile_->isChecked();
  options.fitNoneIdw = fitNoneIdw_->isChecked();
  options.renderStyle = wireFrame_->isChecked() ? RenderStyle::WireFrame
                        : shaded_->isChecked()  ? RenderStyle::Shaded
                        : hidden_->isChecked()  ? RenderStyle::Hidden
                                                : RenderStyle::None;
  options.iso = iso_->isChecked();
}

void PrinterFrames::Show(const PrinterOptions& options) {
  FillPrinters(options.printer);
  // The paper of the set being shown, which for the defaults is not the
  // template's.
  FillPapers(options.paperSize);
  switch (options.range) {
    case PrintRange::CurrentSheet: ChooseButton(*range_, currentSheet_); break;
    case PrintRange::AllSheets: ChooseButton(*range_, allSheets_); break;
    case PrintRange::SheetsInRange: ChooseButton(*range_, sheetsInRange_); break;
    case PrintRange::None: ChooseButton(*range_, nullptr); break;
  }
  sheetFrom_->setText(ToQt(options.sheetFrom));
  sheetTo_->setText(ToQt(options.sheetTo));
  switch (options.scale) {
    case PrintScale::Model: ChooseButton(*scale_, model_); break;
    case PrintScale::BestFit: ChooseButton(*scale_, bestFit_); break;
    case PrintScale::Custom: ChooseButton(*scale_, custom_); break;
    case PrintScale::None: ChooseButton(*scale_, nullptr); break;
  }
  customScale_->setText(ToQt(options.customScale));
  rotate90_->setChecked(options.rotate90);
  copies_->setText(ToQt(options.copies));
  collate_->setChecked(options.collate);
  ChooseButton(*colourMode_, options.color ? color_ : greyScale_);
  printToFile_->setChecked(options.printToFile);
  fitNoneIdw_->setChecked(options.fitNoneIdw);
  switch (options.renderStyle) {
    case RenderStyle::WireFrame: ChooseButton(*renderStyle_, wireFrame_); break;
    case RenderStyle::Shaded: ChooseButton(*renderStyle_, shaded_); break;
    case RenderStyle::Hidden: ChooseButton(*renderStyle_, hidden_); break;
    case RenderStyle::None: ChooseButton(*renderStyle_, nullptr); break;
  }
  iso_->setChecked(options.iso);
  RangeChanged();
  ScaleChanged();
  CollateChanged();
}

}  // namespace korrin
