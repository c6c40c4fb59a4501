#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/HostValues.h"

namespace korrin::standin {

// The formats the stand-in's translator add-ins write and read.
enum class TranslatorFormat { Dwg, Dxf, Dwf, Sat, Iges, Step, Stl };

// One add-in as the host lists it. Translators have a format; the others
// are there because a host has more add-ins than translators, and the
// program must find its translators by display name among them.
struct AddInDescription {
  std::string displayName;
  std::optional<TranslatorFormat> format;
};

// Every add-in in the host's collection order.
const std::vector<AddInDescription>& StandinAddIns();

// One entry of a translator's option map: its name and the value the
// translator starts with. The program sets entries by their number, so the
// order is part of the contract.
struct TranslatorOption {
  std::string name;
  host::OptionValue initial;
};

// The DWG, DXF and DWF translators' one entry: the translator settings file
// (the AutoCAD template and version are read from it).
inline constexpr const char* kAcadSettingsOption = "Export_Acad_IniFile";

// The entries HasSaveCopyAsOptions puts into the option map, in order.
const std::vector<TranslatorOption>& SaveCopyAsOptions(TranslatorFormat format);
// The entries HasOpenOptions puts into the option map, in order.
const std::vector<TranslatorOption>& OpenOptions(TranslatorFormat format);

std::string_view FormatName(TranslatorFormat format);

}  // namespace korrin::standin
