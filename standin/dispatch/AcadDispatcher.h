#pragma once

#include <cstdint>
#include <vector>

#include "host/Acad.h"
#include "host/DispatchChannel.h"
#include "host/DispatchValue.h"
#include "ports/Result.h"

namespace korrin::standin {

// AutoCAD's end of the dispatch channel: serves the members the program
// uses on AutoCAD, over any implementation of the typed interface. Its few
// objects have fixed references: the application, the documents
// collection, the active document (whichever document is active when it is
// called, which is how the program uses it: fetched anew for every close),
// that document's preferences, and the state object of the idle query.
//
// Invoke fails with ObjectDisconnected on any other reference,
// MemberNotFound on a member the object lacks for that way of invoking,
// BadParameterCount and TypeMismatch on wrong arguments; AutoCAD's own
// failures come back unchanged.
class AcadDispatcher {
 public:
  explicit AcadDispatcher(host::Acad& acad) : acad_(acad) {}

  Result<host::DispatchValue> Invoke(host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                                     const std::vector<host::DispatchValue>& arguments);

 private:
  Result<host::DispatchValue> OnApplication(std::int32_t member, host::InvokeKind kind,
                                            const std::vector<host::DispatchValue>& arguments);
  Result<host::DispatchValue> OnDocuments(std::int32_t member, host::InvokeKind kind,
                                          const std::vector<host::DispatchValue>& arguments);
  Result<host::DispatchValue> OnDocument(std::int32_t member, host::InvokeKind kind,
                                         const std::vector<host::DispatchValue>& arguments);
  Result<host::DispatchValue> OnPreferences(std::int32_t member, host::InvokeKind kind,
                                            const std::vector<host::DispatchValue>& arguments);
  Result<host::DispatchValue> OnState(std::int32_t member, host::InvokeKind kind,
                                      const std::vector<host::DispatchValue>& arguments);

  Result<host::DispatchValue> ObjectOf(std::uint64_t reference, const std::vector<host::DispatchValue>& arguments);

  host::Acad& acad_;
};

}  // namespace korrin::standin
