// List files dropped on the list: the first line is the import filter, the
// rest the list file, read as a drop of one "TXT" file.
#include <cstdint>

#include "FuzzInput.h"
#include "filelist/DropCollection.h"
#include "filelist/ImportFilter.h"
#include "ports/AbortFlag.h"
#include "settings/PathText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korrin;
  using namespace korrin::fuzz;
  const std::string_view bytes = InputBytes(data, size);
  const std::size_t end = bytes.find('\n');
  const std::string filter(end == std::string_view::npos ? bytes : bytes.substr(0, end));
  const std::string_view list = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
  const std::filesystem::path file = WriteScratchFile("list.txt", list);

  AnsweringDialogs dialogs;
  IdleEventPump events;
  AbortFlag abort;
  DropCollection drop(filter, dialogs, events, abort, [](const std::string&) {});
  drop.AddDroppedItems({file.string()});
  for (const std::string& path : drop.paths()) {
    // A filter that takes the list file's own name takes it as a document.
    if (path == file.string()) continue;
    Require(IsFullPath(path), "a listed path is a full path");
    Require(list.find(FileNameOfPath(path)) != std::string_view::npos, "a listed file's name comes from the list file");
    Require(path.find('\n') == std::string::npos, "a listed path is one line");
  }
  return 0;
}
