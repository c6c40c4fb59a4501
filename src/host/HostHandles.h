#pragma once

#include <compare>
#include <cstdint>

namespace korrin::host {

// A handle names one object of the host: it is a number, never a pointer
// into the host, so a host in another process can sit behind the interface.
// A handle whose object is gone (a closed document) makes calls fail; it
// never dangles. Handles of different kinds do not convert into each other.
template <typename Kind>
struct Handle {
  std::uint64_t value = 0;

  explicit operator bool() const { return value != 0; }
  auto operator<=>(const Handle&) const = default;
};

using DocumentHandle = Handle<struct DocumentKind>;
using SheetHandle = Handle<struct SheetKind>;
using ViewHandle = Handle<struct ViewKind>;
using AddInHandle = Handle<struct AddInKind>;
using DescriptorHandle = Handle<struct DescriptorKind>;
using ContextHandle = Handle<struct ContextKind>;
using OptionMapHandle = Handle<struct OptionMapKind>;
using DataMediumHandle = Handle<struct DataMediumKind>;
using WindowHandle = Handle<struct WindowKind>;
using PrintManagerHandle = Handle<struct PrintManagerKind>;

}  // namespace korrin::host
