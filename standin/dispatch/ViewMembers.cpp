#include "ServedMembers.h"
#include "host/ChannelApplication.h"
#include "host/DispatchMembers.h"

namespace korrin::standin {

namespace members = host::members;
using host::ViewHandle;
using host::WindowHandle;

namespace {

Result<host::DispatchValue> SaveAsBitmap(MemberCall& call) {
  Result<std::string> name = call.arguments.Text(0);
  if (!name) return name.failure();
  Result<std::int32_t> width = call.arguments.Integer(1);
  if (!width) return width.failure();
  Result<std::int32_t> height = call.arguments.Integer(2);
  if (!height) return height.failure();
  return Answer(call.application.SaveAsBitmap(call.Self<ViewHandle>(), name.value(), width.value(), height.value()));
}

// In the host's order; the print run takes the third as the height.
Result<host::DispatchValue> WindowExtents(MemberCall& call) {
  Result<host::ViewExtents> extents = call.application.ViewWindowExtents(call.Self<ViewHandle>());
  if (!extents) return extents.failure();
  const host::ViewExtents& e = extents.value();
  return host::DispatchValue(host::DispatchArray{e.first, e.second, e.height, e.width});
}

Result<host::DispatchValue> SetDisplayMode(MemberCall& call) {
  Result<std::int32_t> mode = call.arguments.Integer(0);
  if (!mode) return mode.failure();
  return Answer(call.application.SetDisplayMode(call.Self<ViewHandle>(), mode.value()));
}

Result<host::DispatchValue> SetCameraOrientation(MemberCall& call) {
  Result<std::int32_t> orientation = call.arguments.Integer(0);
  if (!orientation) return orientation.failure();
  return Answer(call.application.SetCameraOrientation(call.Self<ViewHandle>(), orientation.value()));
}

// The client's own shape of a placement, so both ends agree on it.
Result<host::DispatchValue> GetPlacement(MemberCall& call) {
  Result<host::WindowPlacement> placement = call.application.GetWindowPlacement(call.Self<WindowHandle>());
  if (!placement) return placement.failure();
  return host::PlacementValue(placement.value());
}

Result<host::DispatchValue> SetPlacement(MemberCall& call) {
  Result<host::WindowPlacement> placement = call.arguments.Placement(0);
  if (!placement) return placement.failure();
  return Answer(call.application.SetWindowPlacement(call.Self<WindowHandle>(), placement.value()));
}

Result<host::DispatchValue> ShowWindow(MemberCall& call) {
  Result<std::int32_t> command = call.arguments.Integer(0);
  if (!command) return command.failure();
  return Answer(call.application.ShowWindow(call.Self<WindowHandle>(), command.value()));
}

}  // namespace

void AddViewMembers(MemberTable& table) {
  constexpr ServedKind kView = ServedKind::View;
  table.Method(kView, members::kUpdateView, 0,
               [](MemberCall& call) { return Answer(call.application.UpdateView(call.Self<ViewHandle>())); });
  table.Get(kView, members::kWindowExtents, 0, WindowExtents);
  table.Put(kView, members::kDisplayMode, 1, SetDisplayMode);
  table.Get(kView, members::kViewWindow, 0, [](MemberCall& call) {
    return call.HandOut(ServedKind::Window, call.application.ViewWindow(call.Self<ViewHandle>()));
  });
  table.Method(kView, members::kSaveAsBitmap, 3, SaveAsBitmap);
  table.Method(kView, members::kCameraOrientation, 1, SetCameraOrientation);
  table.Get(ServedKind::Window, members::kWindowPlacement, 0, GetPlacement);
  table.Put(ServedKind::Window, members::kWindowPlacement, 1, SetPlacement);
  table.Method(ServedKind::Window, members::kShowWindow, 1, ShowWindow);
}

}  // namespace korrin::standin
