#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "host/HostHandles.h"

namespace korrin::host {

// A referenced file as a document's descriptor reports it: the type of the
// document it refers to (kUnknownDocument when it does not resolve) and the
// file's full name.
struct ReferencedFile {
  DescriptorHandle descriptor;
  std::int32_t referencedDocumentType = 0;
  std::string fullFileName;

  bool operator==(const ReferencedFile&) const = default;
};

// A release of the host: major and minor number.
struct Release {
  std::int32_t major = 0;
  std::int32_t minor = 0;

  bool operator==(const Release&) const = default;
};

// A value in a translator's option map.
using OptionValue = std::variant<bool, std::int32_t, double, std::string>;

// An add-in of the host as its collection lists it.
struct AddInEntry {
  AddInHandle addIn;
  std::string displayName;
};

// The placement of a window: its flags word, show command and normal
// rectangle, in screen pixels.
struct WindowPlacement {
  std::uint32_t flags = 0;
  std::int32_t showCommand = 0;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool operator==(const WindowPlacement&) const = default;
};

// The extents of a view window, in the order the host hands them out: the
// print run takes the third as the height and the fourth as the width.
struct ViewExtents {
  std::int32_t first = 0;
  std::int32_t second = 0;
  std::int32_t height = 0;
  std::int32_t width = 0;

  bool operator==(const ViewExtents&) const = default;
};

}  // namespace korrin::host
