// The DXF writer: an AutoCAD 2000 (or 2004) file whose paper space holds a
// layout per sheet. The first layout's entities go into the ENTITIES
// section (it is the active layout, *Paper_Space); every other layout's go
// into its own *Paper_SpaceN block, as DXF keeps inactive layouts.
#include <charconv>
#include <cstdint>
#include <string>

#include "DxfFile.h"

namespace korrin::standin {
namespace {

using Handle = std::uint32_t;

constexpr const char* kModelSpaceRecord = "*Model_Space";
constexpr const char* kActivePaperSpaceRecord = "*Paper_Space";
constexpr const char* kDashedLinetype = "DASHED";
constexpr const char* kContinuousLinetype = "Continuous";
constexpr const char* kTextStyle = "Standard";
constexpr int kMillimetres = 4;  // $INSUNITS
constexpr int kPlotPaperUnitsMillimetres = 1;
constexpr int kPlotTypeLayout = 5;
constexpr int kClosedPolyline = 1;
constexpr int kLayoutScalesLinetypes = 1;  // the layout's 70 flags: PSLTSCALE
constexpr int kTextAnchorBottom = 1;   // 73 values
constexpr int kTextAnchorMiddle = 2;
constexpr int kTextAnchorTop = 3;
constexpr int kFrozenOrLockedNone = 0;
constexpr int kDefaultLineweight = -3;

std::string HandleText(Handle handle) {
  char buffer[16];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, handle, 16);
  (void)error;  // 16 bytes hold any 32-bit number in hex
  std::string text(buffer, end);
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
  return text;
}

std::string NumberText(double value) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : "0";
}

// A text value: one line, control characters as spaces; before AutoCAD
// 2007 a DXF file is in a code page, so characters outside ASCII go as
// \U+XXXX, which every version reads.
std::string TextValue(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      out += byte < 0x20 || byte == 0x7f ? ' ' : static_cast<char>(byte);
      ++i;
      continue;
    }
    const int length = byte >= 0xf0 ? 4 : byte >= 0xe0 ? 3 : byte >= 0xc0 ? 2 : 1;
    char32_t code = length == 4 ? byte & 0x07u : length == 3 ? byte & 0x0fu : byte & 0x1fu;
    bool whole = length > 1 && i + static_cast<std::size_t>(length) <= text.size();
    for (int k = 1; whole && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      whole = (next & 0xc0u) == 0x80u;
      code = (code << 6) | (next & 0x3fu);
    }
    if (!whole) {
      out += '?';  // not UTF-8
      ++i;
      continue;
    }
    char hex[8];
    const auto [end, error] = std::to_chars(hex, hex + sizeof hex, static_cast<std::uint32_t>(code), 16);
    (void)error;
    std::string digits(hex, end);
    for (char& c : digits) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
    out += "\\U+" + std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
    i += static_cast<std::size_t>(length);
  }
  return out;
}

class DxfOutput {
 public:
  void Group(int code, std::string_view value) {
    const std::string codeText = std::to_string(code);
    text_.append(codeText.size() < 3 ? 3 - codeText.size() : 0, ' ');
    text_ += codeText;
    text_ += "\r\n";
    text_ += value;
    text_ += "\r\n";
  }
  void Group(int code, int value) { Group(code, std::to_string(value)); }
  void Number(int code, double value) { Group(code, NumberText(value)); }
  void HandleGroup(int code, Handle handle) { Group(code, HandleText(handle)); }
  void Point(int code, DxfPoint point) {
    Number(code, point.x);
    Number(code + 10, point.y);
  }
  void Point3(int code, DxfPoint point) {
    Point(code, point);
    Number(code + 20, 0);
  }
  std::string& text() { return text_; }

 private:
  std::string text_;
};

struct LayoutHandles {
  Handle record = 0;
  Handle block = 0;
  Handle blockEnd = 0;
  Handle layout = 0;
  std::string recordName;
};

class DxfWriter {
 public:
  explicit DxfWriter(const DxfDrawing& drawing) : drawing_(drawing) { AssignHandles(); }

