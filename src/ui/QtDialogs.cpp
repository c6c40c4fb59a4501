#include "ui/QtDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace korrin {
namespace {

QString Shown(const std::string& text) { return QString::fromStdString(text).replace('\r', '\n'); }

bool Ask(QWidget* owner, const QString& title, const std::string& text, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton yes) {
  QMessageBox box(QMessageBox::Question, title, Shown(text), buttons, owner);
  return box.exec() == yes;
}

}  // namespace

QStringList NameFiltersOf(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const qsizetype open = description.indexOf('(');
    if (open >= 0) description.truncate(open);
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
      patterns << pattern.toUpper();
      if (pattern.toLower() != pattern.toUpper()) patterns << pattern.toLower();
    }
    filters << description.trimmed() + " (" + patterns.join(' ') + ")";
  }
  return filters;
}

void QtDialogs::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::Information, title_, Shown(text), QMessageBox::Ok, owner_);
  box.exec();
}

bool QtDialogs::AskYesNo(const std::string& text) {
  return Ask(owner_, title_, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
}

bool QtDialogs::AskOkCancel(const std::string& text) {
  return Ask(owner_, title_, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
}

std::optional<std::string> QtDialogs::ChooseFile(const FileRequest& request) {
  QFileDialog dialog(owner_, QString::fromStdString(request.title));
  dialog.setAcceptMode(request.purpose == FileRequest::Purpose::Save ? QFileDialog::AcceptSave
                                                                     : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.purpose == FileRequest::Purpose::Save ? QFileDialog::AnyFile
                                                                   : QFileDialog::ExistingFile);
  if (const QStringList filters = NameFiltersOf(request.filter); !filters.isEmpty()) dialog.setNameFilters(filters);
  const QString fileName = QString::fromStdString(request.fileName);
  const QString folder =
      request.startFolder.empty() ? QFileInfo(fileName).path() : QString::fromStdString(request.startFolder);
  if (!folder.isEmpty() && folder != ".") dialog.setDirectory(folder);
  if (!fileName.isEmpty()) dialog.selectFile(QFileInfo(fileName).fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogs::BrowseForFolder(const std::string& title) {
  const QString folder = QFileDialog::getExistingDirectory(owner_, QString::fromStdString(title));
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

std::optional<std::string> QtDialogs::AskText(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) {
  bool ok = false;
  const QString text = QInputDialog::getText(owner_, QString::fromStdString(title), Shown(prompt),
                                             QLineEdit::Normal, QString::fromStdString(defaultText), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

}  // namespace korrin
