#pragma once

#include <cstdint>
#include <string>

namespace korrin::standin {

// One page the host printed, as it went out: what was printed, on what
// paper, how, and where to. The host keeps them in the order submitted, so
// runs and tests can see what was printed without reading the output.
struct PrintSubmission {
  std::string document;  // the full file name; a never-saved document's name
  std::string sheet;     // the sheet of a drawing; empty for a model's view
  std::int32_t paper = 0;
  double paperWidthMillimetres = 0;  // as the page lies, after the orientation
  double paperHeightMillimetres = 0;
  std::int32_t orientation = 0;
  std::int32_t colorMode = 0;
  // A drawing's settings; a model's view is fitted to the paper instead.
  double scale = 0;
  bool rotated90Degrees = false;
  std::int32_t drawingPrintMode = 0;
  std::int32_t drawingPrintRange = 0;
  bool toFile = false;
  std::string destination;  // the PDF file written, or the queue the job went to

  bool operator==(const PrintSubmission&) const = default;
};

}  // namespace korrin::standin
