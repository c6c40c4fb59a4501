#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ServedObjectTable.h"
#include "host/DispatchValue.h"
#include "host/HostValues.h"
#include "ports/Result.h"

namespace korrin::standin {

// An object argument: the reference the client passed and what it names.
struct ObjectArgument {
  host::ObjectReference reference;
  ServedObject object;
};

// The arguments of one invoke, read by position (from 0) as the kind the
// member takes. A value of another kind fails with TypeMismatch naming the
// argument, what was expected and what came; automation's widening is
// taken as a client takes it: a 16-bit integer where a 32-bit one is
// asked for, an integer where a double is. The member's argument count is
// checked before a member reads them; a position past the end fails with
// BadParameterCount all the same.
class ArgumentReader {
 public:
  ArgumentReader(const std::vector<host::DispatchValue>& arguments, const ServedObjectTable& objects)
      : arguments_(arguments), objects_(objects) {}

  std::size_t size() const { return arguments_.size(); }

  Result<std::int32_t> Integer(std::size_t position) const;
  Result<double> Double(std::size_t position) const;
  Result<bool> Boolean(std::size_t position) const;
  Result<std::string> Text(std::size_t position) const;
  Result<host::OptionValue> Option(std::size_t position) const;
  // An array of the six integers of a window placement.
  Result<host::WindowPlacement> Placement(std::size_t position) const;
  // A reference this dispatcher handed out, to an object of the kind.
  Result<ObjectArgument> Object(std::size_t position, ServedKind kind) const;

 private:
  Result<const host::DispatchValue*> At(std::size_t position) const;
  Failure Mismatch(std::size_t position, const std::string& expected, const std::string& got) const;

  const std::vector<host::DispatchValue>& arguments_;
  const ServedObjectTable& objects_;
};

}  // namespace korrin::standin
