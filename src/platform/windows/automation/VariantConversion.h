#pragma once

#include "platform/windows/automation/AutomationHeaders.h"

#include "host/DispatchValue.h"
#include "ports/Result.h"

namespace korrin {

// Where object references and interface pointers meet while values are
// converted: the client's table of the host's objects, or a server's table
// of the objects it serves.
class ObjectMapping {
 public:
  virtual ~ObjectMapping() = default;
  // The object a reference names (borrowed), or null for one never handed out.
  virtual IDispatch* DispatchOf(host::ObjectReference reference) = 0;
  // The reference of an object, handing out a new one the first time; the
  // mapping keeps its own reference to the object.
  virtual Result<host::ObjectReference> ReferenceOf(IDispatch* object) = 0;
};

// Fills a variant the caller initialised and clears: texts as BSTR, objects
// as IDispatch, arrays as one-dimensional SAFEARRAYs of variants. Fails
// (leaving the variant empty) on a reference the mapping does not know.
Status ToVariant(const host::DispatchValue& value, ObjectMapping& objects, VARIANT& variant);
// Reads what a call returned, through references to what the variant
// points at; other unsigned and narrow integers widen, a single-precision
// number becomes a double, a missing optional argument is empty. Any other
// kind fails with a type mismatch that names it.
Result<host::DispatchValue> FromVariant(const VARIANT& variant, ObjectMapping& objects);

}  // namespace korrin
