// The stand-in host's print managers. Printing is being built: until it
// lands every call fails, so a run reports its prints as failed.
#include "StandinApplication.h"
#include "StandinFailures.h"

namespace korrin::standin {
namespace {

Failure NotYet() { return Unspecified("The stand-in host does not print yet."); }

}  // namespace

Result<host::PrintManagerHandle> StandinApplication::PrintManager(host::DocumentHandle) { return NotYet(); }
Status StandinApplication::SetPrinter(host::PrintManagerHandle, const std::string&) { return NotYet(); }
Result<std::int32_t> StandinApplication::Orientation(host::PrintManagerHandle) { return NotYet(); }
Status StandinApplication::SetOrientation(host::PrintManagerHandle, std::int32_t) { return NotYet(); }
Result<std::int32_t> StandinApplication::PaperSize(host::PrintManagerHandle) { return NotYet(); }
Status StandinApplication::SetPaperSize(host::PrintManagerHandle, std::int32_t) { return NotYet(); }
Status StandinApplication::SetCustomPaperWidth(host::PrintManagerHandle, double) { return NotYet(); }
Status StandinApplication::SetCustomPaperHeight(host::PrintManagerHandle, double) { return NotYet(); }
Status StandinApplication::SetColorMode(host::PrintManagerHandle, std::int32_t) { return NotYet(); }
Status StandinApplication::PrintToFile(host::PrintManagerHandle, const std::string&) { return NotYet(); }
Status StandinApplication::SubmitPrint(host::PrintManagerHandle) { return NotYet(); }
Status StandinApplication::SetPrintMode(host::PrintManagerHandle, std::int32_t) { return NotYet(); }
Status StandinApplication::SetPrintRange(host::PrintManagerHandle, std::int32_t) { return NotYet(); }
Result<double> StandinApplication::Scale(host::PrintManagerHandle) { return NotYet(); }
Status StandinApplication::SetScale(host::PrintManagerHandle, double) { return NotYet(); }
Result<bool> StandinApplication::Rotate90Degrees(host::PrintManagerHandle) { return NotYet(); }
Status StandinApplication::SetRotate90Degrees(host::PrintManagerHandle, bool) { return NotYet(); }

}  // namespace korrin::standin
