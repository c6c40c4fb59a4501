#pragma once

#include <string>

namespace korrin {

// What each tab of the export settings window shows: field texts as typed,
// check boxes as booleans, option groups as the chosen button. A fresh
// window shows these initial values until a set is loaded into it.

enum class PreviewSource { None, ActiveWindowOnSave, ActiveWindow, ImportFromFile };

struct IptOptions {
  bool savePreview = false;
  PreviewSource previewSource = PreviewSource::None;
  bool operator==(const IptOptions&) const = default;
};

struct BmpOptions {
  std::string width;
  std::string height;
  bool operator==(const BmpOptions&) const = default;
};

struct SatOptions {
  std::string version;
  bool operator==(const SatOptions&) const = default;
};

struct IgsOptions {
  std::string outputGeometryType;
  std::string surfaceType;
  std::string solidFaceType;
  bool importHealing = false;
  bool importStitch = false;
  bool operator==(const IgsOptions&) const = default;
};

struct StpOptions {
  bool configurationControlledDesign = false;  // else "Automotive Design"
  std::string automotiveDesign;
  std::string authorization;
  std::string author;
  bool inventorUsername = false;
  std::string organization;
  std::string description;
  bool operator==(const StpOptions&) const = default;
};

enum class StlResolution { None, High, Medium, Low };

struct StlOptions {
  std::string high;
  std::string medium;
  std::string low;
  StlResolution resolution = StlResolution::None;
  bool operator==(const StlOptions&) const = default;
};

struct PtpOptions {
  bool publishComponentProperties = false;
  bool operator==(const PtpOptions&) const = default;
};

struct AmpOptions {
  bool publishComponentProperties = false;
  bool publishDesignViewInformation = false;
  bool operator==(const AmpOptions&) const = default;
};

struct DwpOptions {
  bool publishProperties = false;
  bool allSheets = false;  // else "Current Sheet Only"
  bool operator==(const DwpOptions&) const = default;
};

enum class PrintRange { None, CurrentSheet, AllSheets, SheetsInRange };
enum class PrintScale { None, Model, BestFit, Custom };
enum class RenderStyle { None, WireFrame, Shaded, Hidden };

struct PrinterOptions {
  std::string printer;
  std::string paperSize;
  PrintRange range = PrintRange::None;
  std::string sheetFrom;
  std::string sheetTo;
  PrintScale scale = PrintScale::None;
  std::string customScale;
  bool rotate90 = false;
  std::string copies;
  bool collate = false;
  bool color = false;  // else "GreyScale"
  bool printToFile = false;
  bool fitNoneIdw = false;
  RenderStyle renderStyle = RenderStyle::None;
  bool iso = false;
  bool operator==(const PrinterOptions&) const = default;
};

// Every tab at once.
struct OptionSets {
  IptOptions ipt;
  BmpOptions bmp;
  SatOptions sat;
  IgsOptions igs;
  StpOptions stp;
  StlOptions stl;
  PtpOptions ptp;
  AmpOptions amp;
  DwpOptions dwp;
  PrinterOptions printer;
  bool operator==(const OptionSets&) const = default;
};

}  // namespace korrin
