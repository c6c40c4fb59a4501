#pragma once

#include <compare>
#include <cstdint>

namespace korrin::standin {

// The kinds of object a dispatcher serves: each has its own members.
enum class ServedKind {
  Application,
  Documents,
  Document,
  Sheets,
  Sheet,
  Border,
  TitleBlock,
  FileDescriptors,
  FileDescriptor,
  View,
  Window,
  AddIns,
  AddIn,
  CommandManager,
  Environment,
  TransientObjects,
  TranslationContext,
  OptionMap,
  DataMedium,
  PrintManager,
};

// "document", "translation context" ...: for failure descriptions.
const char* ServedKindName(ServedKind kind);

// One object behind a reference: its kind and the typed handle's number it
// stands for. A collection, border or title block has the handle of the
// object it belongs to (the document, the sheet); a file descriptor has the
// document that lists it as its owner. A translation context or data medium
// is made before the typed call that makes its handle can be: it has no
// handle (0) until its kind or file name is set or it is first used.
struct ServedObject {
  ServedKind kind = ServedKind::Application;
  std::uint64_t handle = 0;
  std::uint64_t owner = 0;

  auto operator<=>(const ServedObject&) const = default;
};

}  // namespace korrin::standin
