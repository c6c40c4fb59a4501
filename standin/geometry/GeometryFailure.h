#pragma once

#include <cerrno>

namespace korrin::standin {

// Failure numbers of the geometry layer. A file the system cannot open or
// write gives the system's own errno; the other failures use these errno
// values, each for one kind of fault, so the host can tell them apart.
inline constexpr long kModelFileEmpty = ENODATA;
inline constexpr long kModelFileWrongKind = EMEDIUMTYPE;
inline constexpr long kModelFileBroken = EBADMSG;
// A product or shape handed to a writer that it cannot write (no shape, no
// name).
inline constexpr long kInvalidModel = EINVAL;
// An Open CASCADE algorithm failed or refused its input.
inline constexpr long kGeometryFailed = EDOM;

}  // namespace korrin::standin
