#pragma once

#include <QAbstractListModel>
#include <optional>
#include <vector>

#include "engine/BatchRun.h"
#include "filelist/ConversionList.h"
#include "ui/EntryMarks.h"

namespace korrin {

// The conversion list as the list control shows it: one row per entry, the
// entry's text as shown. Follows every change of the list row by row, so a
// view over tens of thousands of entries never reloads as a whole.
//
// After a run each row carries its outcome as an icon, a colour and a tool
// tip with the log line that decided it. The marks are the view's alone:
// any change of the list drops them all, except the removals that keep
// only the failed entries, which keep theirs.
class ConversionListModel final : public QAbstractListModel, private ConversionList::Listener {
  Q_OBJECT
 public:
  explicit ConversionListModel(ConversionList& list, QObject* parent = nullptr);
  ~ConversionListModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // One record per entry, in list order, as the run returned them.
  void SetMarks(const std::vector<EntryRecord>& entries);
  void ClearMarks();
  bool HasMarks() const { return !marks_.empty(); }
  bool HasFailedMarks() const;
  std::optional<EntryMark> MarkAt(std::size_t row) const;
  // The rows whose entries are not marked failed, for the removal that
  // keeps the failures; it runs inside KeepingMarks.
  std::vector<std::size_t> RowsNotFailed() const;
  template <typename Change>
  void KeepingMarks(Change&& change) {
    keepMarks_ = true;
    change();
    keepMarks_ = false;
  }

 signals:
  void marksChanged();

 private:
  struct Mark {
    EntryMark mark;
    QString reason;
  };

  void BeforeInsert(std::size_t row) override;
  void AfterInsert() override;
  void BeforeRemove(std::size_t row) override;
  void AfterRemove() override;
  void BeforeClear() override;
  void AfterClear() override;
  void DropMarksForChange();
  QVariant ToolTip(int row) const;

  ConversionList& list_;
  std::vector<Mark> marks_;  // empty, or one per row
  bool keepMarks_ = false;
};

}  // namespace korrin
