// The DXF reader: only what makes sheets of a drawing is read (the header's
// version, units, limits and extents; the block records; which entities
// each layout holds and on which layers; the LAYOUT objects), and every
// group the file holds is checked for its form, so a damaged file fails
// with its line number instead of giving a sheet of nonsense.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>

#include "DxfFile.h"
#include "StandinFailures.h"

namespace korrin::standin {
namespace {

constexpr int kLowestGroupCode = -5;
constexpr int kHighestGroupCode = 1071;
constexpr std::size_t kMostLayouts = 4096;
// A sheet larger than this is no paper: 100 metres.
constexpr double kLargestSheet = 100000;
constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";
constexpr std::string_view kModelSpace = "*MODEL_SPACE";
constexpr std::string_view kPaperSpace = "*PAPER_SPACE";

struct Group {
  int code = 0;
  std::string_view value;
  std::size_t line = 0;  // of the code, from 1
};

Failure Damaged(std::string description) { return Unspecified(std::move(description)); }

Failure DamagedAt(const Group& group, const std::string& what) {
  return Damaged("line " + std::to_string(group.line) + ": " + what);
}

std::string Shown(std::string_view value) {
  constexpr std::size_t kLongestShown = 40;
  std::string shown;
  for (const char c : value.substr(0, kLongestShown)) {
    shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  }
  if (value.size() > kLongestShown) shown += "...";
  return "\"" + shown + "\"";
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The file as (code, value) pairs. A value keeps its leading blanks (texts
// may start with one) and loses the line end.
Result<std::vector<Group>> Groups(std::string_view text) {
  std::vector<Group> groups;
  std::size_t line = 0;
  const auto nextLine = [&text, &line]() -> std::optional<std::string_view> {
    if (text.empty()) return std::nullopt;
    const std::size_t end = text.find('\n');
    std::string_view current = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
    ++line;
    return current;
  };
  while (const auto codeLine = nextLine()) {
    Group group;
    group.line = line;
    const std::string_view code = Trimmed(*codeLine);
    const auto [end, error] = std::from_chars(code.data(), code.data() + code.size(), group.code);
    if (code.empty() || error != std::errc() || end != code.data() + code.size()) {
      return DamagedAt(group, "group code " + Shown(code) + " is not a number");
    }
    if (group.code < kLowestGroupCode || group.code > kHighestGroupCode) {
      return DamagedAt(group, "group code " + std::to_string(group.code) + " is out of DXF's range");
    }
    const auto value = nextLine();
    if (!value) return DamagedAt(group, "group code " + std::to_string(group.code) + " has no value: cut short?");
    group.value = *value;
    groups.push_back(group);
  }
  return groups;
}

Result<double> RealOf(const Group& group) {
  std::string_view text = Trimmed(group.value);
  if (text.starts_with('+')) text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return DamagedAt(group, "the value " + Shown(group.value) + " of group code " + std::to_string(group.code) +
                                " is not a number");
  }
  return value;
}

Result<long long> WholeOf(const Group& group) {
  const std::string_view text = Trimmed(group.value);
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return DamagedAt(group, "the value " + Shown(group.value) + " of group code " + std::to_string(group.code) +
                                " is not a whole number");
  }
  return value;
}

// Group codes whose values are numbers, as DXF assigns them; the rest are
// texts and handles, which any value fits.
bool IsRealCode(int code) {
  return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
         (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059);
}

bool IsWholeCode(int code) {
  return (code >= 60 && code <= 99) || (code >= 160 && code <= 179) || (code >= 270 && code <= 289) ||
         (code >= 370 && code <= 389) || (code >= 400 && code <= 409) || (code >= 420 && code <= 429) ||
         (code >= 440 && code <= 459) || (code >= 1060 && code <= 1071);
}

Status CheckValue(const Group& group) {
  if (IsRealCode(group.code)) {
    if (auto real = RealOf(group); !real) return real.failure();
  } else if (IsWholeCode(group.code)) {
    if (auto whole = WholeOf(group); !whole) return whole.failure();
  }
  return {};
}

std::string Millimetres(double value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return error == std::errc() ? std::string(buffer, end) : "?";
}

struct Rectangle {
  std::optional<double> minX, minY, maxX, maxY;

