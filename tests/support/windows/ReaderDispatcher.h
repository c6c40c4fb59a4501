#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <vector>

#include "host/Apprentice.h"
#include "host/DispatchChannel.h"
#include "host/DispatchValue.h"
#include "ports/Result.h"

namespace korrin::testing {

// The document reader's end of the dispatch channel: serves the members the
// program's channel reader calls (open, close, versions, the project
// manager, a document's references and sheets) over any document reader.
// Every object reached gets a reference, the same one each time it is
// reached again.
class ReaderDispatcher {
 public:
  explicit ReaderDispatcher(host::Apprentice& reader) : reader_(reader) {}

  Result<host::DispatchValue> Invoke(host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                                     const std::vector<host::DispatchValue>& arguments);

 private:
  enum class Kind { SoftwareVersion, ProjectManager, Document, DocumentVersion, Descriptors, Descriptor, Sheets, Sheet };
  struct Object {
    Kind kind = Kind::Document;
    std::uint64_t document = 0;  // the reader's handle
    std::int32_t number = 0;     // a descriptor's or a sheet's, from 1
    auto operator<=>(const Object&) const = default;
  };

  host::ObjectReference ReferenceOf(const Object& object);
  Result<host::DispatchValue> Reader(std::int32_t member, const std::vector<host::DispatchValue>& arguments);
  Result<host::DispatchValue> Member(const Object& object, std::int32_t member,
                                     const std::vector<host::DispatchValue>& arguments);
  Result<host::ReferencedFile> Descriptor(const Object& object);

  host::Apprentice& reader_;
  std::uint64_t lastReference_ = 1;
  std::map<std::uint64_t, Object> objects_;
  std::map<Object, std::uint64_t> references_;
};

}  // namespace korrin::testing
