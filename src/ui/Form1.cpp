#include "ui/Form1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "ui/About.h"
#include "ui/CommandPanel.h"
#include "ui/ConversionListModel.h"
#include "ui/ConversionListView.h"
#include "ui/ExportFolderBox.h"
#include "ui/FolderTree.h"
#include "ui/FormControls.h"
#include "ui/SourceFilePanel.h"

namespace korrin {
namespace {

constexpr int kInitialWidth = 980;
constexpr int kInitialHeight = 720;
constexpr int kBrowseButtonWidth = 28;

constexpr const char* kListToolTip =
    "Select files from left windows, \"Drag'n drop\"  from Explorer or Explorer window or  \"Drag'n drop\" textfile "
    "with fileinformation";

QPushButton* Button(const char* name, const char* caption, const char* toolTip = nullptr) {
  return Named(new QPushButton(caption), name, toolTip);
}

QPushButton* BrowseButton(const char* name, const char* toolTip = nullptr) {
  QPushButton* button = Button(name, "...", toolTip);
  button->setFixedWidth(kBrowseButtonWidth);
  return button;
}

QLabel* Label(const char* name, const char* caption) { return Named(new QLabel(caption), name); }

QLineEdit* TextBox(const char* name, const char* toolTip) { return Named(new QLineEdit, name, toolTip); }

}  // namespace

Form1::Form1(Form1Ports ports, QWidget* parent)
    : QMainWindow(parent), ports_(std::move(ports)), acadSetup_(ports_.acadTemplateFolder) {
  setObjectName("Form1");
  setWindowTitle("Korrin");
  CreateControls();
  fileList_ = std::make_unique<FileList>(list_, state_.settings,
                                         FileList::Ports{*this, ports_.dialogs, pump_, abort_});
  ConnectControls();
  resize(kInitialWidth, kInitialHeight);
  // Host calls wait through the window's pump, so it repaints and Abort is
  // seen while a call waits.
  ports_.connector.SetCallWaits(&pump_, ports_.callDeadlines);
}

Form1::~Form1() { ports_.connector.SetCallWaits(nullptr, {}); }

void Form1::CreateControls() {
  auto* top = new QSplitter(Qt::Horizontal);
  top->addWidget(CreateSourceSide());
  top->addWidget(CreateListSide());
  top->setStretchFactor(0, 2);
  top->setStretchFactor(1, 3);
  top->setChildrenCollapsible(false);

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(top, 1);
  layout->addWidget(CreateSetupFrame());
  layout->addWidget(CreateProgressArea());
  setCentralWidget(central);
  CreateStatusBar();
}

QWidget* Form1::CreateSourceSide() {
  auto* importFrame = Named(new QGroupBox("Import from Format"), "Frame1");
  Combo1 = Named(new QComboBox, "Combo1");
  (new QVBoxLayout(importFrame))->addWidget(Combo1);

  FolderTreeview1 = Named(new FolderTree, "FolderTreeview1");
  File1 = Named(new SourceFilePanel, "File1", "IDW-files in directory");
  Label1 = Label("Label1", "Files 0");

  auto* side = new QWidget;
  auto* layout = new QVBoxLayout(side);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(importFrame);
  layout->addWidget(new QLabel("Select import folder"));
  layout->addWidget(FolderTreeview1, 3);
  layout->addWidget(new QLabel("Select files"));
  layout->addWidget(File1, 2);
  layout->addWidget(Label1);
  return side;
}

QWidget* Form1::CreateListSide() {
  AddOne = Button("AddOne", ">", "Move selected files to export window");
  AddMany = Button("AddMany", ">>", "Move all files to export window");
  RemoveOne = Button("RemoveOne", "<", "Remove marked files from export window");
  RemoveMany = Button("RemoveMany", "<<", "Remove all files from export window");
  auto* buttons = new QVBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {AddOne, AddMany, RemoveOne, RemoveMany}) buttons->addWidget(button);
  buttons->addStretch();

  List1 = Named(new ConversionListView, "List1", kListToolTip);
  List1Model = new ConversionListModel(list_, List1);
  List1->setModel(List1Model);
  KeepOnlyFailed = new QAction("Keep only failed", List1);
  KeepOnlyFailed->setObjectName("KeepOnlyFailed");
  KeepOnlyFailed->setEnabled(false);
  List1->addAction(KeepOnlyFailed);
  List1->setContextMenuPolicy(Qt::ActionsContextMenu);
  Label2 = Label("Label2", "Files 0");
  Label9 = Label("Label9", "0/0 Selected");
  auto* counters = new QHBoxLayout;
  counters->addWidget(Label2);
  counters->addStretch();
  counters->addWidget(Label9);

  auto* listColumn = new QVBoxLayout;
  listColumn->addWidget(new QLabel("Files for Conversion"));
  listColumn->addWidget(List1, 1);
  listColumn->addLayout(counters);

  auto* side = new QWidget;
  auto* layout = new QHBoxLayout(side);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(buttons);
  layout->addLayout(listColumn, 1);
  return side;
}