  // Usable when all four corners' numbers are there and span some paper.
  bool usable() const {
    return minX && minY && maxX && maxY && *maxX - *minX > 0 && *maxY - *minY > 0;
  }
  double width() const { return *maxX - *minX; }
  double height() const { return *maxY - *minY; }
};

void SetCorner(Rectangle& rectangle, bool maximum, int code, double value) {
  const bool isX = code % 100 / 10 == 1;  // 10..19 x, 20..29 y
  std::optional<double>& slot = isX ? (maximum ? rectangle.maxX : rectangle.minX)
                                    : (maximum ? rectangle.maxY : rectangle.minY);
  slot = value;
}

struct Space {
  std::size_t entityCount = 0;
  std::set<std::string> layers;
};

struct LayoutObject {
  std::string name;
  long long tabOrder = 0;
  std::string blockRecord;  // handle, upper-cased
  Rectangle limits;
  Rectangle extents;
  double unit = 1;  // millimetres per paper unit
  std::size_t line = 0;
};

class DxfReader {
 public:
  explicit DxfReader(std::vector<Group> groups) : groups_(std::move(groups)) {}

  Result<DxfFileRead> Read() {
    if (Status sections = Sections(); !sections) return sections.failure();
    return Sheets();
  }

 private:
  bool AtEnd() const { return at_ >= groups_.size(); }
  const Group& Current() const { return groups_[at_]; }
  bool IsMarker(std::string_view name) const { return !AtEnd() && Current().code == 0 && Current().value == name; }

  Status CutShort() const { return Damaged("it ends before its EOF marker: cut short?"); }

  Status Sections() {
    while (!AtEnd() && Current().code == 999) ++at_;  // comments
    while (true) {
      if (AtEnd()) return CutShort();
      const Group& group = Current();
      if (group.code == 0 && group.value == "EOF") return {};
      if (group.code != 0 || group.value != "SECTION") {
        return DamagedAt(group, "a SECTION or the EOF marker was expected, not " + Shown(group.value));
      }
      ++at_;
      if (AtEnd()) return CutShort();
      if (Current().code != 2) return DamagedAt(Current(), "the section has no name");
      const std::string name = UpperAscii(Trimmed(Current().value));
      ++at_;
      Status read = name == "HEADER"     ? Header()
                    : name == "TABLES"   ? Tables()
                    : name == "BLOCKS"   ? Blocks()
                    : name == "ENTITIES" ? Entities()
                    : name == "OBJECTS"  ? Objects()
                                         : SkipSection();
      if (!read) return read;
      ++at_;  // ENDSEC
    }
  }

  // Walks to the section's ENDSEC, checking every value's form on the way.
  Status SkipSection() {
    for (; !AtEnd() && !IsMarker("ENDSEC"); ++at_) {
      if (Current().code == 0 && Current().value == "EOF") return DamagedAt(Current(), "a section has no ENDSEC");
      if (Status checked = CheckValue(Current()); !checked) return checked;
    }
    return AtEnd() ? CutShort() : Status{};
  }

  Status Header() {
    std::string variable;
    for (; !AtEnd() && !IsMarker("ENDSEC"); ++at_) {
      const Group& group = Current();
      if (Status checked = CheckValue(group); !checked) return checked;
      if (group.code == 9) {
        variable = UpperAscii(Trimmed(group.value));
      } else if (group.code == 0) {
        return DamagedAt(group, "the header holds " + Shown(group.value));
      } else if (variable == "$ACADVER" && group.code == 1) {
        version_ = Trimmed(group.value);
      } else if (variable == "$INSUNITS" && group.code == 70) {
        units_ = WholeOf(group).value();
      } else if ((group.code == 10 || group.code == 20) && (variable == "$LIMMIN" || variable == "$LIMMAX")) {
        SetCorner(modelLimits_, variable == "$LIMMAX", group.code, RealOf(group).value());
      } else if ((group.code == 10 || group.code == 20) && (variable == "$EXTMIN" || variable == "$EXTMAX")) {
        SetCorner(modelExtents_, variable == "$EXTMAX", group.code, RealOf(group).value());
      }
    }
    return AtEnd() ? CutShort() : Status{};
  }

