#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/DispatchChannel.h"
#include "platform/windows/automation/ComPointer.h"
#include "platform/windows/automation/VariantConversion.h"
#include "ports/Result.h"

namespace korrin::testing {

// The one function a served host answers through: a call of one member of
// one object, as the dispatch channel makes it. Any dispatcher of that shape
// (an in-memory model, the stand-in's dispatcher) can be served.
using ServedDispatcher = std::function<Result<host::DispatchValue>(
    host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
    const std::vector<host::DispatchValue>& arguments)>;

// Serves a dispatcher as automation objects: one IDispatch per object
// reference, made the first time the reference is handed out. Members are
// called by id, and by the published names of the members the program
// reaches by name. A failure becomes an exception record with its number
// and description.
class ServedHost final : public ObjectMapping {
 public:
  explicit ServedHost(ServedDispatcher dispatcher);

  // While this answers true, calls are rejected as a busy host rejects them
  // (RPC_E_SERVERCALL_RETRYLATER), for systems that do not ask the
  // server's message filter.
  void SetBusy(std::function<bool()> busy) { busy_ = std::move(busy); }
  ~ServedHost() override;

  IDispatch* DispatchOf(host::ObjectReference reference) override;
  Result<host::ObjectReference> ReferenceOf(IDispatch* object) override;

  // How often a client asked for the ids of member names.
  std::int32_t nameLookups() const { return nameLookups_; }
  void CountNameLookup() { ++nameLookups_; }

  // What an object's Invoke runs.
  HRESULT Invoke(host::ObjectReference object, DISPID member, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                 EXCEPINFO* exception);

 private:
  ServedDispatcher dispatcher_;
  std::function<bool()> busy_;
  std::int32_t nameLookups_ = 0;
  std::map<std::uint64_t, ComPointer<IDispatch>> objects_;
};

}  // namespace korrin::testing
