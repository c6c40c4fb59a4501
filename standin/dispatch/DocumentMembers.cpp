#include <optional>

#include "ServedMembers.h"
#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"

namespace korrin::standin {

namespace members = host::members;
using host::DocumentHandle;

namespace {

Result<host::DispatchValue> SaveAs(MemberCall& call) {
  Result<std::string> name = call.arguments.Text(0);
  if (!name) return name.failure();
  Result<bool> copy = call.arguments.Boolean(1);
  if (!copy) return copy.failure();
  return Answer(call.application.documents().SaveAs(call.Self<DocumentHandle>(), name.value(), copy.value()));
}

Result<host::DispatchValue> Close(MemberCall& call) {
  std::optional<bool> skipSave;
  if (call.arguments.size() == 1) {
    Result<bool> skip = call.arguments.Boolean(0);
    if (!skip) return skip.failure();
    skipSave = skip.value();
  }
  return Answer(call.application.documents().Close(call.Self<DocumentHandle>(), skipSave));
}

void AddDocumentObject(MemberTable& table) {
  constexpr ServedKind kDocument = ServedKind::Document;
  table.Get(kDocument, members::kFullFileName, 0, [](MemberCall& call) {
    return Answer(call.application.documents().FullFileName(call.Self<DocumentHandle>()));
  });
  table.Get(kDocument, members::kDocumentType, 0, [](MemberCall& call) {
    return Answer(call.application.documents().DocumentType(call.Self<DocumentHandle>()));
  });
  table.Method(kDocument, members::kSave, 0, [](MemberCall& call) {
    return Answer(call.application.documents().Save(call.Self<DocumentHandle>()));
  });
  table.Method(kDocument, members::kSaveAs, 2, SaveAs);
  // Without an argument the host applies its own default.
  table.Method(kDocument, members::kClose, 0, 1, Close);
  table.Get(kDocument, members::kActiveSheet, 0, [](MemberCall& call) {
    return call.HandOut(ServedKind::Sheet, call.application.documents().ActiveSheet(call.Self<DocumentHandle>()));
  });
  table.Get(kDocument, members::kPrintManager, 0, [](MemberCall& call) {
    return call.HandOut(ServedKind::PrintManager,
                        call.application.printManagers().PrintManager(call.Self<DocumentHandle>()));
  });
  // The collections read the document anew on every call, so one fetched
  // from a document since closed fails as the document's own calls do.
  table.Get(kDocument, members::kSheets, 0,
            [](MemberCall& call) { return call.HandOutPart(ServedKind::Sheets, call.object().handle); });
  table.Get(kDocument, members::kReferencedFileDescriptors, 0,
            [](MemberCall& call) { return call.HandOutPart(ServedKind::FileDescriptors, call.object().handle); });
}

Result<host::DispatchValue> SheetItem(MemberCall& call) {
  Result<std::int32_t> number = call.arguments.Integer(0);
  if (!number) return number.failure();
  return call.HandOut(ServedKind::Sheet,
                      call.application.documents().Sheet(call.Self<DocumentHandle>(), number.value()));
}

Result<host::DispatchValue> DescriptorCount(MemberCall& call) {
  auto files = call.application.documents().ReferencedFiles(call.Self<DocumentHandle>());
  if (!files) return files.failure();
  return host::DispatchValue(static_cast<std::int32_t>(files.value().size()));
}

Result<host::DispatchValue> DescriptorItem(MemberCall& call) {
  Result<std::int32_t> number = call.arguments.Integer(0);
  if (!number) return number.failure();
  auto files = call.application.documents().ReferencedFiles(call.Self<DocumentHandle>());
  if (!files) return files.failure();
  if (number.value() < 1 || static_cast<std::size_t>(number.value()) > files.value().size()) return host::BadIndex();
  const host::DescriptorHandle descriptor = files.value()[static_cast<std::size_t>(number.value()) - 1].descriptor;
  return call.HandOut(ServedKind::FileDescriptor, Result<host::DescriptorHandle>(descriptor), call.object().handle);
}

// What the owning document now reports for this descriptor.
Result<host::ReferencedFile> DescribedFile(MemberCall& call) {
  auto files = call.application.documents().ReferencedFiles(call.Owner<DocumentHandle>());
  if (!files) return files.failure();
  for (const host::ReferencedFile& file : files.value()) {
    if (file.descriptor == call.Self<host::DescriptorHandle>()) return file;
  }
  return host::ObjectDisconnected();
}

void AddCollectionsAndDescriptors(MemberTable& table) {
  table.Get(ServedKind::Sheets, members::kCount, 0, [](MemberCall& call) {
    return Answer(call.application.documents().SheetCount(call.Self<DocumentHandle>()));
  });
  table.Get(ServedKind::Sheets, members::kItem, 1, SheetItem);
  table.Get(ServedKind::FileDescriptors, members::kCount, 0, DescriptorCount);
  table.Get(ServedKind::FileDescriptors, members::kItem, 1, DescriptorItem);
  table.Get(ServedKind::FileDescriptor, members::kReferencedDocumentType, 0, [](MemberCall& call) {
    Result<host::ReferencedFile> file = DescribedFile(call);
    if (!file) return Result<host::DispatchValue>(file.failure());
    return Result<host::DispatchValue>(host::DispatchValue(file.value().referencedDocumentType));
  });
  table.Get(ServedKind::FileDescriptor, members::kDescriptorFullFileName, 0, [](MemberCall& call) {
    Result<host::ReferencedFile> file = DescribedFile(call);
    if (!file) return Result<host::DispatchValue>(file.failure());
    return Result<host::DispatchValue>(host::DispatchValue(file.value().fullFileName));
  });
  table.Get(ServedKind::FileDescriptor, members::kReferencedDocument, 0, [](MemberCall& call) {
    return call.HandOut(ServedKind::Document,
                        call.application.documents().ReferencedDocument(call.Self<host::DescriptorHandle>()));
  });
}

}  // namespace

void AddDocumentMembers(MemberTable& table) {
  AddDocumentObject(table);
  AddCollectionsAndDescriptors(table);
}

}  // namespace korrin::standin
