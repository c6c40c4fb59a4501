#include "settings/TranslatorSettingsMenus.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "settings/TextCase.h"

namespace korrin {
namespace {

struct ItemText {
  const char* caption;
  const char* value;
};

TranslatorMenu MakeMenu(TranslatorMenuKind kind, const char* objectName, std::initializer_list<ItemText> items) {
  TranslatorMenu menu{kind, objectName, {}};
  for (const ItemText& item : items) menu.items.push_back({item.caption, item.value, true});
  return menu;
}

constexpr const char* kAutocad2004 = "AutoCAD 2004";
constexpr const char* kAutocad2000 = "AutoCAD 2000";
constexpr const char* kR14 = "R14";
constexpr const char* kR13 = "R13";
constexpr const char* kR12 = "R12";

constexpr std::string_view kDxfPattern = "*.DXF";

// The versions each host can write; its DXF writer still knows R12, its DWG
// writer does not.
struct VersionsWritten {
  const char* hostVersion;  // upper-cased
  bool dxf;
  std::array<const char*, 4> values;  // nullptr pads a shorter list
};

constexpr VersionsWritten kVersionsWritten[] = {
    {"REGISTRYVERSION7.0", true, {kR12, kAutocad2000, kAutocad2004, nullptr}},
    {"REGISTRYVERSION7.0", false, {kAutocad2000, kAutocad2004, nullptr, nullptr}},
    {"REGISTRYVERSION6.0", true, {kR12, kR13, kR14, kAutocad2000}},
    {"REGISTRYVERSION6.0", false, {kR13, kR14, kAutocad2000, nullptr}},
    {"REGISTRYVERSION5.2", true, {kR12, kR13, kR14, kAutocad2000}},
    {"REGISTRYVERSION5.2", false, {kR13, kR14, kAutocad2000, nullptr}},
};

bool Written(const VersionsWritten& row, std::string_view value) {
  return std::any_of(row.values.begin(), row.values.end(),
                     [value](const char* written) { return written != nullptr && value == written; });
}

}  // namespace

TranslatorMenu TranslatorMenuOf(TranslatorMenuKind kind) {
  using Kind = TranslatorMenuKind;
  switch (kind) {
    case Kind::TranslationType:
      return MakeMenu(kind, "mnuTranslationType",
                      {{"Translate Body Only", "Translate Body Only"}, {"Translate Features", "Translate Features"}});
    case Kind::UnsupportedPartFeatures:
      return MakeMenu(kind, "mnuUnsupPartFeat",
                      {{"Translate Body Only", "Translate Body Only"},
                       {"Translate Remaining Features", "Translate Remaining Features"}});
    case Kind::FileUnits:
      return MakeMenu(kind, "mnuFileUnits",
                      {{"&Meters", "Meters"},
                       {"&Inches", "Inches"},
                       {"&Millimeters", "Millimeters"},
                       {"&Centimeters", "Centimeters"},
                       {"&Microns", "Microns"},
                       {"&Feet", "Feet"}});
    case Kind::Destination2D:
      // Kept as it is: the Border item alone writes a value unlike its caption.
      return MakeMenu(kind, "mnuDestination2D",
                      {{"&New Drawing", "New Drawing"},
                       {"&New Part", "New Part"},
                       {"&Title Block", "Title Block"},
                       {"&Border", "New Border"},
                       {"&Symbol", "Symbol"}});
    case Kind::AutocadVersion:
      return MakeMenu(kind, "mnuAcadVersion",
                      {{"&AutoCAD 2004", kAutocad2004},
                       {"&AutoCAD 2000", kAutocad2000},
                       {"&R14", kR14},
                       {"&R13", kR13},
                       {"&R12", kR12}});
    case Kind::YesNo:
      break;
  }
  return MakeMenu(Kind::YesNo, "mnuYesNo", {{"&Yes", "Yes"}, {"&No", "No"}});
}

TranslatorMenu AutocadVersionMenu(std::string_view hostVersion, std::string_view exportPattern) {
  TranslatorMenu menu = TranslatorMenuOf(TranslatorMenuKind::AutocadVersion);
  const std::string upperVersion = ToUpperAscii(hostVersion);
  const bool dxf = exportPattern == kDxfPattern;
  const auto row =
      std::find_if(std::begin(kVersionsWritten), std::end(kVersionsWritten),
                   [&](const VersionsWritten& r) { return upperVersion == r.hostVersion && dxf == r.dxf; });
  for (TranslatorMenuItem& item : menu.items)
    item.enabled = row != std::end(kVersionsWritten) && Written(*row, item.value);
  return menu;
}

}  // namespace korrin
