#include "ui/ConversionListModel.h"

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
  if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
    return {};
  }
  const std::string_view entry = list_.At(static_cast<std::size_t>(index.row()));
  return QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
}

void ConversionListModel::BeforeInsert(std::size_t row) {
  beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
}
void ConversionListModel::AfterInsert() { endInsertRows(); }
void ConversionListModel::BeforeRemove(std::size_t row) {
  beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
}
void ConversionListModel::AfterRemove() { endRemoveRows(); }
void ConversionListModel::BeforeClear() { beginResetModel(); }
void ConversionListModel::AfterClear() { endResetModel(); }

}  // namespace korrin