  std::string Text() {
    DxfOutput body;
    Classes(body);
    Tables(body);
    Blocks(body);
    Entities(body);
    Objects(body);
    body.Group(0, "EOF");
    DxfOutput file;
    Header(file);
    return file.text() + body.text();
  }

 private:
  Handle Next() { return next_++; }

  void AssignHandles() {
    for (Handle* handle : {&root_, &groupDictionary_, &layoutDictionary_, &vportTable_, &ltypeTable_, &layerTable_,
                           &styleTable_, &viewTable_, &ucsTable_, &appidTable_, &dimstyleTable_, &blockRecordTable_}) {
      *handle = Next();
    }
    model_ = {Next(), Next(), Next(), Next(), kModelSpaceRecord};
    for (std::size_t index = 0; index < drawing_.layouts.size(); ++index) {
      // The active layout's block has no number; the others count from 0.
      const std::string name =
          index == 0 ? std::string(kActivePaperSpaceRecord) : kActivePaperSpaceRecord + std::to_string(index - 1);
      layouts_.push_back({Next(), Next(), Next(), Next(), name});
    }
  }

  const DxfLayout& First() const { return drawing_.layouts.front(); }

  void HeaderPoint(DxfOutput& out, const char* name, DxfPoint point, bool withZ) {
    out.Group(9, name);
    if (withZ) {
      out.Point3(10, point);
    } else {
      out.Point(10, point);
    }
  }

  // Limits and extents are the first sheet's, for model space and paper
  // space alike; each layout carries its own in the OBJECTS section.
  void Header(DxfOutput& out) {
    const DxfPoint origin{0, 0};
    const DxfPoint corner{First().width, First().height};
    out.Group(0, "SECTION");
    out.Group(2, "HEADER");
    out.Group(9, "$ACADVER");
    out.Group(1, drawing_.version == DxfVersion::R2004 ? "AC1018" : "AC1015");
    out.Group(9, "$DWGCODEPAGE");
    out.Group(3, "ANSI_1252");
    out.Group(9, "$HANDSEED");
    out.HandleGroup(5, next_);
    out.Group(9, "$INSUNITS");
    out.Group(70, kMillimetres);
    out.Group(9, "$MEASUREMENT");
    out.Group(70, 1);  // metric
    HeaderPoint(out, "$EXTMIN", origin, true);
    HeaderPoint(out, "$EXTMAX", corner, true);
    HeaderPoint(out, "$LIMMIN", origin, false);
    HeaderPoint(out, "$LIMMAX", corner, false);
    HeaderPoint(out, "$PEXTMIN", origin, true);
    HeaderPoint(out, "$PEXTMAX", corner, true);
    HeaderPoint(out, "$PLIMMIN", origin, false);
    HeaderPoint(out, "$PLIMMAX", corner, false);
    out.Group(9, "$LTSCALE");
    out.Number(40, 1);
    out.Group(9, "$PSLTSCALE");
    out.Group(70, 1);
    out.Group(0, "ENDSEC");
  }

  void Classes(DxfOutput& out) {
    out.Group(0, "SECTION");
    out.Group(2, "CLASSES");
    out.Group(0, "ENDSEC");
  }

  void TableStart(DxfOutput& out, const char* name, Handle handle, int count) {
    out.Group(0, "TABLE");
    out.Group(2, name);
    out.HandleGroup(5, handle);
    out.HandleGroup(330, 0);
    out.Group(100, "AcDbSymbolTable");
    out.Group(70, count);
  }

  void RecordStart(DxfOutput& out, const char* kind, Handle table, const char* subclass) {
    out.Group(0, kind);
    out.HandleGroup(5, Next());
    out.HandleGroup(330, table);
    out.Group(100, "AcDbSymbolTableRecord");
    out.Group(100, subclass);
  }

  void Tables(DxfOutput& out) {
    out.Group(0, "SECTION");
    out.Group(2, "TABLES");
    ViewportTable(out);
    LinetypeTable(out);
    LayerTable(out);
    StyleTable(out);
    for (const auto& [name, handle] : {std::pair{"VIEW", viewTable_}, std::pair{"UCS", ucsTable_}}) {
      TableStart(out, name, handle, 0);
      out.Group(0, "ENDTAB");
    }
    AppidTable(out);
    DimstyleTable(out);
    BlockRecordTable(out);
    out.Group(0, "ENDSEC");
  }

