#include "filelist/FileList.h"

#include <algorithm>

#include "filelist/ImportFilter.h"
#include "settings/TextCase.h"
#include "settings/TextTokens.h"

namespace korrin {
namespace {


std::string CountText(std::size_t count) { return FileCountText(static_cast<std::int32_t>(count)); }

bool IsInventorPattern(const std::string& pattern) {
  const std::string upper = ToUpperAscii(pattern);
  return upper == "*.IPT" || upper == "*.IAM" || upper == "*.IDW" || upper == "*.IPN" || upper == "*.IDE";
}

}  // namespace

std::string SelectionCountText(std::size_t selected, std::size_t total) {
  return std::to_string(selected) + "/" + std::to_string(total) + " Selected";
}

FileList::FileList(ConversionList& list, ProgramSettings& settings, Ports ports, char separator)
    : list_(list), settings_(settings), ports_(ports), separator_(separator) {}

void FileList::AddSelected(const std::string& folder, const std::vector<std::string>& selectedNames) {
  ports_.view.ShowCommandPanel(kAbortCommand);
  for (const std::string& name : selectedNames) {
    if (ports_.abort.IsRaised()) break;
    list_.Add(JoinPath(folder, name, separator_));
  }
  ports_.abort.Lower();
  ports_.view.ShowCommandPanel(kExportCommand);
  UpdateCounts();
}

void FileList::AddDraggedFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (list_.Add(path)) ports_.view.ShowListCount(CountText(list_.Count()));
    ports_.pump.Yield();
  }
}

void FileList::RemoveMarked(std::vector<std::size_t> rows) {
  if (list_.IsEmpty()) return;
  // From the last row to the first, so the rows still to go keep their numbers.
  std::sort(rows.begin(), rows.end(), std::greater<>());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  for (const std::size_t row : rows) {
    if (row < list_.Count()) list_.RemoveAt(row);
  }
  UpdateCounts();
}

void FileList::RemoveAll() {
  list_.Clear();
  UpdateCounts();
}

void FileList::UpdateSelectionCount() {
  ports_.view.ShowSelectionCount(SelectionCountText(ports_.view.SelectedEntryCount(), list_.Count()));
}

void FileList::UpdateCounts() {
  ports_.view.ShowListCount(CountText(list_.Count()));
  UpdateSelectionCount();
}

void FileList::ChangeImportFormat(std::size_t index) { ApplyImportFormat(index, true); }

void FileList::ApplyImportFormat(std::size_t index, bool askBeforeEmptying) {
  if (index >= kImportCaptions.size()) return;
  const std::string caption(kImportCaptions[index]);
  const std::string filter = TextInParentheses(caption);

  if (askBeforeEmptying && !list_.IsEmpty()) {
    // Compared as "*." and the first entry's last three characters, so a
    // versioned "part.prt.3" never fits "*.PRT*" and always asks.
    const std::string listed = "*." + ToUpperAscii(LastThree(list_.At(0)));
    if (listed != filter && !EmptyListOfOtherFormat()) return;
  }

  ports_.view.SetSourcePattern(filter);
  ports_.view.ShowListCount(CountText(list_.Count()));
  settings_.BatchLastImportFilter = filter;
  const std::vector<std::string> exports = FillExportList(filter, caption);
  ports_.view.ShowExportFormats(exports);
  if (!exports.empty()) ChangeExportFormat(exports.front());
  if (IsInventorPattern(filter)) ports_.view.EnableVerify();
}

// Asks before a list of another format is emptied: true when the user
// agreed and the list is empty; false after Cancel, when the box has gone
// back to the listed files' format.
bool FileList::EmptyListOfOtherFormat() {
  if (ports_.dialogs.AskOkCancel(kImportChangeQuestion)) {
    RemoveAll();
    return true;
  }
  const std::string listed_end(LastThree(list_.At(0)));
  for (std::size_t i = 0; i < kImportCaptions.size(); ++i) {
    if (!EqualsIgnoringCase(LastThree(TextInParentheses(kImportCaptions[i])), listed_end)) continue;
    ports_.view.ShowImportChoice(i);
    // The restored format fits the listed files by construction; asking again
    // would repeat the question for "*.STEP" and "*.IGES" lists (their "*."
    // forms never equal the filter) until the user gave in and lost the list.
    ApplyImportFormat(i, false);
  }
  return false;
}

void FileList::ChangeExportFormat(const std::string& caption) {
  ApplyExportChoice(caption, settings_, ports_.view);
  settings_.BatchLastExportFilter = TextInParentheses(caption);
}

}  // namespace korrin
