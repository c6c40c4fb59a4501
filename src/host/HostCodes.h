#pragma once

#include <cstdint>

namespace korrin::host {

// Numbers of the host's enumerations, passed and compared as 32-bit
// integers. Grouped by what they mean.

// Document types, as the active document and referenced file descriptors
// report them.
inline constexpr std::int32_t kUnknownDocument = 12289;  // a reference that is not resolved
inline constexpr std::int32_t kPartDocument = 12290;
inline constexpr std::int32_t kAssemblyDocument = 12291;
inline constexpr std::int32_t kDrawingDocument = 12292;
inline constexpr std::int32_t kPresentationDocument = 12293;
inline constexpr std::int32_t kDesignElementDocument = 12294;
inline constexpr std::int32_t kForeignModelDocument = 12295;
inline constexpr std::int32_t kSatFileDocument = 12296;

// Compute status of a document.
inline constexpr std::int32_t kStatusUnknown = 11777;
inline constexpr std::int32_t kStatusUpToDate = 11778;
inline constexpr std::int32_t kStatusOutOfDate = 11779;
inline constexpr std::int32_t kStatusDriverLost = 11780;
inline constexpr std::int32_t kStatusInError = 11781;
inline constexpr std::int32_t kStatusDeleted = 11782;
inline constexpr std::int32_t kStatusCannotCompute = 11783;

// Command manager.
inline constexpr std::int32_t kCommandStateIdle = 2048;        // no command running
inline constexpr std::int32_t kSaveCopyAsCommand = 2056;       // opens the "Save Copy As" dialog
inline constexpr std::int32_t kFileNamePostType = 6657;        // pre-fills the next file dialog

// The translation context kind the program uses for every translator call.
inline constexpr std::int32_t kFileBrowseContext = 13059;
// The kind of a translation context whose kind was never set.
inline constexpr std::int32_t kUnspecifiedContext = 13056;

// A sheet's status word: set while its views are being computed.
inline constexpr std::int32_t kViewsComputingBit = 0x100;

// View display modes and the isometric camera orientation.
inline constexpr std::int32_t kWireframeDisplay = 8706;
inline constexpr std::int32_t kHiddenEdgesDisplay = 8707;
inline constexpr std::int32_t kShadedDisplay = 8708;
inline constexpr std::int32_t kIsometricViewOrientation = 10759;

// Window placement flags word and show commands the run uses on the host's
// view window.
inline constexpr std::uint32_t kPlacementRestoreToMaximized = 3;
inline constexpr std::int32_t kShowWindow = 5;
inline constexpr std::int32_t kRestoreWindow = 9;

// Print managers: paper ids (the custom paper takes its width and height
// from the manager), orientations, colour modes, and the values a drawing's
// print manager gets for its mode and range properties.
inline constexpr std::int32_t kCustomPaperSize = 14355;
inline constexpr std::int32_t kLandscapeOrientation = 13569;
inline constexpr std::int32_t kPortraitOrientation = 13570;
inline constexpr std::int32_t kColorPrint = 13313;
inline constexpr std::int32_t kGrayScalePrint = 13314;
inline constexpr std::int32_t kDrawingPrintMode = 13827;
inline constexpr std::int32_t kDrawingPrintRange = 14081;

}  // namespace korrin::host
