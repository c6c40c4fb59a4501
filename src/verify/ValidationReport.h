#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "verify/DocumentVerification.h"

namespace korrin {

// The columns of the document validation report, in order.
enum class ReportColumn { Document, Ver, Cc, De, Dl, Ie, Od, Us, Nm, Other };
inline constexpr std::size_t kReportColumnCount = 10;
inline constexpr std::array<const char*, kReportColumnCount> kReportColumnNames{
    "Document", "Ver", "Cc", "De", "Dl", "Ie", "Od", "Us", "Nm", "Other"};

// The legend below the report: a code and what it means.
struct LegendPair {
  const char* code;
  const char* explanation;
};
inline constexpr std::array<LegendPair, 7> kValidationLegend{{
    {"Cc=Cannot compute:", "Assembly cannot be evaluated:"},
    {"De=Deleted:", "Assembly/Part has been destroyed, i.e. bad reference"},
    {"Dl=Driver lost:", "Assembly/Part is driven from another application/add-in which has been disconnected"},
    {"Ie=In Error:", "Assembly has update errors"},
    {"Od=Out of Date:", "Some parts or the assembly has changed"},
    {"Us=Unknown status:", "Status not recognized"},
    {"Nm=Need Migration:", "Current Inventor is newer"},
}};

// One checked file: its cells, "-" until a finding fills them, and whether
// it is drawn in red (it could not be opened, or its release does not fit).
struct ReportRow {
  std::array<std::string, kReportColumnCount> cells;
  bool red = false;

  const std::string& operator[](ReportColumn column) const { return cells[static_cast<std::size_t>(column)]; }
  std::string& operator[](ReportColumn column) { return cells[static_cast<std::size_t>(column)]; }
};

// The report the validation fills and its window shows.
class ValidationReport {
 public:
  void Clear() { rows_.clear(); }
  ReportRow& AddRow(const std::string& path);
  const std::vector<ReportRow>& rows() const { return rows_; }

  // The progress text of the window's status panel.
  const std::string& status() const { return status_; }
  void SetStatus(std::string text) { status_ = std::move(text); }

 private:
  std::vector<ReportRow> rows_;
  std::string status_;
};

inline constexpr const char* kValidationFinished = "Validation finished";

// Fills the report: per file its release, a "*" for each status finding and
// for a needed migration, and one remark ("Other", the last one written
// wins). False when the import pattern is none of the host's document kinds
// (with its message) and nothing was checked.
bool ValidateDocumentsReport(VerificationPorts& ports, ValidationReport& report, const std::vector<std::string>& files,
                             const std::string& importPattern, const std::string& projectFile);

}  // namespace korrin
