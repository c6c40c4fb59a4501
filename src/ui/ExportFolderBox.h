#pragma once

#include <QLineEdit>

namespace korrin {

// The export folder box: typed into, or filled by a folder dragged from the
// folder tree.
class ExportFolderBox final : public QLineEdit {
 public:
  explicit ExportFolderBox(QWidget* parent = nullptr) : QLineEdit(parent) {}

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace korrin
