#include "ui/FolderBrowser.h"

namespace korrin {

void FolderBrowser::Browse(const std::string& title) {
  ok_ = false;
  const std::optional<std::string> chosen = dialogs_.BrowseForFolder(title);
  if (!chosen) return;
  // A path ends at its first NUL, as the system hands it over.
  path_ = chosen->substr(0, chosen->find('\0'));
  ok_ = true;
}

}  // namespace korrin
