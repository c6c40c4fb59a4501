#include "support/windows/ReaderDispatcher.h"

#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"

namespace korrin::testing {
namespace {

namespace m = host::members;
using host::DispatchValue;

template <typename T>
Result<DispatchValue> Answer(Result<T> result) {
  if (!result) return result.failure();
  return DispatchValue(std::move(result).value());
}

Result<DispatchValue> Answer(const Status& status) {
  if (!status) return status.failure();
  return DispatchValue();
}

Result<std::int32_t> NumberArgument(const std::vector<DispatchValue>& arguments) {
  if (arguments.size() != 1) return host::BadParameterCount();
  if (!arguments[0].holds<std::int32_t>()) return host::TypeMismatch("argument 1");
  return arguments[0].as<std::int32_t>();
}

}  // namespace

host::ObjectReference ReaderDispatcher::ReferenceOf(const Object& object) {
  const auto known = references_.find(object);
  if (known != references_.end()) return host::ObjectReference{known->second};
  const std::uint64_t reference = ++lastReference_;
  objects_[reference] = object;
  references_[object] = reference;
  return host::ObjectReference{reference};
}

Result<DispatchValue> ReaderDispatcher::Invoke(host::ObjectReference object, std::int32_t member,
                                               host::InvokeKind /*kind*/, const std::vector<DispatchValue>& arguments) {
  if (object == host::kApplicationObject) return Reader(member, arguments);
  const auto found = objects_.find(object.value);
  if (found == objects_.end()) return host::ObjectDisconnected();
  return Member(found->second, member, arguments);
}

Result<DispatchValue> ReaderDispatcher::Reader(std::int32_t member, const std::vector<DispatchValue>& arguments) {
  switch (member) {
    case m::kReaderOpen: {
      if (arguments.size() != 1) return host::BadParameterCount();
      if (!arguments[0].holds<std::string>()) return host::TypeMismatch("argument 1");
      Result<host::DocumentHandle> document = reader_.Open(arguments[0].as<std::string>());
      if (!document) return document.failure();
      return DispatchValue(ReferenceOf({Kind::Document, document.value().value}));
    }
    case m::kReaderCloseAll: return Answer(reader_.CloseAll());
    case m::kReaderProjectManager: return DispatchValue(ReferenceOf({Kind::ProjectManager}));
    case m::kReaderSoftwareVersion: return DispatchValue(ReferenceOf({Kind::SoftwareVersion}));
    default: return host::MemberNotFound();
  }
}

Result<host::ReferencedFile> ReaderDispatcher::Descriptor(const Object& object) {
  Result<std::vector<host::ReferencedFile>> files = reader_.ReferencedFiles(host::DocumentHandle{object.document});
  if (!files) return files.failure();
  if (object.number < 1 || static_cast<std::size_t>(object.number) > files.value().size()) return host::BadIndex();
  return files.value()[static_cast<std::size_t>(object.number) - 1];
}

Result<DispatchValue> ReaderDispatcher::Member(const Object& object, std::int32_t member,
                                               const std::vector<DispatchValue>& arguments) {
  const host::DocumentHandle document{object.document};
  switch (object.kind) {
    case Kind::SoftwareVersion:
    case Kind::DocumentVersion: {
      if (member != m::kMajorVersion && member != m::kMinorVersion) return host::MemberNotFound();
      Result<host::Release> release =
          object.kind == Kind::SoftwareVersion ? reader_.SoftwareVersion() : reader_.CreatingRelease(document);
      if (!release) return release.failure();
      return DispatchValue(member == m::kMajorVersion ? release.value().major : release.value().minor);
    }
    case Kind::ProjectManager:
      if (member != m::kActiveProjectFile) return host::MemberNotFound();
      return Answer(reader_.ActiveProjectFile());
    case Kind::Document:
      switch (member) {
        case m::kNeedsMigrating: return Answer(reader_.NeedsMigrating(document));
        case m::kComputeStatus: return Answer(reader_.ComputeStatus(document));
        case m::kCreatingRelease: return DispatchValue(ReferenceOf({Kind::DocumentVersion, object.document}));
        case m::kReaderReferencedFileDescriptors:
          return DispatchValue(ReferenceOf({Kind::Descriptors, object.document}));
        case m::kReaderSheets: return DispatchValue(ReferenceOf({Kind::Sheets, object.document}));
        default: return host::MemberNotFound();
      }
    case Kind::Descriptors: {
      if (member == m::kCount) {
        Result<std::vector<host::ReferencedFile>> files = reader_.ReferencedFiles(document);
        if (!files) return files.failure();
        return DispatchValue(static_cast<std::int32_t>(files.value().size()));
      }
      if (member != m::kItem) return host::MemberNotFound();
      Result<std::int32_t> number = NumberArgument(arguments);
      if (!number) return number.failure();
      const Object descriptor{Kind::Descriptor, object.document, number.value()};
      if (Result<host::ReferencedFile> file = Descriptor(descriptor); !file) return file.failure();
      return DispatchValue(ReferenceOf(descriptor));
    }
    case Kind::Descriptor: {
      Result<host::ReferencedFile> file = Descriptor(object);
      if (!file) return file.failure();
      switch (member) {
        case m::kReferencedDocumentType: return DispatchValue(file.value().referencedDocumentType);
        case m::kDescriptorFullFileName: return DispatchValue(file.value().fullFileName);
        case m::kReferencedDocument: {
          Result<host::DocumentHandle> referenced = reader_.ReferencedDocument(file.value().descriptor);
          if (!referenced) return referenced.failure();
          return DispatchValue(ReferenceOf({Kind::Document, referenced.value().value}));
        }
        default: return host::MemberNotFound();
      }
    }
    case Kind::Sheets: {
      Result<std::int32_t> count = reader_.SheetCount(document);
      if (!count) return count.failure();
      if (member == m::kCount) return DispatchValue(count.value());
      if (member != m::kItem) return host::MemberNotFound();
      Result<std::int32_t> number = NumberArgument(arguments);
      if (!number) return number.failure();
      if (number.value() < 1 || number.value() > count.value()) return host::BadIndex();
      return DispatchValue(ReferenceOf({Kind::Sheet, object.document, number.value()}));
    }
    case Kind::Sheet:
      switch (member) {
        case m::kSheetWidth: return Answer(reader_.SheetWidth(document, object.number));
        case m::kSheetHeight: return Answer(reader_.SheetHeight(document, object.number));
        case m::kSheetSizeCode: return Answer(reader_.SheetSizeCode(document, object.number));
        default: return host::MemberNotFound();
      }
  }
  return host::MemberNotFound();
}

}  // namespace korrin::testing
