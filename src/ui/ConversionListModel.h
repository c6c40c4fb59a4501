#pragma once

#include <QAbstractListModel>

#include "filelist/ConversionList.h"

namespace korrin {

// The conversion list as the list control shows it: one row per entry, the
// entry's text as shown. Follows every change of the list row by row, so a
// view over tens of thousands of entries never reloads as a whole.
class ConversionListModel final : public QAbstractListModel, private ConversionList::Listener {
 public:
  explicit ConversionListModel(ConversionList& list, QObject* parent = nullptr);
  ~ConversionListModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  void BeforeInsert(std::size_t row) override;
  void AfterInsert() override;
  void BeforeRemove(std::size_t row) override;
  void AfterRemove() override;
  void BeforeClear() override;
  void AfterClear() override;

  ConversionList& list_;
};

}  // namespace korrin
