#include "support/windows/TestModel.h"

#include <filesystem>
#include <fstream>

#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"
#include "settings/PathConversion.h"

namespace korrin::testing {
namespace {

namespace m = host::members;
namespace own = model_members;
using host::DispatchValue;
using host::InvokeKind;
using host::ObjectReference;

constexpr ObjectReference kDocumentsObject{2};
constexpr ObjectReference kAcadDocumentsObject{3};
constexpr ObjectReference kAcadStateObject{4};
constexpr ObjectReference kAcadDocumentObject{5};
constexpr ObjectReference kAcadPreferencesObject{6};
constexpr ObjectReference kVersionObject{7};
// A failure of the host's own, with its own number.
constexpr long kReadOnlyDocument = -2147204556;

Result<DispatchValue> Nothing() { return DispatchValue(); }

template <typename T>
Result<T> Argument(const std::vector<DispatchValue>& arguments, std::size_t index) {
  if (index >= arguments.size()) return host::BadParameterCount();
  if (!arguments[index].holds<T>()) return host::TypeMismatch("argument " + std::to_string(index + 1));
  return arguments[index].as<T>();
}

}  // namespace

Result<DispatchValue> TestModel::Invoke(ObjectReference object, std::int32_t member, InvokeKind kind,
                                        const std::vector<DispatchValue>& arguments) {
  if (object == host::kApplicationObject) return Application(member, kind, arguments);
  if (object == kDocumentsObject) return Documents(member, arguments);
  if (object == kAcadDocumentsObject) return AcadDocuments(member, arguments);
  if (object == kAcadDocumentObject) return AcadDocument(member, arguments);
  if (object == kAcadPreferencesObject) return AcadPreferences(member, kind, arguments);
  if (object == kAcadStateObject && member == m::kAcadIsQuiescent) return DispatchValue(true);
  if (object == kVersionObject && member == m::kMajorVersion) return DispatchValue(std::int32_t{11});
  if (object == kVersionObject && member == m::kMinorVersion) return DispatchValue(std::int32_t{0});
  if (documents_.count(object.value) != 0) return Document(object.value, member, arguments);
  return host::MemberNotFound();
}

Result<DispatchValue> TestModel::Application(std::int32_t member, InvokeKind kind,
                                             const std::vector<DispatchValue>& arguments) {
  switch (member) {
    case m::kUserName:
      if (kind != InvokeKind::PropertyPut) return DispatchValue(userName_);
      if (Result<std::string> name = Argument<std::string>(arguments, 0); !name) return name.failure();
      else userName_ = name.value();
      return Nothing();
    case m::kFirstStartUpSetting:
    case m::kSecondStartUpSetting:
      if (Result<bool> on = Argument<bool>(arguments, 0); !on) return on.failure();
      return Nothing();
    case m::kDocuments: return DispatchValue(kDocumentsObject);
    // As the document reader's server object: its open, close and version.
    case m::kReaderOpen: return Documents(m::kOpen, arguments);
    case m::kReaderCloseAll: documents_.clear(); return Nothing();
    case m::kReaderSoftwareVersion: return DispatchValue(kVersionObject);
    case m::kQuit: services_.Quit(); return Nothing();
    case m::kAcadVisible: return Nothing();
    case m::kAcadDocuments: return DispatchValue(kAcadDocumentsObject);
    case m::kAcadGetAcadState: return DispatchValue(kAcadStateObject);
    case m::kAcadUpdate: ++updates_; return Nothing();
    case m::kAcadActiveDocument:
      if (acadDocuments_.empty()) return Failure{host::kUnspecifiedFailure, "No document is active."};
      return DispatchValue(kAcadDocumentObject);
    case own::kEcho:
      if (arguments.size() != 1) return host::BadParameterCount();
      return arguments[0];
    case own::kHang:
      if (Result<std::int32_t> time = Argument<std::int32_t>(arguments, 0); !time) return time.failure();
      else services_.Block(time.value());
      return Nothing();
    case own::kEndProcess: services_.EndProcess(); return Nothing();
    case own::kRejectCallsFor:
      if (Result<std::int32_t> time = Argument<std::int32_t>(arguments, 0); !time) return time.failure();
      else services_.RejectCallsFor(time.value());
      return Nothing();
    case own::kProcessId: return DispatchValue(services_.ProcessId());
    case own::kNameLookups: return DispatchValue(services_.NameLookups());
    case own::kFail: {
      Result<std::int32_t> number = Argument<std::int32_t>(arguments, 0);
      Result<std::string> description = Argument<std::string>(arguments, 1);
      if (!number) return number.failure();
      if (!description) return description.failure();
      return Failure{number.value(), description.value()};
    }
    default: return host::MemberNotFound();
  }
}

Result<DispatchValue> TestModel::Documents(std::int32_t member, const std::vector<DispatchValue>& arguments) {
  if (member == m::kCount) return DispatchValue(static_cast<std::int32_t>(documents_.size()));
  if (member == m::kOpen) {
    Result<std::string> name = Argument<std::string>(arguments, 0);
    if (!name) return name.failure();
    documents_[nextDocument_] = name.value();
    return DispatchValue(ObjectReference{nextDocument_++});
  }
  if (member == m::kItem) {
    Result<std::int32_t> number = Argument<std::int32_t>(arguments, 0);
    if (!number) return number.failure();
    if (number.value() < 1 || static_cast<std::size_t>(number.value()) > documents_.size()) return host::BadIndex();
    auto item = documents_.begin();
    std::advance(item, number.value() - 1);
    return DispatchValue(ObjectReference{item->first});
  }
  return host::MemberNotFound();
}

Result<DispatchValue> TestModel::Document(std::uint64_t number, std::int32_t member,
                                          const std::vector<DispatchValue>&) {
  switch (member) {
    case m::kFullFileName: return DispatchValue(documents_[number]);
    case m::kClose: documents_.erase(number); return Nothing();
    case m::kSave: return Failure{kReadOnlyDocument, "The document " + documents_[number] + " is read-only."};
    default: return host::MemberNotFound();
  }
}

Result<DispatchValue> TestModel::AcadDocuments(std::int32_t member, const std::vector<DispatchValue>& arguments) {
  if (member == m::kCount) return DispatchValue(static_cast<std::int32_t>(acadDocuments_.size()));
  if (member == m::kAcadOpen) {
    Result<std::string> name = Argument<std::string>(arguments, 0);
    if (!name) return name.failure();
    acadDocuments_.push_back(name.value());
    updatesAtOpen_ = updates_;
    return DispatchValue(kAcadDocumentObject);
  }
  return host::MemberNotFound();
}

Result<DispatchValue> TestModel::AcadDocument(std::int32_t member, const std::vector<DispatchValue>& arguments) {
  if (member == m::kAcadPreferences) return DispatchValue(kAcadPreferencesObject);
  if (member == m::kAcadClose) {
    Result<bool> save = Argument<bool>(arguments, 0);
    if (!save) return save.failure();
    if (acadDocuments_.empty()) return Nothing();
    if (save.value()) {
      // A save leaves its mark on a file that exists, as AutoCAD rewrites it.
      const std::filesystem::path file = PathFromText(acadDocuments_.back());
      std::error_code error;
      if (std::filesystem::is_regular_file(file, error)) {
        std::ofstream(file, std::ios::binary | std::ios::app)
            << "lineweight-display " << (lineweightDisplay_ ? "on" : "off") << "\nupdated-before-save "
            << (updates_ > updatesAtOpen_ ? "yes" : "no") << "\nsaved-by AutoCAD\n";
      }
    }
    acadDocuments_.pop_back();
    return Nothing();
  }
  return host::MemberNotFound();
}

Result<DispatchValue> TestModel::AcadPreferences(std::int32_t member, InvokeKind kind,
                                                 const std::vector<DispatchValue>& arguments) {
  if (member != m::kAcadLineWeightDisplay) return host::MemberNotFound();
  if (kind != InvokeKind::PropertyPut) return DispatchValue(lineweightDisplay_);
  Result<bool> on = Argument<bool>(arguments, 0);
  if (!on) return on.failure();
  lineweightDisplay_ = on.value();
  return Nothing();
}

}  // namespace korrin::testing
