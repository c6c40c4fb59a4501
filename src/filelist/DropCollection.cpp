#include "filelist/DropCollection.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "filelist/ImportFilter.h"
#include "settings/PathConversion.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRecursePrefix = "Main Directory: ";
constexpr const char* kRecurseSuffix = "\rRecurse SubDirectories ?";

struct FolderContents {
  std::vector<std::string> folders;
  std::vector<std::string> files;
};

// A folder's subfolders and files, sorted by name so a walk collects in
// the same order on every machine; an unreadable folder has none.
FolderContents ContentsOf(const std::string& folder) {
  FolderContents contents;
  std::error_code error;
  for (fs::directory_iterator entry(PathFromText(folder), error); !error && entry != fs::directory_iterator();
       entry.increment(error)) {
    std::error_code kind;
    if (entry->is_directory(kind)) {
      contents.folders.push_back(TextFromPath(entry->path()));
    } else if (entry->is_regular_file(kind)) {
      contents.files.push_back(TextFromPath(entry->path()));
    }
  }
  std::sort(contents.folders.begin(), contents.folders.end());
  std::sort(contents.files.begin(), contents.files.end());
  return contents;
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(PathFromText(path), error);
}

bool IsFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(PathFromText(path), error);
}

}  // namespace

DropCollection::DropCollection(std::string importFilter, Dialogs& dialogs, EventPump& events, AbortFlag& abort,
                               std::function<void(const std::string&)> showStatus)
    : importFilter_(std::move(importFilter)), dialogs_(dialogs), events_(events), abort_(abort),
      showStatus_(std::move(showStatus)) {}

std::string RecurseQuestion(const std::string& folder) {
  return std::string(kRecursePrefix) + folder + kRecurseSuffix;
}

bool IsRecurseQuestion(const std::string& text) {
  const std::string_view prefix = kRecursePrefix;
  const std::string_view suffix = kRecurseSuffix;
  return text.size() >= prefix.size() + suffix.size() && text.starts_with(prefix) && text.ends_with(suffix);
}

bool DropCollection::AskToRecurse(const std::string& folder) {
  return dialogs_.AskYesNo(RecurseQuestion(folder));
}

void DropCollection::AddFile(const std::string& path) {
  if (MatchesImportFilter(TextFromPath(PathFromText(path).filename()), importFilter_)) paths_.push_back(path);
}

void DropCollection::AddOwnFiles(const std::string& folder) {
  for (const std::string& file : ContentsOf(folder).files) AddFile(file);
}

void DropCollection::AddSubFolders(const std::string& folder) {
  if (showStatus_) showStatus_("Scanning: " + folder);
  const FolderContents contents = ContentsOf(folder);
  for (const std::string& sub : contents.folders) {
    events_.Yield();
    if (abort_.IsRaised()) return;
    AddSubFolders(sub);
    if (abort_.IsRaised()) return;
  }
  for (const std::string& file : contents.files) {
    events_.Yield();
    if (abort_.IsRaised()) return;
    AddFile(file);
  }
}

void DropCollection::AddListFile(const std::string& path) {
  const TextFileRead read = ReadTextFile(PathFromText(path));
  for (const std::string& line : read.lines) {
    if (MatchesImportFilter(line, importFilter_) && IsFile(line)) paths_.push_back(line);
  }
}

void DropCollection::AddDroppedItems(const std::vector<std::string>& items) {
  for (const std::string& item : items) {
    if (IsFolder(item)) {
      if (ContentsOf(item).folders.empty()) {
        AddOwnFiles(item);
      } else if (!askToRecurse_ || AskToRecurse(item)) {
        askToRecurse_ = false;
        AddSubFolders(item);
      } else {
        AddOwnFiles(item);
      }
    } else if (MatchesImportFilter(TextFromPath(PathFromText(item).filename()), importFilter_)) {
      paths_.push_back(item);
    } else if (EndsWithIgnoringCase(item, "TXT")) {
      AddListFile(item);
    }
  }
}

void DropCollection::AddTreeFolder(const std::string& folder) {
  const FolderContents contents = ContentsOf(folder);
  if (!contents.folders.empty() && AskToRecurse(folder)) {
    for (const std::string& sub : contents.folders) AddSubFolders(sub);
  }
  for (const std::string& file : contents.files) AddFile(file);
}

}  // namespace korrin