  // Of the tables, the block records alone: they tie a layout to the block
  // that holds its entities.
  Status Tables() {
    std::string kind, handle, name;
    const auto keep = [&] {
      if (kind == "BLOCK_RECORD" && !handle.empty()) blockRecords_[handle] = UpperAscii(name);
    };
    for (; !AtEnd() && !IsMarker("ENDSEC"); ++at_) {
      const Group& group = Current();
      if (Status checked = CheckValue(group); !checked) return checked;
      if (group.code == 0) {
        keep();
        kind = UpperAscii(Trimmed(group.value));
        handle.clear();
        name.clear();
      } else if (group.code == 5 && handle.empty()) {
        handle = UpperAscii(Trimmed(group.value));
      } else if (group.code == 2) {
        name = Trimmed(group.value);
      }
    }
    if (AtEnd()) return CutShort();
    keep();
    return {};
  }

  // One entity from its 0 group to the next; where it belongs is its
  // owner's block record, else its layout's name, else its paper-space flag.
  struct Entity {
    std::string layer;
    std::string owner;
    std::string layoutName;
    bool paperSpace = false;
  };

  Status ReadEntity(Entity& entity) {
    const Group& start = Current();
    const std::string kind = UpperAscii(Trimmed(start.value));
    std::optional<long long> vertexCount;
    long long vertices = 0;
    bool inGroupOfApplication = false;
    for (++at_; !AtEnd() && Current().code != 0; ++at_) {
      const Group& group = Current();
      if (Status checked = CheckValue(group); !checked) return checked;
      if (group.code == 102) {
        inGroupOfApplication = Trimmed(group.value).starts_with("{");
      } else if (inGroupOfApplication) {
        continue;
      } else if (group.code == 8) {
        entity.layer = UpperAscii(Trimmed(group.value));
      } else if (group.code == 330 && entity.owner.empty()) {
        entity.owner = UpperAscii(Trimmed(group.value));
      } else if (group.code == 410) {
        entity.layoutName = UpperAscii(Trimmed(group.value));
      } else if (group.code == 67) {
        entity.paperSpace = WholeOf(group).value() != 0;
      } else if (kind == "LWPOLYLINE" && group.code == 90) {
        vertexCount = WholeOf(group).value();
      } else if (kind == "LWPOLYLINE" && group.code == 10) {
        ++vertices;
      }
    }
    if (AtEnd()) return CutShort();
    if (vertexCount && *vertexCount != vertices) {
      return DamagedAt(start, "the LWPOLYLINE claims " + std::to_string(*vertexCount) + " vertices but lists " +
                                  std::to_string(vertices));
    }
    return {};
  }

  void Count(const std::string& space, const Entity& entity) {
    Space& counted = spaces_[space];
    ++counted.entityCount;
    counted.layers.insert(entity.layer.empty() ? "0" : entity.layer);
  }

  Status Blocks() {
    while (!AtEnd() && !IsMarker("ENDSEC")) {
      const Group& group = Current();
      if (group.code != 0) return DamagedAt(group, "an entity or block was expected, not group code " +
                                                       std::to_string(group.code));
      const std::string kind = UpperAscii(Trimmed(group.value));
      if (kind == "EOF") return DamagedAt(group, "the BLOCKS section has no ENDSEC");
      Entity entity;
      const std::size_t begin = at_;
      if (Status read = ReadEntity(entity); !read) return read;
      if (kind == "BLOCK") {
        block_ = BlockName(begin);
      } else if (kind == "ENDBLK") {
        block_.clear();
      } else if (!block_.empty()) {
        Count(block_, entity);
      }
    }
    return AtEnd() ? CutShort() : Status{};
  }

