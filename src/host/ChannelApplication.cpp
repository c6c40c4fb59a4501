#include "host/ChannelApplication.h"

#include <utility>

#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"

namespace korrin::host {

namespace {

constexpr ObjectReference kApp = kApplicationObject;

// An array of exactly count 32-bit integers.
Result<std::vector<std::int32_t>> Integers(const Result<DispatchValue>& value, std::size_t count) {
  Result<DispatchArray> array = ToArray(value);
  if (!array) return array.failure();
  if (array.value().size() != count)
    return TypeMismatch("expected " + std::to_string(count) + " integers, got " +
                        std::to_string(array.value().size()));
  std::vector<std::int32_t> integers;
  for (const DispatchValue& element : array.value()) {
    Result<std::int32_t> integer = ToInteger(element);
    if (!integer) return integer.failure();
    integers.push_back(integer.value());
  }
  return integers;
}

Result<OptionValue> ToOptionValue(const Result<DispatchValue>& value) {
  if (!value) return value.failure();
  const DispatchValue& v = value.value();
  if (v.holds<bool>()) return OptionValue(v.as<bool>());
  if (v.holds<std::int16_t>()) return OptionValue(static_cast<std::int32_t>(v.as<std::int16_t>()));
  if (v.holds<std::int32_t>()) return OptionValue(v.as<std::int32_t>());
  if (v.holds<double>()) return OptionValue(v.as<double>());
  if (v.holds<std::string>()) return OptionValue(v.as<std::string>());
  return TypeMismatch(std::string("expected an option value, got ") + DispatchKindName(v.kind()));
}

DispatchValue FromOptionValue(const OptionValue& value) {
  return std::visit([](const auto& alternative) { return DispatchValue(alternative); }, value);
}

}  // namespace

DispatchValue PlacementValue(const WindowPlacement& placement) {
  return DispatchArray{static_cast<std::int32_t>(placement.flags), placement.showCommand, placement.left,
                       placement.top, placement.right, placement.bottom};
}

Result<WindowPlacement> PlacementFrom(const Result<DispatchValue>& value) {
  Result<std::vector<std::int32_t>> integers = Integers(value, 6);
  if (!integers) return integers.failure();
  const std::vector<std::int32_t>& i = integers.value();
  return WindowPlacement{static_cast<std::uint32_t>(i[0]), i[1], i[2], i[3], i[4], i[5]};
}

ChannelApplication::ChannelApplication(std::shared_ptr<DispatchChannel> channel, CallDeadlines deadlines)
    : calls_(std::move(channel), deadlines) {}

Result<ObjectReference> ChannelApplication::Child(std::int32_t member) { return calls_.GetObject(kApp, member); }

Result<ObjectReference> ChannelApplication::Collection(std::int32_t member) {
  if (const auto kept = collections_.find(member); kept != collections_.end()) return kept->second;
  Result<ObjectReference> collection = Child(member);
  if (collection) collections_.emplace(member, collection.value());
  return collection;
}

Status ChannelApplication::SetStartUpSetting(StartUpSetting setting, bool value) {
  const std::int32_t member =
      setting == StartUpSetting::First ? members::kFirstStartUpSetting : members::kSecondStartUpSetting;
  return calls_.Put(kApp, member, {value});
}

Status ChannelApplication::Quit() { return AsStatus(calls_.Call(kApp, members::kQuit, {}, CallWeight::Work)); }

Result<std::int32_t> ChannelApplication::DocumentCount() {
  Result<ObjectReference> documents = Collection(members::kDocuments);
  if (!documents) return documents.failure();
  return calls_.GetInteger(documents.value(), members::kCount);
}

Result<DocumentHandle> ChannelApplication::OpenDocument(const std::string& fullFileName, bool visible) {
  Result<ObjectReference> documents = Collection(members::kDocuments);
  if (!documents) return documents.failure();
  return AsHandle<DocumentHandle>(
      ToObject(calls_.Call(documents.value(), members::kOpen, {fullFileName, visible}, CallWeight::Work)));
}

Result<DocumentHandle> ChannelApplication::ActiveDocument() {
  return AsHandle<DocumentHandle>(Child(members::kActiveDocument));
}

Result<std::int32_t> ChannelApplication::ActiveDocumentType() {
  return calls_.GetInteger(kApp, members::kActiveDocumentType);
}

Result<ViewHandle> ChannelApplication::ActiveView() { return AsHandle<ViewHandle>(Child(members::kActiveView)); }

Result<WindowHandle> ChannelApplication::ViewWindow(ViewHandle view) {
  return AsHandle<WindowHandle>(calls_.GetObject(Object(view), members::kViewWindow));
}

Status ChannelApplication::SaveAsBitmap(ViewHandle view, const std::string& fileName, std::int32_t width,
                                        std::int32_t height) {
  return AsStatus(calls_.Call(Object(view), members::kSaveAsBitmap, {fileName, width, height}, CallWeight::Work));
}

Result<ViewExtents> ChannelApplication::ViewWindowExtents(ViewHandle view) {
  Result<std::vector<std::int32_t>> integers = Integers(calls_.Get(Object(view), members::kWindowExtents), 4);
  if (!integers) return integers.failure();
  const std::vector<std::int32_t>& i = integers.value();
  return ViewExtents{i[0], i[1], i[2], i[3]};
}

Status ChannelApplication::SetDisplayMode(ViewHandle view, std::int32_t displayMode) {
  return calls_.Put(Object(view), members::kDisplayMode, {displayMode});
}

Status ChannelApplication::UpdateView(ViewHandle view) {
  return AsStatus(calls_.Call(Object(view), members::kUpdateView, {}, CallWeight::Query));
}

Status ChannelApplication::SetCameraOrientation(ViewHandle view, std::int32_t orientation) {
  return AsStatus(calls_.Call(Object(view), members::kCameraOrientation, {orientation}, CallWeight::Query));
}

Result<WindowPlacement> ChannelApplication::GetWindowPlacement(WindowHandle window) {
  return PlacementFrom(calls_.Get(Object(window), members::kWindowPlacement));
}

Status ChannelApplication::SetWindowPlacement(WindowHandle window, const WindowPlacement& placement) {
  return calls_.Put(Object(window), members::kWindowPlacement, {PlacementValue(placement)});
}

Status ChannelApplication::ShowWindow(WindowHandle window, std::int32_t showCommand) {
  return AsStatus(calls_.Call(Object(window), members::kShowWindow, {showCommand}, CallWeight::Query));
}

Result<std::int32_t> ChannelApplication::CommandState() {
  Result<ObjectReference> manager = Collection(members::kCommandManager);
  if (!manager) return manager.failure();
  return calls_.GetInteger(manager.value(), members::kCommandState);
}

Status ChannelApplication::StartCommand(std::int32_t command) {
  Result<ObjectReference> manager = Collection(members::kCommandManager);
  if (!manager) return manager.failure();
  return AsStatus(calls_.Call(manager.value(), members::kStartCommand, {command}, CallWeight::Query));
}

Status ChannelApplication::PostFileName(std::int32_t postType, const std::string& fileName) {
  Result<ObjectReference> manager = Collection(members::kCommandManager);
  if (!manager) return manager.failure();
  return AsStatus(calls_.Call(manager.value(), members::kPostFileName, {postType, fileName}, CallWeight::Query));
}

Result<std::string> ChannelApplication::ActiveEnvironmentName() {
  Result<ObjectReference> environment = Child(members::kActiveEnvironment);
  if (!environment) return environment.failure();
  return calls_.GetText(environment.value(), members::kEnvironmentName);
}

Result<std::string> ChannelApplication::UserName() { return calls_.GetText(kApp, members::kUserName); }

Result<std::vector<AddInEntry>> ChannelApplication::AddIns() {
  Result<ObjectReference> addIns = Collection(members::kAddIns);
  if (!addIns) return addIns.failure();
  // The count is asked every time, so a host that has gone fails the walk
  // as it fails every call.
  Result<std::int32_t> count = calls_.GetInteger(addIns.value(), members::kCount);
  if (!count) return count.failure();
  if (addIns_ && addIns_->size() == static_cast<std::size_t>(count.value())) return *addIns_;
  std::vector<AddInEntry> entries;
  for (std::int32_t number = 1; number <= count.value(); ++number) {
    Result<ObjectReference> addIn = calls_.GetObject(addIns.value(), members::kItem, {number});
    if (!addIn) return addIn.failure();
    Result<std::string> name = calls_.GetText(addIn.value(), members::kAddInDisplayName);
    if (!name) return name.failure();
    entries.push_back({AddInHandle{addIn.value().value}, name.value()});
  }
  addIns_ = entries;
  return entries;
}

Status ChannelApplication::ActivateAddIn(AddInHandle addIn) {
  return AsStatus(calls_.Call(Object(addIn), members::kActivateAddIn, {}, CallWeight::Query));
}

Result<ContextHandle> ChannelApplication::NewTranslationContext(std::int32_t kind) {
  Result<ObjectReference> transient = Collection(members::kTransientObjects);
  if (!transient) return transient.failure();
  Result<ObjectReference> context =
      ToObject(calls_.Call(transient.value(), members::kNewTranslationContext, {}, CallWeight::Query));
  if (!context) return context.failure();
  Status set = calls_.Put(context.value(), members::kContextKind, {kind});
  if (!set) return set.failure();
  return ContextHandle{context.value().value};
}

Result<OptionMapHandle> ChannelApplication::NewOptionMap() {
  Result<ObjectReference> transient = Collection(members::kTransientObjects);
  if (!transient) return transient.failure();
  return AsHandle<OptionMapHandle>(
      ToObject(calls_.Call(transient.value(), members::kNewOptionMap, {}, CallWeight::Query)));
}

Result<DataMediumHandle> ChannelApplication::NewDataMedium(const std::string& fileName) {
  Result<ObjectReference> transient = Collection(members::kTransientObjects);
  if (!transient) return transient.failure();
  Result<ObjectReference> medium =
      ToObject(calls_.Call(transient.value(), members::kNewDataMedium, {}, CallWeight::Query));
  if (!medium) return medium.failure();
  Status set = calls_.Put(medium.value(), members::kMediumFileName, {fileName});
  if (!set) return set.failure();
  return DataMediumHandle{medium.value().value};
}

Result<std::int32_t> ChannelApplication::OptionCount(OptionMapHandle map) {
  return calls_.GetInteger(Object(map), members::kCount);
}

Result<std::string> ChannelApplication::OptionName(OptionMapHandle map, std::int32_t number) {
  return calls_.GetText(Object(map), members::kOptionName, {number});
}

Result<OptionValue> ChannelApplication::GetOption(OptionMapHandle map, const std::string& name) {
  return ToOptionValue(calls_.Get(Object(map), members::kOptionValue, {name}));
}

Status ChannelApplication::SetOption(OptionMapHandle map, const std::string& name, const OptionValue& value) {
  return calls_.Put(Object(map), members::kOptionValue, {name, FromOptionValue(value)});
}

}  // namespace korrin::host