  void ViewportTable(DxfOutput& out) {
    TableStart(out, "VPORT", vportTable_, 1);
    RecordStart(out, "VPORT", vportTable_, "AcDbViewportTableRecord");
    out.Group(2, "*Active");
    out.Group(70, 0);
    out.Point(10, {0, 0});
    out.Point(11, {1, 1});
    out.Point(12, {First().width / 2, First().height / 2});
    out.Number(40, First().height);
    out.Number(41, First().height > 0 ? First().width / First().height : 1);
    out.Group(0, "ENDTAB");
  }

  void Linetype(DxfOutput& out, const char* name, const char* description, const std::vector<double>& pattern) {
    RecordStart(out, "LTYPE", ltypeTable_, "AcDbLinetypeTableRecord");
    out.Group(2, name);
    out.Group(70, 0);
    out.Group(3, description);
    out.Group(72, 65);  // the alignment code, always "A"
    out.Group(73, static_cast<int>(pattern.size()));
    double total = 0;
    for (const double element : pattern) total += element < 0 ? -element : element;
    out.Number(40, total);
    for (const double element : pattern) {
      out.Number(49, element);
      out.Group(74, 0);
    }
  }

  void LinetypeTable(DxfOutput& out) {
    TableStart(out, "LTYPE", ltypeTable_, 4);
    Linetype(out, "ByBlock", "", {});
    Linetype(out, "ByLayer", "", {});
    Linetype(out, kContinuousLinetype, "Solid line", {});
    Linetype(out, kDashedLinetype, "Dashed __ __ __ __", {kDxfDashLength, -kDxfDashGap});
    out.Group(0, "ENDTAB");
  }

  void Layer(DxfOutput& out, const DxfLayer& layer) {
    RecordStart(out, "LAYER", layerTable_, "AcDbLayerTableRecord");
    out.Group(2, layer.name);
    out.Group(70, kFrozenOrLockedNone);
    out.Group(62, layer.colour);
    out.Group(6, layer.dashed ? kDashedLinetype : kContinuousLinetype);
    out.Group(370, layer.lineweight);
  }

  void LayerTable(DxfOutput& out) {
    TableStart(out, "LAYER", layerTable_, static_cast<int>(drawing_.layers.size() + 1));
    Layer(out, {"0", 7, kDefaultLineweight, false});
    for (const DxfLayer& layer : drawing_.layers) Layer(out, layer);
    out.Group(0, "ENDTAB");
  }

  void StyleTable(DxfOutput& out) {
    TableStart(out, "STYLE", styleTable_, 1);
    RecordStart(out, "STYLE", styleTable_, "AcDbTextStyleTableRecord");
    out.Group(2, kTextStyle);
    out.Group(70, 0);
    out.Number(40, 0);
    out.Number(41, 1);
    out.Number(50, 0);
    out.Group(71, 0);
    out.Number(42, 2.5);
    out.Group(3, "txt");
    out.Group(4, "");
    out.Group(0, "ENDTAB");
  }

  void AppidTable(DxfOutput& out) {
    TableStart(out, "APPID", appidTable_, 1);
    RecordStart(out, "APPID", appidTable_, "AcDbRegAppTableRecord");
    out.Group(2, "ACAD");
    out.Group(70, 0);
    out.Group(0, "ENDTAB");
  }

  void DimstyleTable(DxfOutput& out) {
    TableStart(out, "DIMSTYLE", dimstyleTable_, 1);
    out.Group(100, "AcDbDimStyleTable");
    out.Group(71, 1);
    out.Group(0, "DIMSTYLE");
    out.HandleGroup(105, Next());
    out.HandleGroup(330, dimstyleTable_);
    out.Group(100, "AcDbSymbolTableRecord");
    out.Group(100, "AcDbDimStyleTableRecord");
    out.Group(2, kTextStyle);
    out.Group(70, 0);
    out.Group(0, "ENDTAB");
  }

