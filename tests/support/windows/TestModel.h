#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/DispatchChannel.h"
#include "ports/Result.h"

namespace korrin::testing {

// Members of the test model's own, beside the host's: below the range the
// program keeps for members reached by name, and unused by the host.
namespace model_members {
inline constexpr std::int32_t kEcho = 0x6000001;            // method (value): the value
inline constexpr std::int32_t kHang = 0x6000002;            // method (milliseconds): blocks without serving
inline constexpr std::int32_t kEndProcess = 0x6000003;      // method (): the server process ends at once
inline constexpr std::int32_t kRejectCallsFor = 0x6000004;  // method (milliseconds): busy for that long
inline constexpr std::int32_t kProcessId = 0x6000005;       // get: the server's process id
inline constexpr std::int32_t kFail = 0x6000006;            // method (number, description): that failure
inline constexpr std::int32_t kNameLookups = 0x6000007;     // get: how often ids of names were asked
}  // namespace model_members

// What the model asks of the process that serves it.
struct ModelServices {
  virtual ~ModelServices() = default;
  virtual void Block(std::int32_t milliseconds) = 0;
  virtual void EndProcess() = 0;
  virtual void RejectCallsFor(std::int32_t milliseconds) = 0;
  virtual std::int32_t ProcessId() = 0;
  virtual std::int32_t NameLookups() = 0;
  virtual void Quit() = 0;
};

// A small host of the test's own: an application with a user name, the
// host's documents collection (open, count, item; a document's file name,
// close, and a save that fails), quit, AutoCAD's application, documents,
// active document, preferences and idle state by the ids the program uses
// for their names (a save of an AutoCAD document adds its lineweight
// display, whether it was updated and "saved-by AutoCAD" to the file), and
// the members above for the channel's faults.
class TestModel {
 public:
  explicit TestModel(ModelServices& services) : services_(services) {}

  Result<host::DispatchValue> Invoke(host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                                     const std::vector<host::DispatchValue>& arguments);

 private:
  Result<host::DispatchValue> Application(std::int32_t member, host::InvokeKind kind,
                                          const std::vector<host::DispatchValue>& arguments);
  Result<host::DispatchValue> Documents(std::int32_t member, const std::vector<host::DispatchValue>& arguments);
  Result<host::DispatchValue> Document(std::uint64_t number, std::int32_t member,
                                       const std::vector<host::DispatchValue>& arguments);
  Result<host::DispatchValue> AcadDocuments(std::int32_t member, const std::vector<host::DispatchValue>& arguments);
  Result<host::DispatchValue> AcadDocument(std::int32_t member, const std::vector<host::DispatchValue>& arguments);
  Result<host::DispatchValue> AcadPreferences(std::int32_t member, host::InvokeKind kind,
                                              const std::vector<host::DispatchValue>& arguments);

  ModelServices& services_;
  std::string userName_ = "Jürgen Ölmann";
  std::map<std::uint64_t, std::string> documents_;  // by object reference
  std::uint64_t nextDocument_ = 100;
  std::vector<std::string> acadDocuments_;
  bool lineweightDisplay_ = true;
  std::int32_t updates_ = 0;
  std::int32_t updatesAtOpen_ = 0;
};

}  // namespace korrin::testing
