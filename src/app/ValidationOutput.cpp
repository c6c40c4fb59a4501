#include "app/ValidationOutput.h"

#include <algorithm>

#include "engine/RunOutcomes.h"

namespace korrin {
namespace {

constexpr const char* kColumnGap = "  ";

std::string Padded(const std::string& text, std::size_t width) {
  return text + std::string(width - std::min(width, text.size()), ' ');
}

std::string TableLine(const std::array<std::string, kReportColumnCount>& cells,
                      const std::array<std::size_t, kReportColumnCount>& widths, bool red) {
  std::string line = red ? "!" : " ";
  for (std::size_t column = 0; column < kReportColumnCount; ++column) {
    line += kColumnGap;
    // The last column is not padded: no blanks trail a line.
    line += column + 1 < kReportColumnCount ? Padded(cells[column], widths[column]) : cells[column];
  }
  return line;
}

}  // namespace

std::vector<std::string> ValidationTableLines(const ValidationReport& report) {
  std::array<std::string, kReportColumnCount> header;
  std::array<std::size_t, kReportColumnCount> widths{};
  for (std::size_t column = 0; column < kReportColumnCount; ++column) {
    header[column] = kReportColumnNames[column];
    widths[column] = header[column].size();
    for (const ReportRow& row : report.rows()) widths[column] = std::max(widths[column], row.cells[column].size());
  }
  std::vector<std::string> lines = {TableLine(header, widths, false)};
  for (const ReportRow& row : report.rows()) lines.push_back(TableLine(row.cells, widths, row.red));
  lines.push_back("");
  lines.push_back("Validation legend");
  for (const LegendPair& pair : kValidationLegend) lines.push_back(std::string(pair.code) + " " + pair.explanation);
  return lines;
}

std::string ValidationCsv(const ValidationReport& report) {
  std::string csv;
  for (const char* name : kReportColumnNames) csv += std::string(name) + ",";
  csv += "Red\r\n";
  for (const ReportRow& row : report.rows()) {
    for (const std::string& cell : row.cells) csv += CsvField(cell) + ",";
    csv += row.red ? "yes\r\n" : "no\r\n";
  }
  return csv;
}

bool IsCleanRow(const ReportRow& row) {
  if (row.red) return false;
  for (std::size_t column = static_cast<std::size_t>(ReportColumn::Cc); column < kReportColumnCount; ++column) {
    if (row.cells[column] != "-") return false;
  }
  return true;
}

}  // namespace korrin
