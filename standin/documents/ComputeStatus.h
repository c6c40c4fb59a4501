#pragma once

#include <cstdint>

namespace korrin::standin {

// Whether a document's contents are computed, as the host's status number.
// The file spells it as a word (see DocumentWords.h).
enum class ComputeStatus : std::int32_t {
  Unknown = 11777,
  UpToDate = 11778,
  OutOfDate = 11779,
  DriverLost = 11780,
  InError = 11781,
  Deleted = 11782,
  CannotCompute = 11783,
};

}  // namespace korrin::standin
