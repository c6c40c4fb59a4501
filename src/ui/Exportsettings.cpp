#include "ui/Exportsettings.h"

#include <QFont>
#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>

#include "formats/OptionSets.h"
#include "settings/ExportTemplateFile.h"
#include "settings/TextCase.h"
#include "ui/FormControls.h"
#include "ui/ModelFrames.h"
#include "ui/PrinterFrames.h"

namespace korrin {
namespace {

// The window's fixed size of 9000 x 5950 twips, at 15 twips a pixel.
constexpr int kWindowWidth = 600;
constexpr int kWindowHeight = 397;
constexpr int kMargin = 4;
constexpr int kTabHeight = 28;
constexpr int kButtonHeight = 30;
constexpr int kButtonGap = 6;
constexpr int kTabPadding = 5;
constexpr double kSmallestTabPoints = 6.0;
constexpr int kPageTop = kTabHeight + kMargin;
constexpr int kPageHeight = kWindowHeight - kPageTop - kButtonHeight - 3 * kMargin;
constexpr int kPageWidth = kWindowWidth - 2 * kMargin;
// The PRINTER tab: the printer settings on the left, the three side frames
// stacked on the right.
constexpr int kPrinterFrameWidth = 310;
constexpr int kSideFrameGap = 4;
constexpr int kSideFrameHeights[] = {100, 94, 116};

constexpr const char* kPrinterTab = "PRINTER";
constexpr const char* kOldHostVersion = "RegistryVersion5.2";
constexpr const char* kPrinterFrameCaptions[] = {"PRINTER-SETTINGS", "PRINT RANGE", "SCALE", "NONE IDW SETTINGS"};

struct Tab {
  const char* caption;
  const char* toolTip;
};
constexpr Tab kTabs[] = {
    {"IPT/IAM/IDW/IPN/IDE", "IPT/IAM/IDW/IPN/IDE Settings"},
    {"BMP", "BMP Settings"},
    {"SAT", "SAT Settings"},
    {"IGS", "IGES Settings"},
    {"STP", "STEP Settings"},
    {"STL", "STL Settings"},
    {"PTP", "PTP Settings"},
    {"XGL", "XGL Settings"},
    {"AMP", "AMP Settings"},
    {"ZGL", "ZGL Settings"},
    {"DWP", "DWP Settings"},
    {"DWF", "DWF Settings"},
    {"PNP", "PNP Settings"},
    {kPrinterTab, "Printer Settings"},
};

std::string Upper(const QString& text) { return ToUpperAscii(FromQt(text)); }

bool IsPrinterFrame(const std::string& upperCaption) {
  for (const char* caption : kPrinterFrameCaptions) {
    if (upperCaption == caption) return true;
  }
  return false;
}

}  // namespace

Exportsettings::Exportsettings(ExportsettingsPorts ports, QWidget* parent)
    : QDialog(parent),
      ports_(std::move(ports)),
      tabs_(Named(new QTabBar(this), "TabStrip1")),
      page_(new QWidget(this)),
      modelFrames_(new ModelFrames(*page_, ports_.store)),
      printerFrames_(new PrinterFrames(*page_, *this, {ports_.store, ports_.dialogs, ports_.printers, ports_.paperFile})) {
  setObjectName("Exportsettings");
  setWindowTitle("Exportsettings");
  setModal(true);
  setFixedSize(kWindowWidth, kWindowHeight);
  frames_ = modelFrames_->frames();
  frames_.push_back(printerFrames_->settingsFrame());
  for (QGroupBox* frame : printerFrames_->sideFrames()) frames_.push_back(frame);
  BuildTabs();
  BuildCommands();
  PlaceFrames();
  ShowFramesForTag("IPT");
  DisableForOldHost();
  // Every tab holds its defaults before any template value arrives, as the
  // program's start does: a set that fails to load then keeps those rather
  // than blank fields that "Apply and Exit." would write into the template.
  LoadAllOptionSets(false, ports_.store, *this, ports_.printers);
}

Exportsettings::~Exportsettings() = default;

void Exportsettings::BuildTabs() {
  tabs_->setGeometry(0, 0, kWindowWidth, kTabHeight);
  tabs_->setExpanding(false);
  tabs_->setElideMode(Qt::ElideNone);
  for (const Tab& tab : kTabs) {
    const int index = tabs_->addTab(tab.caption);
    tabs_->setTabToolTip(index, tab.toolTip);
  }
  FitTabsToWidth();
  page_->setGeometry(kMargin, kPageTop, kPageWidth, kPageHeight);
  connect(tabs_, &QTabBar::currentChanged, this, &Exportsettings::ShowFramesOfSelectedTab);
}

void Exportsettings::FitTabsToWidth() {
  // All fourteen tabs in one row within the fixed width, none behind scroll
  // arrows: narrower padding first, then a smaller font, a point at a time.
  tabs_->setUsesScrollButtons(false);
  tabs_->setStyleSheet(QString("QTabBar::tab { padding: 4px %1px; min-width: 0px; }").arg(kTabPadding));
  auto rowWidth = [this] { return tabs_->sizeHint().width(); };
  QFont font = tabs_->font();
  while (rowWidth() > kWindowWidth && font.pointSizeF() > kSmallestTabPoints) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
    tabs_->setFont(font);
  }
}

