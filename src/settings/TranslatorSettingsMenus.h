#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korrin {

// The pop-up menus that offer a translator setting's values.
enum class TranslatorMenuKind {
  TranslationType,
  UnsupportedPartFeatures,
  FileUnits,
  Destination2D,
  AutocadVersion,
  YesNo,
};

struct TranslatorMenuItem {
  std::string caption;  // "&" marks the access key
  std::string value;    // what the setting becomes when the item is chosen
  bool enabled = true;

  bool operator==(const TranslatorMenuItem&) const = default;
};

struct TranslatorMenu {
  TranslatorMenuKind kind = TranslatorMenuKind::YesNo;
  std::string objectName;  // the window's name for the menu ("mnuYesNo")
  std::vector<TranslatorMenuItem> items;

  bool operator==(const TranslatorMenu&) const = default;
};

// The menu with every item enabled, items in the order shown.
TranslatorMenu TranslatorMenuOf(TranslatorMenuKind kind);

// The AutoCAD version menu with the versions the host can write enabled.
// hostVersion is the host's registry version text ("RegistryVersion7.0",
// compared ignoring case); exportPattern is the export format's pattern, and
// only exactly "*.DXF" counts as DXF. An unknown host enables no item; the
// menu is still shown.
TranslatorMenu AutocadVersionMenu(std::string_view hostVersion, std::string_view exportPattern);

}  // namespace korrin
