#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "ports/Dialogs.h"

class QLabel;
class QListWidget;
class QStatusBar;

namespace korrin {

// The run report window: the run log, line by line, with three commands in
// its status bar ("Print Report", "Save Report", "Close"). It is not modal.
// Closing it, Escape and a saved report unload it: the window asks its owner
// to let it go, and the next log line makes a new, empty one.
class ExportReport final : public QWidget {
  Q_OBJECT

 public:
  // Prints the lines on a printer the user chooses; false when the user
  // cancelled the printer dialog.
  using ReportPrinter = std::function<bool(const std::vector<std::string>& lines, QWidget* parent)>;

  ExportReport(Dialogs& dialogs, std::string programFolder, ReportPrinter printer = {}, QWidget* parent = nullptr);

  void AddLine(const std::string& text);
  std::vector<std::string> Lines() const;
  // Makes the last line the current one, in view.
  void ShowLastLine();
  // Draws the lines that are the reason of a failed entry in a colour of
  // their own; returns how many lines it marked.
  int MarkReasonLines(const std::vector<std::string>& reasons);
  bool IsReasonLine(int row) const;
  // Names the file the run's log is kept in, or says why none is.
  void ShowLogFile(const QString& text);
  QString LogFileText() const;

  // The status bar's commands, by their panel numbers 1 to 3.
  void PrintReport();
  void SaveReport();
  void CloseReport();

 signals:
  // The window is hidden and its lines are to be dropped with it.
  void unloaded();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Dialogs& dialogs_;
  std::string programFolder_;
  ReportPrinter printer_;
  QListWidget* list_;
  QStatusBar* statusBar_;
  QLabel* logFile_;
};

// Prints the lines through the platform's print dialog, one per printed
// line, page after page.
bool PrintLinesWithDialog(const std::vector<std::string>& lines, QWidget* parent);

}  // namespace korrin