  std::string BlockName(std::size_t begin) const {
    for (std::size_t index = begin + 1; index < at_; ++index) {
      if (groups_[index].code == 2) return UpperAscii(Trimmed(groups_[index].value));
    }
    return "";
  }

  Status Entities() {
    while (!AtEnd() && !IsMarker("ENDSEC")) {
      const Group& group = Current();
      if (group.code != 0) return DamagedAt(group, "an entity was expected, not group code " +
                                                       std::to_string(group.code));
      if (group.value == "EOF") return DamagedAt(group, "the ENTITIES section has no ENDSEC");
      Entity entity;
      if (Status read = ReadEntity(entity); !read) return read;
      entities_.push_back(std::move(entity));
    }
    return AtEnd() ? CutShort() : Status{};
  }

  Status Objects() {
    while (!AtEnd() && !IsMarker("ENDSEC")) {
      const Group& group = Current();
      if (group.code != 0) return DamagedAt(group, "an object was expected, not group code " +
                                                       std::to_string(group.code));
      if (group.value == "EOF") return DamagedAt(group, "the OBJECTS section has no ENDSEC");
      const bool isLayout = UpperAscii(Trimmed(group.value)) == "LAYOUT";
      LayoutObject layout;
      layout.line = group.line;
      if (Status read = ReadObject(isLayout ? &layout : nullptr); !read) return read;
      if (!isLayout) continue;
      if (layouts_.size() == kMostLayouts) {
        return DamagedAt(group, "the file holds more than " + std::to_string(kMostLayouts) + " layouts");
      }
      layouts_.push_back(std::move(layout));
    }
    return AtEnd() ? CutShort() : Status{};
  }

  // Of a LAYOUT, its AcDbLayout part: the plot settings before it reuse
  // the same group codes for other things.
  Status ReadObject(LayoutObject* layout) {
    bool inLayoutPart = false;
    for (++at_; !AtEnd() && Current().code != 0; ++at_) {
      const Group& group = Current();
      if (Status checked = CheckValue(group); !checked) return checked;
      if (layout == nullptr) continue;
      if (group.code == 100) {
        inLayoutPart = Trimmed(group.value) == "AcDbLayout";
      } else if (group.code == 72 && !inLayoutPart) {
        constexpr long long kInches = 0;
        layout->unit = WholeOf(group).value() == kInches ? 25.4 : 1;
      } else if (!inLayoutPart) {
        continue;
      } else if (group.code == 1) {
        layout->name = Trimmed(group.value);
      } else if (group.code == 71) {
        layout->tabOrder = WholeOf(group).value();
      } else if (group.code == 330) {
        layout->blockRecord = UpperAscii(Trimmed(group.value));
      } else if (group.code == 10 || group.code == 20 || group.code == 11 || group.code == 21) {
        SetCorner(layout->limits, group.code % 10 == 1, group.code, RealOf(group).value());
      } else if (group.code == 14 || group.code == 24 || group.code == 15 || group.code == 25) {
        SetCorner(layout->extents, group.code % 10 == 5, group.code, RealOf(group).value());
      }
    }
    return AtEnd() ? CutShort() : Status{};
  }

  // The block that holds a layout's entities, upper-cased.
  std::string BlockOf(const LayoutObject& layout) const {
    const auto record = blockRecords_.find(layout.blockRecord);
    return record != blockRecords_.end() ? record->second : "";
  }

  void CountEntities() {
    std::map<std::string, std::string> blockOfLayoutName;
    for (const LayoutObject& layout : layouts_) blockOfLayoutName[UpperAscii(layout.name)] = BlockOf(layout);
    for (const Entity& entity : entities_) {
      std::string space = entity.paperSpace ? std::string(kPaperSpace) : std::string(kModelSpace);
      if (const auto owner = blockRecords_.find(entity.owner); owner != blockRecords_.end()) {
        space = owner->second;
      } else if (const auto named = blockOfLayoutName.find(entity.layoutName);
                 named != blockOfLayoutName.end() && !named->second.empty()) {
        space = named->second;
      }
      Count(space, entity);
    }
  }

