#include "host/ChannelAcad.h"

#include <utility>

#include "host/DispatchMembers.h"

namespace korrin::host {
namespace {

constexpr ObjectReference kApp = kApplicationObject;

}  // namespace

ChannelAcad::ChannelAcad(std::shared_ptr<DispatchChannel> channel, CallDeadlines deadlines)
    : calls_(std::move(channel), deadlines) {}

Status ChannelAcad::SetVisible(bool visible) { return calls_.Put(kApp, members::kAcadVisible, {visible}); }

Result<bool> ChannelAcad::IsQuiescent() {
  Result<ObjectReference> state = ToObject(calls_.Call(kApp, members::kAcadGetAcadState, {}, CallWeight::Query));
  if (!state) return state.failure();
  return calls_.GetBoolean(state.value(), members::kAcadIsQuiescent);
}

Result<std::int32_t> ChannelAcad::DocumentCount() {
  Result<ObjectReference> documents = calls_.GetObject(kApp, members::kAcadDocuments);
  if (!documents) return documents.failure();
  return calls_.GetInteger(documents.value(), members::kCount);
}

Status ChannelAcad::OpenDocument(const std::string& fullFileName) {
  Result<ObjectReference> documents = calls_.GetObject(kApp, members::kAcadDocuments);
  if (!documents) return documents.failure();
  return AsStatus(calls_.Call(documents.value(), members::kAcadOpen, {fullFileName}, CallWeight::Work));
}

Status ChannelAcad::SetLineweightDisplay(bool on) {
  Result<ObjectReference> document = calls_.GetObject(kApp, members::kAcadActiveDocument);
  if (!document) return document.failure();
  Result<ObjectReference> preferences = calls_.GetObject(document.value(), members::kAcadPreferences);
  if (!preferences) return preferences.failure();
  return calls_.Put(preferences.value(), members::kAcadLineWeightDisplay, {on});
}

Status ChannelAcad::Update() { return AsStatus(calls_.Call(kApp, members::kAcadUpdate, {}, CallWeight::Query)); }

Status ChannelAcad::CloseActiveDocument(bool saveChanges) {
  Result<ObjectReference> document = calls_.GetObject(kApp, members::kAcadActiveDocument);
  if (!document) return document.failure();
  return AsStatus(calls_.Call(document.value(), members::kAcadClose, {saveChanges},
                              saveChanges ? CallWeight::Work : CallWeight::Query));
}

}  // namespace korrin::host
