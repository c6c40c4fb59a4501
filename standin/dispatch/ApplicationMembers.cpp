#include "ServedMembers.h"
#include "host/DispatchMembers.h"

namespace korrin::standin {

namespace members = host::members;

namespace {

Result<host::DispatchValue> SetStartUpSetting(MemberCall& call, host::StartUpSetting setting) {
  Result<bool> value = call.arguments.Boolean(0);
  if (!value) return value.failure();
  return Answer(call.application.SetStartUpSetting(setting, value.value()));
}

void AddApplicationObject(MemberTable& table) {
  constexpr ServedKind kApplication = ServedKind::Application;
  table.Put(kApplication, members::kFirstStartUpSetting, 1,
            [](MemberCall& call) { return SetStartUpSetting(call, host::StartUpSetting::First); });
  table.Put(kApplication, members::kSecondStartUpSetting, 1,
            [](MemberCall& call) { return SetStartUpSetting(call, host::StartUpSetting::Second); });
  table.Method(kApplication, members::kQuit, 0, [](MemberCall& call) { return Answer(call.application.Quit()); });
  table.Get(kApplication, members::kActiveDocument, 0, [](MemberCall& call) {
    return call.HandOut(ServedKind::Document, call.application.ActiveDocument());
  });
  table.Get(kApplication, members::kActiveDocumentType, 0,
            [](MemberCall& call) { return Answer(call.application.ActiveDocumentType()); });
  table.Get(kApplication, members::kActiveView, 0,
            [](MemberCall& call) { return call.HandOut(ServedKind::View, call.application.ActiveView()); });
  table.Get(kApplication, members::kUserName, 0,
            [](MemberCall& call) { return Answer(call.application.UserName()); });
  // The application's parts are fetched on every use; each keeps its
  // reference, and its calls fail as the application fails them.
  table.Get(kApplication, members::kDocuments, 0,
            [](MemberCall& call) { return call.HandOutPart(ServedKind::Documents, 0); });
  table.Get(kApplication, members::kCommandManager, 0,
            [](MemberCall& call) { return call.HandOutPart(ServedKind::CommandManager, 0); });
  table.Get(kApplication, members::kActiveEnvironment, 0,
            [](MemberCall& call) { return call.HandOutPart(ServedKind::Environment, 0); });
  table.Get(kApplication, members::kAddIns, 0,
            [](MemberCall& call) { return call.HandOutPart(ServedKind::AddIns, 0); });
  table.Get(kApplication, members::kTransientObjects, 0,
            [](MemberCall& call) { return call.HandOutPart(ServedKind::TransientObjects, 0); });
}

Result<host::DispatchValue> OpenDocument(MemberCall& call) {
  Result<std::string> name = call.arguments.Text(0);
  if (!name) return name.failure();
  Result<bool> visible = call.arguments.Boolean(1);
  if (!visible) return visible.failure();
  return call.HandOut(ServedKind::Document, call.application.OpenDocument(name.value(), visible.value()));
}

Result<host::DispatchValue> StartCommand(MemberCall& call) {
  Result<std::int32_t> command = call.arguments.Integer(0);
  if (!command) return command.failure();
  return Answer(call.application.StartCommand(command.value()));
}

Result<host::DispatchValue> PostFileName(MemberCall& call) {
  Result<std::int32_t> postType = call.arguments.Integer(0);
  if (!postType) return postType.failure();
  Result<std::string> name = call.arguments.Text(1);
  if (!name) return name.failure();
  return Answer(call.application.PostFileName(postType.value(), name.value()));
}

}  // namespace

void AddApplicationMembers(MemberTable& table) {
  AddApplicationObject(table);
  table.Get(ServedKind::Documents, members::kCount, 0,
            [](MemberCall& call) { return Answer(call.application.DocumentCount()); });
  table.Method(ServedKind::Documents, members::kOpen, 2, OpenDocument);
  table.Get(ServedKind::CommandManager, members::kCommandState, 0,
            [](MemberCall& call) { return Answer(call.application.CommandState()); });
  table.Method(ServedKind::CommandManager, members::kStartCommand, 1, StartCommand);
  table.Method(ServedKind::CommandManager, members::kPostFileName, 2, PostFileName);
  table.Get(ServedKind::Environment, members::kEnvironmentName, 0,
            [](MemberCall& call) { return Answer(call.application.ActiveEnvironmentName()); });
}

}  // namespace korrin::standin
