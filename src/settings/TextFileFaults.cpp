#include "settings/TextFileFaults.h"

#include <array>
#include <cstddef>

namespace korrin::text_file_faults {
namespace {

struct Fault {
  int callsLeft = 0;  // 0: no fault asked for
  int error = 0;
};

std::array<Fault, 3> faults;

Fault& FaultOf(Call call) { return faults[static_cast<std::size_t>(call)]; }

}  // namespace

void FailCall(Call call, int nth, int error) { FaultOf(call) = {nth, error}; }

void ClearFaults() { faults = {}; }

int FaultFor(Call call) {
  Fault& fault = FaultOf(call);
  if (fault.callsLeft == 0 || --fault.callsLeft > 0) return 0;
  return fault.error;
}

}  // namespace korrin::text_file_faults