void Exportsettings::BuildCommands() {
  struct Command {
    const char* caption;
    const char* name;
    const char* toolTip;
    void (Exportsettings::*run)();
  };
  const Command commands[] = {
      {"Inventor Defaults", "InventorDefaults", "Inventor factory defaults. Applies to current tab only.",
       &Exportsettings::InventorDefaults},
      {"Cancel and Exit", "CancelAndExit", "Discard changes and exit", &Exportsettings::CancelAndExit},
      {"Read from file", "ReadFromFile", "Reread all settings from file for ALL tabs", &Exportsettings::ReadFromFile},
      {"Apply and Exit.", "ApplyAndExit", "Doesn't save to file. Changes some Inventor Registrysettings",
       &Exportsettings::ApplyAndExit},
      {"Save  to file", "SaveToFile", "Save all exportsettings from ALL tabs to file", &Exportsettings::SaveToFile},
  };
  constexpr int count = static_cast<int>(std::size(commands));
  const int width = (kWindowWidth - (count + 1) * kButtonGap) / count;
  int left = kButtonGap;
  for (const Command& command : commands) {
    auto* button = Named(new QPushButton(command.caption, this), command.name, command.toolTip);
    button->setAutoDefault(false);
    button->setGeometry(left, kWindowHeight - kButtonHeight - kMargin, width, kButtonHeight);
    connect(button, &QPushButton::clicked, this, command.run);
    left += width + kButtonGap;
  }
}

void Exportsettings::PlaceFrames() {
  const std::vector<QGroupBox*> sideFrames = printerFrames_->sideFrames();
  for (QGroupBox* frame : modelFrames_->frames()) frame->setGeometry(0, 0, kPageWidth, kPageHeight);
  printerFrames_->settingsFrame()->setGeometry(0, 0, kPrinterFrameWidth, kPageHeight);
  int top = 0;
  for (std::size_t index = 0; index < sideFrames.size(); ++index) {
    const int left = kPrinterFrameWidth + kSideFrameGap;
    sideFrames[index]->setGeometry(left, top, kPageWidth - left, kSideFrameHeights[index]);
    top += kSideFrameHeights[index] + kSideFrameGap;
  }
}

void Exportsettings::DisableForOldHost() {
  if (!EqualsIgnoringCase(ports_.hostVersion, kOldHostVersion)) return;
  modelFrames_->DisableSatVersion();
  printerFrames_->DisablePrintToFile();
}

void Exportsettings::PrepareForFormat(const std::string& key) {
  LoadAllTabs();
  SelectTab(key);
  ShowFramesOfSelectedTab();
}