  void BlockRecord(DxfOutput& out, const LayoutHandles& layout) {
    out.Group(0, "BLOCK_RECORD");
    out.HandleGroup(5, layout.record);
    out.HandleGroup(330, blockRecordTable_);
    out.Group(100, "AcDbSymbolTableRecord");
    out.Group(100, "AcDbBlockTableRecord");
    out.Group(2, layout.recordName);
    out.HandleGroup(340, layout.layout);
  }

  void BlockRecordTable(DxfOutput& out) {
    TableStart(out, "BLOCK_RECORD", blockRecordTable_, static_cast<int>(layouts_.size() + 1));
    BlockRecord(out, model_);
    for (const LayoutHandles& layout : layouts_) BlockRecord(out, layout);
    out.Group(0, "ENDTAB");
  }

  void EntityStart(DxfOutput& out, const char* kind, Handle owner, bool paperSpace, const std::string& layer) {
    out.Group(0, kind);
    out.HandleGroup(5, Next());
    out.HandleGroup(330, owner);
    out.Group(100, "AcDbEntity");
    if (paperSpace) out.Group(67, 1);
    out.Group(8, layer);
  }

  void Block(DxfOutput& out, const LayoutHandles& handles, const DxfLayout* content) {
    const bool paperSpace = content != nullptr;
    out.Group(0, "BLOCK");
    out.HandleGroup(5, handles.block);
    out.HandleGroup(330, handles.record);
    out.Group(100, "AcDbEntity");
    if (paperSpace) out.Group(67, 1);
    out.Group(8, "0");
    out.Group(100, "AcDbBlockBegin");
    out.Group(2, handles.recordName);
    out.Group(70, 0);
    out.Point3(10, {0, 0});
    out.Group(3, handles.recordName);
    out.Group(1, "");
    if (content != nullptr && &handles != &layouts_.front()) LayoutEntities(out, *content, handles.record);
    out.Group(0, "ENDBLK");
    out.HandleGroup(5, handles.blockEnd);
    out.HandleGroup(330, handles.record);
    out.Group(100, "AcDbEntity");
    if (paperSpace) out.Group(67, 1);
    out.Group(8, "0");
    out.Group(100, "AcDbBlockEnd");
  }

  void Blocks(DxfOutput& out) {
    out.Group(0, "SECTION");
    out.Group(2, "BLOCKS");
    Block(out, model_, nullptr);
    for (std::size_t index = 0; index < layouts_.size(); ++index) {
      Block(out, layouts_[index], &drawing_.layouts[index]);
    }
    out.Group(0, "ENDSEC");
  }

  void Polyline(DxfOutput& out, const DxfPolyline& polyline, Handle owner) {
    if (polyline.points.size() == 2 && !polyline.closed) {
      EntityStart(out, "LINE", owner, true, polyline.layer);
      out.Group(100, "AcDbLine");
      out.Point3(10, polyline.points[0]);
      out.Point3(11, polyline.points[1]);
      return;
    }
    EntityStart(out, "LWPOLYLINE", owner, true, polyline.layer);
    out.Group(100, "AcDbPolyline");
    out.Group(90, static_cast<int>(polyline.points.size()));
    out.Group(70, polyline.closed ? kClosedPolyline : 0);
    out.Number(43, 0);
    for (const DxfPoint& point : polyline.points) out.Point(10, point);
  }

  void Text(DxfOutput& out, const DxfText& text, Handle owner) {
    EntityStart(out, "TEXT", owner, true, text.layer);
    out.Group(100, "AcDbText");
    out.Point3(10, text.anchor);
    out.Number(40, text.height);
    out.Group(1, TextValue(text.text));
    out.Group(7, kTextStyle);
    out.Group(72, 0);  // left
    out.Point3(11, text.anchor);
    out.Group(100, "AcDbText");
    out.Group(73, text.anchoredAt == DxfTextAnchor::Top      ? kTextAnchorTop
                  : text.anchoredAt == DxfTextAnchor::Middle ? kTextAnchorMiddle
                                                             : kTextAnchorBottom);
  }

  void LayoutEntities(DxfOutput& out, const DxfLayout& layout, Handle owner) {
    for (const DxfPolyline& polyline : layout.polylines) {
      if (polyline.points.size() >= 2) Polyline(out, polyline, owner);
    }
    for (const DxfText& text : layout.texts) Text(out, text, owner);
  }

