#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Result.h"

namespace korrin::standin {

// ASCII DXF files of drawings: written with a paper-space layout per sheet,
// and read back as the layouts they hold. Coordinates are millimetres with
// y up, from the sheet's bottom-left corner. Nothing here knows Qt, so the
// reader can be fuzzed alone.

// The DXF versions written; all of them have paper-space layouts.
enum class DxfVersion { R2000, R2004 };

struct DxfPoint {
  double x = 0;
  double y = 0;
};

struct DxfPolyline {
  std::string layer;
  std::vector<DxfPoint> points;  // two points are written as a LINE
  bool closed = false;
};

// Which line of the text its anchor lies on; the text runs to the right.
enum class DxfTextAnchor { Bottom, Middle, Top };

struct DxfText {
  std::string layer;
  DxfPoint anchor;
  DxfTextAnchor anchoredAt = DxfTextAnchor::Bottom;
  double height = 0;
  std::string text;  // UTF-8
};

struct DxfLayer {
  std::string name;
  int colour = 7;           // AutoCAD colour index
  int lineweight = 25;      // hundredths of a millimetre, one of DXF's own values
  bool dashed = false;      // drawn with the DASHED linetype
};

struct DxfLayout {
  std::string name;
  double width = 0;  // millimetres
  double height = 0;
  std::vector<DxfPolyline> polylines;
  std::vector<DxfText> texts;
};

struct DxfDrawing {
  DxfVersion version = DxfVersion::R2000;
  std::vector<DxfLayer> layers;    // besides layer 0, which every file has
  std::vector<DxfLayout> layouts;  // at least one; the first is the active one
};

// The length and gap of the DASHED linetype, in millimetres.
inline constexpr double kDxfDashLength = 3;
inline constexpr double kDxfDashGap = 1.5;

// The file's text, lines ended by CR LF. Layer and layout names must be
// valid DXF names (no <>/\":;?*|=` and no control characters); texts may
// hold anything: control characters become spaces, and versions before
// AutoCAD 2007 get characters outside ASCII as \U+XXXX.
std::string DxfFileText(const DxfDrawing& drawing);

// A layout as read: its name, its size in millimetres, and what it holds.
struct DxfLayoutRead {
  std::string name;
  double width = 0;
  double height = 0;
  std::size_t entityCount = 0;
  std::set<std::string> layers;  // of its entities, upper-cased
};

struct DxfFileRead {
  std::string version;  // $ACADVER, e.g. "AC1015"; empty when the header has none
  // The paper-space layouts in their tab order when any of them holds an
  // entity; otherwise model space alone, named "Model".
  std::vector<DxfLayoutRead> layouts;
};

// Reads an ASCII DXF file's layouts. A layout is sized by its limits, else
// by its extents, else by the file's; model space by the header's limits,
// else its extents. Failures say what is wrong and on which line, never
// which file: "line 12: group code "x" is not a number", "it ends before
// its EOF marker: cut short?".
Result<DxfFileRead> ParseDxf(std::string_view text);

}  // namespace korrin::standin
