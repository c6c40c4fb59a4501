#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ProgramSettings.h"

namespace korrin {

// Every format is known by its caption ("Inventor Part Files (*.IPT)"), its
// pattern (the caption's TextInParentheses, "*.IPT"; "Printe" for the
// printer) and its three-letter tag.

inline constexpr std::string_view kPrinterCaption = "Printer";
// The printer's pattern upper-cased, the form runs test a print choice by.
inline constexpr std::string_view kPrinterPattern = "PRINTE";

// The import formats in the order of the import format box.
extern const std::array<std::string_view, 16> kImportCaptions;

// The import captions, in box order; the box never sorts them.
std::vector<std::string> FillImportList();

// The export formats offered for an import format, in the export box's
// order: alphabetical ignoring case, the import's own format left out. The
// box selects the first. An unknown import pattern offers nothing.
std::vector<std::string> FillExportList(std::string_view importPattern, std::string_view importCaption);

// The main window's fields that follow the export choice.
class ExportChoiceForm {
 public:
  virtual ~ExportChoiceForm() = default;
  virtual void SetExportSettingsFile(const std::string& path) = 0;
  virtual void SetImportSettingsFile(const std::string& path) = 0;
  virtual void SetPrintDocuments(bool enabled, bool ticked) = 0;
};

// Shows the settings files last chosen for the export format and sets the
// print box: disabled and ticked for the printer, enabled and cleared else.
void ApplyExportChoice(std::string_view exportCaption, const ProgramSettings& settings, ExportChoiceForm& form);

// The caption's pattern, upper-cased: the form runs compare against.
std::string PatternOf(std::string_view caption);
bool IsDwgOrDxfExport(std::string_view exportCaption);
// The first three of the caption's last four characters, upper-cased:
// "STL" for "Stereo Lithography Files (*.STL)", "NTE" for "Printer".
std::string ExportTagOf(std::string_view exportCaption);
// True for the formats whose translators read options from the host's
// registry: STL, SAT and IGES.
bool NeedsTranslatorPreparation(std::string_view exportCaption);

}  // namespace korrin
