#pragma once

#include <string>
#include <vector>

#include "DrawingPage.h"
#include "DxfFile.h"
#include "documents/StandinDocument.h"
#include "ports/Result.h"

namespace korrin::standin {

// Drawings as DXF files: a sheet is a paper-space layout named after it,
// holding what its printed page shows, each kind of line on a layer of its
// own: FRAME (the sheet's edge), BORDER, TITLE (the title block's lines and
// texts), VISIBLE and HIDDEN (the views' edges; HIDDEN drawn dashed).

inline constexpr const char* kFrameLayer = "FRAME";
inline constexpr const char* kBorderLayer = "BORDER";
inline constexpr const char* kTitleLayer = "TITLE";
inline constexpr const char* kVisibleLayer = "VISIBLE";
inline constexpr const char* kHiddenLayer = "HIDDEN";

// The DXF version for the "AUTOCAD VERSION=" line of the translator
// settings file named (name compared ignoring case): "AutoCAD 2004" gives
// AutoCAD 2004's; anything else, the older releases (R14, R13, R12, whose
// files have no layouts) and no setting at all included, AutoCAD 2000's.
DxfVersion DxfVersionOf(const std::string& settingsFile);

// The pictures are the drawing's sheets in order. A layout's name is its
// sheet's with the characters AutoCAD refuses in layout names (<>/\":;?*|,=`
// and control characters) as "_", numbered " (2)" ... where two would be
// the same ignoring case, and never "Model".
DxfDrawing DrawingDxf(const std::vector<DrawingSheetPicture>& sheets, DxfVersion version);

Status WriteDrawingDxf(const std::string& path, const std::vector<DrawingSheetPicture>& sheets, DxfVersion version);

// The sheets a DXF file's layouts make: named after the layout, its size in
// centimetres (the size code of a known sheet size of that size, else 0), a
// border when it holds a BORDER layer's entities, a title block when a
// TITLE layer's. Failures say what is wrong, not which file.
Result<std::vector<StandinSheet>> ReadDrawingDxf(const std::string& path);

}  // namespace korrin::standin
