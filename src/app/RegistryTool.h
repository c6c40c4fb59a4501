#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/linux/RegistryStore.h"

namespace korrin {

// korrin-reg: lists, reads, writes, deletes, exports and imports registry
// keys, with the commands and switches administrators know from the
// system's own registry tool:
//   query KEY [/v NAME | /ve] [/s]
//   add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]
//   delete KEY [/v NAME | /ve | /va] [/f]
//   export KEY FILE [/y]
//   import FILE
// Questions (overwrite, delete) are read from in; anything but an answer
// starting with "y" is No. Returns the exit status: 0 done, 1 failed (a
// missing key or value, a malformed file, a refused write), 2 wrong usage.
int RunRegistryTool(RegistryStore& store, const std::vector<std::string>& arguments, std::istream& in,
                    std::ostream& out, std::ostream& err);

}  // namespace korrin
