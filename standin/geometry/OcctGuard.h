#pragma once

#include <Standard_Failure.hxx>
#include <exception>
#include <string>
#include <string_view>

#include "geometry/GeometryFailure.h"
#include "ports/Result.h"

namespace korrin::standin {

// The failure of a step that Open CASCADE (or the memory allocator) aborted
// by throwing.
Failure OcctFailure(std::string_view step, const Standard_Failure& failure);
Failure OcctFailure(std::string_view step, const std::exception& failure);

// Takes Open CASCADE's console printers away, once for the process: the
// translators report their transfers on standard output, which belongs to
// the program that hosts them.
void KeepOcctQuiet();

// Runs a step that may throw and returns its value, or a failure naming the
// step when it throws: nothing thrown inside Open CASCADE leaves the library.
// The step returns a Result<T> or a Status.
template <typename Step>
auto Guarded(std::string_view step, Step&& run) -> decltype(run()) {
  try {
    return run();
  } catch (const Standard_Failure& failure) {
    return OcctFailure(step, failure);
  } catch (const std::exception& failure) {
    return OcctFailure(step, failure);
  }
}

}  // namespace korrin::standin
