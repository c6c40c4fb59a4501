#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korrin {

// The export template held in memory: every line of the file in order, the
// one place where the export options live while the program runs. Lookups
// find a key wherever it stands (sections play no part) and only its first
// occurrence counts.
class ExportTemplateLines {
 public:
  ExportTemplateLines() = default;
  explicit ExportTemplateLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  const std::vector<std::string>& lines() const { return lines_; }
  void Replace(std::vector<std::string> lines) { lines_ = std::move(lines); }

  // Sets value to the value of the first line whose key matches, ignoring
  // case; leaves it unchanged when no line matches. Returns whether one did.
  bool GetExportOption(std::string_view key, std::string& value) const;

  // Rewrites the first matching line as its own key (spelling kept), "=" and
  // value. A key the template lacks is not stored: no line is ever added.
  void SetExportOption(std::string_view key, std::string_view value);

 private:
  std::vector<std::string> lines_;
};

}  // namespace korrin
