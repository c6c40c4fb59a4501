#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/AcadTemplateSetup.h"
#include "engine/ExportContext.h"
#include "host/HostConnector.h"

namespace korrin {

// How a drawing exported to DWG is finished in AutoCAD.
struct DrawingFinish {
  bool stripLineweights = false;
  std::int32_t sheetCount = 0;  // of the active drawing
  std::string templateName;     // the size name of the template row used
};

// Decides, after the format dispatch and before the translator export,
// whether AutoCAD takes the lineweights away afterwards, and when it does
// and the setup asks for it, puts the AutoCAD template in the export
// settings file and takes the host's border and title block off the sheet.
DrawingFinish DecideDrawingFinish(ExportContext& context, AcadTemplateSetup& setup);

// Points the DWG translator at the template for the active sheet's size and
// deletes the sheet's border and title block, matched or not. The export
// settings file keeps every line it held; it is left alone when it cannot be
// read whole.
void ReplaceTitleBlockTemplate(ExportContext& context, const AcadTemplateSetup& setup, DrawingFinish& finish);

// The files the DWG translator writes for the drawing, in the order it
// writes them: one sheet goes under the plain name, of several each sheet
// gets its number ("_1.dwg" ... "_n.dwg"). A drawing whose sheets could not
// be counted is looked for under the plain name.
std::vector<std::string> DwgFiles(const std::string& outputBase, std::int32_t sheetCount);
// The last of them, the one whose arrival ends the translator's work.
std::string LastDwgFile(const std::string& outputBase, std::int32_t sheetCount);

// Waits for the translator's last DWG file; false when the wait ended
// without it (abort, or the run's time limit, which is logged).
bool WaitForDwgFile(ExportContext& context, const std::string& outputBase, std::int32_t sheetCount);

// Opens each of the exported drawing's files that exists in AutoCAD in
// turn, switches its lineweight display off and saves it. Returns "" when
// done (or no file was there), else what kept the lineweights: no AutoCAD
// to be had, or a save that failed.
std::string CleanAcadDrawing(host::HostConnector& connector, EventPump& events, AbortFlag& abort,
                             const std::string& outputBase, std::int32_t sheetCount);

inline constexpr const char* kAcadNotRunning = "AutoCAD/MDT is not running";

// Closes, without saving, what the host's DWG and DXF translators left open
// in AutoCAD. Empty when done.
std::string CloseAcadDocuments(host::HostConnector& connector, AbortFlag& abort);

}  // namespace korrin
