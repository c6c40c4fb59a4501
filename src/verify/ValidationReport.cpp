#include "verify/ValidationReport.h"

#include <optional>

#include "host/HostCodes.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

bool IsReportablePattern(const std::string& pattern) {
  const std::string upper = ToUpperAscii(pattern);
  return upper == "*.IPT" || upper == "*.IAM" || upper == "*.IDW" || upper == "*.IDE" || upper == "*.IPN";
}

// The column a compute status other than up to date marks.
std::optional<ReportColumn> StatusColumn(std::int32_t status) {
  switch (status) {
    case host::kStatusUnknown:
      return ReportColumn::Us;
    case host::kStatusOutOfDate:
      return ReportColumn::Od;
    case host::kStatusDriverLost:
      return ReportColumn::Dl;
    case host::kStatusInError:
      return ReportColumn::Ie;
    case host::kStatusDeleted:
      return ReportColumn::De;
    case host::kStatusCannotCompute:
      return ReportColumn::Cc;
    default:
      return std::nullopt;
  }
}

class FileValidation {
 public:
  FileValidation(host::Apprentice& reader, ReportRow& row, const std::string& projectFile)
      : reader_(reader), row_(row), projectFile_(projectFile) {}

  void Run(const std::string& path) {
    auto document = reader_.Open(path);
    if (!document) {
      Remark("Error opening document " + document.failure().description);
      row_.red = true;
      return;
    }
    if (!document.value()) {
      Remark("Document could not be opened. May be a new version of Inventor than the current");
      row_.red = true;
      return;
    }
    document_ = document.value();
    if (!CheckRelease()) return;
    MarkStatus();
    CheckProject();
    if (failure_) row_[ReportColumn::Other] = failure_->description;
  }

 private:
  template <typename T>
  std::optional<T> Take(Result<T> result) {
    if (result) return result.value();
    if (!failure_) failure_ = result.failure();
    return std::nullopt;
  }
  void Remark(std::string text) { row_[ReportColumn::Other] = std::move(text); }

  // False when the file is too new to check further.
  bool CheckRelease() {
    const auto server = Take(reader_.SoftwareVersion());
    const auto created = Take(reader_.CreatingRelease(document_));
    if (!server || !created) return true;
    row_[ReportColumn::Ver] = std::to_string(created->major) + "." + std::to_string(created->minor);
    if (server->major < created->major || (server->major == created->major && server->minor < created->minor)) {
      Remark("File created in newer Inventor, not supported");
      row_.red = true;
      return false;
    }
    if (server->major > created->major) {
      Remark("File created in older Inventor, not recommended, but may work");
      row_.red = true;
    }
    return true;
  }

  void MarkStatus() {
    if (const auto status = Take(reader_.ComputeStatus(document_))) {
      if (const auto column = StatusColumn(*status)) row_[*column] = "*";
    }
    if (Take(reader_.NeedsMigrating(document_)).value_or(false)) row_[ReportColumn::Nm] = "*";
  }

  void CheckProject() {
    const auto active = Take(reader_.ActiveProjectFile());
    if (active && ToUpperAscii(*active) != ToUpperAscii(projectFile_)) {
      Remark("Document projectfile is different from selected projectfile");
    }
  }

  host::Apprentice& reader_;
  ReportRow& row_;
  const std::string& projectFile_;
  host::DocumentHandle document_;
  std::optional<Failure> failure_;
};

}  // namespace

ReportRow& ValidationReport::AddRow(const std::string& path) {
  ReportRow row;
  row.cells.fill("-");
  row[ReportColumn::Document] = path;
  rows_.push_back(std::move(row));
  return rows_.back();
}

bool ValidateDocumentsReport(VerificationPorts& ports, ValidationReport& report, const std::vector<std::string>& files,
                             const std::string& importPattern, const std::string& projectFile) {
  report.Clear();
  if (ports.showReport) ports.showReport();
  if (!IsReportablePattern(importPattern)) {
    ports.dialogs.ShowMessage("Files must be Inventor type files...");
    return false;
  }
  auto made = ports.connector.NewApprentice();
  for (const std::string& path : files) {
    ReportRow& row = report.AddRow(path);
    report.SetStatus("Verifying: " + path);
    if (!made) {
      row[ReportColumn::Other] = "Error opening document " + made.failure().description;
      row.red = true;
    } else {
      FileValidation(*made.value(), row, projectFile).Run(path);
      (void)made.value()->CloseAll();
    }
    ports.events.Yield();
  }
  report.SetStatus(kValidationFinished);
  return true;
}

}  // namespace korrin
