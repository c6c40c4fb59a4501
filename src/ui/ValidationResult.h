#pragma once

#include <QWidget>

#include "ports/EventPump.h"
#include "ui/ExportReport.h"
#include "verify/ValidationReport.h"

class QGroupBox;
class QLabel;
class QStatusBar;
class QTreeWidget;

namespace korrin {

// "Document validation result": one row per checked file with its release
// and a column per finding, rows that could not be checked drawn in red, and
// the legend of the column codes below. It is not modal. The validation fills
// a ValidationReport; the window shows it each time ShowReport is called:
// the main window shows the emptied report with the window before the first
// file, lets ValidationResultPump show it whenever the validation yields, and
// shows it once more at the end. "Close" unloads it: the window asks its
// owner to let it go, and the next report opens a fresh one.
class ValidationResult final : public QWidget {
  Q_OBJECT

 public:
  using ReportPrinter = ExportReport::ReportPrinter;

  explicit ValidationResult(QWidget* parent = nullptr, ReportPrinter printer = {});

  // Shows the report's rows, in check order, and its progress text.
  void ShowReport(const ValidationReport& report);

  // The lines the "Print" command prints: the column names, then a line per
  // row, the columns lined up.
  std::vector<std::string> PrintedLines() const;

  // The status bar's commands, by their panel numbers 3 and 4.
  void PrintReport();
  void CloseReport();

 signals:
  // The window is hidden and its rows are to be dropped with it.
  void unloaded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowRow(int index, const ReportRow& row);
  void FitOtherColumn();

  ReportPrinter printer_;
  QTreeWidget* list_;
  QGroupBox* legend_;
  QStatusBar* statusBar_;
  QLabel* progress_;
};

// The yield of a validation that fills the window as it goes: before the
// pending events run, the window shows the report as it stands, so each row
// appears while the next file is checked.
class ValidationResultPump final : public EventPump {
 public:
  ValidationResultPump(ValidationResult& window, const ValidationReport& report, EventPump& events)
      : window_(window), report_(report), events_(events) {}

  void Yield() override {
    window_.ShowReport(report_);
    events_.Yield();
  }
  void Pause() override {
    window_.ShowReport(report_);
    events_.Pause();
  }

 private:
  ValidationResult& window_;
  const ValidationReport& report_;
  EventPump& events_;
};

}  // namespace korrin
