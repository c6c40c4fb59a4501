#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "documents/ComputeStatus.h"
#include "documents/DocumentType.h"

namespace korrin::standin {

// One stand-in document (part, assembly, drawing, presentation or design
// element) as its file holds it. standin/README.md describes the file.

// The release of the host that created the document, e.g. 7 0.
struct StandinRelease {
  std::int32_t majorNumber = 0;
  std::int32_t minorNumber = 0;
  // Releases order by major, then minor number.
  auto operator<=>(const StandinRelease&) const = default;
};

// "7.0".
inline std::string ReleaseText(const StandinRelease& release) {
  return std::to_string(release.majorNumber) + "." + std::to_string(release.minorNumber);
}

struct StandinVector {
  double x = 0;
  double y = 0;
  double z = 0;
  bool operator==(const StandinVector&) const = default;
};

// Where an assembly puts a referenced model: first turned about the axis
// through the origin by the angle (right-handed), then moved by the
// translation.
struct StandinPlacement {
  StandinVector translationMillimetres;
  StandinVector rotationAxis{0, 0, 1};  // any length but zero
  double rotationDegrees = 0;
  bool operator==(const StandinPlacement&) const = default;
};

// A document this one uses: an assembly's parts and subassemblies, the
// models a drawing shows, the assembly a presentation explodes.
struct StandinReference {
  std::string path;                           // relative to the document's own folder, '/' between names
  std::optional<StandinPlacement> placement;  // assemblies only
  bool operator==(const StandinReference&) const = default;
};

struct StandinSheet {
  std::string name;
  double widthCentimetres = 0;   // above zero
  double heightCentimetres = 0;  // above zero
  std::int32_t sizeCode = 0;
  bool border = true;
  bool titleBlock = true;
  bool excludedFromPrinting = false;
  // How many reads of the sheet's status word still report that its views
  // are being computed; 0 means the sheet is ready at once.
  std::int32_t computingReads = 0;
  bool operator==(const StandinSheet&) const = default;
};

// A failure the host reports on purpose, so Korrin's recovery can be tested.
struct StandinFault {
  std::int32_t number = 0;
  std::string description;
  bool operator==(const StandinFault&) const = default;
};

// How long the host stops answering on purpose; no milliseconds: for ever.
struct StandinHang {
  std::optional<std::int32_t> milliseconds;
  bool operator==(const StandinHang&) const = default;
};

// Any combination may be set. The first open of a file does its "first"
// faults (hang, then crash, exit or failure); every later open does the
// "every" ones, and so does the first when it has no "first" fault. A
// crash ends the host's process by SIGKILL, an exit with the given status.
struct StandinFaults {
  std::optional<StandinFault> failFirstOpen;
  std::optional<StandinFault> failEveryOpen;
  std::optional<StandinFault> failEverySave;
  // How long the host stays busy (its command state not idle) afterwards.
  std::int32_t busyAfterOpenMilliseconds = 0;
  std::int32_t busyAfterSaveMilliseconds = 0;
  bool crashFirstOpen = false;
  bool crashEveryOpen = false;
  bool crashEverySave = false;
  std::optional<StandinHang> hangFirstOpen;
  std::optional<StandinHang> hangEveryOpen;
  std::optional<StandinHang> hangEverySave;
  std::optional<std::int32_t> exitFirstOpen;
  bool operator==(const StandinFaults&) const = default;
};

struct StandinDocument {
  DocumentType type = DocumentType::Part;
  StandinRelease release;
  ComputeStatus computeStatus = ComputeStatus::UpToDate;
  bool needsMigrating = false;
  std::string environment;                   // e.g. "Part", "Assembly", "Drawing", "Notebook"
  std::string description;                   // empty when the document has none
  std::vector<StandinReference> references;  // in the document's order
  std::vector<StandinSheet> sheets;          // drawings only, in order
  // Parts only: the shape as Open CASCADE BRep text, carried untouched;
  // empty when the part has none.
  std::string geometry;
  StandinFaults faults;
  bool operator==(const StandinDocument&) const = default;
};

}  // namespace korrin::standin