QWidget* Form1::CreateSetupFrame() {
  auto* exportFrame = Named(new QGroupBox("Output to  Format"), "Frame2");
  Combo2 = Named(new QComboBox, "Combo2", "Export file type");
  (new QVBoxLayout(exportFrame))->addWidget(Combo2);

  Check1 = Named(new QCheckBox("Export folder"), "Check1",
                 "Enabled=For parts only. Disabled= As in Inventor Project File.");
  Text1 = Named(new ExportFolderBox, "Text1", "Export directory");
  Command13 = BrowseButton("Command13");
  Label10 = Label("Label10", "INI-File for EXPORT");
  Text2 = TextBox("Text2", "INI-filename");
  Command4 = BrowseButton("Command4", "Select INI-file");
  Command5 = Button("Command5", "Show/Edit INI-file", "Read DWG/DXF INI-File. Modify Korrin INI-File.");
  Label16 = Label("Label16", "INI-File for IMPORT");
  Text4 = TextBox("Text4", "INI-filename");
  Command11 = BrowseButton("Command11", "Select INI-file");
  Command10 = Button("Command10", "Show/Edit INI-file", "Read DWG ( MDT )  INI-File.");
  Label17 = Label("Label17", "Inventor Project");
  Text3 = TextBox("Text3", "Inventor Project File used for export.");
  Command6 = BrowseButton("Command6", "View / Select Inventor Project");
  Command7 = Button("Command7", "Show/Edit Projectfile(s)", "Show Inventor Project. Modifications are possible.");
  Check2 = Named(new QCheckBox("Print documents"), "Check2", "Print the document");
  Check3 = Named(new QCheckBox("Skip RefCheck"), "Check3", "Verify referenced files in IDW's");
  Check3->setChecked(true);
  CheckSkipExisting = Named(new QCheckBox("Skip documents already converted"), "CheckSkipExisting",
                            "Documents whose exported files are newer than they are not exported again");
  Command9 = Button("Command9", "Verify IV Documents");
  Command12 = Button("Command12", "ApprenticeReport");
  Command8 = Button("Command8", "ViewReport");

  auto* grid = new QGridLayout;
  grid->addWidget(Check1, 0, 0);
  grid->addWidget(Text1, 0, 1);
  grid->addWidget(Command13, 0, 2);
  const std::tuple<QLabel*, QLineEdit*, QPushButton*, QPushButton*> rows[] = {
      {Label10, Text2, Command4, Command5}, {Label16, Text4, Command11, Command10}, {Label17, Text3, Command6, Command7}};
  int row = 1;
  for (const auto& [label, box, browse, show] : rows) {
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(browse, row, 2);
    grid->addWidget(show, row, 3);
    ++row;
  }
  grid->setColumnStretch(1, 1);

  auto* checks = new QHBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{Check2, Check3, CheckSkipExisting}) checks->addWidget(widget);
  checks->addStretch();
  for (QWidget* widget : std::initializer_list<QWidget*>{Command9, Command12, Command8}) checks->addWidget(widget);

  auto* setup = Named(new QGroupBox("Setup"), "Frame3");
  auto* layout = new QVBoxLayout(setup);
  layout->addWidget(exportFrame);
  layout->addLayout(grid);
  layout->addLayout(checks);
  return setup;
}

QWidget* Form1::CreateProgressArea() {
  ProgressBar1 = Named(new QProgressBar, "ProgressBar1", "Progress in percent of total filesize");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  Label14 = Label("Label14", "Progress:");
  Label15 = Label("Label15", "0 %");
  Label12 = Label("Label12", "Estimated time left");
  Label13 = Label("Label13", "00:00:00");
  Label8 = Label("Label8", "");
  auto* area = new QWidget;
  // The print run's scratch field, never shown.
  PrintFile = TextBox("PrintFile", nullptr);
  PrintFile->setParent(area);
  PrintFile->setText("Invisible");
  PrintFile->hide();
  auto* layout = new QHBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Label14);
  layout->addWidget(ProgressBar1, 1);
  for (QLabel* label : {Label15, Label12, Label13, Label8}) layout->addWidget(label);
  return area;
}

void Form1::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  bar->setSizeGripEnabled(true);
  StatusPanels[0] = Named(new QLabel("Program Status"), "Panel1");
  StatusPanels[0]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  StatusPanels[1] = Named(new QLabel, "Panel2");
  StatusPanels[1]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bar->addWidget(StatusPanels[0]);
  bar->addWidget(StatusPanels[1], 1);
  RunCounts = Named(new QLabel, "RunCounts");
  bar->addWidget(RunCounts);
  const char* commands[] = {kExportCommand, "About", "Exit"};
  for (int number = 3; number <= 5; ++number) {
    auto* panel = new CommandPanel(commands[number - 3], [this, number] { ClickStatusPanel(number); }, bar);
    panel->setObjectName(QString("Panel%1").arg(number));
    StatusPanels[number - 1] = panel;
    bar->addPermanentWidget(panel);
  }
  // The Export panel's caption is its state, not a description of it; it
  // is wide enough for either.
  QLabel* exportPanel = StatusPanels[2];
  exportPanel->setToolTip({});
  const int widest = std::max(exportPanel->fontMetrics().horizontalAdvance(kExportCommand),
                              exportPanel->fontMetrics().horizontalAdvance(kAbortCommand));
  exportPanel->setMinimumWidth(widest + 2 * (exportPanel->margin() + exportPanel->frameWidth()) +
                               exportPanel->fontMetrics().averageCharWidth());
}

}  // namespace korrin
