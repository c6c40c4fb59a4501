#include "DrawingDxf.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "SheetContent.h"
#include "StandinFailures.h"
#include "documents/SheetSizes.h"
#include "settings/SettingsLine.h"
#include "settings/TextCase.h"
#include "settings/TextFile.h"

namespace korrin::standin {
namespace {

constexpr const char* kVersionSetting = "AUTOCAD VERSION";
constexpr double kMillimetresPerCentimetre = 10;
// Sheets within half a millimetre of a known size are that size.
constexpr double kSizeTolerance = 0.05;  // centimetres
// Larger files are refused before they are read: no drawing's sheets need
// that much, and reading one would take memory for nothing.
constexpr std::uintmax_t kLargestFile = std::uintmax_t{512} << 20;

// AutoCAD colour indexes and lineweights (hundredths of a millimetre) of
// the layers, as near as DXF's values come to the printed page's pens.
const std::vector<DxfLayer> kLayers = {
    {kFrameLayer, 8, 18, false},  {kBorderLayer, 7, 70, false}, {kTitleLayer, 5, 35, false},
    {kVisibleLayer, 7, 35, false}, {kHiddenLayer, 5, 25, true},
};

const char* LayerOf(SheetPart part) {
  switch (part) {
    case SheetPart::Edge:
      return kFrameLayer;
    case SheetPart::Border:
      return kBorderLayer;
    case SheetPart::TitleBlock:
      return kTitleLayer;
    case SheetPart::VisibleEdge:
      return kVisibleLayer;
    case SheetPart::HiddenEdge:
      break;
  }
  return kHiddenLayer;
}

// The sheet's content has y down from the top; DXF has y up from the bottom.
DxfPoint Flipped(const QPointF& point, double sheetHeight) { return {point.x(), sheetHeight - point.y()}; }

DxfText TextOf(const SheetText& text, double sheetHeight) {
  DxfText dxf{kTitleLayer, {}, DxfTextAnchor::Bottom, text.height, text.text};
  if (text.flags & Qt::AlignTop) {
    dxf.anchoredAt = DxfTextAnchor::Top;
    dxf.anchor = Flipped(text.box.topLeft(), sheetHeight);
  } else if (text.flags & Qt::AlignVCenter) {
    dxf.anchoredAt = DxfTextAnchor::Middle;
    dxf.anchor = Flipped(QPointF(text.box.left(), text.box.center().y()), sheetHeight);
  } else {
    dxf.anchor = Flipped(text.box.bottomLeft(), sheetHeight);
  }
  return dxf;
}

// A layout name AutoCAD accepts: none of its forbidden characters, not
// "Model", and none twice (names compared ignoring case).
std::string LayoutName(const std::string& sheetName, std::size_t number, std::vector<std::string>& taken) {
  constexpr std::string_view kForbidden = "<>/\\\":;?*|,=`";
  constexpr std::size_t kLongestName = 255;
  std::string name;
  for (const char c : sheetName.substr(0, kLongestName)) {
    const bool forbidden = static_cast<unsigned char>(c) < 0x20 || kForbidden.find(c) != std::string_view::npos;
    name += forbidden ? '_' : c;
  }
  if (name.empty()) name = "Sheet " + std::to_string(number);
  const auto isTaken = [&taken](const std::string& candidate) {
    for (const std::string& other : taken) {
      if (KeysEqual(other, candidate)) return true;
    }
    return KeysEqual(candidate, "Model");
  };
  std::string unique = name;
  for (int copy = 2; isTaken(unique); ++copy) unique = name + " (" + std::to_string(copy) + ")";
  taken.push_back(unique);
  return unique;
}

DxfLayout LayoutOf(const DrawingSheetPicture& picture, std::string name) {
  const SheetContent content = LayOutSheet(picture);
  const double height = content.size.height();
  DxfLayout layout{std::move(name), content.size.width(), height, {}, {}};
  for (const SheetLine& line : content.lines) {
    DxfPolyline polyline{LayerOf(line.part), {}, line.closed};
    polyline.points.reserve(line.points.size());
    for (const QPointF& point : line.points) polyline.points.push_back(Flipped(point, height));
    layout.polylines.push_back(std::move(polyline));
  }
  for (const SheetText& text : content.texts) layout.texts.push_back(TextOf(text, height));
  return layout;
}

std::int32_t SizeCodeOf(double widthCentimetres, double heightCentimetres) {
  for (const SheetSize& size : kSheetSizes) {
    if (std::abs(size.widthCentimetres - widthCentimetres) <= kSizeTolerance &&
        std::abs(size.heightCentimetres - heightCentimetres) <= kSizeTolerance) {
      return size.sizeCode;
    }
  }
  return 0;
}

Result<std::string> FileText(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kLargestFile) return Unspecified("it is larger than 512 MB");
  const TextFileRead read = ReadTextFile(path);
  if (!read.complete()) return read.failure;
  std::string text;
  for (const std::string& line : read.lines) {
    text += line;
    text += '\n';
  }
  return text;
}

}  // namespace

DxfVersion DxfVersionOf(const std::string& settingsFile) {
  if (settingsFile.empty()) return DxfVersion::R2000;
  const TextFileRead read = ReadTextFile(settingsFile);
  for (const std::string& line : read.lines) {
    const KeyValue setting = SplitKeyValue(line);
    if (KeysEqual(setting.key, kVersionSetting)) {
      return ToUpperAscii(setting.value) == "AUTOCAD 2004" ? DxfVersion::R2004 : DxfVersion::R2000;
    }
  }
  return DxfVersion::R2000;
}

DxfDrawing DrawingDxf(const std::vector<DrawingSheetPicture>& sheets, DxfVersion version) {
  DxfDrawing drawing;
  drawing.version = version;
  drawing.layers = kLayers;
  std::vector<std::string> names;
  for (const DrawingSheetPicture& sheet : sheets) {
    drawing.layouts.push_back(LayoutOf(sheet, LayoutName(sheet.sheet.name, sheet.sheetNumber, names)));
  }
  return drawing;
}

Status WriteDrawingDxf(const std::string& path, const std::vector<DrawingSheetPicture>& sheets, DxfVersion version) {
  if (sheets.empty()) return InvalidArgument("A drawing without sheets makes no DXF file.");
  auto file = FileReplacement::Start(path);
  if (!file) return file.failure();
  return file.value().CommitBytes(DxfFileText(DrawingDxf(sheets, version)));
}

Result<std::vector<StandinSheet>> ReadDrawingDxf(const std::string& path) {
  auto text = FileText(path);
  if (!text) return text.failure();
  auto read = ParseDxf(text.value());
  if (!read) return read.failure();
  std::vector<StandinSheet> sheets;
  for (const DxfLayoutRead& layout : read.value().layouts) {
    StandinSheet sheet;
    sheet.name = layout.name;
    sheet.widthCentimetres = layout.width / kMillimetresPerCentimetre;
    sheet.heightCentimetres = layout.height / kMillimetresPerCentimetre;
    sheet.sizeCode = SizeCodeOf(sheet.widthCentimetres, sheet.heightCentimetres);
    sheet.border = layout.layers.contains(kBorderLayer);
    sheet.titleBlock = layout.layers.contains(kTitleLayer);
    sheets.push_back(std::move(sheet));
  }
  return sheets;
}

}  // namespace korrin::standin
