#include "settings/TranslatorSettingsFile.h"

#include <cerrno>
#include <system_error>

#include "settings/PathConversion.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

constexpr std::size_t kExtensionLength = 3;
constexpr std::string_view kBackupExtension = "BAK";

std::string LineOfRow(const SettingsListRow& row) {
  if (row.section) return row.key;
  // A value given to a line that had no "=" needs one to be read back.
  if (row.hasEquals || !row.value.empty()) return row.key + "=" + row.value;
  return row.key;
}

Result<std::vector<std::string>> TranslatorSettingsLines(const std::vector<SettingsListRow>& rows,
                                                         FileCodePage codePage) {
  std::vector<std::string> lines;
  lines.reserve(rows.size());
  for (const SettingsListRow& row : rows) {
    const std::string line = LineOfRow(row);
    std::optional<std::string> bytes = FileBytesOfText(line, codePage);
    if (!bytes) {
      return Failure{EILSEQ, CharacterNotInCodePageMessage(CharacterNotInCodePage(line, codePage).value_or(""), codePage)};
    }
    lines.push_back(std::move(*bytes));
  }
  return lines;
}

bool IsExistingFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::filesystem::path TranslatorSettingsBackupPath(const std::filesystem::path& path) {
  const std::string text = TextFromPath(path);
  const std::size_t kept = text.size() < kExtensionLength ? 0 : text.size() - kExtensionLength;
  return PathFromText(text.substr(0, kept) + std::string(kBackupExtension));
}

Status SaveTranslatorSettings(const std::filesystem::path& path, const std::vector<SettingsListRow>& rows,
                              FileCodePage codePage) {
  if (!IsExistingFile(path)) return Failure{ENOENT, "No settings file to save over: " + TextFromPath(path)};
  Result<std::vector<std::string>> lines = TranslatorSettingsLines(rows, codePage);
  if (!lines) return lines.failure();

  // Started before the backup is touched, so a folder that takes no new
  // file fails the save with the old backup still in place.
  Result<FileReplacement> replacement = FileReplacement::Start(path);
  if (!replacement) return replacement.failure();
  // A copy rather than a rename keeps the file in place until the new
  // content replaces it in one step.
  if (Status backup = CopyFileReplacing(path, TranslatorSettingsBackupPath(path)); !backup) return backup;
  return replacement.value().Commit(lines.value());
}

}  // namespace korrin