  // Millimetres per drawing unit, by $INSUNITS; unitless is taken as millimetres.
  double ModelUnit() const {
    constexpr double kUnits[] = {1,    25.4, 304.8, 1609344, 1,    10,   1000,  1e6,
                                 25.4e-6, 0.0254, 914.4, 1e-7, 1e-6, 1e-3, 100};
    if (units_ < 0 || units_ >= static_cast<long long>(std::size(kUnits))) return 1;
    return kUnits[units_];
  }

  Result<DxfLayoutRead> Sized(std::string name, const Rectangle& size, double unit, const std::string& space) const {
    DxfLayoutRead read;
    read.name = std::move(name);
    read.width = size.width() * unit;
    read.height = size.height() * unit;
    if (!(read.width <= kLargestSheet && read.height <= kLargestSheet)) {
      return Damaged("the layout \"" + read.name + "\" is larger than 100 m: " + Millimetres(read.width) + " x " +
                     Millimetres(read.height) + " mm");
    }
    if (const auto found = spaces_.find(space); found != spaces_.end()) {
      read.entityCount = found->second.entityCount;
      read.layers = found->second.layers;
    }
    return read;
  }

  Result<DxfFileRead> Sheets() {
    CountEntities();
    std::vector<const LayoutObject*> paper;
    bool paperHoldsSomething = false;
    for (const LayoutObject& layout : layouts_) {
      const std::string block = BlockOf(layout);
      if (block == kModelSpace || (block.empty() && UpperAscii(layout.name) == "MODEL")) continue;
      paper.push_back(&layout);
      if (const auto found = spaces_.find(block); found != spaces_.end() && found->second.entityCount > 0) {
        paperHoldsSomething = true;
      }
    }
    std::stable_sort(paper.begin(), paper.end(),
                     [](const LayoutObject* a, const LayoutObject* b) { return a->tabOrder < b->tabOrder; });
    DxfFileRead file;
    file.version = version_;
    if (!paperHoldsSomething) {
      const Rectangle& size = modelLimits_.usable() ? modelLimits_ : modelExtents_;
      if (!size.usable()) return Damaged("model space has neither limits nor extents to size a sheet by");
      auto model = Sized("Model", size, ModelUnit(), std::string(kModelSpace));
      if (!model) return model.failure();
      file.layouts.push_back(std::move(model).value());
      return file;
    }
    for (const LayoutObject* layout : paper) {
      const Rectangle& size = layout->limits.usable()    ? layout->limits
                              : layout->extents.usable() ? layout->extents
                                                         : modelExtents_;
      if (!size.usable()) {
        return Damaged("line " + std::to_string(layout->line) + ": the layout \"" + layout->name +
                       "\" has neither limits nor extents to size a sheet by");
      }
      const double unit = &size == &modelExtents_ ? ModelUnit() : layout->unit;
      auto read = Sized(layout->name, size, unit, BlockOf(*layout));
      if (!read) return read.failure();
      file.layouts.push_back(std::move(read).value());
    }
    return file;
  }

  std::vector<Group> groups_;
  std::size_t at_ = 0;
  std::string version_;
  long long units_ = 0;
  Rectangle modelLimits_;
  Rectangle modelExtents_;
  std::map<std::string, std::string> blockRecords_;  // handle -> name, both upper-cased
  std::map<std::string, Space> spaces_;              // by block name, upper-cased
  std::vector<Entity> entities_;
  std::vector<LayoutObject> layouts_;
  std::string block_;
};

}  // namespace

Result<DxfFileRead> ParseDxf(std::string_view text) {
  if (text.starts_with(kBinarySentinel)) return Damaged("it is a binary DXF file; only ASCII DXF files are read");
  auto groups = Groups(text);
  if (!groups) return groups.failure();
  return DxfReader(std::move(groups).value()).Read();
}

}  // namespace korrin::standin