void Exportsettings::LoadAllTabs() {
  if (const std::optional<OptionLoadFailure> failure =
          LoadAllOptionSets(true, ports_.store, *this, ports_.printers)) {
    ports_.dialogs.ShowMessage(OptionLoadFailureMessage(*failure));
  }
}

void Exportsettings::ShowFramesForTag(const std::string& tag) {
  const std::string wanted = ToUpperAscii(tag);
  for (QGroupBox* frame : frames_) {
    const std::string caption = Upper(frame->title());
    const bool shown = wanted == kPrinterTab ? IsPrinterFrame(caption) : caption.substr(0, 3) == wanted;
    frame->setVisible(shown);
  }
}

void Exportsettings::SelectTab(const std::string& caption) {
  const std::string wanted = ToUpperAscii(caption);
  for (int index = 0; index < tabs_->count(); ++index) {
    if (Upper(tabs_->tabText(index)) == wanted) {
      tabs_->setCurrentIndex(index);
      return;
    }
  }
}

void Exportsettings::ShowFramesOfSelectedTab() {
  const std::string caption = FromQt(tabs_->tabText(tabs_->currentIndex()));
  ShowFramesForTag(caption == kPrinterTab ? caption : caption.substr(0, 3));
}

void Exportsettings::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ShowFramesOfSelectedTab();
}

void Exportsettings::Combo5_Click() { printerFrames_->Combo5_Click(); }
void Exportsettings::Combo6_Click() { printerFrames_->Combo6_Click(); }

void Exportsettings::InventorDefaults() {
  const std::string caption = FromQt(tabs_->tabText(tabs_->currentIndex()));
  // The printer frames have no factory defaults.
  if (caption == kPrinterTab) return;
  ApplyOptionDefaults(caption.substr(0, 3), *this, ports_.printers);
}

void Exportsettings::CancelAndExit() { reject(); }

void Exportsettings::reject() {
  QDialog::reject();
  emit unloaded();
}

void Exportsettings::ReadFromFile() {
  // A missing or empty file is said and leaves the template in memory and the
  // tabs as they were, rather than ending the program from inside this window.
  ExportTemplateLines fromFile = ports_.store;
  if (LoadExportTemplate(ports_.programFolder, fromFile, ports_.dialogs) == TemplateLoad::EndProgram) return;
  ports_.store = std::move(fromFile);
  LoadAllTabs();
}

void Exportsettings::ApplyAndExit() {
  ApplyExportSettings(*this, ports_.store);
  accept();
  emit unloaded();
}

void Exportsettings::SaveToFile() {
  SaveExportTemplate(ports_.programFolder, ports_.store, [this] { ApplyExportSettings(*this, ports_.store); },
                     ports_.dialogs);
}

#define KORRIN_EXPORTSETTINGS_SET(Options, frames)                                 \
  void Exportsettings::Read(Options& options) const { frames->Read(options); } \
  void Exportsettings::Show(const Options& options) { frames->Show(options); }
KORRIN_EXPORTSETTINGS_SET(IptOptions, modelFrames_)
KORRIN_EXPORTSETTINGS_SET(BmpOptions, modelFrames_)
KORRIN_EXPORTSETTINGS_SET(SatOptions, modelFrames_)
KORRIN_EXPORTSETTINGS_SET(IgsOptions, modelFrames_)
KORRIN_EXPORTSETTINGS_SET(StpOptions, modelFrames_)
KORRIN_EXPORTSETTINGS_SET(StlOptions, modelFrames_)
KORRIN_EXPORTSETTINGS_SET(PtpOptions, modelFrames_)
KORRIN_EXPORTSETTINGS_SET(AmpOptions, modelFrames_)
KORRIN_EXPORTSETTINGS_SET(DwpOptions, modelFrames_)
KORRIN_EXPORTSETTINGS_SET(PrinterOptions, printerFrames_)
#undef KORRIN_EXPORTSETTINGS_SET

}  // namespace korrin
