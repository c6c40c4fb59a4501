#pragma once

#include <optional>
#include <string>
#include <vector>

#include "StandinContainer.h"
#include "TranslatorCatalogue.h"
#include "documents/StandinDocument.h"
#include "ports/Result.h"

namespace korrin::standin {

// The files the DWG translator writes a drawing of sheetCount sheets to:
// the name given for one sheet; for more, one file per sheet, the name
// without its ".dwg" (any case, kept as given) followed by "_1.dwg" ...
// "_n.dwg". A name without that extension gets ".dwg" after the number.
std::vector<std::string> DwgSheetFileNames(const std::string& path, std::size_t sheetCount);

// The AutoCAD template the drawing translators are pointed at: the value
// of the "AUTOCAD TEMPLATE=" line (name compared ignoring case) of the
// settings file named. Nothing when the name is empty, the file cannot be
// read, it has no such line or the value is empty.
std::optional<std::string> AcadTemplateOf(const std::string& settingsFile);

// Writes a drawing as the DWG translator does, the content holding the
// source and the options in effect: one container per sheet (see
// DwgSheetFileNames). DXF gives one container listing every sheet, as the
// DXF translator wrote before it wrote real DXF files (DrawingDxf.h); such
// files still open. Each records the template its "Export_Acad_IniFile"
// option leads to.
Status WriteDrawingExport(TranslatorFormat format, ContainerContent content, const std::vector<StandinSheet>& sheets,
                          const std::string& path);

}  // namespace korrin::standin
