#include "ui/ConversionListModel.h"

#include <QBrush>

namespace korrin {

ConversionListModel::ConversionListModel(ConversionList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {
  list_.SetListener(this);
}

ConversionListModel::~ConversionListModel() { list_.SetListener(nullptr); }

int ConversionListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.Count());
}

QVariant ConversionListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const std::size_t row = static_cast<std::size_t>(index.row());
  if (role == Qt::DisplayRole) {
    const std::string_view entry = list_.At(row);
    return QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
  }
  if (role == Qt::ToolTipRole) return ToolTip(index.row());
  if (row >= marks_.size()) return {};
  if (role == Qt::DecorationRole) return MarkIcon(marks_[row].mark);
  if (role == Qt::ForegroundRole) return QBrush(MarkColour(marks_[row].mark));
  return {};
}

QVariant ConversionListModel::ToolTip(int row) const {
  const std::string_view entry = list_.At(static_cast<std::size_t>(row));
  QString tip = QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
  if (static_cast<std::size_t>(row) >= marks_.size()) return tip;
  const Mark& mark = marks_[static_cast<std::size_t>(row)];
  tip += "\n" + MarkWord(mark.mark);
  if (!mark.reason.isEmpty()) tip += ": " + mark.reason;
  return tip;
}

void ConversionListModel::SetMarks(const std::vector<EntryRecord>& entries) {
  marks_.clear();
  // A result that does not match the list row for row marks nothing rather
  // than the wrong entries.
  if (entries.size() == list_.Count()) {
    for (const EntryRecord& entry : entries) {
      // Log lines may join two texts with a carriage return; the tip shows
      // them on two lines.
      QString reason = QString::fromStdString(entry.reason);
      reason.replace('\r', '\n');
      marks_.push_back({MarkOf(entry.outcome), reason});
    }
  }
  if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1));
  emit marksChanged();
}

void ConversionListModel::ClearMarks() {
  if (marks_.empty()) return;
  marks_.clear();
  if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1));
  emit marksChanged();
}

bool ConversionListModel::HasFailedMarks() const {
  for (const Mark& mark : marks_) {
    if (mark.mark == EntryMark::Failed) return true;
  }
  return false;
}

std::optional<EntryMark> ConversionListModel::MarkAt(std::size_t row) const {
  if (row >= marks_.size()) return std::nullopt;
  return marks_[row].mark;
}

std::vector<std::size_t> ConversionListModel::RowsNotFailed() const {
  std::vector<std::size_t> rows;
  for (std::size_t row = 0; row < marks_.size(); ++row) {
    if (marks_[row].mark != EntryMark::Failed) rows.push_back(row);
  }
  return rows;
}

void ConversionListModel::DropMarksForChange() {
  if (keepMarks_ || marks_.empty()) return;
  ClearMarks();
}

void ConversionListModel::BeforeInsert(std::size_t row) {
  DropMarksForChange();
  beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
}
void ConversionListModel::AfterInsert() { endInsertRows(); }
void ConversionListModel::BeforeRemove(std::size_t row) {
  DropMarksForChange();
  if (keepMarks_ && row < marks_.size()) marks_.erase(marks_.begin() + static_cast<std::ptrdiff_t>(row));
  beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
}
void ConversionListModel::AfterRemove() { endRemoveRows(); }
void ConversionListModel::BeforeClear() {
  DropMarksForChange();
  beginResetModel();
}
void ConversionListModel::AfterClear() { endResetModel(); }

}  // namespace korrin
