#pragma once

#include <cstddef>
#include <memory>

#include "host/Apprentice.h"
#include "ports/Result.h"
#include "settings/Registry.h"

namespace korrin::standin {

// A document reader of the installed host's release, which reads the active
// project from the registry when asked. It counts into documentReads every
// document file it reads from disk.
Result<std::unique_ptr<host::Apprentice>> NewStandinApprentice(Registry& registry,
                                                               std::shared_ptr<std::size_t> documentReads);

}  // namespace korrin::standin
