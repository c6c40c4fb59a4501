#include "platform/linux/RuntimeFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/ProgramFolders.h"
#include "platform/linux/PrivateFolder.h"

namespace korrin {

void PrepareRuntimeFolder() {
  const char* current = std::getenv("XDG_RUNTIME_DIR");
  if (current != nullptr && *current != '\0' && CheckPrivateFolder(current)) return;
  const std::string folder = TempFolder() + "/korrin-runtime-" + std::to_string(::geteuid());
  if (PreparePrivateFolder(folder)) ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}

}  // namespace korrin
