#pragma once

#include <QListWidget>
#include <QString>
#include <string>
#include <vector>

namespace korrin {

// The source file panel: the files of one folder whose names match the
// import filter, ignoring case ("*.PRT*" also lists bracket.prt.3), by name.
class SourceFilePanel final : public QListWidget {
 public:
  explicit SourceFilePanel(QWidget* parent = nullptr);

  void SetFolder(const QString& folder) { folder_ = folder; }
  void SetPattern(const QString& pattern) { pattern_ = pattern; }
  const QString& folder() const { return folder_; }
  const QString& pattern() const { return pattern_; }
  // Lists the folder anew.
  void Refresh();
  // The names of the selected files, top to bottom.
  std::vector<std::string> SelectedNames() const;

 private:
  QString folder_;
  QString pattern_;
};

}  // namespace korrin
