#include "host/DispatchValue.h"

namespace korrin::host {

const char* DispatchKindName(DispatchKind kind) {
  switch (kind) {
    case DispatchKind::Empty: return "empty";
    case DispatchKind::Boolean: return "Boolean";
    case DispatchKind::Integer16: return "16-bit integer";
    case DispatchKind::Integer32: return "32-bit integer";
    case DispatchKind::Double: return "double";
    case DispatchKind::Text: return "text";
    case DispatchKind::Object: return "object";
    case DispatchKind::Array: return "array";
  }
  return "unknown";
}

}  // namespace korrin::host
