#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "ports/AbortFlag.h"
#include "ports/Dialogs.h"
#include "ports/EventPump.h"

namespace korrin {

// Gathers the full paths of one drop (files, folders and list files from the
// file manager, a folder dragged from the folder tree, paths on
// korrin-batch's command line) for the conversion list to add. Only files
// that match the import filter are collected; the list skips duplicates.
// The question whether to walk a folder's subfolders too.
std::string RecurseQuestion(const std::string& folder);
// True for any folder's recursion question.
bool IsRecurseQuestion(const std::string& text);

// What makes a file or folder the same one under any name that leads to it:
// the device and inode, on Windows the volume and the file's index.
struct RealIdentity {
  std::uintmax_t device = 0;
  std::uintmax_t inode = 0;

  bool operator==(const RealIdentity&) const = default;
};

struct RealIdentityHash {
  std::size_t operator()(const RealIdentity& identity) const {
    return std::hash<std::uintmax_t>()(identity.inode) ^ (std::hash<std::uintmax_t>()(identity.device) << 1);
  }
};

using IdentitySet = std::unordered_set<RealIdentity, RealIdentityHash>;

// A file a folder's listing found; for one that is no link, what makes it
// the same file under other names, read in the same look.
struct FolderFile {
  std::string path;
  std::optional<RealIdentity> identity;

  bool operator<(const FolderFile& other) const { return path < other.path; }
};

class DropCollection {
 public:
  // showStatus receives "Scanning: " + each folder a walk enters.
  DropCollection(std::string importFilter, Dialogs& dialogs, EventPump& events, AbortFlag& abort,
                 std::function<void(const std::string&)> showStatus);

  // Every item of a drop from outside, in the dropped order: a folder without
  // subfolders gives its files; one with subfolders asks whether to recurse
  // until the user says Yes once, and from then on recurses without asking;
  // a matching file is taken; a "TXT" file that does not match is read as a
  // list file; anything else is ignored. An abort ends the drop with what
  // was collected so far.
  void AddDroppedItems(const std::vector<std::string>& items);
  // A folder dragged from the folder tree: asks whether to recurse when it
  // has subfolders, then takes the folder's own matching files.
  void AddTreeFolder(const std::string& folder);

  // Walks the folder: its subfolders first, deepest first, then its own
  // files. Unreadable folders are skipped; the abort flag stops the walk.
  // Each real folder is walked once per drop, however many links lead to it;
  // folders behind links come after the real ones.
  void AddSubFolders(const std::string& folder);
  // Takes the file when its name matches the import filter, once per real
  // file; a symbolic link is taken as the file it names.
  void AddFile(const std::string& path);
  // Takes every line of a list file that matches the filter and names an
  // existing file: a full path as written, a relative one from the list
  // file's folder; other lines are skipped without a message.
  // The file is read a line at a time, yielding for each, until the end or
  // an abort.
  void AddListFile(const std::string& path);

  // From now on each path found goes to the sink as it is found, instead of
  // being kept: a list built from a hundred thousand files never holds them
  // twice.
  void SendPathsTo(std::function<void(std::string&&)> sink) { sink_ = std::move(sink); }

  const std::vector<std::string>& paths() const { return paths_; }

 private:
  bool AskToRecurse(const std::string& folder);
  // A file of a folder's listing: taken by the identity the listing read,
  // or as AddFile takes a path; its path is moved into the collection.
  void AddListedFile(FolderFile& file);
  void AddOwnFiles(const std::string& folder);
  void WalkFolder(const std::string& folder);
  void WalkSubfolders(const std::vector<std::string>& folders, const std::vector<std::string>& linkedFolders);
  void WalkLinkedFolders();
  void Take(std::string path);

  std::string importFilter_;
  Dialogs& dialogs_;
  EventPump& events_;
  AbortFlag& abort_;
  std::function<void(const std::string&)> showStatus_;
  bool askToRecurse_ = true;
  std::vector<std::string> paths_;
  std::function<void(std::string&&)> sink_;
  IdentitySet walkedFolders_;
  IdentitySet listedFiles_;
  std::vector<std::string> linkedFolders_;  // waiting to be walked
};

}  // namespace korrin
