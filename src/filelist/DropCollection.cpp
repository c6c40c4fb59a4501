#include "filelist/DropCollection.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
// winbase.h defines Yield() as nothing, which would swallow EventPump's.
#undef Yield
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include "filelist/ImportFilter.h"
#include "filelist/ListFileBuffer.h"
#include "settings/PathConversion.h"
#include "settings/PathText.h"
#include "settings/TextCase.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRecursePrefix = "Main Directory: ";
constexpr const char* kRecurseSuffix = "\rRecurse SubDirectories ?";

struct FolderContents {
  std::vector<std::string> folders;
  std::vector<std::string> linkedFolders;  // subfolders reached through a symbolic link
  std::vector<FolderFile> files;

  bool HasSubfolders() const { return !folders.empty() || !linkedFolders.empty(); }
};

void SortContents(FolderContents& contents) {
  std::sort(contents.folders.begin(), contents.folders.end());
  std::sort(contents.linkedFolders.begin(), contents.linkedFolders.end());
  std::sort(contents.files.begin(), contents.files.end());
}

#ifdef _WIN32
FolderContents ContentsOf(const std::string& folder, std::string_view) {
  FolderContents contents;
  std::error_code error;
  for (fs::directory_iterator entry(PathFromText(folder), error); !error && entry != fs::directory_iterator();
       entry.increment(error)) {
    std::error_code kind;
    if (entry->is_directory(kind)) {
      (entry->is_symlink(kind) ? contents.linkedFolders : contents.folders).push_back(TextFromPath(entry->path()));
    } else if (entry->is_regular_file(kind)) {
      contents.files.push_back({TextFromPath(entry->path()), std::nullopt});
    }
  }
  SortContents(contents);
  return contents;
}
#else
// A folder's subfolders and files, sorted by name so a walk collects in
// the same order on every machine; an unreadable folder has none. The
// listing itself tells a file's kind and inode, and the folder's device is
// the file's: a walk over a large tree reads its folders and looks at
// nothing else, unless the file system leaves the kind untold. Names the
// filter refuses are passed over.
FolderContents ContentsOf(const std::string& folder, std::string_view filter) {
  FolderContents contents;
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return contents;
  const int descriptor = ::dirfd(listing);
  struct stat own {};
  if (::fstat(descriptor, &own) != 0) {
    ::closedir(listing);
    return contents;
  }
  const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    unsigned char type = entry->d_type;
    struct stat status {};
    bool examined = false;
    if (type == DT_UNKNOWN) {
      if (::fstatat(descriptor, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
      examined = true;
      type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISLNK(status.st_mode) ? DT_LNK : S_ISREG(status.st_mode) ? DT_REG : 0;
    }
    if (type == DT_DIR) {
      contents.folders.emplace_back(name);
    } else if (type == DT_LNK) {
      struct stat target {};
      if (::fstatat(descriptor, entry->d_name, &target, 0) != 0) continue;
      if (S_ISDIR(target.st_mode)) {
        contents.linkedFolders.emplace_back(name);
      } else if (S_ISREG(target.st_mode)) {
        // Its filter is the named file's: the file is listed as that one.
        contents.files.push_back({std::string(name), std::nullopt});
      }
    } else if (type == DT_REG && MatchesImportFilter(name, filter)) {
      RealIdentity identity;
      identity.device = static_cast<std::uintmax_t>(examined ? status.st_dev : own.st_dev);
      identity.inode = static_cast<std::uintmax_t>(examined ? status.st_ino : entry->d_ino);
      contents.files.push_back({std::string(name), identity});
    }
  }
  ::closedir(listing);
  // Sorted by name, the same order as by path, comparing the short part.
  SortContents(contents);
  for (std::string& path : contents.folders) path.insert(0, prefix);
  for (std::string& path : contents.linkedFolders) path.insert(0, prefix);
  for (FolderFile& file : contents.files) file.path.insert(0, prefix);
  return contents;
}
#endif

// The real file or folder behind a path, whatever links lead to it; nothing
// when it cannot be reached.
std::optional<RealIdentity> IdentityOf(const std::string& path) {
  RealIdentity identity;
#ifdef _WIN32
  // The volume and the file's index tell files apart under any name, hard
  // links among them, as a device and an inode do; links are followed, and
  // the backup flag lets a folder be opened too.
  const HANDLE file = ::CreateFileW(PathFromText(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION information{};
  const bool known = ::GetFileInformationByHandle(file, &information) != 0;
  ::CloseHandle(file);
  if (!known) return std::nullopt;
  identity.device = information.dwVolumeSerialNumber;
  identity.inode = (std::uintmax_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
#else
  struct stat status {};
  if (::stat(PathFromText(path).c_str(), &status) != 0) return std::nullopt;
  identity.device = static_cast<std::uintmax_t>(status.st_dev);
  identity.inode = static_cast<std::uintmax_t>(status.st_ino);
#endif
  return identity;
}

// No system the program runs on names a file by a longer path. A longer line
// (a large file that is no list at all) is passed over, not held in memory.
constexpr std::size_t kLongestPath = 32 * 1024;

// The next line of a list file without its line end (LF or CR LF); false at
// the end of the file or on a read failure. An overlong line comes back empty.
bool NextListLine(std::streambuf& file, std::string& line) {
  using Traits = std::streambuf::traits_type;
  line.clear();
  bool read = false, overlong = false;
  for (Traits::int_type c = file.sbumpc(); !Traits::eq_int_type(c, Traits::eof()); c = file.sbumpc()) {
    read = true;
    if (Traits::to_char_type(c) == '\n') break;
    if (line.size() < kLongestPath) {
      line.push_back(Traits::to_char_type(c));
    } else {
      overlong = true;
    }
  }
  if (overlong) line.clear();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return read;
}

// Records the real file or folder behind the path; false when it was
// recorded before. What cannot be reached is never the same as anything.
bool FirstVisit(IdentitySet& visited, const std::string& path) {
  const std::optional<RealIdentity> identity = IdentityOf(path);
  return !identity || visited.insert(*identity).second;
}

// A list file's line as a full path: as written when it is one; otherwise
// taken from the list's own folder, so a list travels with its documents.
// ".." is resolved by name, as Windows resolves it.
std::string ListedPath(const std::string& line, const fs::path& listFolder) {
  const fs::path written = PathFromText(line);
  if (written.is_absolute()) return line;
  return TextFromPath((listFolder / written).lexically_normal());
}

bool IsLink(const std::string& path) {
  std::error_code error;
  return fs::is_symlink(PathFromText(path), error);
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
  // A linked file is listed as the file it names: the host then finds the
  // document's references beside the document itself, and its outputs go
  // there too.
  std::string file = path;
  if (IsLink(path)) {
    std::error_code error;
    const fs::path real = fs::canonical(PathFromText(path), error);
    if (error) return;
    file = TextFromPath(real);
  }
  if (!MatchesImportFilter(TextFromPath(PathFromText(file).filename()), importFilter_)) return;
  if (FirstVisit(listedFiles_, file)) Take(std::move(file));
}

void DropCollection::AddListedFile(FolderFile& file) {
  if (!file.identity) {
    AddFile(file.path);
  } else if (listedFiles_.insert(*file.identity).second) {
    Take(std::move(file.path));
  }
}

void DropCollection::AddOwnFiles(const std::string& folder) {
  for (FolderFile& file : ContentsOf(folder, importFilter_).files) AddListedFile(file);
}

void DropCollection::AddSubFolders(const std::string& folder) {
  WalkFolder(folder);
  WalkLinkedFolders();
}

void DropCollection::WalkFolder(const std::string& folder) {
  if (!FirstVisit(walkedFolders_, folder)) return;
  if (showStatus_) showStatus_("Scanning: " + folder);
  FolderContents contents = ContentsOf(folder, importFilter_);
  WalkSubfolders(contents.folders, contents.linkedFolders);
  if (abort_.IsRaised()) return;
  for (FolderFile& file : contents.files) {
    events_.Yield();
    if (abort_.IsRaised()) return;
    AddListedFile(file);
  }
}

void DropCollection::WalkSubfolders(const std::vector<std::string>& folders,
                                    const std::vector<std::string>& linkedFolders) {
  for (const std::string& sub : folders) {
    events_.Yield();
    if (abort_.IsRaised()) return;
    WalkFolder(sub);
    if (abort_.IsRaised()) return;
  }
  linkedFolders_.insert(linkedFolders_.end(), linkedFolders.begin(), linkedFolders.end());
}

// Linked folders wait until the real trees of the drop are walked, so a
// folder inside them is listed under its own path, and one reached through
// links only is walked once, under the first link found.
void DropCollection::WalkLinkedFolders() {
  for (std::size_t next = 0; next < linkedFolders_.size(); ++next) {
    events_.Yield();
    if (abort_.IsRaised()) break;
    const std::string folder = linkedFolders_[next];  // the walk may append to the list
    WalkFolder(folder);
  }
  linkedFolders_.clear();
}

void DropCollection::AddListFile(const std::string& path) {
  std::error_code error;
  const fs::path list = fs::absolute(PathFromText(path), error);
  if (error) return;
  ListFileBuffer file(list);
  if (!file.is_open()) return;
  std::string line;
  while (NextListLine(file, line)) {
    events_.Yield();
    if (abort_.IsRaised()) return;
    if (!MatchesImportFilter(line, importFilter_)) continue;
    const std::string listed = ListedPath(line, list.parent_path());
    if (IsFullPath(listed) && IsFile(listed)) Take(listed);
  }
}

void DropCollection::AddDroppedItems(const std::vector<std::string>& items) {
  for (const std::string& item : items) {
    if (abort_.IsRaised()) break;
    if (IsFolder(item)) {
      if (!ContentsOf(item, importFilter_).HasSubfolders()) {
        AddOwnFiles(item);
      } else if (!askToRecurse_ || AskToRecurse(item)) {
        askToRecurse_ = false;
        WalkFolder(item);
      } else {
        AddOwnFiles(item);
      }
    } else if (MatchesImportFilter(TextFromPath(PathFromText(item).filename()), importFilter_)) {
      Take(item);
    } else if (EndsWithIgnoringCase(item, "TXT")) {
      AddListFile(item);
    }
  }
  WalkLinkedFolders();
}

void DropCollection::Take(std::string path) {
  if (sink_) {
    sink_(std::move(path));
  } else {
    paths_.push_back(std::move(path));
  }
}

void DropCollection::AddTreeFolder(const std::string& folder) {
  FolderContents contents = ContentsOf(folder, importFilter_);
  if (contents.HasSubfolders() && AskToRecurse(folder)) {
    FirstVisit(walkedFolders_, folder);  // a link back to it is no subfolder to walk
    WalkSubfolders(contents.folders, contents.linkedFolders);
    WalkLinkedFolders();
  }
  for (FolderFile& file : contents.files) AddListedFile(file);
}

}  // namespace korrin
