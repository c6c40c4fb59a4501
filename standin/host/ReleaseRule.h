#pragma once

#include "documents/StandinDocument.h"

namespace korrin::standin {

// A host reads documents of its own major release and older ones. A newer
// minor release of its own major reads too, as a service pack's files open
// on the release it updates; a newer major release does not.
inline bool ReleaseReads(const StandinRelease& host, const StandinRelease& document) {
  return document.majorNumber <= host.majorNumber;
}

}  // namespace korrin::standin