  void Entities(DxfOutput& out) {
    out.Group(0, "SECTION");
    out.Group(2, "ENTITIES");
    LayoutEntities(out, First(), layouts_.front().record);
    out.Group(0, "ENDSEC");
  }

  void Dictionary(DxfOutput& out, Handle handle, Handle owner,
                  const std::vector<std::pair<std::string, Handle>>& entries) {
    out.Group(0, "DICTIONARY");
    out.HandleGroup(5, handle);
    out.HandleGroup(330, owner);
    out.Group(100, "AcDbDictionary");
    out.Group(281, 1);
    for (const auto& [name, entry] : entries) {
      out.Group(3, name);
      out.HandleGroup(350, entry);
    }
  }

  void Layout(DxfOutput& out, const LayoutHandles& handles, const std::string& name, int tabOrder, double width,
              double height) {
    out.Group(0, "LAYOUT");
    out.HandleGroup(5, handles.layout);
    out.HandleGroup(330, layoutDictionary_);
    out.Group(100, "AcDbPlotSettings");
    out.Group(1, "");
    out.Group(2, "none_device");
    out.Group(4, "");
    out.Group(6, "");
    for (int code = 40; code <= 43; ++code) out.Number(code, 0);  // margins
    out.Number(44, width);
    out.Number(45, height);
    for (int code : {46, 47, 48, 49, 140, 141}) out.Number(code, 0);
    out.Number(142, 1);
    out.Number(143, 1);
    out.Group(70, 0);
    out.Group(72, kPlotPaperUnitsMillimetres);
    out.Group(73, 0);
    out.Group(74, kPlotTypeLayout);
    out.Group(7, "");
    out.Group(75, 16);  // 1:1
    out.Number(147, 1);
    out.Number(148, 0);
    out.Number(149, 0);
    out.Group(100, "AcDbLayout");
    out.Group(1, name);
    out.Group(70, kLayoutScalesLinetypes);
    out.Group(71, tabOrder);
    out.Point(10, {0, 0});
    out.Point(11, {width, height});
    out.Point3(12, {0, 0});
    out.Point3(14, {0, 0});
    out.Point3(15, {width, height});
    out.Number(146, 0);
    out.Point3(13, {0, 0});
    out.Point3(16, {1, 0});
    out.Point3(17, {0, 1});
    out.Group(76, 0);
    out.HandleGroup(330, handles.record);
  }

  void Objects(DxfOutput& out) {
    out.Group(0, "SECTION");
    out.Group(2, "OBJECTS");
    Dictionary(out, root_, 0, {{"ACAD_GROUP", groupDictionary_}, {"ACAD_LAYOUT", layoutDictionary_}});
    Dictionary(out, groupDictionary_, root_, {});
    std::vector<std::pair<std::string, Handle>> entries{{"Model", model_.layout}};
    for (std::size_t index = 0; index < layouts_.size(); ++index) {
      entries.emplace_back(drawing_.layouts[index].name, layouts_[index].layout);
    }
    Dictionary(out, layoutDictionary_, root_, entries);
    Layout(out, model_, "Model", 0, First().width, First().height);
    for (std::size_t index = 0; index < layouts_.size(); ++index) {
      const DxfLayout& layout = drawing_.layouts[index];
      Layout(out, layouts_[index], layout.name, static_cast<int>(index + 1), layout.width, layout.height);
    }
    out.Group(0, "ENDSEC");
  }

  const DxfDrawing& drawing_;
  Handle next_ = 1;  // handle 0 means "no owner"
  Handle root_ = 0, groupDictionary_ = 0, layoutDictionary_ = 0;
  Handle vportTable_ = 0, ltypeTable_ = 0, layerTable_ = 0, styleTable_ = 0, viewTable_ = 0, ucsTable_ = 0,
         appidTable_ = 0, dimstyleTable_ = 0, blockRecordTable_ = 0;
  LayoutHandles model_;
  std::vector<LayoutHandles> layouts_;
};

}  // namespace

std::string DxfFileText(const DxfDrawing& drawing) {
  if (drawing.layouts.empty()) return {};
  return DxfWriter(drawing).Text();
}

}  // namespace korrin::standin
